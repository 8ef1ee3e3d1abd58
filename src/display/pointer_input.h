#pragma once

#include "model/canvas.h"
#include "model/move_record.h"

#include <cstdint>

namespace korvix {

// What a left-button drag on the drawing area means. The values are the window's pick mode
// byte; in edit mode with a selection armed, Point, Pan and ZoomWindow mean the single-move,
// line and box selections.
enum class PickMode : std::uint8_t {
    None = 0,
    Point = 1,
    Pan = 2,
    ZoomWindow = 4,
    TrimBox = 8,
    TrimPolygon = 16,
    DynamicPan = 32,
    DynamicRotate = 64,
    DynamicZoom = 128,
};

inline bool isDynamicMode(PickMode mode) {
    return mode == PickMode::DynamicPan || mode == PickMode::DynamicZoom ||
           mode == PickMode::DynamicRotate;
}

// What the main window remembers about the mouse between its events, in client pixels.
struct PointerState {
    PickMode mode = PickMode::None;
    bool buttonDown = false; // a left-button drag is in progress
    PixelPoint press;        // where the drag began
    PixelPoint last;         // the drag's last point (the far end of the rubber band)
    PixelPoint lastMouse;    // updated on every move; screen texts are placed here

    // A selection pick is armed (edit mode): the pick sets the selected flags to
    // `pendingSelectionValue`.
    bool selectionArmed = false;
    int pendingSelectionValue = 0;
};

// The rubber band a mode draws while the button is down: a line for pan, a box for the window
// zoom and the trim box, nothing for the others.
enum class RubberBand : std::uint8_t { None, Line, Box };
RubberBand rubberBandOf(PickMode mode);

inline constexpr Rgb kRubberBandColor = makeRgb(255, 0, 0);

// The rubber band between the press point and `to`, in XOR: drawn twice it is gone. A band
// of no length is not drawn at all, so the first erase of a new drag draws nothing.
void xorRubberBand(Canvas& canvas, PickMode mode, PixelPoint from, PixelPoint to);

// What the window must do for a mouse event, decided without a window.
enum class PointerAction : std::uint8_t {
    None,
    MoveBand,      // erase the band from press to `previous`, draw it from press to `to`
    DynamicStep,   // one step of the dynamic mode from `previous` to `to`
    EndDynamic,    // the dynamic drag is over: redraw from scratch
    TrimBox,       // trim with the box from press to `to`
    SelectionPick, // select with the pick `mode` from press to `to`, setting `value`
    PointPick,     // identify (or measure) at the press point
    Pan,           // pan from press to `to`
    ZoomWindow,    // zoom onto the box from press to `to`
    PolygonVertex, // add a trim polygon vertex at `to`
};

struct PointerDecision {
    PointerAction action = PointerAction::None;
    PickMode mode = PickMode::None; // the mode the gesture was made in
    PixelPoint press;
    PixelPoint previous;
    PixelPoint to;
    int value = 0; // SelectionPick: the value the selected flags get
    // Release only: the rubber band from press to `previous` is on the screen and must go
    // before anything else changes.
    bool eraseBand = false;
};

// What the window knows at a release that changes the outcome.
struct PointerContext {
    bool dataLoaded = false;        // NC or wire-frame data is in memory
    bool measurementActive = false; // picks feed a measurement; the point mode stays armed
    bool polygonActive = false;     // a trim polygon is being drawn
};

// A button went down. Only the left button starts a drag, and not while a polygon is drawn
// (its vertices come with the releases). Returns true when a drag started.
bool pointerPressed(PointerState& state, PixelPoint at, bool leftButton);

// The mouse moved (with or without a button).
PointerDecision pointerMoved(PointerState& state, PixelPoint at, const PointerContext& context);

// A button came up: ends the drag and says what it meant; the pick mode (and the armed
// selection) afterwards is already set in `state`.
PointerDecision pointerReleased(PointerState& state, PixelPoint at, bool leftButton,
                                const PointerContext& context);

// Esc: the box zoom and pan modes are disarmed (true when one was).
bool disarmViewPick(PointerState& state);

} // namespace korvix
