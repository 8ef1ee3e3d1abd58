#include "display/move_description.h"

#include "model/arc_geometry.h"
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

double arcTravel(const MoveRecord& piece) {
    return kPi * std::fabs(static_cast<double>(piece.radius)) *
           arcSweep(piece.startAngle, piece.endAngle, piece.radius) / 180.0;
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
        const ArcGroup arc = arcGroupOf(record);
        const Point3 start = arcStartPoint(arc);
        const Point3 end = arcEndPoint(arc);
        texts.x1 = coordinate(start.x);
        texts.y1 = coordinate(start.y);
        texts.z1 = coordinate(start.z);
        texts.x2 = coordinate(end.x);
        texts.y2 = coordinate(end.y);
        texts.z2 = coordinate(end.z);
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
