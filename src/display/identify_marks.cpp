#include "display/identify_marks.h"

#include "display/renderer.h"
#include "model/arc_geometry.h"

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

// The whole arc `piece` belongs to, from where the tool stood before it, cut at the same
// points as explosion would at this step.
std::vector<PixelPoint> arcPixels(const ViewState& view, const MoveRecord& piece) {
    const ArcGroup arc = arcGroupOf(piece);
    const Point3 start = arcStartPoint(arc);
    std::vector<PixelPoint> points;
    points.reserve(
        static_cast<std::size_t>(std::ceil(
            arcSweep(piece.startAngle, piece.endAngle, piece.radius) / kArcHighlightStep)) +
        4);
    points.push_back(project(view, start.x, start.y, start.z));
    forEachArcChordPoint(arc, kArcHighlightStep, [&](const Point3& p, bool) {
        points.push_back(project(view, p.x, p.y, p.z));
        return true;
    });
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

std::vector<PixelPoint> movePixels(const ViewState& view, const MoveRecord& record,
                                   PixelPoint from) {
    if (isArcPiece(record))
        return arcPixels(view, record);
    return {from, {record.screenX, record.screenY}};
}

std::vector<PixelPoint> drawnMovePixels(const MoveRecord& record, PixelPoint from) {
    if (!isArcPiece(record))
        return {from, {record.screenX, record.screenY}};
    const MoveRecord* first = &record;
    while (first->prev != nullptr && isArcPiece(*first->prev) &&
           first->prev->sequence == record.sequence)
        first = first->prev;
    std::vector<PixelPoint> points;
    if (first->prev != nullptr)
        points.push_back({first->prev->screenX, first->prev->screenY});
    for (const MoveRecord* r = first; r != nullptr; r = r->next) {
        points.push_back({r->screenX, r->screenY});
        if (endsMove(*r))
            break;
    }
    return points;
}

void restoreMovePixels(Canvas& canvas, const std::vector<PixelPoint>& highlighted,
                       const std::vector<PixelPoint>& drawn, Rgb color) {
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenColor(kBlack);
    canvas.polyline(highlighted);
    canvas.setPenColor(color);
    canvas.polyline(drawn);
    canvas.flush();
}

void highlightWireSegment(Canvas& canvas, const WireframePoint& point, PixelPoint from) {
    blackThenDotted(canvas, {from, {point.screenX, point.screenY}}, point.color);
}

} // namespace korvix
