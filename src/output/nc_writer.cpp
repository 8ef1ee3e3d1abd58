#include "output/nc_writer.h"

#include "model/finite_values.h"
#include "model/safe_file_writer.h"
#include "output/nc_writer_internal.h"

namespace korvix {
namespace {

bool hasMoves(const GraphicsDatabase& database) {
    return database.databaseAllocated() && database.first()->next != nullptr;
}

// False, with the reason in result, when a record holds an infinite or NaN value: no control
// reads the words that would make.
bool finiteValues(const GraphicsDatabase& database, NcWriteResult& result) {
    const MoveRecord* bad = firstNonFiniteRecord(database);
    if (bad == nullptr)
        return true;
    result.outcome = NcWriteOutcome::BadValue;
    result.message = nonFiniteRecordMessage(*bad);
    return false;
}

// Loads the chosen machine format into the program-wide record. False when the writer must
// stop (the reasons are in result.messages).
bool prepareFormat(const NcWriteSource& source, const NcWriteOptions& options,
                   NcWriteResult& result) {
    if (isDefaultControl(options.controlName))
        return true;
    MachineFormatLoad load =
        loadMachineFormat(source.machine, options.machinesFolder, options.controlName);
    result.messages = std::move(load.messages);
    if (!load.loaded)
        result.outcome = NcWriteOutcome::FormatNotLoaded;
    return load.loaded;
}

void writeProgram(const NcWriteSource& source, const NcWriteOptions& options, LineSink& sink,
                  NcWriteResult& result) {
    if (isDefaultControl(options.controlName))
        result.linesWritten = ncout::writeDefaultProgram(source.database, source.tools,
                                                         options.programNumber, sink, source.pump);
    else {
        const ncout::MachineProgramCounts counts =
            ncout::writeMachineProgram(source.database, source.tools, source.machine, options, sink,
                                       result.messages, source.pump);
        result.linesWritten = counts.lines;
        if (counts.moves == 0) {
            // A program without a single move is no conversion of the toolpath at all.
            result.outcome = NcWriteOutcome::NoMoveWritten;
            result.messages.push_back(
                {FormatMessage::Kind::Error, "The machine format \"" + options.controlName +
                                                 "\" wrote no move of the toolpath..."});
            return;
        }
    }
    result.outcome = NcWriteOutcome::Written;
}

class FileLineSink : public LineSink {
public:
    explicit FileLineSink(SafeFileWriter& file) : m_file(file) {}
    void writeLine(std::string_view line) override { m_file.writeLine(line); }
    bool failed() const override { return m_file.failed(); }

private:
    SafeFileWriter& m_file;
};

} // namespace

bool isDefaultControl(std::string_view controlName) {
    return controlName.empty() || controlName == kDefaultControlName;
}

NcWriteResult writeNcProgram(const NcWriteSource& source, const NcWriteOptions& options,
                             LineSink& sink) {
    NcWriteResult result;
    if (!hasMoves(source.database) || !finiteValues(source.database, result) ||
        !prepareFormat(source, options, result))
        return result;
    writeProgram(source, options, sink, result);
    return result;
}

NcWriteResult writeNcFile(const NcWriteSource& source, const std::string& path,
                          const NcWriteOptions& options) {
    NcWriteResult result;
    // Nothing is created before the data and the format are known to be good.
    if (!hasMoves(source.database) || !finiteValues(source.database, result) ||
        !prepareFormat(source, options, result))
        return result;
    SafeFileWriter file(path);
    if (!file.open()) {
        result.outcome = NcWriteOutcome::IoError;
        result.message = file.error();
        return result;
    }
    FileLineSink sink(file);
    writeProgram(source, options, sink, result);
    if (!result.ok() && !file.failed()) {
        file.abandon(); // the file that was there stays as it was
        return result;
    }
    if (!file.commit()) {
        result.outcome = NcWriteOutcome::IoError;
        result.message = file.error();
    }
    return result;
}

} // namespace korvix
