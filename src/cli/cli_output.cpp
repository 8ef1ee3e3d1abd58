#include "cli/cli_output.h"

#include "app/home_folder.h"
#include "app/workspace_access.h"
#include "cli/cli_args.h"
#include "model/number_text.h"
#include "model/workspace.h"
#include "output/nc_writer.h"
#include "output/tbf_file.h"

#include <cstdio>

namespace korvix::cli {
namespace {

int writeTbf(Workspace& ws, const ToolpathOutput& output, const char* commandName) {
    const WriteResult result =
        writeTbfFile(ws.database, output.path, output.tbfTolerance, &ws.pump);
    if (!result.ok) {
        std::fprintf(stderr, "korvix-cli %s: %s\n", commandName, result.message.c_str());
        return kExitFailure;
    }
    std::printf("%s: %zu points written, %zu arcs exploded\n", output.path.c_str(),
                result.recordsWritten, result.arcsExploded);
    return kExitOk;
}

int writeNc(Workspace& ws, const ToolpathOutput& output, const char* commandName) {
    NcWriteOptions options;
    options.controlName = output.machine.value_or("Default");
    if (output.machinesDir) {
        options.machinesFolder = *output.machinesDir;
    } else {
        options.machinesFolder = machinesFolder();
        if (!isDefaultControl(options.controlName)) {
            const InstallResult installed = installBundledMachineFormats(options.machinesFolder);
            if (!installed.ok)
                std::fprintf(stderr, "%s\n", installed.message.c_str());
        }
    }
    const NcWriteResult result = writeNcFile(ncWriteSource(ws), output.path, options);
    for (const FormatMessage& message : result.messages)
        std::fprintf(stderr, "%s\n", message.text.c_str());
    switch (result.outcome) {
    case NcWriteOutcome::Written:
        std::printf("Finished saving %s (%s, %zu lines)...\n", output.path.c_str(),
                    options.controlName.c_str(), result.linesWritten);
        return kExitOk;
    case NcWriteOutcome::NoData:
        std::fprintf(stderr, "korvix-cli %s: nothing written: no moves left to write\n",
                     commandName);
        break;
    case NcWriteOutcome::IoError:
    case NcWriteOutcome::BadValue:
        std::fprintf(stderr, "korvix-cli %s: %s\n", commandName, result.message.c_str());
        break;
    case NcWriteOutcome::FormatNotLoaded:
    case NcWriteOutcome::NoMoveWritten: // the messages above say why
        break;
    }
    std::fprintf(stderr, "Unable to save %s...\n", output.path.c_str());
    return kExitFailure;
}

} // namespace

bool isTbfOutput(const std::string& path) {
    return path.size() >= 4 && upperAscii(path.substr(path.size() - 4)) == ".TBF";
}

ToolpathOutput toolpathOutputOf(const ParsedArgs& parsed) {
    ToolpathOutput output;
    const auto path = parsed.value("-o");
    if (!path || path->empty())
        throw UsageError("no output file given (-o OUT)");
    output.path = *path;
    output.machine = parsed.value("--machine");
    output.machinesDir = parsed.value("--machines-dir");
    if (output.machine && isTbfOutput(output.path))
        throw UsageError("--machine applies to NC output, not to a TBF file");
    return output;
}

int writeToolpathOutput(Workspace& ws, const ToolpathOutput& output, const char* commandName) {
    return isTbfOutput(output.path) ? writeTbf(ws, output, commandName)
                                    : writeNc(ws, output, commandName);
}

} // namespace korvix::cli
