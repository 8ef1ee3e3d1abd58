#include "editing/modify_all_preview.h"

#include "editing/modify_all_texts.h"
#include "editing/path_status_recompute.h"

#include <utility>

namespace korvix {
namespace {

// Chunks of the preview start large: it is as long as the path.
constexpr std::size_t kPreviewFirstChunk = 4096;

bool copyPath(const GraphicsDatabase& database, const PointTransform& transform,
              NodeList<MoveRecord>& list, MessagePump* pump) {
    MoveRecord* tail = nullptr;
    for (const MoveRecord* source = database.first(); source != nullptr; source = source->next) {
        if (tail == nullptr) {
            if (!list.createFirst())
                return false;
            tail = list.head();
        } else if (!list.append(tail)) {
            return false;
        }
        MoveRecord* const prev = tail->prev;
        *tail = *source;
        tail->prev = prev;
        tail->next = nullptr;
        tail->selected = 1;
        transform.apply(*tail);
        if (pump != nullptr)
            pump->pump();
    }
    return true;
}

} // namespace

ModifyAllPreviewBuild buildModifyAllPreview(const GraphicsDatabase& database,
                                            const ModifyAllRequest& request, MessagePump* pump,
                                            ChunkAllocator allocator) {
    ModifyAllPreviewBuild build;
    if (!database.databaseAllocated())
        return build;
    if (request.page == ModifyAllPage::FeedRates) {
        build.status = ModifyAllStatus::Done;
        return build;
    }
    // The preview shows the change without its copies.
    ModifyAllRequest single = request;
    single.mirror.copy = false;
    single.relocate.copies = 0;
    single.rotate.copies = 0;
    build.status = checkGeometryChange(database, single);
    if (!build.ok())
        return build;
    build.preview.records = NodeList<MoveRecord>(allocator, kPreviewFirstChunk);
    if (!copyPath(database, geometryPlanOf(single).transform, build.preview.records, pump)) {
        build.preview.records.freeAll();
        build.status = ModifyAllStatus::OutOfMemory;
        return build;
    }
    recomputePathStatus(build.preview);
    build.preview.status.ncLoaded = true;
    return build;
}

ShownPreview::ShownPreview(GraphicsDatabase& database, GraphicsDatabase preview)
    : m_database(database), m_preview(std::move(preview)), m_savedStatus(database.status) {
    if (!m_database.databaseAllocated() || !m_preview.databaseAllocated())
        return;
    m_last = m_database.records.lastAndCount().first;
    m_savedLast = *m_last;
    m_last->next = m_preview.first();
    m_preview.first()->prev = m_last;
    m_linked = true;
    // The view fitting and the drawing must see the preview too. Both boxes hold their Y
    // pair in screen orientation; they are joined in true orientation.
    Extents shown = m_preview.status.extents;
    Extents joined = m_database.status.extents;
    shown.negateY();
    joined.negateY();
    joined.widen(shown.minX, shown.minY, shown.minZ);
    joined.widen(shown.maxX, shown.maxY, shown.maxZ);
    joined.negateY();
    m_database.status.extents = joined;
}

ShownPreview::~ShownPreview() {
    if (!m_finished)
        discard();
}

void ShownPreview::unlink() {
    if (!m_linked)
        return;
    m_preview.first()->prev = nullptr;
    *m_last = m_savedLast;
    m_linked = false;
}

void ShownPreview::keep() {
    if (m_finished)
        return;
    m_finished = true;
    unlink();
    if (!m_preview.databaseAllocated()) {
        m_database.status = m_savedStatus;
        return;
    }
    for (MoveRecord* r = m_preview.first(); r != nullptr; r = r->next)
        r->selected = 0;
    const bool loaded = m_savedStatus.ncLoaded;
    m_database.records = std::move(m_preview.records);
    m_database.status = m_preview.status;
    m_database.status.ncLoaded = loaded || m_database.status.ncLoaded;
}

void ShownPreview::discard() {
    if (m_finished)
        return;
    m_finished = true;
    unlink();
    m_preview.records.freeAll();
    m_database.status = m_savedStatus;
}

bool askAboutPreview(GraphicsDatabase& database, GraphicsDatabase preview, Reporter& reporter,
                     const std::function<void()>& redraw) {
    const auto draw = [&redraw] {
        if (redraw)
            redraw();
    };
    ShownPreview shown(database, std::move(preview));
    draw();
    const bool keep = reporter.confirm(kKeepModificationQuestion);
    if (keep)
        shown.keep();
    else
        shown.discard();
    draw();
    return keep;
}

} // namespace korvix
