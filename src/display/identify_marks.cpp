#include "display/identify_marks.h"

#include "display/move_description.h"
#include "display/renderer.h"
#include "model/plane_axes.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvix {
namespace {

constexpr Rgb kPickMarkColor = makeRgb(255, 0, 0);
// Degrees per chord of a highlighted arc: under half a pixel off the arc up to radii of
// several hundred pixels.
constexpr double kArcHighlightStep = 2.0;

// Draws the polyline black, then dotted in `color`.
void blackThenDotted(Canvas& canvas, const std::vector<PixelPoint>& points, Rgb color) {
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenColor(kBlack);
    canvas.polyline(points);
    canvas.setPenColor(color);
    canvas.setPenStyle(PenStyle::Dotted);
    canvas.polyline(points);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.flush();
}

std::vector<PixelPoint> arcPixels(const ViewState& view, const MoveRecord& piece) {
    const MoveRecord* first = &piece;
    while (first->prev != nullptr && isArcPiece(*first->prev) &&
           first->prev->sequence == piece.sequence)
        first = first->prev;
    const MoveRecord* last = &piece;
    while (last->next != nullptr && isArcPiece(*last->next) &&
           last->next->sequence == piece.sequence)
        last = last->next;
    // A helix rises from the point before its first piece to its last piece; both ends are
    // measured across the plane of `piece`.
    const double startOff =
        thirdAxisOf(piece.plane, endPointOf(first->prev != nullptr ? *first->prev : *first));
    const double endOff = thirdAxisOf(piece.plane, endPointOf(*last));

    const double sweep = arcSweepOf(piece);
    const double direction = piece.radius >= 0 ? 1.0 : -1.0;
    const int steps = std::max(1, static_cast<int>(std::ceil(sweep / kArcHighlightStep)));
    std::vector<PixelPoint> points;
    points.reserve(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i) {
        const double fraction = static_cast<double>(i) / steps;
        const double angle = piece.startAngle + direction * sweep * fraction;
        const Point3 p = arcPointAt(piece, angle, startOff + (endOff - startOff) * fraction);
        points.push_back(project(view, p.x, p.y, p.z));
    }
    return points;
}

} // namespace

void drawNothingFound(Canvas& canvas, const FontSpec& windowFont) {
    FontSpec font = windowFont;
    font.color = kWhite;
    font.opaque = true;
    font.background = kBlack;
    canvas.setFont(font);
    const int lineHeight = canvas.textExtent("Searching").height;
    canvas.text(1, 2 * lineHeight + 2, kNothingFoundText);
    font.opaque = false;
    canvas.setFont(font);
    canvas.flush();
}

void drawPickMark(Canvas& canvas, const ViewState& view, const Point3& point) {
    const PixelPoint p = project(view, point.x, point.y, point.z);
    if (!markOnCanvas(canvas, p, 5))
        return;
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenColor(kPickMarkColor);
    canvas.ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
    canvas.flush();
}

void highlightMove(Canvas& canvas, const ViewState& view, const MoveRecord& record,
                   PixelPoint from) {
    if (isArcPiece(record))
        blackThenDotted(canvas, arcPixels(view, record), record.color);
    else
        blackThenDotted(canvas, {from, {record.screenX, record.screenY}}, record.color);
}

void highlightWireSegment(Canvas& canvas, const WireframePoint& point, PixelPoint from) {
    blackThenDotted(canvas, {from, {point.screenX, point.screenY}}, point.color);
}

} // namespace korvix
