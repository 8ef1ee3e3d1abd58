#pragma once

#include "editing/modify_all_transform.h"
#include "model/feed_rate_table.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvix {

// The pages of the Modify all dialog, in the dialog's order.
enum class ModifyAllPage : std::uint8_t { Mirror, FeedRates, Relocate, Rotate, Scale };

struct MirrorParameters {
    bool mirrorX = false;
    bool mirrorY = false;
    bool copy = false; // keep the path and append one mirrored copy
};
struct RelocateParameters {
    double dx = 0, dy = 0, dz = 0; // offsets
    int copies = 0;                // below 1: move the path itself
};
struct RotateParameters {
    double angle = 0; // degrees, counter-clockwise
    double aboutX = 0, aboutY = 0;
    int copies = 0; // below 1: turn the path itself; copy k is turned by k times the angle
};
struct ScaleParameters {
    double factor = 1; // its absolute value is used
};

// What the dialog asks for: the active page and its parameters (the other pages' values are
// ignored).
struct ModifyAllRequest {
    ModifyAllPage page = ModifyAllPage::Relocate;
    MirrorParameters mirror;
    RelocateParameters relocate;
    RotateParameters rotate;
    ScaleParameters scale;
};

enum class ModifyAllStatus : std::uint8_t {
    Done,
    NoData,            // the database holds nothing
    ArcOutsideXyPlane, // rotation of a path with XZ or YZ arcs: nothing changed
    ScaleFactorZero,   // nothing changed
    OutOfRange,        // the result would not fit the stored floats: nothing changed
    OutOfMemory,       // the copies or the preview could not be built: nothing changed
};

struct ModifyAllResult {
    ModifyAllStatus status = ModifyAllStatus::NoData;
    std::size_t recordsAdded = 0; // copies, retracts and approaches appended
    std::size_t feedsChanged = 0; // records given a new feed
    bool ok() const { return status == ModifyAllStatus::Done; }
};

// How the user hears of a failure: an error box or a status text (empty for Done, NoData).
struct ModifyAllFailureMessage {
    bool errorBox = false;
    std::string_view text;
};
ModifyAllFailureMessage modifyAllFailureMessage(ModifyAllStatus status);

// The geometric change of a page and the number of copies to append (0: change the path
// itself). The scale uses the absolute factor. FeedRates gives the identity.
struct GeometryPlan {
    PointTransform transform;
    int copies = 0;
};
GeometryPlan geometryPlanOf(const ModifyAllRequest& request);

// The checks made before anything changes: data present, rotation only with XY arcs, a
// usable scale factor and parameters, a result that fits the stored floats.
ModifyAllStatus checkGeometryChange(const GraphicsDatabase& database,
                                    const ModifyAllRequest& request);

// The "&Ok" of a geometric page: the path is changed in place or, with copies, stays and the
// copies are appended after it, each reached through a rapid retract and approach at the
// highest Z. Then extents, feed range and cutting time are recomputed over the whole path.
// On any failure the path and its status block are as they were.
ModifyAllResult applyGeometryChange(GraphicsDatabase& database, const ModifyAllRequest& request,
                                    MessagePump* pump = nullptr);

// The "&Ok" of the feed rate page: every cutting move takes its entry's colour and new feed
// (see applyFeedRateTable); the feed range and cutting time are recomputed.
ModifyAllResult applyFeedRateChange(GraphicsDatabase& database, const FeedRateTable& table);

// Either of the two, by the request's page.
ModifyAllResult applyModifyAll(GraphicsDatabase& database, const ModifyAllRequest& request,
                               const FeedRateTable& table, MessagePump* pump = nullptr);

} // namespace korvix
