// Whole programs reversed: exploded, saved and read back, written as TBF, or reversed again,
// they stay on the path of the program as read, within the explosion tolerance.

#include "arc_path_support.h"
#include "filters/record_fields.h"
#include "filters/reverse_path.h"
#include "model/plane_axes.h"
#include "test_folder.h"

#include <functional>

namespace korvix::test {
namespace {

constexpr double kExplodeTolerance = kDefaultExplodeTolerance;
// The reference is the program as read, exploded ten times finer.
constexpr double kReferenceTolerance = kDefaultExplodeTolerance / 10;
// Coordinates stored as float: a few units of the sixth decimal.
constexpr double kFloatSlack = 2e-5;

struct Program {
    std::string file;
    bool absoluteCenters = true;
};

std::vector<Program> programs() {
    const std::string examples = KORVIX_EXAMPLES_DIR;
    const std::string data = KORVIX_TEST_DATA_DIR;
    return {
        {examples + "/pocket_absolute.nc"},
        {examples + "/pocket_incremental.nc", false},
        {examples + "/plane_arcs.nc"},
        {examples + "/multi_tool.nc"},
        {examples + "/surface_3d.nc"},
        {data + "/helix_ramp.nc"},
        // Helical bores, an XZ helix and an arc whose programmed start lies off its circle.
        {data + "/helical_bores.nc"},
    };
}

class ReversedPaths : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_folder.path(name); }
    TestFolder m_folder{"korvix-reversed-paths"};
};

TEST_F(ReversedPaths, StayOnTheOriginalPath) {
    struct Route {
        const char* name;
        // The reversed path as points, in its own (reversed) order.
        std::function<Polyline(Workspace&)> points;
        double limit;
    };
    const std::vector<Route> routes = {
        {"explode", [](Workspace& ws) { return explodedPoints(ws.database, kExplodeTolerance); },
         kExplodeTolerance + kReferenceTolerance + kFloatSlack},
        {"TBF",
         [this](Workspace& ws) {
             Workspace back;
             if (!tbfRoundTrip(ws, file("reversed.tbf"), kExplodeTolerance, back))
                 return Polyline{};
             return pointsOf(back.database);
         },
         kExplodeTolerance + kReferenceTolerance + kFloatSlack},
        // The program carries 4 decimals; its arcs are read back whole.
        {"Save NC",
         [this](Workspace& ws) {
             Workspace back;
             if (!saveAndReadBack(ws, file("reversed.nc"), "Default", true, back))
                 return Polyline{};
             return explodedPoints(back.database, kReferenceTolerance);
         },
         kExplodeTolerance},
    };
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.file);
        Workspace original;
        ASSERT_TRUE(readProgram(original, program.file, program.absoluteCenters));
        const Polyline reference = explodedPoints(original.database, kReferenceTolerance);
        for (const Route& route : routes) {
            SCOPED_TRACE(route.name);
            Workspace ws;
            ASSERT_TRUE(readProgram(ws, program.file, program.absoluteCenters));
            ASSERT_TRUE(reverseCutDirection(ws.database));
            const Polyline path = route.points(ws);
            ASSERT_GT(path.size(), 1u);
            expectSamePath(reversed(path), reference, route.limit);
        }
    }
}

TEST_F(ReversedPaths, TwiceIsTheProgramAsRead) {
    for (const Program& program : programs()) {
        SCOPED_TRACE(program.file);
        Workspace original, ws;
        ASSERT_TRUE(readProgram(original, program.file, program.absoluteCenters));
        ASSERT_TRUE(readProgram(ws, program.file, program.absoluteCenters));
        ASSERT_TRUE(reverseCutDirection(ws.database));
        ASSERT_TRUE(reverseCutDirection(ws.database));
        const MoveRecord* a = original.database.first();
        const MoveRecord* b = ws.database.first();
        EXPECT_EQ(distance3D(endPointOf(*a), endPointOf(*b)), 0);
        std::size_t records = 1;
        for (a = a->next, b = b->next; a != nullptr && b != nullptr; a = a->next, b = b->next) {
            ASSERT_EQ(fieldDifferences(*a, *b), "") << "record " << records;
            ++records;
        }
        EXPECT_EQ(a, nullptr);
        EXPECT_EQ(b, nullptr);
        // And so is everything made from it.
        expectSamePath(explodedPoints(ws.database, kExplodeTolerance),
                       explodedPoints(original.database, kExplodeTolerance), 0);
    }
}

} // namespace
} // namespace korvix::test
