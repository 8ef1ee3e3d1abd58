// korvix-cli convert: reads a program and writes it for another machine control, as the
// Convert command does for one file.

#include "app/home_folder.h"
#include "app/workspace_access.h"
#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "model/workspace.h"
#include "output/nc_writer.h"

#include <cstdio>
#include <string>
#include <vector>

namespace korvix::cli {
namespace {

void printError(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

} // namespace

int runConvert(const std::vector<std::string>& args) {
    const ParsedArgs parsed(
        args, OptionSpec{{"--machine", "--machines-dir", "--program-number", "--start-text", "-o"},
                         {"--incremental"}});
    const std::optional<std::string> machine = parsed.value("--machine");
    const std::optional<std::string> output = parsed.value("-o");
    if (!machine)
        throw UsageError("no machine format given (--machine NAME, or Default)");
    if (!output)
        throw UsageError("no output file given (-o OUT)");
    if (parsed.positional().size() != 1)
        throw UsageError(parsed.positional().empty() ? "no input file given"
                                                     : "convert takes one input file");

    NcWriteOptions options;
    options.controlName = *machine;
    options.programNumber = parsed.realValue("--program-number", 1.0);
    options.startingText = parsed.value("--start-text").value_or("");
    if (const auto folder = parsed.value("--machines-dir")) {
        options.machinesFolder = *folder;
    } else {
        // The first use of the home machines folder gets the bundled formats, as the
        // window program's first start does.
        options.machinesFolder = machinesFolder();
        if (!isDefaultControl(options.controlName)) {
            const InstallResult installed = installBundledMachineFormats(options.machinesFolder);
            if (!installed.ok)
                printError(installed.message);
        }
    }

    InputOptions inputOptions;
    inputOptions.absoluteCenters = !parsed.has("--incremental");
    Workspace ws;
    const std::string& input = parsed.positional().front();
    const std::vector<InputFileResult> read = readInputFiles(ws, {input}, inputOptions);
    for (const std::string& line : read.front().parseErrors)
        printError(input + ": " + line);
    if (!allInputRead(read)) { // the reader has said why
        printError("Unable to convert " + input + "...");
        return kExitFailure;
    }

    const NcWriteResult result = writeNcFile(ncWriteSource(ws), *output, options);
    for (const FormatMessage& message : result.messages)
        printError(message.text);
    switch (result.outcome) {
    case NcWriteOutcome::Written:
        std::printf("Finished converting %s to %s (%s, %zu lines)...\n", input.c_str(),
                    output->c_str(), options.controlName.c_str(), result.linesWritten);
        return kExitOk;
    case NcWriteOutcome::NoData:
        printError(input + ": no moves to write");
        break;
    case NcWriteOutcome::IoError:
        printError(result.message);
        break;
    case NcWriteOutcome::FormatNotLoaded:
    case NcWriteOutcome::NoMoveWritten: // the messages above say why
        break;
    }
    printError("Unable to convert " + input + "...");
    return kExitFailure;
}

} // namespace korvix::cli
