#pragma once

#include "model/canvas.h"
#include "display/move_description.h"
#include "model/geometry.h"
#include "model/move_record.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace korvix {

struct Workspace;

// The state byte of a location dialog: written by its buttons, read by the stepping loop.
namespace location_state {
inline constexpr int kWaiting = 0;
inline constexpr int kPrevious = 1;
inline constexpr int kCancel = 2; // also when the dialog closes
inline constexpr int kNext = 4;
inline constexpr int kMiddle = 8; // wire-frame dialog only
} // namespace location_state

// One move forward: the successor, or, when that is an arc piece with a further successor,
// the last piece of its arc. Null at the end of the path.
MoveRecord* nextMove(MoveRecord& record);
// One move back: the predecessor, or, when that is an arc piece with a further predecessor,
// the nearest earlier record of another arc group (the end of the move before). Null at the
// start of the path.
MoveRecord* previousMove(MoveRecord& record);

// The point "Mid point" shows: half-way along the segment that ends at `point` when it is
// drawn connected (pen down) to its predecessor, else along the segment to its successor
// when that one is pen down; nothing when neither exists.
std::optional<Point3> wireMidPoint(const WireframePoint& point);

// What a stepping loop needs from its dialog and window.
class LocationDialogHost {
public:
    virtual ~LocationDialogHost() = default;
    virtual void enableSteps(bool previous, bool next) = 0;
    // Sets the state to waiting and returns the state a button (or closing) set. Blocks on
    // the window's events meanwhile; it never spins.
    virtual int waitForButton() = 0;
    // Draws onto the main window's picture.
    virtual void draw(const std::function<void(Canvas&)>& paint) = 0;
};

class NcLocationHost : public LocationDialogHost {
public:
    virtual void showMove(const NcLocationTexts& texts) = 0;
};

class WireLocationHost : public LocationDialogHost {
public:
    virtual void showPoint(const WireLocationTexts& texts) = 0;
};

// Shows `start` and steps through the path by the dialog's buttons until Cancel; the
// animated tool follows the current record. The caller shows and closes the dialog and
// locks the menus.
void runNcStepping(Workspace& ws, MoveRecord& start, NcLocationHost& host);
// The same over wire-frame points, with the wire-frame mark and "Mid point".
void runWireStepping(Workspace& ws, WireframePoint& start, WireLocationHost& host);

} // namespace korvix
