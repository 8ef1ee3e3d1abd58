#include "measure/measure_overlay.h"

#include "measure/vector3.h"

namespace korvix {
namespace {

std::optional<Point3> unitVector(const Point3& from, const Point3& to) {
    const Point3 d = v3::sub(to, from);
    const double size = v3::length(d);
    if (!(size > 0))
        return std::nullopt;
    return v3::mul(d, 1.0 / size);
}

// The arms along the first leg, the plane normal and their cross product.
OrientationMark frameMark(const Point3& at, const Point3& along, const Point3& normal) {
    return {at, {along, v3::cross(normal, along), normal}};
}

} // namespace

MarkGeometry markGeometry(const MeasureSession& session) {
    MarkGeometry marks;
    const int used = slotsUsed(session.page);
    const std::array<Point3, 3> p = effectivePoints(session);
    const auto set = [&](std::size_t i) { return session.slots[i].valid; };
    for (std::size_t i = 0; i < static_cast<std::size_t>(used); ++i)
        if (set(i))
            marks.points.push_back(p[i]);

    switch (session.page) {
    case MeasurePage::Angle:
        if (set(0) && set(1))
            marks.legs.push_back({p[0], p[1]});
        if (set(1) && set(2))
            marks.legs.push_back({p[1], p[2]});
        if (pageComplete(session, session.page)) {
            const std::optional<Point3> along = unitVector(p[0], p[1]);
            const std::optional<Point3> normal = planeNormal(p[0], p[1], p[2]);
            if (along && normal)
                marks.orientation.push_back(frameMark(p[1], *along, *normal));
        }
        break;
    case MeasurePage::Line:
        if (set(0) && set(1)) {
            marks.legs.push_back({p[0], p[1]});
            if (const std::optional<Point3> along = unitVector(p[0], p[1]))
                marks.orientation.push_back({p[1], {*along}});
        }
        break;
    case MeasurePage::Arc:
        if (pageComplete(session, session.page)) {
            if (const std::optional<CircleMeasurement> circle =
                    circleThroughPoints(p[0], p[1], p[2])) {
                marks.arc = arcThroughPoints(*circle, p[0], p[1], p[2]);
                marks.centre = circle->centre;
                if (const std::optional<Point3> along = unitVector(p[0], p[1]))
                    marks.orientation.push_back(frameMark(circle->centre, *along, circle->normal));
            }
        }
        break;
    }
    return marks;
}

void showMarks(MeasureSession& session, const ViewState& view, Canvas& canvas) {
    session.shownMarks = projectMarks(markGeometry(session), view);
    session.marksShown = true;
    drawMarks(canvas, session.shownMarks);
}

void eraseMarks(MeasureSession& session, Canvas& canvas) {
    if (session.marksShown)
        drawMarks(canvas, session.shownMarks);
    session.marksShown = false;
    session.shownMarks = {};
}

void redrawMarks(MeasureSession& session, const ViewState& view, Canvas& canvas) {
    session.marksShown = false;
    showMarks(session, view, canvas);
}

} // namespace korvix
