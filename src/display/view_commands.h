#pragma once

#include "model/canvas.h"
#include "display/renderer.h"
#include "display/view_transform.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace korvix {

struct Workspace;

// ---- Changes of the view alone (no drawing). Each marks the cached positions stale.

enum class StandardView : std::uint8_t { XY, XZ, YZ, Iso1, Iso2, Iso3, Iso4 };

struct StandardViewAngles {
    double a, b, c;
};
StandardViewAngles standardViewAngles(StandardView view);
// The status text of the view command (" "XY" view...", " "ISOMETRIC" view #1...").
std::string_view standardViewStatus(StandardView view);
// "xy", "xz", "yz", "iso1" .. "iso4" (the command-line names); false when unknown.
bool standardViewFromName(std::string_view name, StandardView& view);

// The extents box of the fit source: the NC toolpath's or the wire-frame's.
const Extents& fitSourceExtents(const Workspace& ws);
// Fits the fit source's box under the current angles.
void fitView(Workspace& ws);
// Sets the view's angles and fits the fit source's box.
void setStandardView(Workspace& ws, StandardView view);

inline constexpr double kZoomInFactor = 0.75;
inline constexpr double kZoomOutFactor = 1.333; // not 4/3: an In and an Out leave 0.99975
// Scales the half-widths of the window box about its centre and fits the result.
void zoomView(ViewState& view, double factor);

// Pan by drag: moves the window box by the drawing-unit distance between the two pixels so
// that the picture follows the mouse.
void panView(ViewState& view, PixelPoint press, PixelPoint release);

enum class WindowZoomResult : std::uint8_t { Zoomed, TooSmall };
inline constexpr std::string_view kZoomWindowTooSmallText = "Zoom window too small...";
// Fits the rectangle between two pixels; TooSmall (view unchanged) when it has no width or
// no height in drawing units.
WindowZoomResult zoomToWindow(ViewState& view, PixelPoint a, PixelPoint b);

// One step of dynamic zoom: the mouse moved from previousY to currentY.
void dynamicZoomStep(ViewState& view, int previousY, int currentY);
// One step of dynamic rotation from the press point: one degree per three pixels, added to
// the angles saved at the press (baseA, baseB); the fit source is fitted again.
void dynamicRotateStep(Workspace& ws, PixelPoint press, PixelPoint current);
// Saves A and B as the rotation base (at a left-button press).
inline void saveRotationBase(ViewState& view) {
    view.baseA = view.angleA;
    view.baseB = view.angleB;
}

enum class RotationAxis : std::uint8_t { A, B, C };
// F5/F6/F7 (direction -1) and Shift+F5/F6/F7 (+1): one rotation step, no new fit.
void rotateByStep(ViewState& view, RotationAxis axis, int direction);

inline constexpr std::string_view kRotationStepCaption = "New view rotation value";
inline constexpr std::string_view kRotationStepPrompt = "Enter new rotation value (IN DEGREES)";
// The F8 input box's initial text: the step in fixed notation, 5 decimals.
std::string rotationStepText(const ViewState& view);
// Takes the text entered in the F8 box: the step becomes its absolute value. On a bad
// number returns the conversion message and leaves the step as it was.
bool setRotationStepFromText(ViewState& view, std::string_view text, std::string& error);

// ---- Commands: the whole handler minus the menu plumbing. Each sets the abort request;
// if a redraw is running it does nothing more (the user repeats the command once the
// redraw has stopped). Otherwise it erases the canvas, writes its status text, pumps,
// changes the view and redraws.

// Sets the abort request; true when no redraw is running and the command may go on.
bool requestViewChange(Workspace& ws);

void standardViewCommand(Workspace& ws, Canvas& canvas, StandardView view); // XY1Click ...
void fitCommand(Workspace& ws, Canvas& canvas);                             // Fit1Click
void zoomInCommand(Workspace& ws, Canvas& canvas);                          // In1Click
void zoomOutCommand(Workspace& ws, Canvas& canvas);                         // Out1Click
void redrawCommand(Workspace& ws, Canvas& canvas);                          // Redraw1Click
// Mouse-up of a pan drag.
void panCommand(Workspace& ws, Canvas& canvas, PixelPoint press, PixelPoint release);
// Mouse-up of a window-zoom drag; on TooSmall the caller shows kZoomWindowTooSmallText in
// a message box.
WindowZoomResult windowZoomCommand(Workspace& ws, Canvas& canvas, PixelPoint a, PixelPoint b);
// F5..F7 with or without Shift.
void rotationKeyCommand(Workspace& ws, Canvas& canvas, RotationAxis axis, int direction);

// Dynamic pan/zoom/rotate while the left button is held: one mouse-move step. `previous`
// is the last point of the drag (the caller stores `current` as the last point for pan
// and zoom afterwards); rotation works from `press`.
enum class DynamicMode : std::uint8_t { Pan, Zoom, Rotate };
void dynamicStepCommand(Workspace& ws, Canvas& canvas, DynamicMode mode, PixelPoint press,
                        PixelPoint previous, PixelPoint current);

// FittoNCdataClick / FittoWIREdataClick: switch the fit source and Fit when it changed.
// They act only when NC data (respectively a displayed wire-frame) is loaded; the result
// says whether the source changed.
bool fitToNcDataCommand(Workspace& ws, Canvas& canvas);
bool fitToWireDataCommand(Workspace& ws, Canvas& canvas);

// Status texts of the commands without a view of their own.
inline constexpr std::string_view kFitStatus = "Fitting all graphics to current viewport...";
inline constexpr std::string_view kZoomInStatus = " \"ZOOMING IN\"...";
inline constexpr std::string_view kZoomOutStatus = " \"ZOOMING OUT\"...";
inline constexpr std::string_view kRedrawStatus = "Redrawing all graphics to screen...";

} // namespace korvix
