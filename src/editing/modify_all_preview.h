#pragma once

#include "editing/modify_all.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"
#include "model/reporter.h"

#include <functional>

namespace korvix {

struct ModifyAllPreviewBuild {
    ModifyAllStatus status = ModifyAllStatus::NoData;
    // The changed copy of the path with its own status block, every record selected so that
    // it is drawn dotted. Not allocated for the feed rate page (no geometry to show) and on
    // failure.
    GraphicsDatabase preview;
    bool ok() const { return status == ModifyAllStatus::Done; }
};

// Builds the single change of the request's page into a separate list: one record per
// record, same sequence and block number, without copies (the copy box and the numbers of
// copies are for "&Ok" only). The database is not touched. Out of memory, the partial copy
// is released.
ModifyAllPreviewBuild buildModifyAllPreview(const GraphicsDatabase& database,
                                            const ModifyAllRequest& request,
                                            MessagePump* pump = nullptr,
                                            ChunkAllocator allocator = &defaultChunkAllocator);

// A preview on show: while it lives, the path's last record leads on to the preview's first
// (so one walk of the database draws both) and the database extents cover both. keep() makes
// the preview the path; discard() (or the destructor) puts everything back as it was.
class ShownPreview {
public:
    ShownPreview(GraphicsDatabase& database, GraphicsDatabase preview);
    ~ShownPreview();
    ShownPreview(const ShownPreview&) = delete;
    ShownPreview& operator=(const ShownPreview&) = delete;

    // The preview replaces the path: no record stays selected, and the status block is the
    // preview's (`ncLoaded` stays set).
    void keep();
    // The preview is released; the path, its last record and the extents are as before.
    void discard();

private:
    void unlink();

    GraphicsDatabase& m_database;
    GraphicsDatabase m_preview;
    MoveRecord* m_last = nullptr;
    MoveRecord m_savedLast{};
    DatabaseStatus m_savedStatus;
    bool m_linked = false;
    bool m_finished = false;
};

// Shows the preview after the path (drawn through `redraw`, which may be empty), asks whether
// to keep the modification and keeps or discards it, redrawing after; true when kept.
bool askAboutPreview(GraphicsDatabase& database, GraphicsDatabase preview, Reporter& reporter,
                     const std::function<void()>& redraw);

} // namespace korvix
