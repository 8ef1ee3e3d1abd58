#pragma once

#include "model/canvas.h"
#include "model/geometry.h"
#include "model/move_record.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace korvix {

// The animated tool, shared by the animation, identify stepping and the renderer. While
// `toolShown` is set the tool picture (XOR) is on the screen at (lastX, lastY); a full redraw
// paints it again at the current record so that it survives the redraw.
struct AnimationState {
    bool toolShown = false;
    MoveRecord* record = nullptr;     // the current animation record
    MoveRecord* lastRecord = nullptr; // the last record visited
    int toolNumber = -1;              // -1: none yet
    // True when Workspace::toolShape holds the current tool's outline; otherwise the
    // six-armed tool marker is drawn.
    bool hasShape = false;
    Rgb toolColor = kWhite;
    bool shapeReprojection = true; // the outline's cached pixel offsets are stale
    int lastX = 0, lastY = 0;      // where the tool picture was last drawn
    bool hidden = false;           // the tool's position lies outside the drawing area
    int stepDelayMs = 0;
    // A location dialog (or the animation) steps through the path: its records must stay
    // put, and a second pick waits until it is over.
    bool stepping = false;
    bool startPending = false; // "Starting at picked position" waits for its pick
    // Esc or a view change asks a running animation to end. A redraw clears its own abort
    // request when it is over, so the animation keeps a request of its own.
    bool stopRequested = false;
};

// The wire-frame point marked by identify: the tool marker in XOR at a model point.
struct WireframeMark {
    bool shown = false;
    double x = 0, y = 0, z = 0;
    Rgb color = kWhite;
};

// The trimming polygon, vertices in drawing units (u, v) of the view it was drawn in.
struct TrimPolygon {
    static constexpr int kMaxVertices = 250;
    std::array<std::array<float, 2>, kMaxVertices> vertices{};
    int count = 0;
    bool active = false; // still being drawn: the closing edge is dotted

    bool add(float u, float v) {
        if (count >= kMaxVertices)
            return false;
        vertices[static_cast<std::size_t>(count++)] = {u, v};
        return true;
    }
};

// Labels placed on the screen; they keep their pixel positions when the view changes.
struct ScreenText {
    int x = 0, y = 0;
    std::string text;
};
struct ScreenTexts {
    static constexpr int kMaxTexts = 100;
    std::vector<ScreenText> entries;
    // One font for all texts (the design font of the text field: System, bold, 15, white).
    FontSpec font{"System", 15, true, false, kWhite};
};

// Overlays drawn by other subsystems at the end of every full redraw. The measurement
// installs its marks while a measurement is active and removes them when it ends.
//
// A running measurement also receives the finds of the point pick, here rather than through
// the identify dialogs: the NC record, or the wire-frame point with the model point picked on
// its segment. `highlight` paints the pick's highlight of the found move; the measurement
// paints it while its own XOR marks are off the picture, so that erasing them later gives
// back exactly the highlighted picture. All three are empty while no measurement runs.
using CanvasPaint = std::function<void(Canvas&)>;
struct OverlayHooks {
    CanvasPaint measurement;
    std::function<void(MoveRecord&, const CanvasPaint& highlight)> measureRecord;
    std::function<void(WireframePoint&, const Point3& picked, const CanvasPaint& highlight)>
        measureWirePoint;
};

} // namespace korvix
