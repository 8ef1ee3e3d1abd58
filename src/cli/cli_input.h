#pragma once

#include "cli/cli_args.h"
#include "model/move_record.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvix {
struct Workspace;
}

namespace korvix::cli {

// The kinds of input file, told apart by the upper-cased extension as the Open command does:
// ".WIR" wire-frame, ".TBF" binary toolpath, anything else an NC program.
enum class InputKind { NcProgram, Wireframe, Tbf };

InputKind inputKindOf(const std::string& fileName);

// How the I, J, K words of NC programs are read: as the centre itself, as offsets from the
// arc's start, or the way the program's arcs fit (absolute unless they plainly do not).
enum class CentreChoice { Absolute, Incremental, Auto };

struct InputOptions {
    CentreChoice centers = CentreChoice::Absolute;
    bool lowerCaseWords = false; // NC programs: g1x5 is G1X5
    Rgb drawColor = kWhite;      // feed moves of NC programs and TBF files
    Rgb wireframeColor = kBlack; // black keeps the colours stored in a wire-frame file
};

// What became of one input file.
struct InputFileResult {
    std::string fileName;
    InputKind kind = InputKind::NcProgram;
    int count = 0;       // blocks read (NC program, TBF) or points read (wire-frame)
    bool ok = false;     // false when the file could not be read (or only in part)
    std::string message; // why not, empty when ok
    // The parsing error log of an NC program, and whether it asked to be shown.
    std::vector<std::string> parseErrors;
    bool parseErrorFlag = false;
    // An NC program's text: its position in the workspace's program source, when it was kept.
    std::optional<std::size_t> sourceFile;
};

// Reads the files in order into one workspace, each appended to what the earlier ones left,
// as successive Open commands do. The readers' messages go to stderr while it runs.
std::vector<InputFileResult> readInputFiles(Workspace& ws, const std::vector<std::string>& files,
                                            const InputOptions& options);

// The reading options every command that reads takes: "--centers absolute|incremental|auto",
// "--incremental" (the same as --centers incremental) and "--lower-case".
OptionSpec withReadingOptions(OptionSpec known);
// Those options as given. Throws UsageError for an unknown --centers value.
InputOptions readingOptionsOf(const ParsedArgs& parsed);

// The arguments of a command that only reads, "[reading options] FILE...", read as
// readInputFiles does. Throws UsageError when no file is named.
std::vector<InputFileResult> readInputArguments(Workspace& ws,
                                                const std::vector<std::string>& args);
// The same for a command with options of its own besides the reading options.
std::vector<InputFileResult> readInputArguments(Workspace& ws, const ParsedArgs& parsed);

// True when every file was read.
bool allInputRead(const std::vector<InputFileResult>& results);

// Reads the inputs of a command that writes a new toolpath, printing their parsing errors;
// false (reported as "korvix-cli COMMAND: nothing written: ...") when any could not be read
// or no path came of them: a file that silently lacks part of its input would be worse than
// none.
bool readToolpathInput(Workspace& ws, const std::vector<std::string>& files,
                       const InputOptions& options, const char* command);

// "blocks" or "points", the unit of InputFileResult::count for the kind.
const char* countUnit(InputKind kind);

} // namespace korvix::cli
