// Arcs: centres from absolute words, offsets and R words, the three planes, the pieces, and
// the arcs that cannot be built.

#include "input/reader_support.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

// The signed difference of two angles in degrees, in [-180, 180).
double angleBetween(double a, double b) {
    return std::fmod(a - b + 540.0, 360.0) - 180.0;
}

struct ArcCase {
    const char* name;
    bool absoluteCenters;
    const char* program; // starts at the origin
    float centre[3];
    float radius;
    float startAngle, endAngle;
    float end[3];
    std::uint8_t plane;
};

TEST(NcArcs, CentresRadiusSignsAndAngles) {
    const ArcCase cases[] = {
        {"XY G3 absolute",
         true,
         "X30.Y40.Z0\nG3X20.Y50.I20.J40.",
         {20, 40, 0},
         10,
         0,
         90,
         {20, 50, 0},
         kPlaneXY},
        {"XY G3 offset",
         false,
         "X0Y0Z0\nG3X10.Y10.I10.J0",
         {0, 10, 0},
         10,
         270,
         0,
         {10, 10, 0},
         kPlaneXY},
        {"XY G3 negative offset",
         false,
         "X0Y0Z0\nG3X10.Y10.I-10.J0",
         {0, 10, 0},
         10,
         270,
         0,
         {10, 10, 0},
         kPlaneXY},
        {"XY G2 R",
         false,
         "X0Y0Z0\nG2X10.Y10.R10.",
         {10, 0, 0},
         -10,
         180,
         90,
         {10, 10, 0},
         kPlaneXY},
        {"XZ G2 R",
         false,
         "X0Y0Z0\nG18G2X10.Z10.R10.",
         {0, 0, 10},
         10,
         270,
         0,
         {10, 0, 10},
         kPlaneXZ},
        {"XZ G3 R",
         false,
         "X0Y0Z0\nG18G3X10.Z10.R10.",
         {10, 0, 0},
         -10,
         180,
         90,
         {10, 0, 10},
         kPlaneXZ},
        {"YZ G3 R",
         false,
         "X0Y0Z0\nG19G3Y10.Z10.R10.",
         {0, 0, 10},
         10,
         270,
         0,
         {0, 10, 10},
         kPlaneYZ},
        {"YZ G2 R",
         false,
         "X0Y0Z0\nG19G2Y10.Z10.R10.",
         {0, 10, 0},
         -10,
         180,
         90,
         {0, 10, 10},
         kPlaneYZ},
        {"XZ absolute keeps Y",
         true,
         "X0Y5.Z0\nG18G2X20.Z0I10.K0",
         {10, 5, 0},
         10,
         180,
         0,
         {20, 5, 0},
         kPlaneXZ},
    };
    for (const ArcCase& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace ws;
        readProgram(ws, std::string(c.program) + "\n", c.absoluteCenters);
        EXPECT_TRUE(ws.parseLog.lines.empty());
        const auto groups = arcGroups(ws);
        ASSERT_EQ(groups.size(), 1u);
        const MoveRecord& last = groups[0].back();
        EXPECT_NEAR(last.centerX, c.centre[0], 1e-4);
        EXPECT_NEAR(last.centerY, c.centre[1], 1e-4);
        EXPECT_NEAR(last.centerZ, c.centre[2], 1e-4);
        EXPECT_NEAR(last.radius, c.radius, 1e-4);
        EXPECT_NEAR(angleBetween(last.startAngle, c.startAngle), 0.0, 1e-3);
        EXPECT_NEAR(angleBetween(last.endAngle, c.endAngle), 0.0, 1e-3);
        EXPECT_NEAR(last.x, c.end[0], 1e-4);
        EXPECT_NEAR(last.y, c.end[1], 1e-4);
        EXPECT_NEAR(last.z, c.end[2], 1e-4);
        for (const MoveRecord& piece : groups[0]) {
            EXPECT_EQ(piece.plane, c.plane);
            EXPECT_EQ(piece.radius, last.radius);
            EXPECT_EQ(piece.sequence, last.sequence);
        }
    }
}

TEST(NcArcs, PiecesFollowTheArcWithinTheTolerance) {
    Workspace ws;
    readProgram(ws, "X30.Y40.Z0\nG3X20.Y50.I20.J40.F100.\n");
    const auto groups = arcGroups(ws);
    ASSERT_EQ(groups.size(), 1u);
    // Steps of 2 acos(9.9995 / 10) = 1.1459 degrees: 78 of them below 90, then the end.
    ASSERT_EQ(groups[0].size(), 79u);
    double previousX = 30, previousY = 40;
    for (const MoveRecord& piece : groups[0]) {
        EXPECT_NEAR(std::hypot(piece.x - 20.0, piece.y - 40.0), 10.0, 2e-5);
        const double midX = (previousX + piece.x) / 2, midY = (previousY + piece.y) / 2;
        EXPECT_GE(std::hypot(midX - 20.0, midY - 40.0), 10.0 - 0.0005 - 2e-5);
        EXPECT_GT(piece.y, previousY); // counter-clockwise from 0 to 90 degrees
        previousX = piece.x;
        previousY = piece.y;
    }
    EXPECT_EQ(groups[0].back().x, 20.0f);
    EXPECT_EQ(groups[0].back().y, 50.0f);
}

TEST(NcArcs, ModalArcsReuseTheirWordsButOffsetsOverrideAnEarlierR) {
    Workspace ws;
    // R10 is reused by the modal arc of line 3; line 4 gives offsets of its own (a radius of
    // 3, where R10 would put the centre sqrt(91) off the chord), which line 5 reuses.
    readProgram(ws, "X0Y0Z0\nG2X10.Y10.R10.\nX20.Y0\nG3X26.Y0I3.J0\nG2X32.Y0\n", false);
    EXPECT_TRUE(ws.parseLog.lines.empty());
    const auto groups = arcGroups(ws);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_NEAR(groups[1].back().centerX, 10.0, 1e-4);
    EXPECT_NEAR(groups[1].back().centerY, 0.0, 1e-4);
    EXPECT_NEAR(groups[2].back().centerX, 23.0, 1e-4); // a half circle on I3
    EXPECT_NEAR(groups[2].back().centerY, 0.0, 1e-4);
    EXPECT_NEAR(groups[2].back().radius, 3.0, 1e-4);
    EXPECT_NEAR(groups[3].back().centerX, 29.0, 1e-4);
    EXPECT_NEAR(groups[3].back().radius, -3.0, 1e-4);
    EXPECT_NE(groups[0][0].sequence, groups[1][0].sequence);
}

TEST(NcArcs, HalfCirclesRoundedToTheProgramDecimalsKeepTheirCentre) {
    Workspace ws;
    // Half the chord is 5.0005, the radius 5.
    readProgram(ws, "X0Y0Z0\nG2X10.001Y0R5.\n", false);
    EXPECT_TRUE(ws.parseLog.lines.empty());
    const auto groups = arcGroups(ws);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_NEAR(groups[0].back().centerX, 5.0005, 1e-5);
    EXPECT_NEAR(groups[0].back().centerY, 0.0, 1e-6);
    float top = 0;
    for (const MoveRecord& piece : groups[0])
        top = std::max(top, piece.y);
    EXPECT_NEAR(top, 5.0005, 5e-4); // clockwise over the top
}

TEST(NcArcs, ArcsThatCannotBeBuiltBecomeStraightFeedMoves) {
    struct Case {
        const char* name;
        bool absoluteCenters;
        const char* block;
    };
    const Case cases[] = {
        {"radius too short", false, "G2X10.002Y0R5."},
        {"radius 0", false, "G3X10.Y0R0"},
        {"offsets of length 0", false, "G2X10.Y0I0J0"},
        {"centre on the end point", true, "G2X10.Y0I10.J0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace ws;
        readProgram(ws, std::string("X0Y0Z0F200.\n") + c.block + "\n", c.absoluteCenters);
        const std::string word = c.block[1] == '2' ? "G2" : "G3";
        ASSERT_EQ(ws.parseLog.lines.size(), 1u);
        EXPECT_EQ(ws.parseLog.lines[0],
                  "Invalid arc radius, block 2 stored as a straight move \"" + word + "\"");
        EXPECT_TRUE(ws.parseLog.parseErrorFlag);
        const MoveRecord& last = lastRecord(ws);
        EXPECT_EQ(last.kind, kKindStraight);
        EXPECT_EQ(last.motion, kMotionLinear);
        EXPECT_EQ(last.color, kWhite);
        EXPECT_EQ(last.x, std::strtof(c.block + 3, nullptr));
        EXPECT_NEAR(ws.database.status.cuttingTime, last.x / 200.0, 1e-9);
    }

    // The arc motion stays in force for the next block.
    Workspace ws;
    readProgram(ws, "X0Y0Z0\nG2X10.002Y0R5.\nX20.Y0\n", false);
    EXPECT_EQ(lastRecord(ws).kind, kKindArcPiece);
}

TEST(NcArcs, AHugeRadiusCannotFillTheMemory) {
    Workspace ws;
    // Nearly a full turn on a radius of 100 km: a million pieces at the usual step.
    readProgram(ws, "X0Y0Z0\nG3X.001Y0I0J-100000000.\n");
    const auto groups = arcGroups(ws);
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_GT(groups[0].size(), 90000u);
    EXPECT_LE(groups[0].size(), 100001u);
    EXPECT_NEAR(groups[0].back().x, 0.001, 1e-6);
}

TEST(NcArcs, HalfCirclesCountInTheCuttingTime) {
    Workspace ws;
    readProgram(ws, "X0Y0Z0\nG2X20.Y0I10.J0F100.\nX0Y0I10.J0\n");
    EXPECT_NEAR(ws.database.status.cuttingTime, 2 * 3.14159265358979 * 10 / 100, 1e-6);
}

} // namespace
} // namespace korvix::test
