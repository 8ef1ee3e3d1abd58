// korvix-cli tbf and apt: read files as successive Opens do, explode the arcs and write the
// path as a TBF binary file or an APT cutter-location text.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "filters/explode_arcs.h"
#include "model/workspace.h"
#include "output/apt_writer.h"
#include "output/tbf_file.h"

#include <cstdio>
#include <string>
#include <vector>

namespace korvix::cli {
namespace {

struct ExportRequest {
    std::vector<std::string> inputs;
    std::string output;
    double tolerance = kDefaultExplodeTolerance;
    InputOptions options;
};

ExportRequest parseExport(const std::vector<std::string>& args) {
    const ParsedArgs parsed(args, withReadingOptions(OptionSpec{{"-o", "--tolerance"}, {}}));
    ExportRequest request;
    request.inputs = parsed.positional();
    if (request.inputs.empty())
        throw UsageError("no input file given");
    const auto output = parsed.value("-o");
    if (!output || output->empty())
        throw UsageError("no output file given (-o OUT)");
    request.output = *output;
    if (const auto text = parsed.value("--tolerance")) {
        const ToleranceInput tolerance = parseExplodeTolerance(*text);
        if (!tolerance.ok())
            throw UsageError(tolerance.problem);
        request.tolerance = tolerance.value;
    }
    request.options = readingOptionsOf(parsed);
    return request;
}

int finish(const WriteResult& result, const ExportRequest& request, const char* command) {
    if (!result.ok) {
        std::fprintf(stderr, "korvix-cli %s: %s\n", command, result.message.c_str());
        return kExitFailure;
    }
    std::printf("%s: %zu points written, %zu arcs exploded\n", request.output.c_str(),
                result.recordsWritten, result.arcsExploded);
    return kExitOk;
}

} // namespace

int runTbf(const std::vector<std::string>& args) {
    const ExportRequest request = parseExport(args);
    Workspace ws;
    if (!readToolpathInput(ws, request.inputs, request.options, "tbf"))
        return kExitFailure;
    return finish(writeTbfFile(ws.database, request.output, request.tolerance, &ws.pump), request,
                  "tbf");
}

int runApt(const std::vector<std::string>& args) {
    const ExportRequest request = parseExport(args);
    Workspace ws;
    if (!readToolpathInput(ws, request.inputs, request.options, "apt"))
        return kExitFailure;
    return finish(writeAptFile(ws.database, ws.tools, request.output, request.tolerance, &ws.pump),
                  request, "apt");
}

} // namespace korvix::cli
