#pragma once

#include "model/canvas.h"
#include "model/extents.h"
#include "model/geometry.h"
#include "model/view_state.h"

#include <limits>

namespace korvix {

// Stores the angles and recomputes the six sine/cosine pairs; marks positions stale.
void setAngles(ViewState& view, double a, double b, double c);

// The model-to-view rotation and its exact inverse, in place. A step whose angle is
// exactly 0 is skipped. (Inline: the renderer projects millions of records per redraw.)
inline void rotateForward(const ViewState& view, double& x, double& y, double& z) {
    if (view.angleA != 0) {
        const double ny = view.plusA.cos * y - view.plusA.sin * z;
        z = view.plusA.sin * y + view.plusA.cos * z;
        y = ny;
    }
    if (view.angleB != 0) {
        const double nx = view.plusB.cos * x + view.plusB.sin * z;
        z = view.plusB.cos * z - view.plusB.sin * x;
        x = nx;
    }
    if (view.angleC != 0) {
        const double nx = view.plusC.cos * x - view.plusC.sin * y;
        y = view.plusC.sin * x + view.plusC.cos * y;
        x = nx;
    }
}
void rotateInverse(const ViewState& view, double& x, double& y, double& z);

// Truncates towards zero; values beyond the int range are clamped to it and NaN gives 0.
// Zoomed far in, projected points leave the int range; clamping keeps them on the correct
// side of the drawing area, which is all the segment test needs.
inline int toPixel(double value) {
    if (value >= 2147483647.0)
        return std::numeric_limits<int>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int>::min();
    if (value != value) // NaN
        return 0;
    return static_cast<int>(value);
}

// The pixel of a model point: Y negated (rows grow downwards), rotated, z dropped, scaled
// and shifted, each coordinate truncated towards zero.
inline PixelPoint project(const ViewState& view, double x, double y, double z) {
    double px = x, py = -y, pz = z;
    rotateForward(view, px, py, pz);
    return {toPixel(px * view.scale + view.originX),
            toPixel(py * view.aspect * view.scale + view.originY)};
}

// A point of projected space (already rotated) to its pixel.
inline PixelPoint projectedToPixel(const ViewState& view, double x, double y) {
    return {toPixel(x * view.scale + view.originX),
            toPixel(y * view.aspect * view.scale + view.originY)};
}

struct DrawingPoint {
    double u = 0, v = 0;
};

// Pixel to drawing units (u to the right, v upwards); stores the result in lastU/lastV.
// In the plane views u and v are model coordinates: (X, Y), (X, Z) or (Y, Z). With a scale
// of 0 (everything fitted onto one point) every pixel maps to that point.
DrawingPoint pixelToDrawing(ViewState& view, double sx, double sy);

// Fits the extents box (Y pair in screen orientation) to the drawing area under the
// current angles: its eight corners are rotated and their projected bounds fitted.
void fitToExtents(ViewState& view, const Extents& box);
// Fits a rectangle of projected space to the drawing area, without margin. It becomes the
// window box. A side of zero length takes its scale from the other side; a rectangle of
// zero size gives scale 0.
void fitToRectangle(ViewState& view, double xmin, double ymin, double xmax, double ymax);

// True in the plain XY view (all three angles exactly 0).
inline bool isPlainXYView(const ViewState& view) {
    return view.angleA == 0 && view.angleB == 0 && view.angleC == 0;
}

// True when the pixel lies outside the drawing area (0, 0)-(width, height), edges included
// in the area.
inline bool outsideDrawingArea(const ViewState& view, int x, int y) {
    return x < 0 || x > view.width || y < 0 || y > view.height;
}

} // namespace korvix
