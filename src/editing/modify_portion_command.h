#pragma once

#include "editing/modify_all_command.h"
#include "editing/modify_portion.h"
#include "model/feed_rate_table.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"
#include "model/reporter.h"

#include <functional>

namespace korvix {

// The steps of edit mode's Modify command that need no window, run by the window around its
// dialog as those of Modify all are (modify_all_command.h).

// Clears the status text; false when no NC data is loaded (the command stops). Otherwise
// deselects the pieces of partly selected arcs and rebuilds the feed rate table from the
// selected cutting moves, saying so when it cannot hold them all. The caller fills the start
// point fields (startPointTexts).
bool beginModifyPortion(GraphicsDatabase& database, FeedRateTable& table, Reporter& reporter);

// "&Cancel".
void cancelModifyPortion(Reporter& reporter);

// "&Ok": the page's operation in place. A failure is reported and leaves the path as it was.
// After a success the caller refreshes the status window and redraws.
ModifyPortionResult okModifyPortion(GraphicsDatabase& database, const ModifyPortionRequest& request,
                                    const FeedRateTable& table, Reporter& reporter,
                                    MessagePump& pump);

// "&Preview": on the delete and relocate pages the result is built beside the path and shown
// after it (`redraw` runs with it linked in), then "Do you wish to keep this modification?".
// Yes: the result replaces the path, nothing selected; No: it is released and the path and
// extents are as before; `redraw` runs again either way. On the other pages nothing is built
// (the feed page shows its preview text first) and Yes applies the operation.
PreviewOutcome previewModifyPortion(GraphicsDatabase& database, const ModifyPortionRequest& request,
                                    const FeedRateTable& table, Reporter& reporter,
                                    MessagePump& pump, const std::function<void()>& redraw,
                                    ChunkAllocator allocator = &defaultChunkAllocator);

} // namespace korvix
