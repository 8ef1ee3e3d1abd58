#pragma once

// Reading, exploding, writing and reading back whole toolpaths, and measuring how far one
// path strays from another, for the tests of reversed arcs.

#include "app/workspace_access.h"
#include "filters/explode_arcs.h"
#include "input/nc_reader.h"
#include "model/geometry.h"
#include "model/workspace.h"
#include "output/nc_writer.h"
#include "output/tbf_file.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvix::test {

using Polyline = std::vector<Point3>;

inline bool readProgram(Workspace& ws, const std::string& file, bool absoluteCenters = true) {
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    const NcReadResult result = readNcProgram(ncReadTarget(ws), file, options, {});
    EXPECT_TRUE(result.ok()) << file << ": " << result.message;
    return result.ok();
}

// Every record's point, in path order.
inline Polyline pointsOf(const GraphicsDatabase& db) {
    Polyline points;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        points.push_back({r->x, r->y, r->z});
    return points;
}

// The path with its arcs exploded at `tolerance` (the database is exploded in place).
inline Polyline explodedPoints(GraphicsDatabase& db, double tolerance) {
    EXPECT_TRUE(explodeArcs(db, tolerance).ok());
    return pointsOf(db);
}

// Saves the path as an NC program with `control` (examples/machines for a machine format)
// and reads the program back into `into`, with the centre type the format writes.
inline bool saveAndReadBack(Workspace& from, const std::string& file, const std::string& control,
                            bool absoluteCenters, Workspace& into) {
    NcWriteOptions options;
    options.controlName = control;
    options.machinesFolder = std::string(KORVIX_EXAMPLES_DIR) + "/machines";
    const NcWriteResult written = writeNcFile(ncWriteSource(from), file, options);
    EXPECT_TRUE(written.ok()) << control << ": " << written.message;
    return written.ok() && readProgram(into, file, absoluteCenters);
}

// Writes the path as a TBF file (exploding its arcs at `tolerance`) and reads it back.
inline bool tbfRoundTrip(Workspace& from, const std::string& file, double tolerance,
                         Workspace& into) {
    const WriteResult written = writeTbfFile(from.database, file, tolerance);
    EXPECT_TRUE(written.ok) << written.message;
    const TbfReadResult read = readTbfFile(into.database, file, kWhite);
    EXPECT_TRUE(read.ok) << read.message;
    return written.ok && read.ok;
}

inline double distanceToSegment(const Point3& p, const Point3& a, const Point3& b) {
    const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
    const double length2 = dx * dx + dy * dy + dz * dz;
    double t = 0;
    if (length2 > 0)
        t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy + (p.z - a.z) * dz) / length2, 0.0,
                       1.0);
    return distance3D(p, {a.x + t * dx, a.y + t * dy, a.z + t * dz});
}

// The first point of `path` that lies further than `limit` from every segment of
// `reference`, described with its distance; empty when there is none. The two run the same
// way, so the search for each point starts at the segment where the last one was found.
inline std::string firstStrayPoint(const Polyline& path, const Polyline& reference, double limit) {
    if (reference.size() < 2)
        return "the reference has no segment";
    const std::size_t segments = reference.size() - 1;
    std::size_t at = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const Point3& p = path[i];
        bool found = false;
        double nearest = 1e300;
        for (std::size_t k = 0; k < 2 * segments && !found; ++k) {
            // at, at + 1, at - 1, at + 2, ...
            const std::size_t step = (k + 1) / 2;
            const bool ahead = k % 2 == 0;
            if (ahead ? at + step >= segments : step > at)
                continue;
            const std::size_t s = ahead ? at + step : at - step;
            const double d = distanceToSegment(p, reference[s], reference[s + 1]);
            nearest = std::min(nearest, d);
            if (d <= limit) {
                at = s;
                found = true;
            }
        }
        if (!found) {
            std::ostringstream out;
            out << "point " << i << " (" << p.x << ", " << p.y << ", " << p.z << ") lies "
                << nearest << " from the reference";
            return out.str();
        }
    }
    return {};
}

// Both paths lie within `limit` of each other: every point of each near a segment of the
// other.
inline void expectSamePath(const Polyline& path, const Polyline& reference, double limit) {
    EXPECT_EQ(firstStrayPoint(path, reference, limit), "") << "path against the reference";
    EXPECT_EQ(firstStrayPoint(reference, path, limit), "") << "reference against the path";
}

inline Polyline reversed(Polyline points) {
    std::reverse(points.begin(), points.end());
    return points;
}

} // namespace korvix::test
