// korvix-cli levels: reads files as successive Opens do and lists the Z levels of the
// toolpath the levels display steps through, with the time each takes, so that a programmer
// sees where the time goes.

#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "display/levels_dialog_state.h"
#include "display/levels_list.h"
#include "model/number_text.h"
#include "model/workspace.h"

#include <cstdio>
#include <string>
#include <vector>

namespace korvix::cli {
namespace {

// "Z = -2.00000, N60 to N130, 7 moves, 0 hours, 3 minutes": the level's depth, the block
// numbers of its first and last record, its moves and their cutting time, as the levels
// dialog shows them for the level on its own.
std::string levelLine(const LevelSummary& level) {
    return "Z = " + fixed7(level.levelZ, 5) + ", N" + std::to_string(level.firstBlock) + " to N" +
           std::to_string(level.lastBlock) + ", " + std::to_string(level.moves) + " moves, " +
           hoursMinutesText(level.cuttingTime);
}

} // namespace

int runLevels(const std::vector<std::string>& args) {
    Workspace ws;
    const std::vector<InputFileResult> results = readInputArguments(ws, args);
    for (const InputFileResult& result : results)
        for (const std::string& line : result.parseErrors)
            std::fprintf(stderr, "%s: %s\n", result.fileName.c_str(), line.c_str());

    const bool haveToolpath = ws.database.databaseAllocated() && ws.database.status.ncLoaded;
    ZLevelList levels;
    const LevelListResult built =
        haveToolpath ? buildLevelList(ws.database, levels) : LevelListResult::NoData;
    if (built != LevelListResult::Built) {
        std::fprintf(stderr, "korvix-cli levels: %s\n",
                     built == LevelListResult::NoData ? "no NC toolpath to split into levels"
                                                      : "out of memory");
        return kExitFailure;
    }
    std::string out;
    for (const ZLevel* level = levels.head(); level != nullptr; level = level->next)
        out += levelLine(summarizeLevel(*level)) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return allInputRead(results) ? kExitOk : kExitFailure;
}

} // namespace korvix::cli
