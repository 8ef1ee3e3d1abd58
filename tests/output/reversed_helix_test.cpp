// A helix read from a program, reversed, and then exploded, written as TBF or saved as NC
// and read back: the tool must climb the helix back from its end to its start.

#include "arc_path_support.h"
#include "filters/reverse_path.h"
#include "model/plane_axes.h"
#include "test_folder.h"

#include <fstream>
#include <functional>

namespace korvix::test {
namespace {

constexpr double kRadius = 10;
constexpr double kSweep = 135;

// 135 degrees about the origin from the plane angle 0, the third axis going from -1 to -4
// (under half a turn, so that programs with incremental centres or R words can carry it).
// `increasing` is the direction of the plane angle (XZ turns the other way round from its G
// code).
struct HelixCase {
    const char* name;
    std::uint8_t plane;
    const char* program;
    bool increasing;
};

const HelixCase kHelices[] = {
    {"XY G3", kPlaneXY,
     "G17\nG0 X10. Y0. Z0.\nG1 Z-1. F100.\nG3 X-7.0711 Y7.0711 Z-4. I0. J0.\nG1 X-20.\n", true},
    {"XY G2", kPlaneXY,
     "G17\nG0 X10. Y0. Z0.\nG1 Z-1. F100.\nG2 X-7.0711 Y-7.0711 Z-4. I0. J0.\nG1 X-20.\n", false},
    {"XZ G2", kPlaneXZ,
     "G18\nG0 X10. Y0. Z0.\nG1 Y-1. F100.\nG2 X-7.0711 Z7.0711 Y-4. I0. K0.\nG1 X-20.\n", true},
    {"XZ G3", kPlaneXZ,
     "G18\nG0 X10. Y0. Z0.\nG1 Y-1. F100.\nG3 X-7.0711 Z-7.0711 Y-4. I0. K0.\nG1 X-20.\n", false},
};

Point3 modelPoint(const HelixCase& c, double angle, double third) {
    const double radians = angle * 3.14159265358979323846 / 180;
    return fromPlane(c.plane, kRadius * std::cos(radians), kRadius * std::sin(radians), third);
}

std::string text(const Point3& p) {
    std::ostringstream out;
    out << "(" << p.x << ", " << p.y << ", " << p.z << ")";
    return out.str();
}

std::size_t indexOf(const Polyline& path, const Point3& p, std::size_t from = 0) {
    for (std::size_t i = from; i < path.size(); ++i)
        if (distance3D(path[i], p) < 1e-3)
            return i;
    return path.size();
}

// The helix in `path`, which runs forwards (from Z -1 down) or reversed (from -4 up): every
// point between its two ends lies on the circle at the depth its angle gives, the ends are
// where the program put them, and the path goes on from there as the program did.
void expectHelix(const HelixCase& c, const Polyline& path, bool reversedPath, double radial) {
    const Point3 programStart = modelPoint(c, 0, -1);
    const double endAngle = c.increasing ? kSweep : -kSweep;
    const Point3 programEnd = modelPoint(c, endAngle, -4);
    const Point3 from = reversedPath ? programEnd : programStart;
    const Point3 to = reversedPath ? programStart : programEnd;
    const std::size_t first = indexOf(path, from);
    ASSERT_LT(first, path.size()) << "no point at the helix start " << text(from);
    const std::size_t last = indexOf(path, to, first + 1);
    ASSERT_LT(last, path.size()) << "no point at the helix end " << text(to);
    ASSERT_GE(last - first, 10u);

    // Reversed, the helix is walked from the program's end angle back to 0.
    const bool increasing = c.increasing != reversedPath;
    const double startAngle = reversedPath ? endAngle : 0;
    const double startThird = reversedPath ? -4 : -1;
    const double endThird = reversedPath ? -1 : -4;
    double middleGap = 360;
    double middleThird = 0;
    for (std::size_t i = first; i <= last; ++i) {
        SCOPED_TRACE("point " + std::to_string(i - first) + " " + text(path[i]));
        const PlanePoint p = toPlane(c.plane, path[i]);
        EXPECT_NEAR(std::hypot(p.h, p.v), kRadius, radial);
        const double angle = std::atan2(p.v, p.h) * 180 / 3.14159265358979323846;
        const double travelled =
            std::fmod((increasing ? angle - startAngle : startAngle - angle) + 720, 360.0);
        const double expected = startThird + (endThird - startThird) * travelled / kSweep;
        EXPECT_NEAR(p.t, expected, 1e-3);
        if (std::fabs(travelled - kSweep / 2) < middleGap) {
            middleGap = std::fabs(travelled - kSweep / 2);
            middleThird = p.t;
        }
    }
    EXPECT_LT(distance3D(path[first], from), 1e-4);
    EXPECT_LT(distance3D(path[last], to), 1e-4);
    EXPECT_LT(middleGap, 5);
    EXPECT_NEAR(middleThird, -2.5, 0.1);
    if (reversedPath) {
        // Back at the start of the helix at its own depth, then up the plunge to 0.
        ASSERT_EQ(last + 2, path.size());
        EXPECT_LT(distance3D(path[last + 1], modelPoint(c, 0, 0)), 1e-4) << text(path[last + 1]);
    } else {
        EXPECT_LT(distance3D(path[first - 1], modelPoint(c, 0, 0)), 1e-4) << text(path[first - 1]);
    }
}

class ReversedHelix : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_folder.path(name); }

    // The case's program read into `ws`, reversed when asked.
    void load(const HelixCase& c, Workspace& ws, bool reverse) {
        const std::string path = file("helix.nc");
        std::ofstream(path) << c.program;
        ASSERT_TRUE(readProgram(ws, path));
        if (reverse) {
            ASSERT_TRUE(reverseCutDirection(ws.database));
        }
    }

    TestFolder m_folder{"korvix-reversed-helix"};
};

TEST_F(ReversedHelix, ClimbsBackAlongTheHelixExplodedWrittenOrReadBack) {
    struct Route {
        const char* name;
        std::function<Polyline(Workspace&)> points;
        double radial; // how far the points may lie off the circle
    };
    const auto readBack = [this](const char* control, bool absolute) {
        return [this, control, absolute](Workspace& ws) {
            Workspace back;
            if (!saveAndReadBack(ws, file("saved.nc"), control, absolute, back))
                return Polyline{};
            return explodedPoints(back.database, 0.01);
        };
    };
    const std::vector<Route> routes = {
        {"explode", [](Workspace& ws) { return explodedPoints(ws.database, 0.01); }, 1e-4},
        {"TBF",
         [this](Workspace& ws) {
             Workspace back;
             if (!tbfRoundTrip(ws, file("helix.tbf"), 0.01, back))
                 return Polyline{};
             return pointsOf(back.database);
         },
         1e-4},
        {"Default", readBack("Default", true), 1e-3},
        {"absolute centres", readBack("ISO_MILL.DNC", true), 1e-3},
        {"quadrants, unsigned offsets", readBack("QUADRANT_ARCS_LIMITS.DNC", false), 1e-3},
        {"incremental centres", readBack("INCREMENTAL_IJ_MILL.DNC", false), 1e-3},
        {"R words in quadrants", readBack("HOBBY_STYLE_R_ARCS.DNC", false), 1e-3},
    };
    for (const HelixCase& c : kHelices) {
        for (const Route& route : routes) {
            for (const bool reverse : {true, false}) {
                SCOPED_TRACE(std::string(c.name) + ", " + route.name +
                             (reverse ? ", reversed" : ", as read"));
                Workspace ws;
                load(c, ws, reverse);
                expectHelix(c, route.points(ws), reverse, route.radial);
            }
        }
    }
}

// The program of the report: reversed and saved, it climbs the helix from Z-3 to Z-1 in one
// arc block, with no climb before it and no repeated block number.
TEST_F(ReversedHelix, SavedReversedIsOneHelicalArcBlock) {
    const HelixCase c{"report", kPlaneXY,
                      "G0 X10. Y0. Z0.\nG1 Z-1. F100.\nG3 X-10. Y0. Z-3. I0. J0.\nG1 X-20.\n",
                      true};
    Workspace ws;
    load(c, ws, true);
    StringLineSink sink;
    ASSERT_TRUE(writeNcProgram(ncWriteSource(ws), NcWriteOptions{}, sink).ok());
    EXPECT_EQ(sink.text, "O1\n"
                         "N1G00Z-3.0000\n"
                         "N2G00X-20.0000Y0.0000\n"
                         "N3G01X-10.0000Y0.0000Z-3.0000F100.0\n"
                         "N4G17G02X10.0000Y0.0000Z-1.0000I0.0000J0.0000F100.0\n"
                         "N5G01X10.0000Y0.0000Z0.0000F100.0\n");
}

} // namespace
} // namespace korvix::test
