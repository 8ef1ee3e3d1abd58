#include "output/nc_arc_geometry.h"

#include <cmath>

namespace korvix::ncout {
ArcGroup arcGroupAt(const MoveRecord* first) {
    ArcGroup group{first, first, first->optionalStop != 0};
    while (group.last->next != nullptr && isArcPiece(*group.last->next) &&
           group.last->next->sequence == first->sequence) {
        group.last = group.last->next;
        group.optionalStop = group.optionalStop || group.last->optionalStop != 0;
    }
    return group;
}

double centreThirdAxis(const MoveRecord& arc) {
    return thirdAxisOf(arc.plane, centreOf(arc));
}

Point3 pointOnArc(const MoveRecord& arc, double angleDeg, double third) {
    const double radius = std::fabs(static_cast<double>(arc.radius));
    const double along = radius * std::cos(angleDeg * kDegToRadExact);
    const double across = radius * std::sin(angleDeg * kDegToRadExact);
    const PlanePoint centre = toPlane(arc.plane, centreOf(arc));
    return fromPlane(arc.plane, centre.h + along, centre.v + across, third);
}

Point3 arcStartPoint(const ArcGroup& arc) {
    return pointOnArc(*arc.first, arc.first->startAngle, centreThirdAxis(*arc.first));
}

bool isHelical(const ArcGroup& arc) {
    return std::fabs(thirdAxisOf(arc.first->plane, endPointOf(*arc.last)) -
                     centreThirdAxis(*arc.first)) > kMotionTolerance;
}

Point3 arcEndPoint(const ArcGroup& arc) {
    const double third = isHelical(arc) ? thirdAxisOf(arc.first->plane, endPointOf(*arc.last))
                                        : centreThirdAxis(*arc.first);
    return pointOnArc(*arc.first, arc.first->endAngle, third);
}

std::uint8_t arcMotion(const MoveRecord& arc) {
    if (arc.motion == kMotionClockwise || arc.motion == kMotionCounterClockwise)
        return arc.motion;
    // Angles grow counter-clockwise seen along the axis the NC plane codes use, which for
    // XZ is the other way round.
    const bool decreasing = arc.radius < 0;
    return decreasing != (arc.plane == kPlaneXZ) ? kMotionClockwise : kMotionCounterClockwise;
}

const ToolEntry* findToolEntry(const ToolTable& tools, int tool) {
    for (int i = 0; i <= tools.count && i <= ToolTable::kMaxTools; ++i)
        if (tools.entries[static_cast<std::size_t>(i)].toolNumber == tool)
            return &tools.entries[static_cast<std::size_t>(i)];
    return nullptr;
}

} // namespace korvix::ncout
