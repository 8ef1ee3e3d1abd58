#include "measure/measure_marks.h"

#include "display/renderer.h"

#include <algorithm>
#include <cmath>

namespace korvix {
namespace {

struct PixelOffset {
    double x = 0, y = 0;
};

// How a model direction shows on the screen: rotated like a point (Y negated, since rows
// grow downwards), depth dropped, the vertical stretched by the aspect. Pixels per unit of
// the model vector's length, before any scale.
PixelOffset screenDirection(const ViewState& view, const Point3& d) {
    double x = d.x, y = -d.y, z = d.z;
    rotateForward(view, x, y, z);
    return {x, y * view.aspect};
}

PixelPoint offsetBy(PixelPoint p, double dx, double dy) {
    return {toPixel(p.x + dx), toPixel(p.y + dy)};
}

bool sameLine(const std::vector<PixelPoint>& line, PixelPoint a, PixelPoint b) {
    return line.size() == 2 && ((line[0] == a && line[1] == b) || (line[0] == b && line[1] == a));
}

void addLeg(PixelMarks& marks, PixelPoint a, PixelPoint b) {
    if (a == b)
        return;
    if (std::any_of(marks.white.begin(), marks.white.end(),
                    [&](const std::vector<PixelPoint>& line) { return sameLine(line, a, b); }))
        return;
    marks.white.push_back({a, b});
}

void addOrientation(PixelMarks& marks, const ViewState& view, const OrientationMark& mark) {
    const PixelPoint at = project(view, mark.at.x, mark.at.y, mark.at.z);
    for (const Point3& direction : mark.directions) {
        const PixelOffset d = screenDirection(view, direction);
        const double shown = std::hypot(d.x, d.y);
        // An arm pointing (almost) at the viewer would be shorter than a pixel.
        if (!(shown * kOrientationLength >= 1.0))
            continue;
        const double ux = d.x / shown, uy = d.y / shown;
        const double reach = kOrientationGap + shown * kOrientationLength;
        marks.yellow.push_back({offsetBy(at, ux * kOrientationGap, uy * kOrientationGap),
                                offsetBy(at, ux * reach, uy * reach)});
    }
}

// False only when the polyline lies wholly outside the canvas on one side.
bool mayShow(const Canvas& canvas, const std::vector<PixelPoint>& line) {
    const auto outside = [&](auto test) { return std::all_of(line.begin(), line.end(), test); };
    return !(outside([](PixelPoint p) { return p.x < 0; }) ||
             outside([](PixelPoint p) { return p.y < 0; }) ||
             outside([&](PixelPoint p) { return p.x > canvas.width(); }) ||
             outside([&](PixelPoint p) { return p.y > canvas.height(); }));
}

void drawLines(Canvas& canvas, const std::vector<std::vector<PixelPoint>>& lines, Rgb color) {
    canvas.setPenColor(color);
    for (const std::vector<PixelPoint>& line : lines)
        if (line.size() >= 2 && mayShow(canvas, line))
            canvas.polyline(line);
}

} // namespace

PixelMarks projectMarks(const MarkGeometry& geometry, const ViewState& view) {
    PixelMarks marks;
    const auto pixelOf = [&](const Point3& p) { return project(view, p.x, p.y, p.z); };
    for (const Point3& p : geometry.points) {
        const PixelPoint pixel = pixelOf(p);
        if (std::find(marks.circles.begin(), marks.circles.end(), pixel) == marks.circles.end())
            marks.circles.push_back(pixel);
    }
    for (const auto& leg : geometry.legs)
        addLeg(marks, pixelOf(leg[0]), pixelOf(leg[1]));
    if (geometry.arc.size() >= 2) {
        std::vector<PixelPoint> arc;
        arc.reserve(geometry.arc.size());
        for (const Point3& p : geometry.arc) {
            const PixelPoint pixel = pixelOf(p);
            // Repeated pixels would only make zero-length pieces.
            if (arc.empty() || !(arc.back() == pixel))
                arc.push_back(pixel);
        }
        if (arc.size() >= 2)
            marks.white.push_back(std::move(arc));
    }
    if (geometry.centre) {
        const PixelPoint c = pixelOf(*geometry.centre);
        marks.white.push_back({offsetBy(c, -kCentreCrossArm, 0), offsetBy(c, kCentreCrossArm, 0)});
        marks.white.push_back({offsetBy(c, 0, -kCentreCrossArm), offsetBy(c, 0, kCentreCrossArm)});
    }
    for (const OrientationMark& mark : geometry.orientation)
        addOrientation(marks, view, mark);
    return marks;
}

void drawMarks(Canvas& canvas, const PixelMarks& marks) {
    if (marks.empty())
        return;
    canvas.setPenMode(PenMode::Xor);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);
    canvas.setPenColor(kMeasureMarkColor);
    for (const PixelPoint& p : marks.circles)
        if (markOnCanvas(canvas, p, kMarkCircleRadius))
            canvas.ellipse(p.x - kMarkCircleRadius, p.y - kMarkCircleRadius,
                           p.x + kMarkCircleRadius, p.y + kMarkCircleRadius);
    drawLines(canvas, marks.white, kMeasureMarkColor);
    drawLines(canvas, marks.yellow, kOrientationMarkColor);
    canvas.setPenMode(PenMode::Copy);
    canvas.flush();
}

} // namespace korvix
