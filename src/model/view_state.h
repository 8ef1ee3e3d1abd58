#pragma once

#include <cstdint>

namespace korvix {

// Which extents box Fit and the standard views fit to.
enum class FitSource : std::uint8_t { NcToolpath, Wireframe };

// A rectangle of projected space (before the aspect is applied).
struct WindowBox {
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
};

// Sine and cosine of one angle, computed together.
struct SinCos {
    double sin = 0;
    double cos = 1;
};

// The one view transform: a rotation of the model by the angles A (about X), B (about Y)
// and C (about Z), then a uniform scale and a shift into the pixel grid of the drawing
// area. Change it only through the view transform functions (display/view_transform.h),
// which keep the cached sines and the reprojection flag right.
struct ViewState {
    double angleA = 0, angleB = 0, angleC = 0; // degrees
    SinCos plusA, minusA, plusB, minusB, plusC, minusC;

    double scale = 0;                // pixels per drawing unit; 0 until the first fit
    double originX = 0, originY = 0; // pixel position of projected (0, 0)
    double aspect = 1.0;             // vertical pixel stretch

    // The drawing area W x H; (0, 0)-(W, H) is also the rectangle the renderer clips to.
    int width = 0, height = 0;

    WindowBox windowBox;         // what the last fit mapped onto the drawing area
    double lastU = 0, lastV = 0; // result of the last pixel-to-drawing mapping

    // Set when angles, scale or origin changed: the cached pixel positions of the records
    // are stale. Cleared by a full redraw that ran to its end.
    bool reprojection = true;

    double rotationStep = 15.0;  // degrees per rotation key
    double baseA = 0, baseB = 0; // A and B at the last left-button press
    FitSource fitSource = FitSource::NcToolpath;
};

} // namespace korvix
