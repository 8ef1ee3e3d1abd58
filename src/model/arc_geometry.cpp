#include "model/arc_geometry.h"

#include "model/plane_axes.h"

namespace korvix {
namespace {

bool samePieceGroup(const MoveRecord* r, std::int32_t sequence) {
    return r != nullptr && isArcPiece(*r) && r->sequence == sequence;
}

double startThird(const ArcGroup& arc) {
    return thirdAxisOf(arc.first->plane, arcStartPoint(arc));
}

double endThird(const ArcGroup& arc) {
    return thirdAxisOf(arc.first->plane, arcEndPoint(arc));
}

} // namespace

ArcGroup arcGroupAt(const MoveRecord* first) {
    ArcGroup group{first, first, first->optionalStop != 0};
    while (samePieceGroup(group.last->next, first->sequence)) {
        group.last = group.last->next;
        group.optionalStop = group.optionalStop || group.last->optionalStop != 0;
    }
    return group;
}

ArcGroup arcGroupOf(const MoveRecord& piece) {
    const MoveRecord* first = &piece;
    while (samePieceGroup(first->prev, piece.sequence))
        first = first->prev;
    return arcGroupAt(first);
}

Point3 arcStartPoint(const ArcGroup& arc) {
    if (arc.first->prev != nullptr)
        return endPointOf(*arc.first->prev);
    return pointOnArc(*arc.first, arc.first->startAngle,
                      thirdAxisOf(arc.first->plane, endPointOf(*arc.last)));
}

Point3 arcEndPoint(const ArcGroup& arc) {
    return endPointOf(*arc.last);
}

bool isHelical(const ArcGroup& arc) {
    return std::fabs(endThird(arc) - startThird(arc)) > kMotionTolerance;
}

Point3 pointOnArc(const MoveRecord& arc, double angleDeg, double third) {
    const double radius = std::fabs(static_cast<double>(arc.radius));
    const double radians = angleDeg * kDegToRadExact;
    const PlanePoint centre = toPlane(arc.plane, centreOf(arc));
    return fromPlane(arc.plane, centre.h + radius * std::cos(radians),
                     centre.v + radius * std::sin(radians), third);
}

Point3 arcPointAt(const ArcGroup& arc, double angleDeg, double fraction) {
    const double from = startThird(arc);
    const double to = endThird(arc);
    return pointOnArc(*arc.first, angleDeg, from + (to - from) * fraction);
}

Point3 circleStartPoint(const ArcGroup& arc) {
    return pointOnArc(*arc.first, arc.first->startAngle, startThird(arc));
}

Point3 circleEndPoint(const ArcGroup& arc) {
    return pointOnArc(*arc.first, arc.first->endAngle, endThird(arc));
}

ArcAngleWalk arcAngleWalk(double startAngle, double endAngle, double signedRadius,
                          double stepDegrees) {
    ArcAngleWalk walk;
    walk.finite = std::isfinite(startAngle) && std::isfinite(endAngle);
    walk.increasing = !(signedRadius < 0);
    walk.step = stepDegrees;
    walk.to = endAngle;
    if (walk.increasing)
        walk.from = startAngle > endAngle ? startAngle - 360 : startAngle;
    else
        walk.from = endAngle > startAngle ? startAngle + 360 : startAngle;
    return walk;
}

} // namespace korvix
