#include "cli/path_output.h"

#include "app/home_folder.h"
#include "app/workspace.h"
#include "cli/cli_args.h"
#include "model/number_text.h"
#include "output/nc_writer.h"
#include "output/tbf_file.h"

#include <cstdio>

namespace korvix::cli {
namespace {

int writeTbf(Workspace& ws, const PathOutput& output, const char* command) {
    const WriteResult result =
        writeTbfFile(ws.database, output.file, output.tbfTolerance, &ws.pump);
    if (!result.ok) {
        std::fprintf(stderr, "korvix-cli %s: %s\n", command, result.message.c_str());
        return kExitFailure;
    }
    std::printf("%s: %zu points written, %zu arcs exploded\n", output.file.c_str(),
                result.recordsWritten, result.arcsExploded);
    return kExitOk;
}

int writeNc(Workspace& ws, const PathOutput& output, const char* command) {
    NcWriteOptions options;
    options.controlName = output.machine.value_or("Default");
    if (output.machinesDir) {
        options.machinesFolder = *output.machinesDir;
    } else {
        // The first use of the home machines folder gets the bundled formats, as the
        // window program's first start does.
        options.machinesFolder = machinesFolder();
        if (!isDefaultControl(options.controlName)) {
            const InstallResult installed = installBundledMachineFormats(options.machinesFolder);
            if (!installed.ok)
                std::fprintf(stderr, "%s\n", installed.message.c_str());
        }
    }
    const NcWriteResult result = writeNcFile(ws, output.file, options);
    for (const FormatMessage& message : result.messages)
        std::fprintf(stderr, "%s\n", message.text.c_str());
    switch (result.outcome) {
    case NcWriteOutcome::Written:
        std::printf("Finished saving %s (%s, %zu lines)...\n", output.file.c_str(),
                    options.controlName.c_str(), result.linesWritten);
        return kExitOk;
    case NcWriteOutcome::NoData:
        std::fprintf(stderr, "korvix-cli %s: nothing written: no moves left to write\n", command);
        break;
    case NcWriteOutcome::IoError:
        std::fprintf(stderr, "korvix-cli %s: %s\n", command, result.message.c_str());
        break;
    case NcWriteOutcome::FormatNotLoaded:
        break;
    }
    std::fprintf(stderr, "Unable to save %s...\n", output.file.c_str());
    return kExitFailure;
}

} // namespace

bool isTbfFileName(const std::string& name) {
    return name.size() >= 4 && upperAscii(name.substr(name.size() - 4)) == ".TBF";
}

void checkPathOutput(const PathOutput& output) {
    if (output.file.empty())
        throw UsageError("no output file given (-o OUT)");
    if (output.machine && isTbfFileName(output.file))
        throw UsageError("--machine applies to NC output, not to a TBF file");
}

int writePathOutput(Workspace& ws, const PathOutput& output, const char* command) {
    return isTbfFileName(output.file) ? writeTbf(ws, output, command)
                                      : writeNc(ws, output, command);
}

} // namespace korvix::cli
