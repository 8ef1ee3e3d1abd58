#include "measure/measure_session.h"

#include "display/identify_stepping.h"

namespace korvix {
namespace {

Point3 endPoint(const MoveRecord& r) {
    return {r.x, r.y, r.z};
}

Point3 coordinatesOf(const WireframePoint& p) {
    return {p.x, p.y, p.z};
}

// The slot a new pick goes into, by the page.
std::size_t slotForPick(MeasureSession& session) {
    std::array<PickSlot, 3>& slots = session.slots;
    if (session.page == MeasurePage::Line) {
        slots[2] = PickSlot{};
        return slots[0].valid ? 1 : 0;
    }
    if (!slots[0].valid)
        return 0;
    return slots[1].valid ? 2 : 1;
}

PickSlot* lastSlot(MeasureSession& session) {
    const int index = lastFilledSlot(session);
    return index < 0 ? nullptr : &session.slots[static_cast<std::size_t>(index)];
}

const PickSlot* lastSlot(const MeasureSession& session) {
    const int index = lastFilledSlot(session);
    return index < 0 ? nullptr : &session.slots[static_cast<std::size_t>(index)];
}

void holdRecord(PickSlot& slot, MoveRecord& record) {
    slot = PickSlot{};
    slot.valid = true;
    slot.record = &record;
}

void holdWirePoint(PickSlot& slot, WireframePoint& point, const Point3& coordinates) {
    slot = PickSlot{};
    slot.valid = true;
    slot.wirePoint = &point;
    slot.stored = coordinates;
}

// Moves the last filled slot one record or wire-frame point along the path.
bool step(MeasureSession& session, bool forward) {
    PickSlot* slot = lastSlot(session);
    if (slot == nullptr)
        return false;
    if (slot->record != nullptr) {
        MoveRecord* to = forward ? slot->record->next : slot->record->prev;
        if (to == nullptr)
            return false;
        holdRecord(*slot, *to);
    } else if (slot->wirePoint != nullptr) {
        WireframePoint* to = forward ? slot->wirePoint->next : slot->wirePoint->prev;
        if (to == nullptr)
            return false;
        holdWirePoint(*slot, *to, coordinatesOf(*to));
    } else {
        return false;
    }
    applyWorkPlane(session);
    return true;
}

} // namespace

int slotsUsed(MeasurePage page) {
    return page == MeasurePage::Line ? 2 : 3;
}

void resetSession(MeasureSession& session) {
    session.slots = {};
    session.workPlane = WorkPlane::Space3D;
}

void pickRecord(MeasureSession& session, MoveRecord& record) {
    holdRecord(session.slots[slotForPick(session)], record);
    applyWorkPlane(session);
}

void pickWirePoint(MeasureSession& session, WireframePoint& point, const Point3& coordinates) {
    holdWirePoint(session.slots[slotForPick(session)], point, coordinates);
    applyWorkPlane(session);
}

void setPage(MeasureSession& session, MeasurePage page) {
    session.page = page;
    applyWorkPlane(session);
}

void setWorkPlane(MeasureSession& session, WorkPlane plane) {
    session.workPlane = plane;
    applyWorkPlane(session);
}

void applyWorkPlane(MeasureSession& session) {
    for (PickSlot& slot : session.slots) {
        if (!slot.valid)
            slot.effective = {};
        else if (slot.record != nullptr)
            slot.effective = endPoint(*slot.record);
        else
            slot.effective = slot.stored;
    }
    // Only set points follow point 1 into the plane; without point 1 there is no plane yet.
    if (!session.slots[0].valid)
        return;
    std::array<Point3, 3> points = effectivePoints(session);
    projectToWorkPlane(session.workPlane, points);
    for (std::size_t i = 1; i < points.size(); ++i)
        if (session.slots[i].valid)
            session.slots[i].effective = points[i];
}

int lastFilledSlot(const MeasureSession& session) {
    for (int i = slotsUsed(session.page) - 1; i >= 0; --i)
        if (session.slots[static_cast<std::size_t>(i)].valid)
            return i;
    return -1;
}

StepButtons stepButtons(const MeasureSession& session) {
    StepButtons buttons;
    const PickSlot* slot = lastSlot(session);
    if (slot == nullptr)
        return buttons;
    if (slot->record != nullptr) {
        buttons.previous = slot->record->prev != nullptr;
        buttons.next = slot->record->next != nullptr;
    } else if (slot->wirePoint != nullptr) {
        buttons.previous = slot->wirePoint->prev != nullptr;
        buttons.next = slot->wirePoint->next != nullptr;
        buttons.mid = wireMidPoint(*slot->wirePoint).has_value();
    }
    return buttons;
}

bool stepPrevious(MeasureSession& session) {
    return step(session, false);
}

bool stepNext(MeasureSession& session) {
    return step(session, true);
}

bool stepMid(MeasureSession& session) {
    PickSlot* slot = lastSlot(session);
    if (slot == nullptr || slot->wirePoint == nullptr)
        return false;
    const std::optional<Point3> mid = wireMidPoint(*slot->wirePoint);
    if (!mid)
        return false;
    slot->stored = *mid;
    applyWorkPlane(session);
    return true;
}

std::array<Point3, 3> effectivePoints(const MeasureSession& session) {
    return {session.slots[0].effective, session.slots[1].effective, session.slots[2].effective};
}

bool pageComplete(const MeasureSession& session, MeasurePage page) {
    for (int i = 0; i < slotsUsed(page); ++i)
        if (!session.slots[static_cast<std::size_t>(i)].valid)
            return false;
    return true;
}

} // namespace korvix
