#pragma once

// The state of a running measurement: the active page, the work plane and the three pick
// slots, and how picks and the Prev / Next / Mid buttons change them. The window keeps one
// session and refreshes its fields and marks from it after every change.

#include "measure/measure_marks.h"
#include "measure/measure_math.h"
#include "model/geometry.h"
#include "model/move_record.h"

#include <array>
#include <cstdint>

namespace korvix {

// The pages of the measurement window, in tab order.
enum class MeasurePage : std::uint8_t { Angle = 0, Line = 1, Arc = 2 };

struct PickSlot {
    bool valid = false;
    MoveRecord* record = nullptr;        // an NC pick: the record whose end point was picked
    WireframePoint* wirePoint = nullptr; // a wire-frame pick
    // A wire-frame pick's own coordinates (its midpoint after Mid), kept apart from the
    // effective ones so that another work plane can start again from them.
    Point3 stored;
    // The coordinates the measurement uses: the pick in the work plane.
    Point3 effective;
};

struct MeasureSession {
    MeasurePage page = MeasurePage::Angle;
    WorkPlane workPlane = WorkPlane::Space3D;
    std::array<PickSlot, 3> slots;
    // The marks as last drawn in XOR, so that drawing them again erases exactly them.
    PixelMarks shownMarks;
    bool marksShown = false;
};

// Number of slots the page measures with: 2 on the line page, else 3.
int slotsUsed(MeasurePage page);

// The window is shown: every slot empty, the work plane "3D space". The page stays, and so
// do marks on the picture (erase them first). The slots point into the graphics database and
// the wire-frame store, so a session must be reset before either list is freed or rebuilt.
void resetSession(MeasureSession& session);

// A pick fills a slot. On the line page it becomes point 2 once point 1 is set (else point
// 1), and point 3 is cleared. On the other pages it becomes point 1 when that is empty,
// else point 3 once point 2 is set, else point 2.
void pickRecord(MeasureSession& session, MoveRecord& record);
void pickWirePoint(MeasureSession& session, WireframePoint& point, const Point3& coordinates);

void setPage(MeasureSession& session, MeasurePage page);
void setWorkPlane(MeasureSession& session, WorkPlane plane);

// Recomputes the effective coordinates: each set slot starts from its record's end point
// or its stored wire-frame coordinates, then points 2 and 3 move into the work plane
// through point 1. Every change above calls it.
void applyWorkPlane(MeasureSession& session);

// The slot Prev, Next and Mid act on: the last set one among those the active page uses (point 3,
// else point 2, else point 1); -1 when none is set.
int lastFilledSlot(const MeasureSession& session);

struct StepButtons {
    bool previous = false;
    bool next = false;
    bool mid = false;
};
// Prev and Next are enabled when the last filled slot's record or wire-frame point has a
// predecessor or successor; Mid when it holds a wire-frame point with a drawn segment to
// halve.
StepButtons stepButtons(const MeasureSession& session);

// Move the last filled slot to the previous or next record of the path (or wire-frame
// point). False, with nothing changed, when there is none.
bool stepPrevious(MeasureSession& session);
bool stepNext(MeasureSession& session);
// Replaces a wire-frame pick by the midpoint of its drawn segment (from its predecessor,
// else to its successor). NC picks are not changed (false).
bool stepMid(MeasureSession& session);

// The effective points of the slots, valid or not.
std::array<Point3, 3> effectivePoints(const MeasureSession& session);
// True when every slot the page measures with is set.
bool pageComplete(const MeasureSession& session, MeasurePage page);

} // namespace korvix
