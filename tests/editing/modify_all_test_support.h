#pragma once

#include "filters/record_fields.h"
#include "model/geometry.h"
#include "model/graphics_database.h"
#include "model/path_builder.h"
#include "model/plane_axes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {

inline double angleRadians(double degrees) {
    return degrees * 3.14159265358979323846 / 180.0;
}

// The point of an arc's circle at `angle`, in the plane's two coordinates.
inline Point2 onCircle(const MoveRecord& arc, double angle) {
    const PlanePoint c = toPlane(arc.plane, centreOf(arc));
    const double r = std::fabs(arc.radius);
    return {c.h + r * std::cos(angleRadians(angle)), c.v + r * std::sin(angleRadians(angle))};
}

// An arc group: its first and last piece and the record before it (whose end is the arc's
// start).
struct ArcAt {
    const MoveRecord* before = nullptr;
    const MoveRecord* first = nullptr;
    const MoveRecord* last = nullptr;
};

// The index-th arc group of the path (0-based).
inline ArcAt arcGroup(const GraphicsDatabase& db, int index) {
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next) {
        if (!isArcPiece(*r) || (isArcPiece(*r->prev) && r->prev->sequence == r->sequence))
            continue;
        if (index-- > 0)
            continue;
        ArcAt arc{r->prev, r, r};
        while (arc.last->next != nullptr && isArcPiece(*arc.last->next) &&
               arc.last->next->sequence == r->sequence)
            arc.last = arc.last->next;
        return arc;
    }
    ADD_FAILURE() << "no arc group " << index;
    return {};
}

// The arc's angles point at its start (the record before the group) and its end (the last
// piece), and both lie on its circle.
inline void expectAnglesMatchPoints(const ArcAt& arc, double tolerance = 1e-4) {
    const MoveRecord& a = *arc.first;
    const PlanePoint start = toPlane(a.plane, endPointOf(*arc.before));
    const PlanePoint end = toPlane(a.plane, endPointOf(*arc.last));
    const Point2 fromStart = onCircle(a, a.startAngle);
    const Point2 fromEnd = onCircle(a, a.endAngle);
    EXPECT_NEAR(fromStart.x, start.h, tolerance);
    EXPECT_NEAR(fromStart.y, start.v, tolerance);
    EXPECT_NEAR(fromEnd.x, end.h, tolerance);
    EXPECT_NEAR(fromEnd.y, end.v, tolerance);
}

inline std::vector<MoveRecord> snapshot(const GraphicsDatabase& db) {
    std::vector<MoveRecord> out;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        out.push_back(*r);
    return out;
}

// Every field of every record, links aside, is as in the snapshot.
inline void expectUnchanged(const GraphicsDatabase& db, const std::vector<MoveRecord>& before) {
    const std::vector<MoveRecord> now = snapshot(db);
    ASSERT_EQ(now.size(), before.size());
    for (std::size_t i = 0; i < now.size(); ++i)
        EXPECT_EQ(fieldDifferences(now[i], before[i]), "") << "record " << i;
}

// A small path with one arc in each plane and a helix, as the NC reader lays it out: start
// at (0, 0, 10), plunge, a quarter XY arc, a line, a clockwise helical XY arc down to -2, a
// retract, an XZ arc and a YZ arc.
inline void buildMixedPath(GraphicsDatabase& db) {
    PathBuilder path(db, 0, 0, 10);
    path.tool(1).feed(200).line(0, 0, -1);
    path.feed(500).line(20, 0, -1);
    // (20, 0) counter-clockwise about (20, 10) to (30, 10).
    path.arc(kPlaneXY, 20, 10, -1, 10, 270, 0, -1, 4);
    path.line(30, 20, -1);
    // (30, 20) clockwise about (20, 20) to (20, 10), going down to -2.
    path.arc(kPlaneXY, 20, 20, -1, -10, 0, 270, -2, 5);
    path.rapid(20, 10, 10);
    // XZ: (20, 10, 10) about (30, 10) in X-Z to (30, 10, 0).
    path.feed(250).arc(kPlaneXZ, 30, 10, 10, 10, 180, 270, 10, 3);
    // YZ: (30, 10, 0) about (y 0, z 0) in Y-Z to (30, 0, 10).
    path.arc(kPlaneYZ, 0, 0, 30, 10, 0, 90, 30, 3);
}

} // namespace korvix::test
