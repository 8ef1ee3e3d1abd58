#include "display/view_transform.h"

#include <cmath>

namespace korvix {
namespace {

// Sine and cosine in extended precision, rounded once when stored.
SinCos sinCosOf(double degrees) {
    const long double radians = static_cast<long double>(degrees) * kDegToRad;
    return {static_cast<double>(std::sin(radians)), static_cast<double>(std::cos(radians))};
}

void rotateAboutX(const SinCos& t, double& y, double& z) {
    const double ny = t.cos * y - t.sin * z;
    const double nz = t.sin * y + t.cos * z;
    y = ny;
    z = nz;
}

void rotateAboutY(const SinCos& t, double& x, double& z) {
    const double nx = t.cos * x + t.sin * z;
    const double nz = t.cos * z - t.sin * x;
    x = nx;
    z = nz;
}

void rotateAboutZ(const SinCos& t, double& x, double& y) {
    const double nx = t.cos * x - t.sin * y;
    const double ny = t.sin * x + t.cos * y;
    x = nx;
    y = ny;
}

} // namespace

void setAngles(ViewState& view, double a, double b, double c) {
    view.angleA = a;
    view.angleB = b;
    view.angleC = c;
    view.plusA = sinCosOf(a);
    view.minusA = sinCosOf(-a);
    view.plusB = sinCosOf(b);
    view.minusB = sinCosOf(-b);
    view.plusC = sinCosOf(c);
    view.minusC = sinCosOf(-c);
    view.reprojection = true;
}

void rotateInverse(const ViewState& view, double& x, double& y, double& z) {
    if (view.angleC != 0)
        rotateAboutZ(view.minusC, x, y);
    if (view.angleB != 0)
        rotateAboutY(view.minusB, x, z);
    if (view.angleA != 0)
        rotateAboutX(view.minusA, y, z);
}

DrawingPoint pixelToDrawing(ViewState& view, double sx, double sy) {
    if (view.scale == 0) {
        const WindowBox& box = view.windowBox;
        view.lastU = box.xmin + (box.xmax - box.xmin) * 0.5;
        view.lastV = -(box.ymin + (box.ymax - box.ymin) * 0.5);
    } else {
        view.lastU = (sx - view.originX) / view.scale;
        view.lastV = -(sy - view.originY) / view.scale / view.aspect;
    }
    return {view.lastU, view.lastV};
}

void fitToExtents(ViewState& view, const Extents& box) {
    const double xs[2] = {box.minX, box.maxX};
    const double ys[2] = {box.minY, box.maxY};
    const double zs[2] = {box.minZ, box.maxZ};
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool first = true;
    for (double cx : xs)
        for (double cy : ys)
            for (double cz : zs) {
                double x = cx, y = cy, z = cz; // Y already in screen orientation
                rotateForward(view, x, y, z);
                if (first) {
                    xmin = xmax = x;
                    ymin = ymax = y;
                    first = false;
                    continue;
                }
                xmin = std::fmin(xmin, x);
                xmax = std::fmax(xmax, x);
                ymin = std::fmin(ymin, y);
                ymax = std::fmax(ymax, y);
            }
    fitToRectangle(view, xmin, ymin, xmax, ymax);
}

void fitToRectangle(ViewState& view, double xmin, double ymin, double xmax, double ymax) {
    view.windowBox = {xmin, ymin, xmax, ymax};
    const double a = view.aspect;
    ymin *= a;
    ymax *= a;
    const double dx = xmax - xmin;
    const double dy = ymax - ymin;
    const double w = view.width;
    const double h = view.height;
    const double sx = dx != 0 ? std::fabs(w / dx) : 0;
    const double sy = dy != 0 ? std::fabs(h / dy) : 0;
    double s = sx < sy ? sx : sy;
    if (sx == 0)
        s = sy;
    if (sy == 0)
        s = sx;
    // A box with an infinite or NaN side cannot be shown; fall back to the one-point view
    // instead of spreading NaN into every pixel.
    if (!std::isfinite(s))
        s = 0;
    const double cx = xmin + dx * 0.5;
    const double cy = ymin + dy * 0.5;
    view.scale = s;
    view.originX = w * 0.5 - cx * s;
    view.originY = h * 0.5 - cy * s;
    if (!std::isfinite(view.originX) || !std::isfinite(view.originY)) {
        view.originX = w * 0.5;
        view.originY = h * 0.5;
    }
    view.reprojection = true;
}

} // namespace korvix
