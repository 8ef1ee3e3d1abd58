// The NC writer with a machine format: each test builds a small path by hand and checks
// the exact lines written.

#include "filters/reverse_path.h"
#include "output/nc_arc_split.h"
#include "output/nc_writer_fixture.h"

#include <string>
#include <vector>

namespace korvix::test {
namespace {

using Lines = std::vector<std::string>;

constexpr double kCos30 = 8.660254037844387; // 10 cos 30

TEST_F(NcWriterTest, ModalWordsAreNotRepeatedNonModalOnesAre) {
    FormatSpec format;
    format.registers = "G ## G 1 Y\nF ####.# F 1 Y\nX ###.### X 1 Y\nY ###.### Y 1 N\n"
                       "Z ###.### Z 1 Y\n";
    PathBuilder(ws.database, 0, 0, 5).feed(100).line(10, 0, 5).line(10, 5, 5).line(20, 5, 5);
    EXPECT_EQ(writeWith(format), (Lines{"G1X10.000Y0.000Z5.000F100.0", "Y5.000", "X20.000Y5.000"}));
}

TEST_F(NcWriterTest, AnEmptyBlockIsDroppedButUsesItsNumber) {
    FormatSpec format;
    format.registers += "N #### N 1 N\n";
    format.keywords = "RENUMBER=Y\n";
    PathBuilder(ws.database, 0, 0, 5).rapid(10, 0, 5).rapid(10, 0, 5).rapid(20, 0, 5);
    EXPECT_EQ(writeWith(format), (Lines{"N1G0X10.000Y0.000Z5.000", "N3X20.000"}));
}

TEST_F(NcWriterTest, RenumberingStartsAboveTheMinimumAndWraps) {
    struct Case {
        int maxBlock;
        Lines numbers;
    };
    const Case cases[] = {
        {7, {"N6", "N7", "N5", "N6"}},
        {5, {"N6", "N7", "N8", "N9"}}, // no range above the minimum: never wraps
        {0, {"N6", "N7", "N8", "N9"}},
        {-3, {"N6", "N7", "N8", "N9"}},
    };
    PathBuilder(ws.database, 0, 0, 0).line(1, 0, 0).line(2, 0, 0).line(3, 0, 0).line(4, 0, 0);
    for (const Case& c : cases) {
        FormatSpec format;
        format.registers = "N #### N 1 N\nX ###.### X 1 Y\n";
        format.keywords = "RENUMBER=Y\nMINBLKNUM=5\nMAXBLKNUM=" + std::to_string(c.maxBlock) + "\n";
        Lines numbers;
        for (const std::string& line : writeWith(format))
            numbers.push_back(line.substr(0, line.find('X')));
        EXPECT_EQ(numbers, c.numbers) << "MAXBLKNUM " << c.maxBlock;
    }
}

TEST_F(NcWriterTest, FeedAndSpindleLimitsWhereAFormatSetsThem) {
    struct Case {
        const char* keywords;
        Lines expected;
    };
    const Case cases[] = {
        {"MAXFEEDRATE=2000\nMAXRPM=3000\n",
         {"S3000 T01", "G1X1.000Y0.000Z10.000F2000.0", "F6000.0 S3000 T02", "X3.000F2000.0"}},
        // 0 or less is no limit, not a limit of 0.
        {"MAXFEEDRATE=0\nMAXRPM=0\n",
         {"S8000 T01", "G1X1.000Y0.000Z10.000F5000.0", "F6000.0 S9000 T02", "X3.000"}},
        {"MAXFEEDRATE=-1\nMAXRPM=-5\n",
         {"S8000 T01", "G1X1.000Y0.000Z10.000F5000.0", "F6000.0 S9000 T02", "X3.000"}},
    };
    addTool(1, 1, 8000);
    addTool(2, 2, 9000);
    PathBuilder(ws.database, 0, 0, 10)
        .tool(1)
        .feed(5000)
        .line(1, 0, 10)
        .tool(2)
        .feed(6000)
        .line(2, 0, 10)
        .line(3, 0, 10);
    for (const Case& c : cases) {
        FormatSpec format;
        format.startLines = "<S> <T>\n";
        format.toolChangeLines = "<F> <S> <T>\n"; // the tool change states the feed unlimited
        format.keywords = c.keywords;
        EXPECT_EQ(writeWith(format), c.expected) << c.keywords;
    }
}

TEST_F(NcWriterTest, FlatArcsHaveNoThirdAxisWordHelicalOnesDo) {
    struct Case {
        std::uint8_t plane;
        double startThird, endThird;
        const char* expected;
    };
    const Case cases[] = {
        {kPlaneXY, 5, 5, "G17G3X0.000Y10.000I0.000J0.000F100.0"},
        {kPlaneXY, 5, 2, "G17G3X0.000Y10.000Z2.000I0.000J0.000F100.0"},
        {kPlaneXZ, 3, 3, "G18G3X0.000Z10.000I0.000K0.000F100.0"},
        {kPlaneXZ, 3, 7, "G18G3X0.000Y7.000Z10.000I0.000K0.000F100.0"},
        {kPlaneYZ, 4, 4.0001, "G19G3Y0.000Z10.000J0.000K0.000F100.0"}, // within tolerance
    };
    for (const Case& c : cases) {
        ws.database.records.freeAll();
        const double x = c.plane == kPlaneYZ ? c.startThird : 10;
        const double y = c.plane == kPlaneXY ? 0 : c.plane == kPlaneXZ ? c.startThird : 10;
        const double z = c.plane == kPlaneXY ? c.startThird : 0;
        PathBuilder(ws.database, x, y, z)
            .feed(100)
            .arc(c.plane, 0, 0, c.startThird, 10, 0, 90, c.endThird);
        // Only the arc's own axes are written once: the start put the rest in place.
        FormatSpec format;
        format.startLines = "<X><Y><Z>\n";
        const Lines lines = writeWith(format);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1], c.expected);
    }
}

// The tool reaches the arc 0.1 inside its circle. The arc is written between its circle's
// points, joined to its true start, and reversed, to its true end, by straight moves.
TEST_F(NcWriterTest, ArcEndsOffTheCircleAreJoinedByStraightMoves) {
    FormatSpec format;
    format.startLines = "<X><Y><Z>\n";
    PathBuilder(ws.database, 10, 0, 5)
        .feed(100)
        .line(9.9, 0, 5)
        .arc(kPlaneXY, 0, 0, 5, 10, 0, 90, 5)
        .line(0, 20, 5);
    EXPECT_EQ(writeWith(format), (Lines{"X10.000Y0.000Z5.000", "G1X9.900F100.0", "X10.000",
                                        "G17G3X0.000Y10.000I0.000J0.000", "G1Y20.000"}));
    ASSERT_TRUE(reverseCutDirection(ws.database));
    EXPECT_EQ(writeWith(format), (Lines{"X0.000Y20.000Z5.000", "G1Y10.000F100.0",
                                        "G17G2X10.000Y0.000I0.000J0.000", "G1X9.900", "X10.000"}));
}

TEST_F(NcWriterTest, AMotionTemplateCountsAsTheMotionWritten) {
    FormatSpec format;
    format.moves = "RAPID=G00\n";
    PathBuilder(ws.database, 0, 0, 5).feed(100).line(1, 0, 5).rapid(2, 0, 5).line(3, 0, 5);
    // Without the template updating G, the last G1 would be suppressed and the control left
    // in rapid.
    EXPECT_EQ(writeWith(format), (Lines{"G1X1.000Y0.000Z5.000F100.0", "G00X2.000", "G1X3.000"}));
}

TEST_F(NcWriterTest, AnOptionalStopOnAnyPieceFollowsTheWholeArc) {
    for (const bool onFirstPiece : {false, true}) {
        ws.database.records.freeAll();
        PathBuilder path(ws.database, 0, 0, 5);
        path.feed(100).line(5, 0, 5).arc(kPlaneXY, 0, 0, 5, 10, 0, 90, 5, 3);
        MoveRecord* piece = &path.last();
        if (onFirstPiece)
            piece = piece->prev->prev;
        piece->optionalStop = 1;
        path.line(0, 20, 5);
        FormatSpec format;
        format.moves = "OP_STOP=M01\n";
        // The connecting move to the arc's start carries no stop.
        EXPECT_EQ(writeWith(format), (Lines{"G1X5.000Y0.000Z5.000F100.0", "X10.000",
                                            "G17G3X0.000Y10.000I0.000J0.000", "M01", "G1Y20.000"}))
            << (onFirstPiece ? "first piece" : "last piece");
    }
}

TEST_F(NcWriterTest, ArcCentreStyles) {
    struct Case {
        int radiusType;
        double endAngle;
        const char* expected;
    };
    const Case cases[] = {
        {0, 90, "G17G3X0.000Y10.000I0.000J0.000F100.0"},
        {1, 90, "G17G3X0.000Y10.000I-10.000J0.000F100.0"},
        {4, 90, "G17G3X0.000Y10.000I10.000J0.000F100.0"},
        {3, 90, "G17G3X0.000Y10.000R10.000F100.0"},
        {3, 270, "G17G3X0.000Y-10.000R-10.000F100.0"}, // the longer arc needs a negative R
        {7, 90, "G17G3X0.000Y10.000I0.000J0.000F100.0"},
    };
    for (const Case& c : cases) {
        ws.database.records.freeAll();
        PathBuilder(ws.database, 0, 0, 5)
            .feed(100)
            .rapid(10, 0, 5)
            .arc(kPlaneXY, 0, 0, 5, 10, 0, c.endAngle, 5);
        FormatSpec format;
        format.keywords = "RADIUSTYPE=" + std::to_string(c.radiusType) + "\n";
        EXPECT_EQ(writeWith(format), (Lines{"G0X10.000Y0.000Z5.000", c.expected}))
            << "RADIUSTYPE " << c.radiusType;
    }
}

TEST_F(NcWriterTest, IncrementalCentresOfAProgramThatOpensWithAnArc) {
    // Nothing has stated X or Y before the arc: the offsets come from where it starts.
    struct Case {
        const char* startLines;
        int radiusType;
        Lines expected;
    };
    const Case cases[] = {
        {"", 1, {"G17G3X0.000Y10.000I-10.000J0.000F100.0"}},
        {"", 4, {"G17G3X0.000Y10.000I10.000J0.000F100.0"}},
        {"G0 <X> <Y>\n", 1, {"G0 X10.000 Y0.000", "G17G3X0.000Y10.000I-10.000J0.000F100.0"}},
    };
    PathBuilder(ws.database, 10, 0, 5).feed(100).arc(kPlaneXY, 0, 0, 5, 10, 0, 90, 5);
    for (const Case& c : cases) {
        FormatSpec format;
        format.startLines = c.startLines;
        format.keywords = "RADIUSTYPE=" + std::to_string(c.radiusType) + "\n";
        EXPECT_EQ(writeWith(format), c.expected) << c.startLines << c.radiusType;
    }
}

TEST_F(NcWriterTest, SplitArcsEndOnQuadrantBoundaries) {
    struct Case {
        const char* name;
        double startX, startY;
        double radius, startAngle, endAngle, endZ;
        Lines arcBlocks;
    };
    const Case cases[] = {
        {"clockwise 30 to 300 through 0",
         kCos30,
         5,
         -10,
         30,
         300,
         5,
         {"G17G2X10.000Y0.000I-8.660J-5.000F100.0", "X5.000Y-8.660I-10.000J0.000"}},
        {"clockwise 30 to 200 spans 190: not split",
         kCos30,
         5,
         -10,
         30,
         200,
         5,
         {"G17G2X-9.397Y-3.420I-8.660J-5.000F100.0"}},
        {"counter-clockwise 80 to 190 crosses 90 and 180",
         1.736482,
         9.848078,
         10,
         80,
         190,
         5,
         {"G17G3X0.000Y10.000I-1.736J-9.848F100.0", "X-10.000Y0.000I0.000J-10.000",
          "X-9.848Y-1.736I10.000J0.000"}},
        {"helical: depth runs with the angle",
         kCos30,
         5,
         -10,
         30,
         300,
         2,
         {"G17G2X10.000Y0.000Z4.000I-8.660J-5.000F100.0", "X5.000Y-8.660Z2.000I-10.000J0.000"}},
    };
    for (const Case& c : cases) {
        ws.database.records.freeAll();
        PathBuilder(ws.database, c.startX, c.startY, 5)
            .feed(100)
            .arc(kPlaneXY, 0, 0, 5, c.radius, c.startAngle, c.endAngle, c.endZ);
        FormatSpec format;
        format.startLines = "<X><Y><Z>\n";
        format.keywords = "SPLITARCS=Y\nRADIUSTYPE=1\n"; // each piece from its own start
        Lines lines = writeWith(format);
        ASSERT_FALSE(lines.empty()) << c.name;
        lines.erase(lines.begin());
        EXPECT_EQ(lines, c.arcBlocks) << c.name;
    }
}

TEST(QuadrantCuts, BoundariesInTravelOrder) {
    struct Case {
        double start, end;
        bool decreasing;
        std::vector<double> angles;
    };
    const Case cases[] = {
        {30, 300, true, {0}},
        {100, 350, true, {90, 0}},
        {0, 300, true, {}},   // starts on a boundary: none inside
        {90, 45, true, {}},   // 90 counts as the top of the first quadrant
        {360, 280, true, {}}, // 360 is 0
        {350, 100, false, {0, 90}},
        {80, 190, false, {90, 180}},
        {270, 300, false, {}},
        {450, 500, false, {}},   // angles beyond 360 (arc fitting) are reduced first
        {400, 500, false, {90}}, // 40 to 140
        {30, 200, true, {}},     // 190 degrees: not split
        {10, 190, false, {}},    // exactly 180: not split
    };
    for (const Case& c : cases) {
        const ncout::QuadrantCuts cuts = ncout::quadrantCuts(c.start, c.end, c.decreasing);
        std::vector<double> angles;
        for (std::size_t i = 0; i < cuts.count; ++i)
            angles.push_back(cuts.cuts[i].angle < 0 ? cuts.cuts[i].angle + 360
                                                    : cuts.cuts[i].angle);
        EXPECT_EQ(angles, c.angles) << c.start << " to " << c.end;
    }
}

TEST_F(NcWriterTest, ToolChangeLinesCarryTheMoveAndAnArcStillFollows) {
    addTool(1, 1, 1000);
    addTool(2, 2, 2000);
    addTool(3, 3, 3000);
    PathBuilder path(ws.database, 0, 0, 50);
    path.tool(1).feed(100).line(0, 0, 5);
    path.tool(2).rapid(10, 10, 20).stop();
    path.line(10, 10, 0);
    path.tool(3).arc(kPlaneXY, 10, 0, 0, 10, 90, 180, 0);
    FormatSpec format;
    format.moves = "OP_STOP=M01\n";
    format.toolChangeLines = "<T> M06\n<X> <Y> <Z> <H>\n";
    EXPECT_EQ(writeWith(format),
              (Lines{"G1X0.000Y0.000Z5.000F100.0", "T02 M06", "X10.000 Y10.000 Z20.000 H02", "M01",
                     "Z0.000", "T03 M06", "X10.000 Y10.000 Z0.000 H03",
                     "G17G3X0.000Y0.000I10.000J0.000"}));
}

TEST_F(NcWriterTest, TextLineVariables) {
    addTool(5, 7, 1200);
    PathBuilder(ws.database, 1, 2, 3).tool(5).feed(100).line(1, 2, 4);
    FormatSpec format;
    format.registers = "F ####.# F 1 Y\nG ## G 1 Y\nH ## # 1 Y\nN #### N 1 Y\nO #### O 1 Y\n"
                       "T ### T 1 Y\nX ###.### X 1 Y\nY ###.### Y 1 Y\nZ ###.### Z 1 Y\n";
    format.moves = "PREFIX=P\n";
    format.startLines = "<O>\n<N>G90 <T> <H>\n<X><Y><Z> <Q> <XY> <\n(<X\n";
    format.endLines = "<N>M30 <Q>\n";
    format.keywords = "RENUMBER=Y\n";
    EXPECT_EQ(writeWith(format, 12, "(PART 4711)"),
              (Lines{"(PART 4711)", "O0012", "N1PG90 T005 07", "X1.000Y2.000Z3.000   <", "(<X",
                     "N2PG1Z4.000F100.0", "N3PM30 "}));
    ASSERT_EQ(m_result.messages.size(), 2u) << "each unknown name is reported once";
    EXPECT_EQ(m_result.messages[0].text, " >>>ERROR<<< \"Q\" is not a valid variable.");
    EXPECT_EQ(m_result.messages[1].text, " >>>ERROR<<< \"XY\" is not a valid variable.");
}

TEST_F(NcWriterTest, PlaneCodes) {
    PathBuilder(ws.database, 10, 0, 0)
        .feed(100)
        .arc(kPlaneXY, 0, 0, 0, 10, 0, 90, 0)
        .arc(kPlaneXY, 0, 0, 0, 10, 90, 180, 0)
        .arc(kPlaneXZ, 0, 0, 0, 10, 180, 270, 0);
    FormatSpec format;
    EXPECT_EQ(writeWith(format),
              (Lines{"G17G3X0.000Y10.000I0.000J0.000F100.0", "X-10.000Y0.000I0.000J0.000",
                     "G18X0.000Z-10.000I0.000K0.000"}));
    format.registers += "G ## G 1 N\n"; // a later line for G replaces the modal one
    EXPECT_EQ(writeWith(format),
              (Lines{"G17G3X0.000Y10.000I0.000J0.000F100.0", "G17G3X-10.000Y0.000I0.000J0.000",
                     "G18G3X0.000Z-10.000I0.000K0.000"}));
}

TEST_F(NcWriterTest, ADroppedArcBlockLeavesThePlaneUnwritten) {
    // The XZ circle ends where it starts and every word is modal: its block is dropped,
    // and the next XZ arc must still say G18.
    PathBuilder(ws.database, 0, 0, 0)
        .feed(100)
        .line(10, 0, 0)
        .arc(kPlaneXY, 0, 0, 0, 10, 0, 90, 0)
        .arc(kPlaneXZ, 0, -5, 10, 5, 90, 90, 10)
        .arc(kPlaneXZ, 0, -5, 10, 5, 90, 180, 10);
    FormatSpec format;
    format.registers = "G ## G 1 Y\nF ####.# F 1 Y\nX ###.### X 1 Y\nY ###.### Y 1 Y\n"
                       "Z ###.### Z 1 Y\n";
    EXPECT_EQ(writeWith(format),
              (Lines{"G1X10.000Y0.000Z0.000F100.0", "G17G3X0.000Y10.000", "G18X-5.000Z-5.000"}));
}

TEST_F(NcWriterTest, SpacesPrefixSuffixAndStopBlocks) {
    PathBuilder(ws.database, 0, 0, 0).rapid(1, 0, 0).stop();
    FormatSpec format;
    format.registers = "N #### N 1 N\nG ## G 1 Y\nX ###.### X 1 Y\n";
    format.moves = "PREFIX=G90\nSUFFIX=*\nOP_STOP=M01\n";
    format.endLines = "M30\n";
    format.keywords = "RENUMBER=Y\nADDSPACES=Y\n";
    EXPECT_EQ(writeWith(format), (Lines{"N1 G90 G0 X1.000 *", "N2 G90 M01 *", "M30*"}));
    format.keywords = "RENUMBER=Y\nADDSPACES=N\n";
    EXPECT_EQ(writeWith(format), (Lines{"N1G90G0X1.000*", "N2G90M01*", "M30*"}));
}

} // namespace
} // namespace korvix::test
