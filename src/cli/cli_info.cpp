// korvix-cli info: reads files as successive Opens do and prints what the NC status window
// shows, with the parsing errors.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "display/status_text.h"
#include "model/workspace.h"

#include <cstdio>
#include <string>
#include <vector>

namespace korvix::cli {

int runInfo(const std::vector<std::string>& args) {
    Workspace ws;
    const std::vector<InputFileResult> results = readInputArguments(ws, args);

    std::string out;
    std::size_t errorCount = 0;
    for (const InputFileResult& result : results) {
        out += result.fileName + ": " + std::to_string(result.count) + " " +
               countUnit(result.kind) + "\n";
        errorCount += result.parseErrors.size();
    }
    for (const std::string& line : statusWindowLines(ws, false))
        out += line + "\n";
    out += "parse errors: " + std::to_string(errorCount) + "\n";
    for (const InputFileResult& result : results)
        for (const std::string& line : result.parseErrors)
            out += line + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return allInputRead(results) ? kExitOk : kExitFailure;
}

} // namespace korvix::cli
