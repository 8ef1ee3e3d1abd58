#include "filters/arc_run_fitter.h"

#include "model/geometry.h"

#include <cmath>

namespace korvix::fitting {

namespace {

// Refinement backs the arc off one point at a time and checks every point again each time.
// On a long arc that is not quite a circle that would cost the square of its length, so
// the back-off may test at most kRefinementBaseWork points plus kRefinementWorkPerPoint per
// point of the extended arc (arcs of up to about 40 points are never cut short by it); past
// that the first circle, which every point of the extension already fits, is kept with the
// whole extension. That keeps the fitter linear in the number of records.
constexpr std::size_t kRefinementBaseWork = 1024;
constexpr std::size_t kRefinementWorkPerPoint = 16;

// A fitted arc never closes on itself: its end stays this far from its start, in degrees
// and along the circle, so that start and end stay two distinct points and angles.
constexpr double kMinClosingGapDegrees = 0.001;
constexpr double kMinClosingGap = 2 * kMotionTolerance;

PlanePoint pointOf(std::uint8_t plane, const MoveRecord* r) {
    return toPlane(plane, r->x, r->y, r->z);
}

Point2 inPlane(const PlanePoint& p) {
    return {p.h, p.v};
}

double planeDistance(const PlanePoint& a, const PlanePoint& b) {
    return std::hypot(b.h - a.h, b.v - a.v);
}

double centreDistance(const Circle& c, const PlanePoint& p) {
    return distance3D({c.h, c.v, c.t}, {p.h, p.v, p.t});
}

// How far the middle of the chord a-b lies inside the circle.
double chordSagitta(const Circle& c, const PlanePoint& a, const PlanePoint& b) {
    const PlanePoint mid{(a.h + b.h) / 2, (a.v + b.v) / 2, (a.t + b.t) / 2};
    return c.radius - centreDistance(c, mid);
}

// The way a -> b turns about the centre: kOrientationPositive when the angles increase.
int turning(const Circle& c, const PlanePoint& a, const PlanePoint& b) {
    return orientation(inPlane(a), inPlane(b), {c.h, c.v});
}

// Degrees between a and b seen from the centre (less than 180).
double turnDegrees(const Circle& c, const PlanePoint& a, const PlanePoint& b) {
    const double ah = a.h - c.h, av = a.v - c.v;
    const double bh = b.h - c.h, bv = b.v - c.v;
    return std::fabs(std::atan2(ah * bv - av * bh, ah * bh + av * bv)) * kRadToDeg;
}

bool closesOnItself(double sweepDegrees, double radius) {
    const double gap = 360.0 - sweepDegrees;
    return gap < kMinClosingGapDegrees || gap * kDegToRadExact * radius <= kMinClosingGap;
}

// The three points lie in the plane (same third coordinate as the first) and neither
// chord is too short to give a direction.
bool flatAndLongEnough(const PlanePoint& a, const PlanePoint& b, const PlanePoint& c) {
    return std::fabs(b.t - a.t) <= kFlatness && std::fabs(c.t - a.t) <= kFlatness &&
           planeDistance(a, b) >= kFlatness && planeDistance(b, c) >= kFlatness;
}

// b lies off the line a-c (in the plane).
bool bends(const PlanePoint& a, const PlanePoint& b, const PlanePoint& c) {
    const double length = planeDistance(a, c);
    if (length == 0.0)
        return planeDistance(a, b) > kFlatness;
    const double cross = (c.h - a.h) * (b.v - a.v) - (c.v - a.v) * (b.h - a.h);
    return std::fabs(cross) / length > kFlatness;
}

// Angles of fitted arcs run from 360 up to 720. An angle a hair below 720 would be stored
// as 720 itself: it is taken as the 360 it stands for.
double fittedAngle(const Circle& c, const PlanePoint& p) {
    double angle = angleAndDistance(c.h, c.v, p.h, p.v).angle;
    if (angle >= 360.0)
        angle -= 360.0;
    angle += 360.0;
    return static_cast<float>(angle) >= 720.0f ? 360.0 : angle;
}

const MoveRecord* advance(const MoveRecord* r, std::size_t steps) {
    while (steps-- > 0)
        r = r->next;
    return r;
}

// The search for one arc from P0 (the record before P1) through P1 and P2.
class ArcSearch {
public:
    ArcSearch(const MoveRecord* p1, const MoveRecord* last, std::uint8_t plane,
              const FitArcsOptions& options)
        : m_p1(p1), m_last(last), m_plane(plane), m_tolerance(options.chordalTolerance),
          m_maxRadius(options.maxRadius), m_a(pointOf(plane, p1->prev)), m_b(pointOf(plane, p1)),
          m_c(pointOf(plane, p1->next)) {}

    std::optional<FittedArc> run() {
        const std::optional<Circle> circle = circleThrough(m_a, m_b, m_c);
        if (!circle || !acceptsFirst(*circle))
            return std::nullopt;
        m_circle = *circle;
        m_direction = turning(m_circle, m_a, m_b);
        // The points must follow the circle one way round; a path that doubles back is no arc.
        if (m_direction == kOrientationZero || turning(m_circle, m_b, m_c) != m_direction)
            return std::nullopt;
        m_sweep = turnDegrees(m_circle, m_a, m_b) + turnDegrees(m_circle, m_b, m_c);
        if (closesOnItself(m_sweep, m_circle.radius))
            return std::nullopt;
        extend();
        return refine();
    }

private:
    struct Choice {
        Circle circle;
        const MoveRecord* end;
        std::size_t steps; // records from P1 to the arc end
    };

    bool acceptsFirst(const Circle& c) const {
        return c.radius <= m_maxRadius && chordSagitta(c, m_a, m_b) <= m_tolerance &&
               chordSagitta(c, m_b, m_c) <= m_tolerance;
    }

    // Takes in following points of the run while they stay on the first circle.
    void extend() {
        m_end = m_p1->next;
        m_steps = 1;
        PlanePoint q = m_c;
        while (m_end != m_last) {
            const PlanePoint n = pointOf(m_plane, m_end->next);
            if (!continuesArc(q, n))
                break;
            m_sweep += turnDegrees(m_circle, q, n);
            m_end = m_end->next;
            ++m_steps;
            q = n;
        }
    }

    bool continuesArc(const PlanePoint& q, const PlanePoint& n) const {
        return turning(m_circle, q, n) == m_direction && std::fabs(n.t - m_circle.t) <= kFlatness &&
               std::fabs(centreDistance(m_circle, n) - m_circle.radius) <= m_tolerance &&
               chordSagitta(m_circle, q, n) <= m_tolerance &&
               !closesOnItself(m_sweep + turnDegrees(m_circle, q, n), m_circle.radius);
    }

    // A circle through three close points is poorly placed; a circle through the arc's
    // start, middle and end replaces it when every point fits that one too. Otherwise the
    // arc end backs off one point at a time.
    std::optional<FittedArc> refine() const {
        if (m_steps < 2)
            return emit({m_circle, m_end, m_steps});
        const std::size_t budget = kRefinementBaseWork + kRefinementWorkPerPoint * (m_steps + 2);
        std::size_t work = 0;
        const MoveRecord* end = m_end;
        for (std::size_t n = m_steps; n >= 2; --n, end = end->prev) {
            const std::size_t cost = n / 2 + 1 + n + 2;
            if (work + cost > budget)
                return emit({m_circle, m_end, m_steps});
            work += cost;
            const MoveRecord* middle = advance(m_p1, n / 2 + 1);
            const std::optional<Circle> refined =
                circleThrough(m_a, pointOf(m_plane, middle), pointOf(m_plane, end));
            if (refined && fitsAll(*refined, end))
                return emit({*refined, end, n});
        }
        return emit({m_circle, m_p1->next, 1});
    }

    // Every point from P0 to `end` and every chord between them fits the refined circle,
    // which lies close to the first one and is travelled the same way round.
    bool fitsAll(const Circle& c, const MoveRecord* end) const {
        const double centreShift =
            distance3D({c.h, c.v, c.t}, {m_circle.h, m_circle.v, m_circle.t});
        if (centreShift > 2 * m_tolerance)
            return false;
        PlanePoint previous = m_a;
        double sweep = 0;
        for (const MoveRecord* r = m_p1;; r = r->next) {
            const PlanePoint p = pointOf(m_plane, r);
            if (std::fabs(centreDistance(c, p) - c.radius) > m_tolerance ||
                chordSagitta(c, previous, p) > m_tolerance ||
                turning(c, previous, p) != m_direction)
                return false;
            sweep += turnDegrees(c, previous, p);
            previous = p;
            if (r == end)
                break;
        }
        return !closesOnItself(sweep, c.radius);
    }

    FittedArc emit(const Choice& choice) const {
        FittedArc arc;
        arc.end = choice.end;
        arc.intermediatePoints = choice.steps;
        arc.plane = m_plane;
        arc.shape.valid = true;
        arc.shape.centerH = choice.circle.h;
        arc.shape.centerV = choice.circle.v;
        arc.shape.centerT = m_a.t;
        arc.shape.startAngle = fittedAngle(choice.circle, m_a);
        arc.shape.endAngle = fittedAngle(choice.circle, pointOf(m_plane, choice.end));
        const bool clockwise = turning(choice.circle, m_a, m_b) == kOrientationNegative;
        arc.shape.radius = clockwise ? -choice.circle.radius : choice.circle.radius;
        return arc;
    }

    const MoveRecord* m_p1;
    const MoveRecord* m_last;
    std::uint8_t m_plane;
    double m_tolerance;
    double m_maxRadius;
    PlanePoint m_a, m_b, m_c; // P0, P1, P2
    Circle m_circle;
    int m_direction = kOrientationZero;
    double m_sweep = 0;
    const MoveRecord* m_end = nullptr;
    std::size_t m_steps = 0;
};

} // namespace

std::optional<Circle> circleThrough(const PlanePoint& a, const PlanePoint& b, const PlanePoint& c) {
    const double h1 = b.h - a.h, v1 = b.v - a.v;
    const double h2 = c.h - b.h, v2 = c.v - b.v;
    if ((h1 == 0.0 && v1 == 0.0) || (h2 == 0.0 && v2 == 0.0))
        return std::nullopt;
    // Each bisector runs from its chord's midpoint at right angles to the chord.
    const Point2 mid1{a.h + h1 / 2, a.v + v1 / 2};
    const Point2 mid2{b.h + h2 / 2, b.v + v2 / 2};
    const std::optional<Point2> centre = segmentIntersection(mid1, {mid1.x - v1, mid1.y + h1}, mid2,
                                                             {mid2.x - v2, mid2.y + h2}, false);
    if (!centre || !std::isfinite(centre->x) || !std::isfinite(centre->y))
        return std::nullopt;
    Circle circle{centre->x, centre->y, a.t, 0};
    circle.radius = std::hypot(a.h - circle.h, a.v - circle.v);
    return circle;
}

std::optional<FittedArc> fitArcAt(const MoveRecord* p1, const MoveRecord* last,
                                  const FitArcsOptions& options) {
    static constexpr std::uint8_t kPlanesInOrder[] = {kPlaneXY, kPlaneXZ, kPlaneYZ};
    for (const std::uint8_t plane : kPlanesInOrder) {
        if (plane != kPlaneXY && options.xyPlaneOnly)
            break;
        const PlanePoint a = pointOf(plane, p1->prev);
        const PlanePoint b = pointOf(plane, p1);
        const PlanePoint c = pointOf(plane, p1->next);
        // The first plane the three points lie in is the arc's, whether a circle fits or not.
        if (flatAndLongEnough(a, b, c) && bends(a, b, c))
            return ArcSearch(p1, last, plane, options).run();
    }
    return std::nullopt;
}

} // namespace korvix::fitting
