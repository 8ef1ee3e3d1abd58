#pragma once

#include "editing/trim_parameters.h"
#include "editing/trim_space.h"
#include "model/geometry.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"

#include <cstddef>
#include <span>

namespace korvix {

// What a trim cuts to: the box of the parameters, or a closed polygon (the last vertex joins
// the first), both in the drawing units of the view the trim works in.
struct TrimRegion {
    bool polygon = false;
    TrimBox box;
    std::span<const Point2> vertices;
};

// Builds the trimmed path of `database` into `out` (a list of its own; the database is not
// touched): the kept pieces of every move, arcs cut into chords within the arc tolerance, and
// the link moves between the pieces with their heights settled. Every record is a straight
// move, numbered from 1. False when memory ran out; `out` is then left empty.
bool buildTrimmedPath(const GraphicsDatabase& database, const TrimParameters& parameters,
                      const TrimRegion& region, const TrimSpace& space, MessagePump* pump,
                      NodeList<MoveRecord>& out, ChunkAllocator allocator = &defaultChunkAllocator);

} // namespace korvix
