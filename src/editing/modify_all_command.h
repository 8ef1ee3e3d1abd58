#pragma once

#include "editing/modify_all.h"
#include "model/feed_rate_table.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"
#include "model/reporter.h"

#include <cstdint>
#include <functional>

namespace korvix {

// The steps of the Modify all command that need no window. The window runs them around its
// dialog: begin, then the dialog, then ok / cancel / preview (and the dialog again after a
// discarded preview).

// Clears the status text; false when no NC data is loaded (the command stops). Otherwise
// rebuilds the feed rate table and, when the path has more feeds than it holds, says so.
bool beginModifyAll(const GraphicsDatabase& database, FeedRateTable& table, Reporter& reporter);

// "&Cancel".
void cancelModifyAll(Reporter& reporter);

// "&Ok": applies the page's change in place (copies appended). A failure is reported (an
// error box, or the status text when memory ran out) and leaves the path as it was. After
// a success the caller refreshes the status window and redraws.
ModifyAllResult okModifyAll(GraphicsDatabase& database, const ModifyAllRequest& request,
                            const FeedRateTable& table, Reporter& reporter, MessagePump& pump);

enum class PreviewOutcome : std::uint8_t {
    Kept,      // the change is the path now; the command ends
    Discarded, // the path is as it was; the dialog is shown again
    Failed,    // nothing was shown (reported); the path is as it was; the command ends
};

// "&Preview": builds the change beside the path and shows it after the path (`redraw` is
// called with the preview linked in), then asks "Do you wish to keep this modification?".
// Yes: the preview replaces the path with no record selected, and `redraw` runs again. No:
// the preview is released, the extents are restored and `redraw` runs again. On the feed
// rate page nothing is built: the preview status text is shown before the question, and Yes
// applies the feed changes. `redraw` may be empty.
PreviewOutcome previewModifyAll(GraphicsDatabase& database, const ModifyAllRequest& request,
                                const FeedRateTable& table, Reporter& reporter, MessagePump& pump,
                                const std::function<void()>& redraw,
                                ChunkAllocator allocator = &defaultChunkAllocator);

} // namespace korvix
