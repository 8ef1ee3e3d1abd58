#pragma once

#include "editing/trim_records.h"
#include "model/message_pump.h"
#include "model/move_record.h"
#include "model/node_list.h"

namespace korvix {

struct ZLimitOptions {
    double deepestZ = 0;
    double primaryPlane = 0; // raised to the deepest Z when below it
    bool removeWastedMoves = false;
    LinkStyle style;
};

// Rebuilds `path` (straight moves) into `out` so that no move goes below the deepest Z D,
// segment by segment:
// - both ends at or above D: copied;
// - both ends below D: flattened onto D, or left out with "Remove wasted moves";
// - going down through D: the cut ends where it crosses D and goes on along D to above its
//   end, or, with "Remove wasted moves", the tool retracts to the primary plane there;
// - coming up through D: the tool reaches the crossing along D, or, with "Remove wasted
//   moves", at the primary plane and then plunges to it; the cut goes on from there.
// Generated moves that would end where the tool already is are left out. False when memory
// ran out; `out` is then left empty.
bool limitZTravel(const NodeList<MoveRecord>& path, const ZLimitOptions& options, MessagePump* pump,
                  NodeList<MoveRecord>& out, ChunkAllocator allocator = &defaultChunkAllocator);

// The lowest Z of any record of the path (0 for an empty path).
double lowestZOf(const NodeList<MoveRecord>& path);

} // namespace korvix
