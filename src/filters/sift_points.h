#pragma once

#include "model/geometry.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"

#include <cstddef>
#include <cstdint>

namespace korvix {

// The parameters of the Sift points dialog.
struct SiftOptions {
    double tolerance = 0.0005; // largest distance of a removed point from the new move
    bool siftRapids = false;   // "Sift rapid moves (G00)"
};

enum class SiftStatus : std::uint8_t {
    Done,
    NoData, // the database holds nothing
};

struct SiftResult {
    SiftStatus status = SiftStatus::NoData;
    std::size_t pointsRemoved = 0;
    bool ok() const { return status == SiftStatus::Done; }
};

// Distance of p from the stretch e1-e2 that a sifted move would take. A point that
// coincides with either end lies at 0; when the ends coincide the answer is 2 * tolerance,
// so the point is always kept. A point beyond either end is as far away as that end: a
// path that runs on and comes back along the same line keeps its turning point.
double siftDistance(const Point3& p, const Point3& e1, const Point3& e2, double tolerance);

// Removes, in place, the intermediate points of straight-move runs that lie within the
// tolerance of the move that replaces them. Arc groups are never touched; rapid moves only
// with `siftRapids`. A run never mixes rapid and feed moves nor spans a change of tool or
// feed, and a point carrying an optional stop is kept, so that sifting cannot turn cutting
// into rapid travel or drop a programmed feed, tool or stop. The last point of every run is
// kept. Surviving records keep every field. Sets `ncLoaded`.
SiftResult siftPoints(GraphicsDatabase& database, const SiftOptions& options,
                      MessagePump* pump = nullptr);

} // namespace korvix
