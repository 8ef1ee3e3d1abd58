#include "cli/cli_runner.h"
#include "test_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace korvix::test {
namespace {

TEST(LevelsCli, OneLinePerLevelWithBlocksMovesAndTime) {
    const CliResult result = runCli({"levels", KORVIX_TEST_DATA_DIR "/levels_roughing.nc"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Z = -2.00000, N40 to N130, 9 moves, 0 hours, 10 minutes\n"
                          "Z = -4.00000, N130 to N200, 8 moves, 0 hours, 5 minutes\n"
                          "Z = -6.00000, N200 to N270, 8 moves, 0 hours, 19 minutes\n");
    EXPECT_EQ(result.err, "");
}

TEST(LevelsCli, IncrementalCentres) {
    TestFolder folder("korvix_levels_cli");
    // A corner arc with its centre as an offset from the arc's start.
    const std::string incremental = folder.path("incremental.nc");
    std::ofstream(incremental) << "N1 G0 X0. Y0. Z5.\nN2 G1 Z-1. F1.\nN3 X30.\n"
                                  "N4 G3 X40. Y10. I0. J10.\nN5 G1 Y30.\nN6 G0 Z5.\n";
    const CliResult result = runCli({"levels", "--incremental", incremental});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // 6 + 30 + 15.708 + 20 units at F1 and 6 at the rapid feed: 71.73 minutes. Read with
    // absolute centres the arc would be another one.
    EXPECT_EQ(result.out, "Z = -1.00000, N1 to N6, 5 moves, 1 hours, 11 minutes\n");
}

TEST(LevelsCli, NothingToSplitAndBadCommandLines) {
    TestFolder folder("korvix_levels_cli");
    const std::string empty = folder.path("empty.nc");
    std::ofstream(empty) << "(NO MOVES)\nM30\n";
    const CliResult none = runCli({"levels", empty});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("no NC toolpath"), std::string::npos) << none.err;

    EXPECT_EQ(runCli({"levels", folder.path("missing.nc")}).exitCode, 1);
    const CliResult usage = runCli({"levels"});
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("usage: korvix-cli levels"), std::string::npos) << usage.err;
}

} // namespace
} // namespace korvix::test
