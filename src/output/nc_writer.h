#pragma once

#include "input/machine_format_loader.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/tool_table.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// What the writer writes and works with: the toolpath and its tools, the program-wide
// machine format record (each load overwrites it, and some keywords carry over from the
// format loaded before), and the pump that keeps the window alive.
struct NcWriteSource {
    const GraphicsDatabase& database;
    const ToolTable& tools;
    MachineFormat& machine;
    MessagePump& pump;
};

// Where the writer puts its lines (without line ends).
class LineSink {
public:
    virtual ~LineSink() = default;
    virtual void writeLine(std::string_view line) = 0;
    // True once writing has failed for good: the writer stops early.
    virtual bool failed() const { return false; }
};

// Collects the lines in memory, each followed by "\n" (tests, previews).
class StringLineSink : public LineSink {
public:
    std::string text;
    void writeLine(std::string_view line) override {
        text.append(line);
        text += '\n';
    }
};

struct NcWriteOptions {
    // "Default" (or empty) for the built-in dialect, else the file name of a .DNC file in
    // `machinesFolder`, as the control-type drop-down lists it.
    std::string controlName = "Default";
    // Where the machine format files live (the caller knows the home folder).
    std::filesystem::path machinesFolder;
    // Written as the first line with a machine format; the Default format never writes it.
    std::string startingText;
    double programNumber = 1;
};

// True for the names that choose the built-in dialect: "Default" and "".
bool isDefaultControl(std::string_view controlName);

enum class NcWriteOutcome : std::uint8_t {
    Written,
    NoData,          // no database, or only its start point: nothing to write
    FormatNotLoaded, // the machine format is missing or stopped loading (see messages)
    IoError,         // the file could not be written (see message); any old file is intact
    BadValue,        // a record holds a value that is not a finite number (see message)
    NoMoveWritten,   // the machine format made no block of any move (see messages)
};

struct NcWriteResult {
    NcWriteOutcome outcome = NcWriteOutcome::NoData;
    // IoError: the system's reason, e.g. Unable to create file "PATH": Permission denied...
    std::string message;
    // Message boxes to show, in order: the machine format's warnings and errors, then the
    // unknown variables of its text lines (each distinct text once).
    std::vector<FormatMessage> messages;
    std::size_t linesWritten = 0;

    bool ok() const { return outcome == NcWriteOutcome::Written; }
};

// Writes the toolpath as an NC program to `sink`. With a machine format the format is first
// loaded into source.machine (whose RENUMBER, MINBLKNUM, ... survive from the format loaded
// before, as the loader keeps them).
NcWriteResult writeNcProgram(const NcWriteSource& source, const NcWriteOptions& options,
                             LineSink& sink);

// Writes the program to `path`. The text goes to a temporary file in the same folder that
// replaces `path` only once it is complete: on any failure an existing file is untouched
// and no temporary file is left. Nothing is created when there is no data or the machine
// format could not be loaded.
NcWriteResult writeNcFile(const NcWriteSource& source, const std::string& path,
                          const NcWriteOptions& options);

} // namespace korvix
