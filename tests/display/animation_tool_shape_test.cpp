#include "display/animation_tool_shape.h"
#include "model/geometry.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <new>
#include <vector>

namespace korvix::test {
namespace {

ToolEntry tool(float diameter, float radius, float length, float resolution = 3.5f,
               int sections = 11) {
    ToolEntry entry;
    entry.diameter = diameter;
    entry.radius = radius;
    entry.length = length;
    entry.arcResolution = resolution;
    entry.numberOfSections = static_cast<std::uint8_t>(sections);
    return entry;
}

struct ProfileCase {
    const char* name;
    ToolEntry entry;
    std::size_t points;
    ProfilePoint second, beforeLast, last;
};

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();

// Arc points every 3.5 degrees from -90: 25 inside the arc (the last at -2.5) and its end.
TEST(ToolProfile, ShapesOfTheThreeCutterKinds) {
    const ProfileCase cases[] = {
        {"ball end",
         tool(10, 5, 25),
         28,
         {5 * std::cos(86.5 * kPi / 180), 5 - 5 * std::sin(86.5 * kPi / 180)},
         {5, 5},
         {5, 25}},
        {"bull nose", tool(10, 2, 20), 29, {3, 0}, {5, 2}, {5, 20}},
        {"flat end", tool(10, 0, 20), 3, {5, 0}, {5, 0}, {5, 20}},
        // Sizes by their value; the length raised to the corner radius, which is lowered to
        // half the diameter afterwards: a ball end up to 8.
        {"signs dropped", tool(10, -2, -20), 29, {3, 0}, {5, 2}, {5, 20}},
        {"corner beyond the radius", tool(10, 8, 2), 28, {kNan, kNan}, {5, 5}, {5, 8}},
        {"near a ball", tool(10, 4.9999f, 25), 28, {kNan, kNan}, {5, 4.9999}, {5, 25}},
        {"length of the corner", tool(10, 5, 0), 27, {kNan, kNan}, {kNan, kNan}, {5, 5}},
        {"coarse arc: its end only", tool(10, 2, 20, 100), 4, {3, 0}, {5, 2}, {5, 20}},
        {"no resolution: the default", tool(10, 2, 20, 0), 29, {3, 0}, {5, 2}, {5, 20}},
    };
    for (const ProfileCase& c : cases) {
        const std::vector<ProfilePoint> profile = toolProfile(c.entry);
        ASSERT_EQ(profile.size(), c.points) << c.name;
        EXPECT_EQ(profile.front(), (ProfilePoint{0, 0})) << c.name;
        const auto expectNear = [&](const ProfilePoint& got, const ProfilePoint& want,
                                    const char* which) {
            if (std::isnan(want.radial))
                return;
            EXPECT_NEAR(got.radial, want.radial, 1e-5) << c.name << ", " << which;
            EXPECT_NEAR(got.axial, want.axial, 1e-5) << c.name << ", " << which;
        };
        expectNear(profile[1], c.second, "second");
        expectNear(profile[profile.size() - 2], c.beforeLast, "before last");
        expectNear(profile.back(), c.last, "last");
    }
}

TEST(ToolProfile, FinerArcsThanTheListHoldsAreCoarsened) {
    const std::vector<ProfilePoint> profile = toolProfile(tool(10, 2, 20, 0.001f));
    EXPECT_LE(profile.size(), static_cast<std::size_t>(kMaxProfilePoints));
    EXPECT_GE(profile.size(), static_cast<std::size_t>(kMaxProfilePoints) - 2);
    EXPECT_EQ(profile.back(), (ProfilePoint{5, 20}));
}

TEST(ToolProfile, CornerArcStepsByTheResolution) {
    const std::vector<ProfilePoint> profile = toolProfile(tool(10, 2, 20, 10));
    // Tip, bottom point, 8 arc points at -80 .. -10 degrees, the arc's end, the top.
    ASSERT_EQ(profile.size(), 12u);
    for (int k = 1; k <= 8; ++k) {
        const double angle = (-90 + 10 * k) * kPi / 180;
        EXPECT_NEAR(profile[static_cast<std::size_t>(k) + 1].radial, 3 + 2 * std::cos(angle),
                    1e-12);
        EXPECT_NEAR(profile[static_cast<std::size_t>(k) + 1].axial, 2 + 2 * std::sin(angle), 1e-12);
    }
}

TEST(ToolProfile, NoUsableDiameterGivesNoShape) {
    ToolShapeList shape;
    for (const float diameter : {0.0f, -4.0f, std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity()}) {
        EXPECT_TRUE(toolProfile(tool(diameter, 1, 10)).empty()) << diameter;
        EXPECT_EQ(buildToolShape(tool(diameter, 1, 10), shape), ToolShapeResult::NoShape);
        EXPECT_FALSE(shape.allocated());
    }
}

std::vector<ToolShapePoint> pointsOf(const ToolShapeList& shape) {
    std::vector<ToolShapePoint> points;
    for (const ToolShapePoint* p = shape.head(); p != nullptr; p = p->next)
        points.push_back(*p);
    return points;
}

void expectPoint(const ToolShapePoint& p, bool penDown, double x, double y, double z,
                 const char* where) {
    EXPECT_EQ(p.penDown != 0, penDown) << where;
    EXPECT_NEAR(p.x, x, 1e-5) << where;
    EXPECT_NEAR(p.y, y, 1e-5) << where;
    EXPECT_NEAR(p.z, z, 1e-5) << where;
}

TEST(ToolShape, ProfileCopiesEveryStepAndTwoRings) {
    // 11 sections: copies every 32 degrees, 0 to 352, twelve of them.
    ToolShapeList shape;
    ASSERT_EQ(buildToolShape(tool(10, 2, 20), shape), ToolShapeResult::Built);
    const std::vector<ToolShapePoint> points = pointsOf(shape);
    const std::size_t profile = 29;
    const std::size_t copies = 12;
    ASSERT_EQ(points.size(), copies * profile + 2 * (copies + 1));

    const double step = 32 * kPi / 180;
    for (std::size_t k = 0; k < copies; ++k) {
        const double angle = static_cast<double>(k) * step;
        const ToolShapePoint* copy = &points[k * profile];
        expectPoint(copy[0], false, 0, 0, 0, "copy begins at the tip");
        expectPoint(copy[1], true, 3 * std::cos(angle), 3 * std::sin(angle), 0, "bottom point");
        expectPoint(copy[profile - 1], true, 5 * std::cos(angle), 5 * std::sin(angle), 20, "top");
    }
    // The rings: the top, then where the side begins, each closed on the first copy.
    const ToolShapePoint* top = &points[copies * profile];
    const ToolShapePoint* side = top + copies + 1;
    for (std::size_t k = 0; k <= copies; ++k) {
        const double angle = static_cast<double>(k % copies) * step;
        expectPoint(top[k], k > 0, 5 * std::cos(angle), 5 * std::sin(angle), 20, "top ring");
        expectPoint(side[k], k > 0, 5 * std::cos(angle), 5 * std::sin(angle), 2, "side ring");
    }
}

TEST(ToolShape, BallEndAndFlatEndCounts) {
    struct Case {
        const char* name;
        ToolEntry entry;
        std::size_t points;
    };
    const Case cases[] = {
        {"ball, 11 sections", tool(10, 5, 25), 12 * 28 + 2 * 13},
        {"flat, 4 sections", tool(10, 0, 20, 3.5f, 4), 4 * 3 + 2 * 5},
        {"ball as long as its radius: one ring", tool(10, 5, 5, 3.5f, 4), 4 * 27 + 5},
        {"flat of no length: one ring", tool(6, 0, 0, 3.5f, 4), 4 * 2 + 5},
        {"two sections: no rings", tool(10, 0, 20, 3.5f, 2), 2 * 3},
        {"no sections: the profile alone", tool(10, 0, 20, 3.5f, 0), 3},
    };
    ToolShapeList shape;
    for (const Case& c : cases) {
        ASSERT_EQ(buildToolShape(c.entry, shape), ToolShapeResult::Built) << c.name;
        EXPECT_EQ(pointsOf(shape).size(), c.points) << c.name;
    }
}

int g_chunksLeft = 0;
void* failingAllocator(std::size_t bytes) {
    return g_chunksLeft-- > 0 ? ::operator new(bytes) : nullptr;
}

TEST(ToolShape, MemoryExhaustionLeavesNoHalfShape) {
    // The first chunk of 4 nodes, then nothing more.
    g_chunksLeft = 1;
    ToolShapeList shape(&failingAllocator, 4);
    EXPECT_EQ(buildToolShape(tool(10, 2, 20), shape), ToolShapeResult::OutOfMemory);
    EXPECT_FALSE(shape.allocated());
}

TEST(ToolShape, EntryOfTheToolNumber) {
    ToolTable table;
    EXPECT_EQ(&animationToolEntry(table, 0), &table.entries[0]);
    table.count = 2;
    table.entries[1].toolNumber = 3;
    table.entries[2].toolNumber = 7;
    EXPECT_EQ(&animationToolEntry(table, 7), &table.entries[2]);
    EXPECT_EQ(&animationToolEntry(table, 3), &table.entries[1]);
    // Moves before the first T word, and any tool the table does not hold.
    EXPECT_EQ(&animationToolEntry(table, 0), &table.entries[0]);
    EXPECT_EQ(&animationToolEntry(table, 9), &table.entries[0]);
}

} // namespace
} // namespace korvix::test
