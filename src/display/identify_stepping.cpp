#include "display/identify_stepping.h"

#include "display/identify_cursor.h"
#include "model/workspace.h"

namespace korvix {
namespace {

Point3 pointOf(const WireframePoint& p) {
    return {p.x, p.y, p.z};
}

Point3 midPoint(const WireframePoint& a, const WireframePoint& b) {
    return {a.x + 0.5 * (static_cast<double>(b.x) - a.x),
            a.y + 0.5 * (static_cast<double>(b.y) - a.y),
            a.z + 0.5 * (static_cast<double>(b.z) - a.z)};
}

void showRecord(Workspace& ws, MoveRecord& record, NcLocationHost& host) {
    host.draw([&](Canvas& canvas) { moveAnimatedTool(ws, canvas, record); });
    host.showMove(describeMove(record));
    ws.programText.showMove(record);
}

void showWirePoint(Workspace& ws, const Point3& point, WireLocationHost& host) {
    host.draw([&](Canvas& canvas) { moveWireframeMark(ws, canvas, point); });
    host.showPoint(describePoint(point));
}

} // namespace

MoveRecord* nextMove(MoveRecord& record) {
    MoveRecord* next = record.next;
    if (next == nullptr || !isArcPiece(*next))
        return next;
    while (next->next != nullptr && next->next->sequence == next->sequence)
        next = next->next;
    return next;
}

MoveRecord* previousMove(MoveRecord& record) {
    MoveRecord* previous = record.prev;
    if (previous == nullptr || !isArcPiece(*previous) || previous->prev == nullptr)
        return previous;
    while (previous->prev != nullptr && previous->sequence == record.sequence)
        previous = previous->prev;
    return previous;
}

std::optional<Point3> wireMidPoint(const WireframePoint& point) {
    if (point.prev != nullptr && point.penDown != 0)
        return midPoint(*point.prev, point);
    if (point.next != nullptr && point.next->penDown != 0)
        return midPoint(point, *point.next);
    return std::nullopt;
}

void runNcStepping(Workspace& ws, MoveRecord& start, NcLocationHost& host) {
    MoveRecord* current = &start;
    showRecord(ws, *current, host);
    for (;;) {
        host.enableSteps(current->prev != nullptr, current->next != nullptr);
        const int state = host.waitForButton();
        if (state == location_state::kCancel)
            return;
        MoveRecord* target = nullptr;
        if (state == location_state::kPrevious && current->prev != nullptr)
            target = previousMove(*current);
        else if (state == location_state::kNext && current->next != nullptr)
            target = nextMove(*current);
        if (target != nullptr) {
            current = target;
            showRecord(ws, *current, host);
        }
    }
}

void runWireStepping(Workspace& ws, WireframePoint& start, WireLocationHost& host) {
    WireframePoint* current = &start;
    showWirePoint(ws, pointOf(*current), host);
    for (;;) {
        host.enableSteps(current->prev != nullptr, current->next != nullptr);
        const int state = host.waitForButton();
        if (state == location_state::kCancel)
            return;
        if (state == location_state::kPrevious && current->prev != nullptr) {
            current = current->prev;
            showWirePoint(ws, pointOf(*current), host);
        } else if (state == location_state::kNext && current->next != nullptr) {
            current = current->next;
            showWirePoint(ws, pointOf(*current), host);
        } else if (state == location_state::kMiddle) {
            if (const std::optional<Point3> middle = wireMidPoint(*current))
                showWirePoint(ws, *middle, host);
        }
    }
}

} // namespace korvix
