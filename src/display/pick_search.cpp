#include "display/pick_search.h"

#include <cmath>
#include <optional>
#include <type_traits>

namespace korvix {
namespace {

// Where along a-b the foot of the click's perpendicular lies: 0 at a, 1 at b. The segment
// must have a length.
double footParameter(PixelPoint a, PixelPoint b, PixelPoint click) {
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    // In double: zoomed far in, positions are clamped to the int range and their differences
    // would overflow.
    const double cx = static_cast<double>(click.x) - a.x;
    const double cy = static_cast<double>(click.y) - a.y;
    return (cx * dx + cy * dy) / (dx * dx + dy * dy);
}

// An arc is drawn as pieces a pixel or two long whose directions jump between the pixel
// grid's few slopes. Outside each bend lies a wedge where the click's foot falls on neither
// piece, so a click right beside the arc would find nothing. Inside an arc group a click in
// that wedge measures to the bend itself. Returns the next drawn point of the same arc
// after `r` on another pixel, or nothing.
std::optional<PixelPoint> nextBendPoint(const MoveRecord& r) {
    if (!isArcPiece(r))
        return std::nullopt;
    const PixelPoint here{r.screenX, r.screenY};
    for (const MoveRecord* next = r.next;
         next != nullptr && isArcPiece(*next) && next->sequence == r.sequence && next->visible != 0;
         next = next->next) {
        const PixelPoint there{next->screenX, next->screenY};
        if (there != here)
            return there;
    }
    return std::nullopt;
}
std::optional<PixelPoint> nextBendPoint(const WireframePoint&) {
    return std::nullopt;
}

// Distance from `click` to the drawn segment a-b ending at `node` when the foot of the
// perpendicular lies on it (0 <= t <= 1), or when it lies in the wedge outside a bend of an
// arc; negative otherwise, or when the segment has no length.
template <typename Node>
double pickDistance(PixelPoint a, PixelPoint b, PixelPoint click, const Node& node) {
    if (a == b)
        return -1;
    const double t = footParameter(a, b, click);
    if (t > 1) {
        const std::optional<PixelPoint> bend = nextBendPoint(node);
        if (bend && footParameter(b, *bend, click) < 0)
            return std::hypot(static_cast<double>(click.x) - b.x,
                              static_cast<double>(click.y) - b.y);
        return -1;
    }
    if (t < 0)
        return -1;
    const double fx = a.x + t * (static_cast<double>(b.x) - a.x) - click.x;
    const double fy = a.y + t * (static_cast<double>(b.y) - a.y) - click.y;
    return std::sqrt(fx * fx + fy * fy);
}

// The one search over records or wire-frame points: `takesPart` says whether the segment
// ending at a node is drawn.
template <typename Result, typename Node, typename TakesPart>
Result nearestSegment(Node* first, PixelPoint click, TakesPart takesPart) {
    Result best;
    if (first == nullptr)
        return best;
    PixelPoint previous{first->screenX, first->screenY};
    for (Node* node = first; node != nullptr; node = node->next) {
        const PixelPoint here{node->screenX, node->screenY};
        if (takesPart(*node)) {
            const double d = pickDistance(previous, here, click, *node);
            if (d >= 0 && d <= kPickRadius && d < best.distance) {
                best.distance = d;
                best.from = previous;
                if constexpr (std::is_same_v<Node, MoveRecord>)
                    best.record = node;
                else
                    best.point = node;
            }
        }
        previous = here;
    }
    if (best.distance >= kPickRadius)
        return Result{};
    return best;
}

} // namespace

MovePick findNearestMove(const GraphicsDatabase& database, PixelPoint click) {
    return nearestSegment<MovePick>(database.first(), click, [](const MoveRecord& r) {
        return r.kind != kKindStartPoint && r.visible != 0;
    });
}

WirePick findNearestWireSegment(const WireframeStore& wireframe, PixelPoint click) {
    return nearestSegment<WirePick>(wireframe.first(), click, [](const WireframePoint& p) {
        return p.penDown != 0 && p.visible != 0;
    });
}

Point3 pickedModelPoint(ViewState& view, const Point3& from, const Point3& to, PixelPoint click) {
    // Into the view plane, with y upwards like the drawing units.
    const bool plain = isPlainXYView(view);
    const auto toView = [&](Point3 p) {
        if (!plain) {
            p.y = -p.y;
            rotateForward(view, p.x, p.y, p.z);
            p.y = -p.y;
        }
        return p;
    };
    const Point3 a = toView(from);
    const Point3 b = toView(to);
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0)
        return to;
    const DrawingPoint d = pixelToDrawing(view, click.x, click.y);
    const double t = ((d.u - a.x) * dx + (d.v - a.y) * dy) / lengthSquared;
    Point3 foot{a.x + t * dx, a.y + t * dy, 0};
    // The depth follows the plane difference that is larger, so that a nearly vertical move
    // in the view does not divide by a tiny difference.
    if (std::fabs(dx) > std::fabs(dy))
        foot.z = a.z + (foot.x - a.x) * (b.z - a.z) / dx;
    else
        foot.z = a.z + (foot.y - a.y) * (b.z - a.z) / dy;
    if (!plain) {
        foot.y = -foot.y;
        rotateInverse(view, foot.x, foot.y, foot.z);
        foot.y = -foot.y;
    }
    return foot;
}

} // namespace korvix
