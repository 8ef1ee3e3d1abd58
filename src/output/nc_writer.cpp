#include "output/nc_writer.h"

#include "app/home_folder.h"
#include "app/workspace.h"
#include "output/nc_writer_internal.h"
#include "output/safe_file_writer.h"

namespace korvix {
namespace {

bool hasMoves(const GraphicsDatabase& database) {
    return database.databaseAllocated() && database.first()->next != nullptr;
}

// Loads the chosen machine format into the workspace's record. False when the writer must
// stop (the reasons are in result.messages).
bool prepareFormat(Workspace& ws, const NcWriteOptions& options, NcWriteResult& result) {
    if (isDefaultControl(options.controlName))
        return true;
    const std::filesystem::path folder =
        options.machinesFolder.empty() ? machinesFolder() : options.machinesFolder;
    MachineFormatLoad load = loadMachineFormat(ws.machine, folder, options.controlName);
    result.messages = std::move(load.messages);
    if (!load.loaded)
        result.outcome = NcWriteOutcome::FormatNotLoaded;
    return load.loaded;
}

void writeProgram(Workspace& ws, const NcWriteOptions& options, LineSink& sink,
                  NcWriteResult& result) {
    if (isDefaultControl(options.controlName))
        result.linesWritten =
            ncout::writeDefaultProgram(ws.database, ws.tools, options.programNumber, sink, ws.pump);
    else
        result.linesWritten = ncout::writeMachineProgram(ws.database, ws.tools, ws.machine, options,
                                                         sink, result.messages, ws.pump);
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

NcWriteResult writeNcProgram(Workspace& ws, const NcWriteOptions& options, LineSink& sink) {
    NcWriteResult result;
    if (!hasMoves(ws.database) || !prepareFormat(ws, options, result))
        return result;
    writeProgram(ws, options, sink, result);
    return result;
}

NcWriteResult writeNcFile(Workspace& ws, const std::string& path, const NcWriteOptions& options) {
    NcWriteResult result;
    // Nothing is created before the data and the format are known to be good.
    if (!hasMoves(ws.database) || !prepareFormat(ws, options, result))
        return result;
    SafeFileWriter file(path);
    if (!file.open()) {
        result.outcome = NcWriteOutcome::IoError;
        result.message = file.error();
        return result;
    }
    FileLineSink sink(file);
    writeProgram(ws, options, sink, result);
    if (!file.commit()) {
        result.outcome = NcWriteOutcome::IoError;
        result.message = file.error();
    }
    return result;
}

} // namespace korvix
