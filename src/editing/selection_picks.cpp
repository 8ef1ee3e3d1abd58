#include "editing/selection_picks.h"

#include "display/pick_search.h"
#include "model/geometry.h"

#include <algorithm>

namespace korvix {
namespace {

Point2 screenPoint(const MoveRecord& r) {
    return {static_cast<double>(r.screenX), static_cast<double>(r.screenY)};
}

// A record ends a segment of the picture: a move (the start point only moves the pen) that
// the last redraw drew.
bool drawnMove(const MoveRecord& r) {
    return r.kind != kKindStartPoint && r.visible != 0;
}

} // namespace

SelectionOutcome selectSingleMove(GraphicsDatabase& database, int value, bool bothPoints,
                                  PixelPoint at) {
    SelectionOutcome outcome;
    const MovePick pick = findNearestMove(database, at);
    if (pick.record != nullptr)
        outcome.firstPicked =
            &markPickedMove(*pick.record, selectionFlag(value), bothPoints, outcome.changedRecords);
    return outcome;
}

SelectionOutcome selectByLine(GraphicsDatabase& database, int value, bool bothPoints,
                              PixelPoint from, PixelPoint to) {
    SelectionOutcome outcome;
    MoveRecord* const first = database.first();
    if (first == nullptr)
        return outcome;
    const std::uint8_t flag = selectionFlag(value);
    const Point2 lineStart{static_cast<double>(from.x), static_cast<double>(from.y)};
    const Point2 lineEnd{static_cast<double>(to.x), static_cast<double>(to.y)};
    Point2 previous = screenPoint(*first);
    for (MoveRecord* r = first->next; r != nullptr; r = r->next) {
        const Point2 here = screenPoint(*r);
        if (drawnMove(*r) && segmentIntersection(previous, here, lineStart, lineEnd, true)) {
            // Any other crossing piece of the same arc would mark the same records again.
            r = &markPickedMove(*r, flag, bothPoints, outcome.changedRecords);
            if (outcome.firstPicked == nullptr)
                outcome.firstPicked = r;
            previous = screenPoint(*r);
            continue;
        }
        previous = here;
    }
    return outcome;
}

SelectionOutcome selectByBox(GraphicsDatabase& database, int value, PixelPoint corner1,
                             PixelPoint corner2) {
    SelectionOutcome outcome;
    const std::uint8_t flag = selectionFlag(value);
    const int left = std::min(corner1.x, corner2.x);
    const int right = std::max(corner1.x, corner2.x);
    const int top = std::min(corner1.y, corner2.y);
    const int bottom = std::max(corner1.y, corner2.y);
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (r->screenX >= left && r->screenX <= right && r->screenY >= top &&
            r->screenY <= bottom) {
            // The rest of an arc is marked with its first point in the box.
            r = &markWidened(*r, flag, outcome.changedRecords);
            if (outcome.firstPicked == nullptr)
                outcome.firstPicked = r;
        }
    }
    return outcome;
}

SelectionOutcome runSelectionPick(GraphicsDatabase& database, PickMode pickMode, int value,
                                  bool bothPoints, PixelPoint press, PixelPoint release) {
    switch (pickMode) {
    case kSelectionPickSingle:
        return selectSingleMove(database, value, bothPoints, release);
    case kSelectionPickLine:
        return selectByLine(database, value, bothPoints, press, release);
    case kSelectionPickBox:
        return selectByBox(database, value, press, release);
    default:
        return {};
    }
}

} // namespace korvix
