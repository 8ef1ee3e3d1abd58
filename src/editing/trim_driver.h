#pragma once

#include "display/view_transform.h"
#include "editing/trim_parameters.h"
#include "editing/trim_path.h"
#include "editing/trim_space.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"
#include "model/overlay_state.h"
#include "model/reporter.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvix {

// How a trim was asked for: "&Parameters" (plan view, no box, no polygon), a box released
// with the mouse, or Enter on the trimming polygon.
struct TrimInvocation {
    bool planView = true; // the plain XY view; "&Parameters" always counts as one
    bool polygon = false;
    bool boxDrawn = false;
    DrawingPoint corner1, corner2; // the drawn box, in drawing units
};

// Everything before the dialog opens: the window fields from a drawn box (or "0.0" for a
// polygon), the defaults of empty fields, and "Enter trimming parameters...". The caller
// enables the window fields by trimFieldState(invocation.polygon, invocation.planView) and
// shows the dialog. False, and nothing done, when no NC data is loaded.
bool prepareTrimDialog(const GraphicsDatabase& database, TrimDialogFields& fields,
                       const TrimInvocation& invocation, Reporter& reporter);

// Anything but "&Ok": "Trimming function canceled...", and the polygon is forgotten.
void cancelTrim(TrimPolygon& polygon, Reporter& reporter);

enum class TrimOutcome : std::uint8_t {
    Done,
    NoData,           // nothing loaded; nothing happened
    BadParameter,     // a field could not be used (its message was shown); path unchanged
    OutOfMemory,      // "Error trimming..."; path unchanged
    LimitOutOfMemory, // "Error limiting "Z"..."; path unchanged
};

struct TrimResult {
    TrimOutcome outcome = TrimOutcome::NoData;
    std::size_t recordCount = 0; // records of the new path, start point included
    bool zLimited = false;       // the Z limiter ran
    bool ok() const { return outcome == TrimOutcome::Done; }
};

// "&Ok": "Currently trimming desired geometry...", the fields read (a reversed box put in
// order in the fields; a field that cannot be used is shown as an error and nothing changes),
// then trimToolpath with the box of the fields or the polygon's vertices. A plan-view trim
// compares the world X and Y with the region, any other the drawing units of `view`. The
// polygon is forgotten afterwards unless a field was bad (the dialog may be shown again).
TrimResult runTrim(GraphicsDatabase& database, TrimDialogFields& fields,
                   const TrimInvocation& invocation, TrimPolygon& polygon, const ViewState& view,
                   Reporter& reporter, MessagePump& pump,
                   ChunkAllocator allocator = &defaultChunkAllocator);

// The trim itself, from parameters already read: the trimmed path is built beside the old
// one; with "Limit "Z" travel" checked and the deepest Z above the path's lowest point,
// "Currently limiting "Z" travel..." and the Z limiter; then the new path replaces the old,
// "Currently calculating cut time and travel limits...", extents, feed range and cutting
// time recomputed, "Done trimming...". When memory runs out the old path stays as it was and
// "Error trimming..." (or "Error limiting "Z"...") is shown.
TrimResult trimToolpath(GraphicsDatabase& database, const TrimParameters& parameters,
                        const TrimRegion& region, const TrimSpace& space, Reporter& reporter,
                        MessagePump& pump, ChunkAllocator allocator = &defaultChunkAllocator);

// The same in the plain XY view, and in the drawing units of `view`.
inline TrimResult trimToolpath(GraphicsDatabase& database, const TrimParameters& parameters,
                               const TrimRegion& region, Reporter& reporter, MessagePump& pump,
                               ChunkAllocator allocator = &defaultChunkAllocator) {
    return trimToolpath(database, parameters, region, TrimSpace(), reporter, pump, allocator);
}
inline TrimResult trimToolpath(GraphicsDatabase& database, const TrimParameters& parameters,
                               const TrimRegion& region, const ViewState& view, Reporter& reporter,
                               MessagePump& pump,
                               ChunkAllocator allocator = &defaultChunkAllocator) {
    return trimToolpath(database, parameters, region, TrimSpace(view), reporter, pump, allocator);
}

} // namespace korvix
