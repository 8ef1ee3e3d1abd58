#pragma once

#include "model/graphics_database.h"
#include "model/move_record.h"
#include "model/workspace.h"

#include <cassert>
#include <cmath>
#include <cstdint>
#include <vector>

namespace korvix::test {

// Builds a toolpath by hand, record by record, the way the NC reader lays it out: a start
// point, straight moves, and arcs as groups of pieces that share every field but the end
// point. The database's extents are kept as the reader leaves them (Y pair negated). Built
// in a workspace, every move also marks the projection stale, so a redraw sees it.
class PathBuilder {
public:
    PathBuilder(GraphicsDatabase& db, double x, double y, double z) : m_db(db) { start(x, y, z); }
    // A workspace path starts with start(); until then the database is left as it is.
    explicit PathBuilder(Workspace& ws) : m_db(ws.database), m_view(&ws.view), m_feed(100) {}

    // Frees whatever the database held and begins a new path at (x, y, z).
    PathBuilder& start(double x, double y, double z = 0) {
        m_db.records.freeAll();
        const bool created = m_db.records.createFirst();
        assert(created);
        (void)created;
        m_tail = m_db.records.head();
        m_tail->kind = kKindStartPoint;
        m_tail->plane = kPlaneXY;
        m_tail->color = kWhite;
        m_tail->blockNumber = 1;
        m_sequence = 1;
        m_extents.reset(x, y, z);
        m_db.status.ncLoaded = true;
        place(x, y, z);
        return *this;
    }

    // Settings for the moves that follow.
    PathBuilder& tool(int t) {
        m_tool = static_cast<std::uint8_t>(t);
        return *this;
    }
    PathBuilder& feed(double f) {
        m_feed = static_cast<float>(f);
        return *this;
    }
    PathBuilder& color(Rgb c) {
        m_color = c;
        return *this;
    }

    PathBuilder& rapid(double x, double y, double z = 0) {
        straight(kMotionRapid);
        m_tail->color = kRapidColor;
        place(x, y, z);
        return *this;
    }
    PathBuilder& line(double x, double y, double z = 0) {
        straight(kMotionLinear);
        place(x, y, z);
        return *this;
    }

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
            append(kKindArcPiece, motion);
            MoveRecord& r = *m_tail;
            r.plane = plane;
            r.radius = static_cast<float>(signedRadius);
            r.startAngle = static_cast<float>(startAngle);
            r.endAngle = static_cast<float>(endAngle);
            const double a = (from + (endAngle - from) * i / pieces) * 3.14159265358979 / 180;
            const double h = centreH + std::fabs(signedRadius) * std::cos(a);
            const double v = centreV + std::fabs(signedRadius) * std::sin(a);
            placeInPlane(plane, centreH, centreV, startThird, h, v, endThird);
        }
        return *this;
    }

    // One counter-clockwise XY arc piece of the arc group `sequence`, placed by hand (for
    // tests that only care where the pieces end).
    PathBuilder& piece(int sequence, double x, double y, double z = 0) {
        append(kKindArcPiece, kMotionCounterClockwise);
        m_tail->sequence = sequence;
        place(x, y, z);
        return *this;
    }

    // Flags the last record (an M01 on a line of its own).
    PathBuilder& stop() {
        m_tail->optionalStop = 1;
        return *this;
    }

    MoveRecord& last() const { return *m_tail; }

private:
    void straight(std::uint8_t motion) {
        ++m_sequence;
        append(kKindStraight, motion);
    }

    void append(std::uint8_t kind, std::uint8_t motion) {
        const bool appended = m_db.records.append(m_tail);
        assert(appended);
        (void)appended;
        MoveRecord& r = *m_tail;
        r.kind = kind;
        r.plane = kPlaneXY;
        r.motion = motion;
        r.sequence = m_sequence;
        r.blockNumber = static_cast<std::uint16_t>(100 + m_sequence);
        r.tool = m_tool;
        r.feed = m_feed;
        r.color = m_color;
    }

    void placeInPlane(std::uint8_t plane, double ch, double cv, double cthird, double h, double v,
                      double third) {
        const auto f = [](double d) { return static_cast<float>(d); };
        MoveRecord& r = *m_tail;
        if (plane == kPlaneXZ) {
            r.centerX = f(ch), r.centerZ = f(cv), r.centerY = f(cthird);
            place(h, third, v);
        } else if (plane == kPlaneYZ) {
            r.centerY = f(ch), r.centerZ = f(cv), r.centerX = f(cthird);
            place(third, h, v);
        } else {
            r.centerX = f(ch), r.centerY = f(cv), r.centerZ = f(cthird);
            place(h, v, third);
        }
    }

    void place(double x, double y, double z) {
        MoveRecord& r = *m_tail;
        r.x = static_cast<float>(x);
        r.y = static_cast<float>(y);
        r.z = static_cast<float>(z);
        m_extents.widen(x, y, z);
        Extents box = m_extents;
        box.negateY();
        m_db.status.extents = box;
        if (m_view != nullptr)
            m_view->reprojection = true;
    }

    GraphicsDatabase& m_db;
    ViewState* m_view = nullptr;
    MoveRecord* m_tail = nullptr;
    Extents m_extents;
    std::int32_t m_sequence = 1;
    std::uint8_t m_tool = 0;
    float m_feed = 0;
    Rgb m_color = kWhite;
};

inline std::vector<const MoveRecord*> recordsOf(const GraphicsDatabase& db) {
    std::vector<const MoveRecord*> out;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        out.push_back(r);
    return out;
}

} // namespace korvix::test
