#include "editing/modify_all.h"

#include "editing/modify_all_copies.h"
#include "editing/modify_all_texts.h"
#include "editing/path_status_recompute.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvix {

ModifyAllFailureMessage modifyAllFailureMessage(ModifyAllStatus status) {
    switch (status) {
    case ModifyAllStatus::ArcOutsideXyPlane:
        return {true, kArcOutsideXyPlaneError};
    case ModifyAllStatus::ScaleFactorZero:
        return {true, kScaleFactorZeroError};
    case ModifyAllStatus::OutOfRange:
        return {true, kModifyAllOutOfRangeError};
    case ModifyAllStatus::OutOfMemory:
        return {false, kModifyAllOutOfMemoryStatus};
    case ModifyAllStatus::Done:
    case ModifyAllStatus::NoData:
        break;
    }
    return {};
}

GeometryPlan geometryPlanOf(const ModifyAllRequest& request) {
    switch (request.page) {
    case ModifyAllPage::Mirror:
        return {PointTransform::mirror(request.mirror.mirrorX, request.mirror.mirrorY),
                request.mirror.copy ? 1 : 0};
    case ModifyAllPage::Relocate: {
        const RelocateParameters& p = request.relocate;
        return {PointTransform::translate(p.dx, p.dy, p.dz), std::max(0, p.copies)};
    }
    case ModifyAllPage::Rotate: {
        const RotateParameters& p = request.rotate;
        return {PointTransform::rotate(p.angle, p.aboutX, p.aboutY), std::max(0, p.copies)};
    }
    case ModifyAllPage::Scale:
        return {PointTransform::scale(std::fabs(request.scale.factor)), 0};
    case ModifyAllPage::FeedRates:
        break;
    }
    return {};
}

namespace {

bool finiteParameters(const ModifyAllRequest& request) {
    const auto finite = [](std::initializer_list<double> values) {
        return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    };
    switch (request.page) {
    case ModifyAllPage::Relocate:
        return finite({request.relocate.dx, request.relocate.dy, request.relocate.dz});
    case ModifyAllPage::Rotate:
        return finite({request.rotate.angle, request.rotate.aboutX, request.rotate.aboutY});
    case ModifyAllPage::Scale:
        return finite({request.scale.factor});
    default:
        return true;
    }
}

ModifyAllStatus checkWithReach(const GraphicsDatabase& database, const ModifyAllRequest& request,
                               const PathReach& reach) {
    if (!database.databaseAllocated())
        return ModifyAllStatus::NoData;
    if (!finiteParameters(request))
        return ModifyAllStatus::OutOfRange;
    if (request.page == ModifyAllPage::Scale &&
        static_cast<float>(std::fabs(request.scale.factor)) == 0.0f)
        return ModifyAllStatus::ScaleFactorZero;
    if (request.page == ModifyAllPage::Rotate && reach.arcOutsideXy)
        return ModifyAllStatus::ArcOutsideXyPlane;
    const GeometryPlan plan = geometryPlanOf(request);
    // The copy furthest out decides (a rotation keeps distances, so any copy will do).
    const double bound =
        plan.transform.repeated(std::max(1, plan.copies)).magnitudeBound(reach.magnitude);
    if (!(bound <= std::numeric_limits<float>::max()))
        return ModifyAllStatus::OutOfRange;
    return ModifyAllStatus::Done;
}

} // namespace

ModifyAllStatus checkGeometryChange(const GraphicsDatabase& database,
                                    const ModifyAllRequest& request) {
    return checkWithReach(database, request, pathReach(database.first()));
}

ModifyAllResult applyGeometryChange(GraphicsDatabase& database, const ModifyAllRequest& request,
                                    MessagePump* pump) {
    ModifyAllResult result;
    const PathReach reach = pathReach(database.first());
    result.status = checkWithReach(database, request, reach);
    if (!result.ok())
        return result;
    const GeometryPlan plan = geometryPlanOf(request);
    if (plan.copies >= 1) {
        if (!appendTransformedCopies(database, reach, plan.transform, plan.copies, pump,
                                     result.recordsAdded)) {
            result.status = ModifyAllStatus::OutOfMemory;
            return result;
        }
        recomputePathStatus(database);
        return result;
    }
    // In place, the figures are gathered in the same walk: each record's predecessor has
    // been changed already when the record is added.
    PathStatusAccumulator figures;
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        plan.transform.apply(*r);
        figures.add(*r);
        if (pump != nullptr)
            pump->pump();
    }
    setPathStatus(database, figures.figures());
    return result;
}

ModifyAllResult applyFeedRateChange(GraphicsDatabase& database, const FeedRateTable& table) {
    ModifyAllResult result;
    if (!database.databaseAllocated())
        return result;
    result.status = ModifyAllStatus::Done;
    result.feedsChanged = applyFeedRateTable(database, table);
    // No point moved: the extents stay as the reader widened them.
    const PathStatusFigures figures = pathStatusFigures(database.first());
    database.status.minFeed = figures.minFeed;
    database.status.maxFeed = figures.maxFeed;
    database.status.cuttingTime = figures.cuttingTime;
    return result;
}

ModifyAllResult applyModifyAll(GraphicsDatabase& database, const ModifyAllRequest& request,
                               const FeedRateTable& table, MessagePump* pump) {
    if (request.page == ModifyAllPage::FeedRates)
        return applyFeedRateChange(database, table);
    return applyGeometryChange(database, request, pump);
}

} // namespace korvix
