#pragma once

#include "model/graphics_database.h"

namespace korvix {

// Recomputes the status block from the records after the path was rebuilt: the extents over
// every end point, the start point included (Y pair in screen orientation); the feed range
// over the feed moves (rapids and the start point carry no programmed feed, and generated
// rapids hold 0); and the cutting time, block by block: the straight distance for a straight
// move, the arc length for an arc group, at the feed of the move, 250 for rapids.
void recomputeTrimmedPathTotals(GraphicsDatabase& database);

} // namespace korvix
