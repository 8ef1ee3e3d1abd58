#pragma once

#include "display/view_transform.h"
#include "model/canvas.h"
#include "model/list_payloads.h"
#include "model/overlay_state.h"

#include <cstdint>

namespace korvix {

struct Workspace;

// Colours of the marks the renderer adds (0x00BBGGRR).
inline constexpr Rgb kSelectionMarkColor = makeRgb(255, 0, 0);
inline constexpr Rgb kOptionalStopColor = makeRgb(255, 255, 0);
inline constexpr Rgb kTrimPolygonColor = makeRgb(255, 0, 0);

enum class RedrawResult : std::uint8_t {
    Completed, // everything drawn; the reprojection flag is now clear
    Aborted,   // stopped by the abort request; positions will be recomputed next time
    Busy,      // a redraw was already running (called from inside its message pumping)
};

// Paints the whole picture onto the canvas without erasing it first: the toolpath, the
// wire-frame, the animated tool, the identify mark, the trimming polygon, the measurement
// marks, the axis tripod and the screen texts. Recomputes the cached pixel positions and
// drawn flags when the view's reprojection flag is set. Pumps ws.pump once per record and
// stops the walks when ws.redraw.abortRequested becomes set.
RedrawResult fullRedraw(Workspace& ws, Canvas& canvas);

// False only when both points lie outside the drawing area (0, 0)-(W, H) on the same side.
bool segmentVisible(const ViewState& view, PixelPoint a, PixelPoint b);

// True when a mark reaching `reach` pixels around p can touch the canvas. Marks around
// points far off the canvas are left out: none of their pixels would show, and a position
// clamped to the int range cannot be offset without overflowing.
inline bool markOnCanvas(const Canvas& canvas, PixelPoint p, int reach) {
    return p.x >= -reach && p.y >= -reach && p.x <= canvas.width() + reach &&
           p.y <= canvas.height() + reach;
}

// Six arms of 30 pixels from (x, y) along the projected +X, +Y, +Z, -X, -Y, -Z, in the
// current pen mode.
void drawToolMarker(Canvas& canvas, const ViewState& view, int x, int y, Rgb color);

// Recomputes the cached pixel offsets of a tool outline (points relative to the tool tip)
// under the current view.
void projectToolShape(ToolShapeList& shape, const ViewState& view);
// Draws the outline at pixel (x, y) from its cached offsets, in the current pen mode. Every
// pixel its lines cover is drawn once, however many lines cross it, so that an XOR outline
// shows whole in every view and drawing it again erases it.
void drawToolShape(Canvas& canvas, const ToolShapeList& shape, int x, int y, Rgb color);

// The animated tool at its record's pixel position in XOR (shape or marker). Updates the
// tool's last drawn position; a position outside the drawing area hides the tool instead.
void drawAnimatedTool(Workspace& ws, Canvas& canvas);
// The animated tool's picture at pixel (x, y) in XOR, so that drawing it again erases it: the
// current tool's outline when there is one (projected anew first when it is marked stale),
// else the six-armed marker.
void drawToolPicture(Workspace& ws, Canvas& canvas, int x, int y);
// The identify mark of a wire-frame point, projected from its model point, in XOR.
void drawWireframeMark(const WireframeMark& mark, const ViewState& view, Canvas& canvas);
// The trimming polygon in XOR (red; closing edge dotted while it is being drawn). Drawing
// it twice erases it. Nothing is drawn with fewer than 2 vertices.
void drawTrimPolygon(const TrimPolygon& polygon, const ViewState& view, Canvas& canvas);
// The axis tripod in the bottom-left corner of (0, 0)-(width, height) with its X, Y, Z
// letters, in white on the screen (black on paper).
void drawTripod(const ViewState& view, const FontSpec& windowFont, Canvas& canvas,
                Rgb color = kWhite);
// The screen texts in their font; the canvas font returns to the window font.
void drawScreenTexts(const ScreenTexts& texts, const FontSpec& windowFont, Canvas& canvas);

} // namespace korvix
