// Programs as CAM systems and controls write them: centre types that do not fit, R words,
// lower case, missing axes, full turns, feeds and positions out of range, CR line ends.

#include "app/workspace_access.h"
#include "input/reader_support.h"
#include "model/arc_geometry.h"
#include "model/finite_values.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

const std::string kData = KORVIX_TEST_DATA_DIR;

NcReadResult readData(Workspace& ws, const std::string& name, bool absoluteCenters,
                      bool lowerCase = false) {
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    options.lowerCaseWords = lowerCase;
    return readNcProgram(ncReadTarget(ws), kData + "/" + name, options, {});
}

TEST(NcPrograms, ArcsThatFitTheOtherCentreTypeAreFound) {
    const std::string path = kData + "/cam_incremental_arcs.nc";
    Workspace absolute;
    const NcReadResult wrong = readData(absolute, "cam_incremental_arcs.nc", true);
    EXPECT_EQ(wrong.centres.tested, 4);
    EXPECT_TRUE(centresLookSwapped(wrong.centres, true));
    EXPECT_EQ(centreQuestion(wrong.centres, true, path),
              "4 of 4 arcs in \"" + path +
                  "\" do not fit absolute center points; the program looks like it uses "
                  "incremental center points. Read it again with incremental center points?");

    Workspace incremental;
    const NcReadResult right = readData(incremental, "cam_incremental_arcs.nc", false);
    EXPECT_FALSE(centresLookSwapped(right.centres, false));
    EXPECT_EQ(centreFinding(right.centres, false, "P"),
              "0 of 4 arcs in \"P\" do not fit incremental center points; the program looks "
              "like it uses absolute center points.");
    const auto groups = arcGroups(incremental);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_NEAR(groups[0].back().centerX, 80.0, 1e-4);
    EXPECT_NEAR(groups[0].back().centerY, 20.0, 1e-4);

    // The thresholds: at least 3 arcs, under half fitting the chosen type, 90 % the other.
    EXPECT_FALSE(centresLookSwapped({2, 0, 2}, true));
    EXPECT_TRUE(centresLookSwapped({10, 4, 9}, true));
    EXPECT_FALSE(centresLookSwapped({10, 5, 10}, true));
    EXPECT_FALSE(centresLookSwapped({10, 0, 8}, true));
    EXPECT_TRUE(centresLookSwapped({10, 10, 0}, false));
}

TEST(NcPrograms, RWordsMakeTheSameArcsWhicheverCentreTypeWasChosen) {
    Workspace absolute, incremental;
    const NcReadResult read = readData(absolute, "r_arcs.nc", true);
    readData(incremental, "r_arcs.nc", false);
    EXPECT_EQ(read.centres.tested, 0); // R arcs tell nothing of I, J, K
    EXPECT_TRUE(absolute.parseLog.lines.empty());
    const Extents& e = absolute.database.status.extents;
    EXPECT_NEAR(e.minX, 0.0, kArcTolerance); // the pieces' points
    EXPECT_NEAR(e.maxX, 70.0, kArcTolerance);
    EXPECT_NEAR(absolute.database.status.cuttingTime, incremental.database.status.cuttingTime,
                1e-9);
    const auto groups = arcGroups(absolute);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_NEAR(groups[0].back().centerX, 60.0, 1e-4);
    EXPECT_NEAR(groups[1].back().centerX, 10.0, 1e-4);
    EXPECT_NEAR(groups[1].back().centerY, 10.0, 1e-4);
}

TEST(NcPrograms, SkippedLowerCaseWordsAndMissingAxesAreLogged) {
    Workspace skipped;
    EXPECT_EQ(readData(skipped, "lower_case.nc", true).blocks, 0);
    EXPECT_FALSE(skipped.database.databaseAllocated());
    EXPECT_EQ(skipped.parseLog.lines,
              std::vector<std::string>{"Lower-case words were skipped (first in block 3: "
                                       "\"g0x0y0z5.\"); turn on Options -> Read lower-case "
                                       "words to read them"});
    EXPECT_TRUE(skipped.parseLog.parseErrorFlag);

    Workspace read;
    EXPECT_EQ(readData(read, "lower_case.nc", true, true).blocks, 3);
    EXPECT_TRUE(read.parseLog.lines.empty());
    EXPECT_EQ(lastRecord(read).x, 5.0f);
    EXPECT_EQ(lastRecord(read).y, 2.0f);
    EXPECT_EQ(lastRecord(read).feed, 100.0f);

    struct Case {
        const char* program;
        const char* missing;
    };
    const Case cases[] = {
        {"", "Z"},                                     // the plasma file
        {"G0X10.Z5.\nG1Z-20.F.2\n", "Y"},              // a lathe
        {"G0X1.\n", "Y or Z"},                         // one axis
        {"G0X1.\n(Y2. Z3. IN A COMMENT)\n", "Y or Z"}, // comments do not count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        Workspace ws;
        if (*c.program == '\0')
            readData(ws, "plasma_two_axis.nc", true);
        else
            readProgram(ws, c.program);
        ASSERT_EQ(ws.parseLog.lines.size(), 1u);
        EXPECT_EQ(ws.parseLog.lines[0], std::string("No move was read: the program never "
                                                    "programs ") +
                                            c.missing + " (a start point needs X, Y and Z)");
        EXPECT_TRUE(ws.parseLog.parseErrorFlag);
    }
    Workspace none;
    readProgram(none, "M30\nX0Y0Z0\nG1X5.;move to start\n");
    EXPECT_TRUE(none.parseLog.lines.empty());
}

TEST(NcPrograms, FullTurnsBecomeTwoHalfCirclesOfTheirBlock) {
    Workspace ws;
    const NcReadResult read = readData(ws, "full_circle_bore.nc", false);
    EXPECT_TRUE(ws.parseLog.lines.empty());
    EXPECT_EQ(read.blocks, 7); // each half counts
    const auto groups = arcGroups(ws);
    ASSERT_EQ(groups.size(), 4u);
    const float ends[4][3] = {{0, 0, -1}, {10, 0, -1}, {0, 0, -2}, {10, 0, -3}};
    for (std::size_t g = 0; g < 4; ++g) {
        SCOPED_TRACE(g);
        const MoveRecord& last = groups[g].back();
        EXPECT_NEAR(last.x, ends[g][0], 1e-4);
        EXPECT_NEAR(last.y, ends[g][1], 1e-4);
        EXPECT_NEAR(last.z, ends[g][2], 1e-6);
        EXPECT_NEAR(last.centerX, 5.0, 1e-5);
        EXPECT_NEAR(std::fabs(last.radius), 5.0, 1e-5);
        EXPECT_EQ(last.blockNumber, g < 2 ? 6 : 7);
        for (const MoveRecord& piece : groups[g])
            EXPECT_EQ(piece.optionalStop, g == 3 ? 1 : 0); // the stop comes after the turn
    }
    EXPECT_LT(groups[0].back().radius, 0.0f); // G2
    EXPECT_GT(groups[2].back().radius, 0.0f); // G3
    EXPECT_NEAR(ws.database.status.cuttingTime, 0.02 + 4 * kPi * 5 / 100 + 8.0 / 250, 1e-6);

    struct Case {
        const char* name;
        bool absoluteCenters;
        const char* block;
        float centreX; // 0: no turn, no record
    };
    const Case cases[] = {
        {"absolute centre as written", true, "G2X10.Y0I5.J0", 5},
        {"incremental offsets keep their sign", false, "G3X10.Y0I5.J0", 15},
        {"J left out is no offset", false, "G2X10.Y0I-5.", 5},
        {"centre on the start point", true, "G2X10.Y0I10.J0", 0},
        {"R alone", false, "G2X10.Y0R5.", 0},
        {"no axis word", false, "G2I-5.J0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace one;
        readProgram(one, std::string("X10.Y0Z0\n") + c.block + "\n", c.absoluteCenters);
        const auto halves = arcGroups(one);
        if (c.centreX == 0) {
            EXPECT_EQ(recordCount(one), 1u);
            continue;
        }
        ASSERT_EQ(halves.size(), 2u);
        EXPECT_NEAR(halves[1].back().centerX, c.centreX, 1e-5);
        EXPECT_NEAR(halves[0].back().x, 2 * c.centreX - 10, 1e-4);
    }
}

TEST(NcPrograms, NegativeFeedsAndPositionsBeyondTheFloatRangeAreRefused) {
    Workspace ws;
    readProgram(ws, "X0Y0Z0F100.\nG1X10.F-100.\nX20.F-50\n");
    EXPECT_EQ(ws.parseLog.lines, (std::vector<std::string>{"Range check error \"F-100.\"",
                                                           "Range check error \"F-5.0\""}));
    EXPECT_NEAR(ws.database.status.cuttingTime, 0.2, 1e-9);
    EXPECT_EQ(lastRecord(ws).feed, 100.0f);
    EXPECT_EQ(ws.database.status.minFeed, 100.0);

    const std::string big = "X300000000000000000000000000000000000000.";
    Workspace far;
    readProgram(far, "X0Y0Z0\nG91G1" + big + "\n" + big + "Y1.\nY1.\n");
    ASSERT_EQ(far.parseLog.lines.size(), 1u);
    EXPECT_EQ(far.parseLog.lines[0], "Range check error \"" + big + "\"");
    EXPECT_EQ(firstNonFiniteRecord(far.database), nullptr);
    EXPECT_EQ(recordCount(far), 3u); // the start, the first move, the Y move
    EXPECT_EQ(lastRecord(far).y, 1.0f);
    EXPECT_TRUE(std::isfinite(far.database.status.extents.maxX));
}

TEST(NcPrograms, CarriageReturnsEndTheLinesOfAFileWithoutLineFeeds) {
    Workspace ws;
    readProgram(ws, "X0Y0Z0\rG1X5.\rY2.\r");
    EXPECT_EQ(recordCount(ws), 3u);
    EXPECT_EQ(lastRecord(ws).y, 2.0f);
    // One line feed anywhere keeps the usual rule: the CRs are ordinary characters.
    Workspace mixed;
    readProgram(mixed, "X0Y0Z0\rG1X5.\rY2.\n");
    EXPECT_EQ(recordCount(mixed), 1u);
}

TEST(NcPrograms, ARollBackPutsTheDatabaseBackAfterAFinishedRead) {
    Workspace ws;
    readData(ws, "r_arcs.nc", true);
    const std::size_t count = recordCount(ws);
    const DatabaseStatus status = ws.database.status;
    const NcReadCheckpoint before = ncReadCheckpoint(ncReadTarget(ws));
    readProgram(ws, "T5\nX0Y0Z0\nG1X100.F10.\n");
    EXPECT_GT(recordCount(ws), count);
    rollBackNcRead(ncReadTarget(ws), before);
    EXPECT_EQ(recordCount(ws), count);
    EXPECT_EQ(ws.database.status.cuttingTime, status.cuttingTime);
    EXPECT_EQ(ws.database.status.extents.maxX, status.extents.maxX);
    EXPECT_EQ(ws.tools.count, before.tools.count);
}

} // namespace
} // namespace korvix::test
