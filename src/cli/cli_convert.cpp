// korvix-cli convert: reads a program and writes it for another machine control, or rewrites
// several in place as the Convert command does; korvix-cli compare: how far two programs'
// toolpaths stray from each other.

#include "app/home_folder.h"
#include "app/workspace_access.h"
#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "model/workspace.h"
#include "output/convert_file.h"
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

namespace {

NcWriteOptions writeOptionsOf(const ParsedArgs& parsed, const std::string& machine) {
    NcWriteOptions options;
    options.controlName = machine;
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
    return options;
}

// The verification line of a written program; true when it traces the same path.
bool reportVerification(const std::string& written, const PathComparison& comparison,
                        bool readBack) {
    if (!readBack) {
        printError(written + ": the written program could not be read back");
        return false;
    }
    const bool same = comparison.within(kSamePathTolerance);
    std::fprintf(same ? stdout : stderr, "%s: %s %s\n", written.c_str(),
                 same ? "verified," : "differs from the original,",
                 describeComparison(comparison).c_str());
    return same;
}

// convert --in-place: each file rewritten where it is, its original kept as NAME.bak.
int convertInPlace(const ParsedArgs& parsed, const NcWriteOptions& writeOptions) {
    const InputOptions reading = readingOptionsOf(parsed);
    ConvertOptions options;
    options.absoluteCenters = reading.centers != CentreChoice::Incremental;
    options.autoCentres = reading.centers == CentreChoice::Auto;
    options.lowerCaseWords = reading.lowerCaseWords;
    options.write = writeOptions;
    options.verify = parsed.has("--verify");
    int failures = 0;
    Workspace ws;
    for (const std::string& input : parsed.positional()) {
        const ConvertFileResult result = convertFileInPlace({ncReadTarget(ws), ws.machine}, input,
                                                            options, [](const Extents&) {});
        for (const std::string& line : ws.parseLog.lines)
            printError(input + ": " + line);
        for (const FormatMessage& message : result.write.messages)
            printError(message.text);
        if (!result.message.empty())
            printError(result.message);
        const std::string status = conversionStatusText(input, result);
        const bool good = result.converted && (!options.verify || result.sameAsOriginal());
        std::fprintf(good ? stdout : stderr, "%s\n", status.c_str());
        failures += good ? 0 : 1;
    }
    return failures == 0 ? kExitOk : kExitFailure;
}

} // namespace

int runConvert(const std::vector<std::string>& args) {
    const ParsedArgs parsed(
        args, withReadingOptions(OptionSpec{
                  {"--machine", "--machines-dir", "--program-number", "--start-text", "-o"},
                  {"--in-place", "--verify"}}));
    const std::optional<std::string> machine = parsed.value("--machine");
    const std::optional<std::string> output = parsed.value("-o");
    if (!machine)
        throw UsageError("no machine format given (--machine NAME, or Default)");
    if (parsed.has("--in-place")) {
        if (output)
            throw UsageError("--in-place writes each input over itself: give no -o");
        if (parsed.positional().empty())
            throw UsageError("no input file given");
        return convertInPlace(parsed, writeOptionsOf(parsed, *machine));
    }
    if (!output)
        throw UsageError("no output file given (-o OUT, or --in-place)");
    if (parsed.positional().size() != 1)
        throw UsageError(parsed.positional().empty()
                             ? "no input file given"
                             : "convert takes one input file, or several with --in-place");

    const NcWriteOptions options = writeOptionsOf(parsed, *machine);
    const InputOptions inputOptions = readingOptionsOf(parsed);
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
    case NcWriteOutcome::Written: {
        std::printf("Finished converting %s to %s (%s, %zu lines)...\n", input.c_str(),
                    output->c_str(), options.controlName.c_str(), result.linesWritten);
        if (!parsed.has("--verify"))
            return kExitOk;
        const ReadBack back = readForComparison(
            *output, writesAbsoluteCenters(ws.machine, isDefaultControl(options.controlName)),
            ws.pump);
        return reportVerification(*output, comparePaths(ws.database, back.database),
                                  back.result.ok())
                   ? kExitOk
                   : kExitFailure;
    }
    case NcWriteOutcome::NoData:
        printError(input + ": no moves to write");
        break;
    case NcWriteOutcome::IoError:
    case NcWriteOutcome::BadValue:
        printError(result.message);
        break;
    case NcWriteOutcome::FormatNotLoaded:
    case NcWriteOutcome::NoMoveWritten: // the messages above say why
        break;
    }
    printError("Unable to convert " + input + "...");
    return kExitFailure;
}

int runCompare(const std::vector<std::string>& args) {
    const ParsedArgs parsed(args, OptionSpec{{}, {"--incremental-a", "--incremental-b"}});
    if (parsed.positional().size() != 2)
        throw UsageError("compare takes two files, A and B");
    const std::string& a = parsed.positional()[0];
    const std::string& b = parsed.positional()[1];
    MessagePump pump;
    const ReadBack pathA = readForComparison(a, !parsed.has("--incremental-a"), pump);
    const ReadBack pathB = readForComparison(b, !parsed.has("--incremental-b"), pump);
    for (const auto& [name, path] : {std::pair{&a, &pathA}, std::pair{&b, &pathB}})
        if (!path->result.ok()) {
            printError(*name + ": " + path->result.message);
            return kExitFailure;
        }
    const PathComparison comparison = comparePaths(pathA.database, pathB.database);
    std::printf("%s: %zu moves, %s: %zu moves, %s\n", a.c_str(), comparison.movesA, b.c_str(),
                comparison.movesB, describeComparison(comparison).c_str());
    return comparison.within(kSamePathTolerance) ? kExitOk : kExitFailure;
}

} // namespace korvix::cli
