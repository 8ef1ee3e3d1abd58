#pragma once

#include "model/graphics_database.h"
#include "model/move_record.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace korvix::test {

// Builds a graphics database by hand, record by record, the way the NC reader lays it out:
// a start point, straight moves, and arcs as groups of pieces that share every field but
// the end point.
class PathBuilder {
public:
    PathBuilder(GraphicsDatabase& db, double x, double y, double z) : m_db(db) {
        m_db.records.createFirst();
        m_tail = m_db.records.head();
        m_tail->kind = kKindStartPoint;
        m_tail->plane = kPlaneXY;
        m_tail->color = kWhite;
        m_tail->blockNumber = 1;
        set(*m_tail, x, y, z);
        m_db.status.extents.reset(x, y, z);
        m_db.status.ncLoaded = true;
    }

    PathBuilder& tool(int t) {
        m_tool = static_cast<std::uint8_t>(t);
        return *this;
    }
    PathBuilder& feed(double f) {
        m_feed = static_cast<float>(f);
        return *this;
    }
    PathBuilder& rapid(double x, double y, double z) { return straight(kMotionRapid, x, y, z); }
    PathBuilder& line(double x, double y, double z) { return straight(kMotionLinear, x, y, z); }

    // An arc in `plane` about (centreH, centreV) with its third coordinate `startThird` (the
    // reader keeps the start's third coordinate in the centre) ending at `endThird`. The
    // radius sign gives the direction; `pieces` pieces end at even steps along the arc.
    PathBuilder& arc(std::uint8_t plane, double centreH, double centreV, double startThird,
                     double signedRadius, double startAngle, double endAngle, double endThird,
                     int pieces = 3) {
        ++m_sequence;
        const std::uint8_t motion = signedRadius >= 0 ? kMotionCounterClockwise : kMotionClockwise;
        double from = startAngle;
        if (signedRadius >= 0 && startAngle > endAngle)
            from -= 360;
        if (signedRadius < 0 && endAngle > startAngle)
            from += 360;
        for (int i = 1; i <= pieces; ++i) {
            append();
            MoveRecord& r = *m_tail;
            r.kind = kKindArcPiece;
            r.plane = plane;
            r.motion = motion;
            r.radius = static_cast<float>(signedRadius);
            r.startAngle = static_cast<float>(startAngle);
            r.endAngle = static_cast<float>(endAngle);
            const double a = (from + (endAngle - from) * i / pieces) * 3.14159265358979 / 180;
            const double h = centreH + std::fabs(signedRadius) * std::cos(a);
            const double v = centreV + std::fabs(signedRadius) * std::sin(a);
            place(r, plane, centreH, centreV, startThird, h, v, endThird);
        }
        return *this;
    }

    // Flags the last record (an M01 on a line of its own).
    PathBuilder& stop() {
        m_tail->optionalStop = 1;
        return *this;
    }

    MoveRecord* last() const { return m_tail; }

private:
    PathBuilder& straight(std::uint8_t motion, double x, double y, double z) {
        ++m_sequence;
        append();
        m_tail->kind = kKindStraight;
        m_tail->motion = motion;
        m_tail->color = motion == kMotionRapid ? kRapidColor : kWhite;
        set(*m_tail, x, y, z);
        return *this;
    }

    void append() {
        m_db.records.append(m_tail);
        m_tail->sequence = m_sequence;
        m_tail->blockNumber = static_cast<std::uint16_t>(100 + m_sequence);
        m_tail->tool = m_tool;
        m_tail->feed = m_feed;
        m_tail->color = kWhite;
    }

    static void place(MoveRecord& r, std::uint8_t plane, double ch, double cv, double cthird,
                      double h, double v, double third) {
        const auto f = [](double d) { return static_cast<float>(d); };
        if (plane == kPlaneXZ) {
            r.centerX = f(ch), r.centerZ = f(cv), r.centerY = f(cthird);
            r.x = f(h), r.z = f(v), r.y = f(third);
        } else if (plane == kPlaneYZ) {
            r.centerY = f(ch), r.centerZ = f(cv), r.centerX = f(cthird);
            r.y = f(h), r.z = f(v), r.x = f(third);
        } else {
            r.centerX = f(ch), r.centerY = f(cv), r.centerZ = f(cthird);
            r.x = f(h), r.y = f(v), r.z = f(third);
        }
    }

    void set(MoveRecord& r, double x, double y, double z) {
        r.x = static_cast<float>(x);
        r.y = static_cast<float>(y);
        r.z = static_cast<float>(z);
        if (m_db.records.head() != &r)
            m_db.status.extents.widen(x, y, z);
    }

    GraphicsDatabase& m_db;
    MoveRecord* m_tail = nullptr;
    std::int32_t m_sequence = 1;
    std::uint8_t m_tool = 0;
    float m_feed = 0;
};

inline std::vector<const MoveRecord*> recordsOf(const GraphicsDatabase& db) {
    std::vector<const MoveRecord*> out;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        out.push_back(r);
    return out;
}

} // namespace korvix::test
