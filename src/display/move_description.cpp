#include "display/move_description.h"

#include "model/number_text.h"
#include "model/plane_axes.h"

#include <cmath>

namespace korvix {
namespace {

std::string coordinate(double value) {
    return fixed7(value, 5);
}

const char* planeSuffix(std::uint8_t plane) {
    switch (plane) {
    case kPlaneXZ:
        return " (XZ Arc)";
    case kPlaneYZ:
        return " (YZ Arc)";
    default:
        return " (XY Arc)";
    }
}

} // namespace

Point3 arcPointAt(const MoveRecord& piece, double angle, double offPlane) {
    const PlanePoint centre = toPlane(piece.plane, centreOf(piece));
    const Point2 p =
        polarPoint(std::fabs(static_cast<double>(piece.radius)), angle, centre.h, centre.v);
    return fromPlane(piece.plane, p.x, p.y, offPlane);
}

ArcEnds arcEndPoints(const MoveRecord& piece) {
    const double offPlane = thirdAxisOf(piece.plane, endPointOf(piece));
    return {arcPointAt(piece, piece.startAngle, offPlane),
            arcPointAt(piece, piece.endAngle, offPlane)};
}

double arcSweepOf(const MoveRecord& piece) {
    return arcSweep(piece.startAngle, piece.endAngle, piece.radius);
}

double arcTravel(const MoveRecord& piece) {
    const ArcEnds ends = arcEndPoints(piece);
    const PlanePoint centre = toPlane(piece.plane, centreOf(piece));
    const PlanePoint start = toPlane(piece.plane, ends.start);
    const PlanePoint end = toPlane(piece.plane, ends.end);
    const double length =
        arcLength({centre.h, centre.v}, {start.h, start.v}, {end.h, end.v}, piece.radius);
    if (length != 0)
        return length;
    return kPi * std::fabs(static_cast<double>(piece.radius)) * arcSweepOf(piece) / 180.0;
}

NcLocationTexts describeMove(const MoveRecord& record) {
    NcLocationTexts texts;
    texts.blockNumber = "N" + std::to_string(record.blockNumber);
    const std::string motion = "G0" + std::to_string(record.motion);
    texts.tool = std::to_string(record.tool);
    if (isArcPiece(record)) {
        texts.moveType = motion + planeSuffix(record.plane);
        texts.feed = fixed7(record.feed, 3);
        texts.xc = coordinate(record.centerX);
        texts.yc = coordinate(record.centerY);
        texts.zc = coordinate(record.centerZ);
        const ArcEnds ends = arcEndPoints(record);
        texts.x1 = coordinate(ends.start.x);
        texts.y1 = coordinate(ends.start.y);
        texts.z1 = coordinate(ends.start.z);
        texts.x2 = coordinate(ends.end.x);
        texts.y2 = coordinate(ends.end.y);
        texts.z2 = coordinate(ends.end.z);
        texts.distance = coordinate(arcTravel(record));
        return texts;
    }
    if (record.motion == kMotionRapid) {
        texts.moveType = motion + " (Rapid)";
    } else {
        texts.moveType = motion + " (Linear)";
        texts.feed = fixed7(record.feed, 3);
    }
    if (record.prev != nullptr) {
        const Point3 start = endPointOf(*record.prev);
        texts.x1 = coordinate(start.x);
        texts.y1 = coordinate(start.y);
        texts.z1 = coordinate(start.z);
        texts.distance = coordinate(distance3D(start, endPointOf(record)));
    }
    texts.x2 = coordinate(record.x);
    texts.y2 = coordinate(record.y);
    texts.z2 = coordinate(record.z);
    return texts;
}

std::string pickedAtText(const Point3& point) {
    return "Picked at X = " + fixed7(point.x, 4) + ", Y = " + fixed7(point.y, 4) +
           ", Z = " + fixed7(point.z, 4);
}

WireLocationTexts describePoint(const Point3& point) {
    return {coordinate(point.x), coordinate(point.y), coordinate(point.z)};
}

} // namespace korvix
