#include "editing/modify_portion.h"

#include "editing/path_status_recompute.h"
#include "editing/selection_marking.h"
#include "model/number_text.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

namespace korvix {
namespace {

// Chunks of the preview start large: it is as long as the path.
constexpr std::size_t kPreviewFirstChunk = 4096;

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

bool fitsFloat(double value) {
    return std::fabs(value) <= std::numeric_limits<float>::max();
}

// The largest stored coordinate or centre of the selected records.
double selectedMagnitude(const GraphicsDatabase& database) {
    double magnitude = 0;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (r->selected == 0)
            continue;
        for (const float v : {r->x, r->y, r->z, r->centerX, r->centerY, r->centerZ})
            magnitude = std::max(magnitude, std::fabs(static_cast<double>(v)));
    }
    return magnitude;
}

ModifyPortionResult done(GraphicsDatabase& database, std::size_t changed) {
    recomputePathStatus(database);
    return {ModifyAllStatus::Done, changed};
}

// Keeps the stored coordinate when the value reads as the field text shown for it.
float startCoordinate(float stored, double wanted) {
    if (startPointFieldText(wanted) == startPointFieldText(stored))
        return stored;
    return static_cast<float>(wanted);
}

bool copyPath(const GraphicsDatabase& database, NodeList<MoveRecord>& list, MessagePump* pump) {
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
        if (pump != nullptr)
            pump->pump();
    }
    return true;
}

} // namespace

std::string startPointFieldText(double value) {
    return fixed7(value, 5);
}

std::size_t deselectPartialArcs(GraphicsDatabase& database) {
    std::size_t changed = 0;
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (!isArcPiece(*r))
            continue;
        MoveRecord& last = arcGroupLast(*r);
        bool all = true, any = false;
        for (MoveRecord* p = r;; p = p->next) {
            all = all && p->selected != 0;
            any = any || p->selected != 0;
            if (p == &last)
                break;
        }
        if (any && !all)
            for (MoveRecord* p = r;; p = p->next) {
                markRecord(*p, 0, changed);
                if (p == &last)
                    break;
            }
        r = &last;
    }
    return changed;
}

ModifyPortionResult deleteSelected(GraphicsDatabase& database, MessagePump* pump) {
    if (!database.databaseAllocated())
        return {};
    deselectPartialArcs(database);
    MoveRecord* const first = database.first();
    first->selected = 0;
    std::size_t deleted = 0;
    MoveRecord* r = first->next;
    while (r != nullptr) {
        MoveRecord* const next = r->next;
        if (r->selected != 0) {
            r->prev->next = next;
            if (next != nullptr)
                next->prev = r->prev;
            database.records.release(r);
            ++deleted;
        }
        r = next;
        if (pump != nullptr)
            pump->pump();
    }
    return done(database, deleted);
}

ModifyPortionResult applySelectedFeedRates(GraphicsDatabase& database, const FeedRateTable& table) {
    if (!database.databaseAllocated())
        return {};
    deselectPartialArcs(database);
    const std::size_t changed = applyFeedRateTable(database, table, FeedRateMoves::SelectedOnly);
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next)
        r->selected = 0;
    return done(database, changed);
}

ModifyPortionResult relocateSelected(GraphicsDatabase& database, double dx, double dy, double dz,
                                     MessagePump* pump) {
    if (!database.databaseAllocated())
        return {};
    if (!finite({dx, dy, dz}) ||
        !fitsFloat(selectedMagnitude(database) +
                   std::max({std::fabs(dx), std::fabs(dy), std::fabs(dz)})))
        return {ModifyAllStatus::OutOfRange, 0};
    deselectPartialArcs(database);
    std::size_t moved = 0;
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (r->selected == 0)
            continue;
        r->x = static_cast<float>(r->x + dx);
        r->y = static_cast<float>(r->y + dy);
        r->z = static_cast<float>(r->z + dz);
        r->centerX = static_cast<float>(r->centerX + dx);
        r->centerY = static_cast<float>(r->centerY + dy);
        r->centerZ = static_cast<float>(r->centerZ + dz);
        r->selected = 0;
        ++moved;
        if (pump != nullptr)
            pump->pump();
    }
    return done(database, moved);
}

ModifyPortionResult relocateStartPoint(GraphicsDatabase& database, double x, double y, double z) {
    if (!database.databaseAllocated())
        return {};
    MoveRecord& first = *database.first();
    if (!finite({x, y, z}))
        return {ModifyAllStatus::OutOfRange, 0};
    const double dx = x - first.x, dy = y - first.y, dz = z - first.z;
    const double centre =
        std::max({std::fabs(first.centerX), std::fabs(first.centerY), std::fabs(first.centerZ)});
    const double offset = std::max({std::fabs(dx), std::fabs(dy), std::fabs(dz)});
    if (!fitsFloat(x) || !fitsFloat(y) || !fitsFloat(z) || !fitsFloat(centre + offset))
        return {ModifyAllStatus::OutOfRange, 0};
    const float nx = startCoordinate(first.x, x);
    const float ny = startCoordinate(first.y, y);
    const float nz = startCoordinate(first.z, z);
    const bool moves = nx != first.x || ny != first.y || nz != first.z;
    if (moves) {
        first.centerX = static_cast<float>(first.centerX + (double{nx} - first.x));
        first.centerY = static_cast<float>(first.centerY + (double{ny} - first.y));
        first.centerZ = static_cast<float>(first.centerZ + (double{nz} - first.z));
        first.x = nx;
        first.y = ny;
        first.z = nz;
    }
    return done(database, moves ? 1 : 0);
}

ModifyPortionResult setSelectedOptionalStops(GraphicsDatabase& database, bool enable) {
    if (!database.databaseAllocated())
        return {};
    deselectPartialArcs(database);
    const std::uint8_t flag = enable ? 1 : 0;
    std::size_t changed = 0;
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (r->selected == 0)
            continue;
        if (r->optionalStop != flag) {
            r->optionalStop = flag;
            ++changed;
        }
        r->selected = 0;
    }
    return done(database, changed);
}

ModifyPortionResult applyModifyPortion(GraphicsDatabase& database,
                                       const ModifyPortionRequest& request,
                                       const FeedRateTable& table, MessagePump* pump) {
    switch (request.page) {
    case ModifyPortionPage::Delete:
        return deleteSelected(database, pump);
    case ModifyPortionPage::FeedRates:
        return applySelectedFeedRates(database, table);
    case ModifyPortionPage::Relocate:
        return relocateSelected(database, request.dx, request.dy, request.dz, pump);
    case ModifyPortionPage::StartPoint:
        return relocateStartPoint(database, request.startX, request.startY, request.startZ);
    case ModifyPortionPage::OptionalStop:
        return setSelectedOptionalStops(database, request.enableOptionalStops);
    }
    return {};
}

bool modifyPortionBuildsPreview(ModifyPortionPage page) {
    return page == ModifyPortionPage::Delete || page == ModifyPortionPage::Relocate;
}

ModifyAllPreviewBuild buildModifyPortionPreview(const GraphicsDatabase& database,
                                                const ModifyPortionRequest& request,
                                                MessagePump* pump, ChunkAllocator allocator) {
    ModifyAllPreviewBuild build;
    if (!database.databaseAllocated())
        return build;
    build.status = ModifyAllStatus::Done;
    if (!modifyPortionBuildsPreview(request.page))
        return build;
    build.preview.records = NodeList<MoveRecord>(allocator, kPreviewFirstChunk);
    if (!copyPath(database, build.preview.records, pump)) {
        build.preview.records.freeAll();
        build.status = ModifyAllStatus::OutOfMemory;
        return build;
    }
    // The copy carries the selection, so the operation finds in it what it would find in
    // the path.
    const FeedRateTable noFeeds;
    const ModifyPortionResult applied = applyModifyPortion(build.preview, request, noFeeds, pump);
    if (!applied.ok()) {
        build.preview.records.freeAll();
        build.status = applied.status;
        return build;
    }
    for (MoveRecord* r = build.preview.first(); r != nullptr; r = r->next)
        r->selected = 1;
    build.preview.status.ncLoaded = true;
    return build;
}

} // namespace korvix
