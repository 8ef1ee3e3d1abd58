#include "display/animation_clock.h"

#include "model/geometry.h"
#include "model/plane_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvix {
namespace {

// The minutes of a whole arc, as the reader adds them when it stores the arc.
double arcMinutes(const MoveRecord& piece) {
    const double sweep = arcSweep(piece.startAngle, piece.endAngle, piece.radius);
    const double length = kPi * std::fabs(static_cast<double>(piece.radius)) * sweep / 180.0;
    double minutes = 0;
    addCuttingTime(minutes, piece.feed, length);
    return minutes;
}

} // namespace

double arcFractionAt(const MoveRecord& piece) {
    if (endsMove(piece))
        return 1.0;
    const double total = arcSweep(piece.startAngle, piece.endAngle, piece.radius);
    if (!(total > 0))
        return 1.0;
    const PlanePoint centre = toPlane(piece.plane, centreOf(piece));
    const PlanePoint end = toPlane(piece.plane, endPointOf(piece));
    const double angle = reduceAngle(std::atan2(end.v - centre.v, end.h - centre.h) * kRadToDeg);
    double swept = arcSweep(piece.startAngle, angle, piece.radius);
    // A point that rounding puts just outside the arc belongs to its nearer end.
    if (swept > total)
        swept = swept - total < 360.0 - swept ? total : 0.0;
    return swept / total;
}

void MachiningClock::startAt(const MoveRecord& first, const MoveRecord& record) {
    m_completed = 0;
    m_arcPiece = nullptr;
    for (const MoveRecord* r = &first; r != nullptr; r = r->next) {
        // The pieces inside an arc add nothing: the arc counts whole at its last piece.
        if (r == &record || !isArcPiece(*r) || endsMove(*r))
            advanceTo(*r);
        if (r == &record)
            break;
    }
}

void MachiningClock::advanceTo(const MoveRecord& record) {
    m_arcPiece = nullptr;
    if (record.prev == nullptr || record.kind == kKindStartPoint)
        return;
    if (isArcPiece(record)) {
        if (endsMove(record))
            m_completed += arcMinutes(record);
        else
            m_arcPiece = &record;
        return;
    }
    const double feed = record.motion == kMotionRapid ? kRapidFeed : record.feed;
    addCuttingTime(m_completed, feed, distance3D(endPointOf(*record.prev), endPointOf(record)));
}

double MachiningClock::minutes() const {
    if (m_arcPiece == nullptr)
        return m_completed;
    return m_completed + arcMinutes(*m_arcPiece) * arcFractionAt(*m_arcPiece);
}

std::string elapsedClockText(double minutes) {
    // Past this the figure means nothing and would overflow the seconds.
    constexpr double kLongest = 1e15;
    const double seconds = std::isfinite(minutes) && minutes > 0
                               ? std::floor(std::min(minutes, kLongest) * 60.0)
                               : 0.0;
    const auto total = static_cast<std::int64_t>(seconds);
    const auto twoDigits = [](std::int64_t value) {
        return (value < 10 ? "0" : "") + std::to_string(value);
    };
    return std::to_string(total / 3600) + ":" + twoDigits(total / 60 % 60) + ":" +
           twoDigits(total % 60);
}

} // namespace korvix
