// korvix-cli dump: reads files as successive Opens do and lists every record of the
// toolpath, one line each, in a fixed format that tests and tools compare against.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "model/workspace.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace korvix::cli {
namespace {

// "index kind sequence blockNumber motion tool feed x y z", for arc pieces followed by
// "plane centerX centerY centerZ radius startAngle endAngle", and " M01" when the record
// carries an optional stop. Keep this format stable.
int formatRecord(char* buffer, std::size_t size, std::size_t index, const MoveRecord& r) {
    int length =
        std::snprintf(buffer, size, "%zu %u %d %u %u %u %.4f %.4f %.4f %.4f", index,
                      unsigned{r.kind}, r.sequence, unsigned{r.blockNumber}, unsigned{r.motion},
                      unsigned{r.tool}, double{r.feed}, double{r.x}, double{r.y}, double{r.z});
    if (r.kind == kKindArcPiece)
        length += std::snprintf(buffer + length, size - static_cast<std::size_t>(length),
                                " %u %.4f %.4f %.4f %.4f %.4f %.4f", unsigned{r.plane},
                                double{r.centerX}, double{r.centerY}, double{r.centerZ},
                                double{r.radius}, double{r.startAngle}, double{r.endAngle});
    if (r.optionalStop != 0)
        length += std::snprintf(buffer + length, size - static_cast<std::size_t>(length), " M01");
    buffer[length++] = '\n';
    return length;
}

// Where each kept program text came from on the command line: 1-based argument positions,
// by the text's position in the workspace's program source.
std::vector<std::size_t> argumentOfSourceFiles(const std::vector<InputFileResult>& results) {
    std::vector<std::size_t> positions;
    for (std::size_t i = 0; i < results.size(); ++i)
        if (results[i].sourceFile) {
            positions.resize(std::max(positions.size(), *results[i].sourceFile + 1));
            positions[*results[i].sourceFile] = i + 1;
        }
    return positions;
}

// " @F:L", or " @-" for a record that no program line made.
int formatSourceLine(char* buffer, std::size_t size, const ProgramSource& source,
                     const std::vector<std::size_t>& arguments, const MoveRecord& r) {
    const std::optional<SourceLocation> at = source.locate(r.sourceLine);
    if (!at || at->file >= arguments.size())
        return std::snprintf(buffer, size, " @-");
    return std::snprintf(buffer, size, " @%zu:%u", arguments[at->file], unsigned{at->line});
}

} // namespace

int runDump(const std::vector<std::string>& args) {
    Workspace ws;
    OptionSpec known = withReadingOptions({});
    known.switches.insert("--lines");
    const ParsedArgs parsed(args, known);
    const bool lines = parsed.has("--lines");
    const std::vector<InputFileResult> results = readInputArguments(ws, parsed);
    const std::vector<std::size_t> arguments = argumentOfSourceFiles(results);
    for (const InputFileResult& result : results)
        for (const std::string& line : result.parseErrors)
            std::fprintf(stderr, "%s: %s\n", result.fileName.c_str(), line.c_str());

    // Numbers of up to 39 digits fit: a float's largest value has 39 before the point.
    constexpr std::size_t kLineRoom = 1024;
    std::string out;
    out.reserve(std::size_t{1} << 20);
    char line[kLineRoom];
    std::size_t index = 0;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
        std::size_t length =
            static_cast<std::size_t>(formatRecord(line, kLineRoom - 1, index++, *r));
        if (lines) {
            // The source line goes before the line end.
            --length;
            length += static_cast<std::size_t>(
                formatSourceLine(line + length, kLineRoom - 1 - length, ws.source, arguments, *r));
            line[length++] = '\n';
        }
        out.append(line, length);
        if (out.size() >= (std::size_t{1} << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return allInputRead(results) ? kExitOk : kExitFailure;
}

} // namespace korvix::cli
