#pragma once

#include "editing/modify_all.h"
#include "editing/modify_all_preview.h"
#include "model/feed_rate_table.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvix {

// The pages of the Modify Selected Geometry dialog, in the dialog's order.
enum class ModifyPortionPage : std::uint8_t {
    Delete,
    FeedRates,
    Relocate,
    StartPoint,
    OptionalStop
};

// What the dialog asks for: the active page and its parameters (the other pages' values are
// ignored).
struct ModifyPortionRequest {
    ModifyPortionPage page = ModifyPortionPage::Relocate;
    double dx = 0, dy = 0, dz = 0;             // Relocate: offsets of the selected records
    double startX = 0, startY = 0, startZ = 0; // StartPoint: where the first record goes
    bool enableOptionalStops = false;          // OptionalStop: set (true) or clear the flag
};

// Done, NoData, OutOfRange (nothing changed) or OutOfMemory (preview only, nothing changed).
struct ModifyPortionResult {
    ModifyAllStatus status = ModifyAllStatus::NoData;
    // Records deleted, given a new feed, moved, or given the requested optional stop flag.
    std::size_t recordsChanged = 0;
    bool ok() const { return status == ModifyAllStatus::Done; }
};

// An arc is changed as one. The pieces of an arc that is only partly selected (the range
// selections can end inside one) lose their flags, so that no operation cuts an arc in two
// or moves half of it. Returns the number of records deselected.
std::size_t deselectPartialArcs(GraphicsDatabase& database);

// Every operation below first deselects partial arcs, then changes the path in place and
// recomputes the extents, feed range and cutting time over the whole path. Without data
// nothing happens (NoData).

// Unlinks and frees every selected record but the first of the path, which stays (and is
// deselected): each remaining move starts from the previous remaining record's end point.
ModifyPortionResult deleteSelected(GraphicsDatabase& database, MessagePump* pump = nullptr);

// Every selected cutting move (not the start point, not a rapid) takes its entry's colour
// and new feed; unselected moves keep theirs whatever their feed. Every record is deselected.
ModifyPortionResult applySelectedFeedRates(GraphicsDatabase& database, const FeedRateTable& table);

// Every selected record, the start point included, moves by the offsets, an arc piece's
// centre with it, and is deselected. Unselected records stay, so the moves into and out of
// the moved part stretch to meet it. A result beyond the stored floats changes nothing.
ModifyPortionResult relocateSelected(GraphicsDatabase& database, double dx, double dy, double dz,
                                     MessagePump* pump = nullptr);

// How the start point fields show a coordinate of the first record: fixed, five decimals.
std::string startPointFieldText(double value);

// The first record goes to (x, y, z) and its arc centre by the same offset; nothing else
// changes, the selection included. A coordinate given as the text the start point fields
// show for it (five decimals) keeps its stored value, so that confirming the fields as
// filled in moves nothing.
ModifyPortionResult relocateStartPoint(GraphicsDatabase& database, double x, double y, double z);

// Every selected record gets the optional stop flag set (enable) or cleared, and is
// deselected.
ModifyPortionResult setSelectedOptionalStops(GraphicsDatabase& database, bool enable);

// The operation of the request's page.
ModifyPortionResult applyModifyPortion(GraphicsDatabase& database,
                                       const ModifyPortionRequest& request,
                                       const FeedRateTable& table, MessagePump* pump = nullptr);

// True for the pages whose "&Preview" shows geometry: delete and relocate.
bool modifyPortionBuildsPreview(ModifyPortionPage page);

// The preview of a delete or relocate: a copy of the path with the operation applied, every
// record of it selected so that it is drawn dotted, with its own status block. Other pages
// build nothing (Done with no preview). The database is not touched. Out of memory, the
// partial copy is released (OutOfMemory).
ModifyAllPreviewBuild buildModifyPortionPreview(const GraphicsDatabase& database,
                                                const ModifyPortionRequest& request,
                                                MessagePump* pump = nullptr,
                                                ChunkAllocator allocator = &defaultChunkAllocator);

} // namespace korvix
