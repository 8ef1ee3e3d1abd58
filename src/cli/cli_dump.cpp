// korvix-cli dump: reads files as successive Opens do and lists every record of the
// toolpath, one line each, in a fixed format that tests and tools compare against.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "model/workspace.h"

#include <cstdio>
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

} // namespace

int runDump(const std::vector<std::string>& args) {
    Workspace ws;
    const std::vector<InputFileResult> results = readInputArguments(ws, args);
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
        out.append(line, static_cast<std::size_t>(formatRecord(line, kLineRoom - 1, index++, *r)));
        if (out.size() >= (std::size_t{1} << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return allInputRead(results) ? kExitOk : kExitFailure;
}

} // namespace korvix::cli
