#pragma once

#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"

#include <cstddef>
#include <cstdint>

namespace korvix {

// Fitted arcs are drawn in yellow so that the user sees at once what the fitter changed.
inline constexpr Rgb kFittedArcColor = 0x0000FFFF;

// The parameters of the Fit arcs dialog. The defaults are the settings file's own, which a
// first start shows.
struct FitArcsOptions {
    // Largest distance of a point, and of a chord's midpoint, from the fitted circle.
    double chordalTolerance = 0.0012;
    // Circles with a larger radius are not used: long gentle curves stay as points.
    double maxRadius = 99.99;
    bool xyPlaneOnly = false;
};

enum class FitArcsStatus : std::uint8_t {
    Done,
    NoData,      // the database holds nothing; nothing changed
    OutOfMemory, // the new list was released; the old path is still the database
};

struct FitArcsResult {
    FitArcsStatus status = FitArcsStatus::NoData;
    std::size_t pointsRemoved = 0; // straight moves that became part of an arc
    std::size_t arcsAdded = 0;     // arc groups made
    std::size_t recordCount = 0;   // records of the new list, start point included
    bool ok() const { return status == FitArcsStatus::Done; }
};

// Replaces runs of straight feed moves whose points lie on a circle within the chordal
// tolerance by arcs (yellow arc groups cut into pieces like the NC reader's). The new path
// is built beside the old one and replaces it only when complete, even when no arc was
// found; every record gets a new `sequence`. Recomputes the extents and sets `ncLoaded`
// on success. Out of memory, nothing changes and the result says so (the counts are 0).
//
// A run never spans a change of tool or feed, and only its last move may carry an optional
// stop, so that no programmed feed, tool or stop disappears into an arc.
FitArcsResult fitArcs(GraphicsDatabase& database, const FitArcsOptions& options,
                      MessagePump* pump = nullptr,
                      ChunkAllocator allocator = &defaultChunkAllocator);

} // namespace korvix
