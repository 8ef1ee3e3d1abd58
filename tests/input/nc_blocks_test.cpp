// Block structure: comments, blanks, the 80-character cut, the start point, modal state,
// block numbers and optional stops.

#include "input/reader_support.h"
#include "app/workspace_access.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

struct CommentCase {
    const char* block;
    bool moves;
    float x;
};

TEST(NcBlocks, CommentsAndSkippedCharacters) {
    const CommentCase cases[] = {
        {"(COMMENT X5)X6.", true, 6.0f},
        {"X5./X6.", true, 5.0f},
        {"E0X5.", false, 0.0f},
        {"E1X5.", true, 5.0f},
        {"g1x5.", false, 0.0f},
        {"%X5.", false, 0.0f},
        {"\\X5.", false, 0.0f},
        {"X5.(X7.", true, 5.0f},
        {"H0X5.", false, 0.0f},
        {"(A)(B)X5.", true, 5.0f},
        {"X5.\tY1.", true, 5.0f},
        {"X5.;Y1.", true, 5.0f},
        {"(NESTED (X1) X2.) X3.", true, 3.0f},
    };
    for (const CommentCase& c : cases) {
        Workspace ws;
        readProgram(ws, std::string("X0Y0Z0\nG1") + c.block + "\n");
        SCOPED_TRACE(c.block);
        EXPECT_EQ(recordCount(ws), c.moves ? 2u : 1u);
        if (c.moves) {
            EXPECT_EQ(lastRecord(ws).x, c.x);
        }
    }
}

TEST(NcBlocks, TabEndsANumberAndIsNoBlank) {
    Workspace ws;
    readProgram(ws, "X0Y0Z0\nG1X5.\t1Y2.\n");
    EXPECT_EQ(lastRecord(ws).x, 5.0f);
    EXPECT_EQ(lastRecord(ws).y, 2.0f);
}

TEST(NcBlocks, BlanksAndNulsAreRemovedAfterTheLineIsCutTo80Characters) {
    Workspace ws;
    // 78 blanks then X56: the cut leaves X5, read with implied decimals.
    std::string program = "X0Y0Z0\n" + std::string(78, ' ') + "X56\n";
    program += std::string("G1 X1") + '\0' + "2\n";
    readProgram(ws, program);
    const std::vector<MoveRecord> r = recordsOf(ws);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_FLOAT_EQ(r[1].x, 0.0005f);
    EXPECT_FLOAT_EQ(r[2].x, 0.0012f);
}

TEST(NcBlocks, StartPointWaitsForAllThreeAxes) {
    Workspace ws;
    // G91 before the start: the first value of each axis places it; a known axis given
    // before the start is defined is dropped.
    const NcReadResult read =
        readProgram(ws, "T7\nG91 X1.\nY2. X50.\nZ3. M1\nX1.\n", true, makeRgb(0, 255, 0));
    EXPECT_EQ(read.blocks, 2);
    const std::vector<MoveRecord> r = recordsOf(ws);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(describe(r[0]), describe([] {
                  MoveRecord s{};
                  s.kind = kKindStartPoint;
                  s.plane = kPlaneXY;
                  s.optionalStop = 1;
                  s.color = makeRgb(0, 255, 0);
                  s.blockNumber = 4;
                  s.tool = 7;
                  s.x = 1, s.y = 2, s.z = 3;
                  return s;
              }()));
    EXPECT_EQ(r[1].x, 2.0f); // incremental from the start
    EXPECT_EQ(r[1].sequence, 2);
    EXPECT_EQ(r[1].color, kRapidColor);
}

TEST(NcBlocks, NoStartPointMeansNothingIsStored) {
    Workspace ws;
    int fits = 0;
    const NcReadResult read = [&] {
        const ScratchFile file("G1 X1. Y2. F100.\nX5.\n");
        return readNcProgram(ncReadTarget(ws), file.path(), {}, [&](const Extents&) { ++fits; });
    }();
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.blocks, 0);
    EXPECT_FALSE(ws.database.databaseAllocated());
    EXPECT_FALSE(ws.database.status.ncLoaded);
    EXPECT_EQ(ws.database.status.maxFeed, 0.0);
    EXPECT_EQ(fits, 0);
}

TEST(NcBlocks, MovesBeyondTheToleranceOnly) {
    Workspace ws;
    readProgram(ws, "X0Y0Z0\nG1X.0002\nX.0003\nY-.0002Z.0001\nG91X.0001\nX.0001\n");
    const std::vector<MoveRecord> r = recordsOf(ws);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_FLOAT_EQ(r[1].x, 0.0003f);
}

TEST(NcBlocks, BlockNumbersCountLinesAndWrapAfter32767) {
    std::string program = "X0Y0Z0\nN70000X1.\nN100X2.\nX3.\n";
    for (int line = 5; line < 32767; ++line)
        program += "\n";
    program += "X4.\nX5.\nX6.\n"; // lines 32767, 32768, 32769
    Workspace ws;
    readProgram(ws, program);
    std::vector<unsigned> numbers;
    for (const MoveRecord& r : recordsOf(ws))
        numbers.push_back(r.blockNumber);
    EXPECT_EQ(numbers, (std::vector<unsigned>{1, 65535, 100, 4, 32767, 1, 2}));
}

TEST(NcBlocks, OptionalStops) {
    Workspace ws;
    readProgram(ws, "M1\nX0Y0Z0\nG1X1.\nM01\nX2.M0\nX3.\nM2\nG2X5.Y0I4.J0M1\n");
    const std::vector<MoveRecord> r = recordsOf(ws);
    ASSERT_GT(r.size(), 5u);
    EXPECT_EQ(r[0].optionalStop, 0);
    EXPECT_EQ(r[1].optionalStop, 1); // M01 on a line of its own flags the last record
    EXPECT_EQ(r[2].optionalStop, 1);
    EXPECT_EQ(r[3].optionalStop, 0); // M2 is no stop
    for (std::size_t i = 4; i < r.size(); ++i)
        EXPECT_EQ(r[i].optionalStop, 1) << "arc piece " << i;
}

TEST(NcBlocks, CuttingTimeExtentsAndFeedRangeOfAProgramWorkedByHand) {
    Workspace ws;
    std::vector<Extents> fitted;
    {
        const ScratchFile file("(HAND CHECK)\n"
                               "X0. Y0. Z10.\n"
                               "G0 Z0.\n"                     // 10 at 250: 0.04
                               "G1 X30. F100.\n"              // 30 at 100: 0.3
                               "Y40.\n"                       // 40 at 100: 0.4
                               "G3 X20. Y50. I20. J40.\n"     // quarter circle r 10: 0.15708
                               "G1 X20. Y-10. F60.\n"         // 60 at 60: 1
                               "G2 X0. Y-10. I10. J-10. F0\n" // half circle r 10 at 1: 31.4159
        );
        readNcProgram(ncReadTarget(ws), file.path(), {}, [&](const Extents& e) { fitted.push_back(e); });
    }
    const DatabaseStatus& s = ws.database.status;
    const double expected =
        0.04 + 0.3 + 0.4 + 3.14159265358979 * 10 / 2 / 100 + 1.0 + 3.14159265358979 * 10;
    EXPECT_NEAR(s.cuttingTime, expected, 1e-4);
    EXPECT_DOUBLE_EQ(s.minFeed, 0.0);
    EXPECT_DOUBLE_EQ(s.maxFeed, 100.0);
    EXPECT_DOUBLE_EQ(s.extents.minX, 0.0);
    EXPECT_DOUBLE_EQ(s.extents.maxX, 30.0);
    EXPECT_NEAR(s.extents.trueMinY(), -20.0, 5e-4); // near the bottom of the half circle
    EXPECT_DOUBLE_EQ(s.extents.trueMaxY(), 50.0);
    EXPECT_DOUBLE_EQ(s.extents.minZ, 0.0);
    EXPECT_DOUBLE_EQ(s.extents.maxZ, 10.0);
    EXPECT_TRUE(s.ncLoaded);
    ASSERT_EQ(fitted.size(), 1u);
    EXPECT_EQ(fitted[0].maxY, s.extents.maxY);
}

TEST(NcBlocks, FeedRangeTakesTheFirstFeedAsItsMinimum) {
    Workspace ws;
    readProgram(ws, "F500.\nX0Y0Z0\nG1X1.F80.\nX2.F2500.\n");
    EXPECT_DOUBLE_EQ(ws.database.status.minFeed, 80.0);
    EXPECT_DOUBLE_EQ(ws.database.status.maxFeed, 2500.0);
}

} // namespace
} // namespace korvix::test
