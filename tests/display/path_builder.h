#pragma once

#include "model/workspace.h"
#include "display/view_transform.h"

#include <cassert>

namespace korvix::test {

// Builds small toolpaths by hand, as the NC reader would leave them (Y extents negated).
class PathBuilder {
public:
    explicit PathBuilder(Workspace& ws) : m_ws(ws) {}

    MoveRecord& start(float x, float y, float z = 0) {
        m_ws.database.records.freeAll();
        const bool created = m_ws.database.records.createFirst();
        assert(created);
        (void)created;
        m_current = m_ws.database.records.head();
        MoveRecord& r = *m_current;
        r.kind = kKindStartPoint;
        r.plane = kPlaneXY;
        r.color = kWhite;
        r.x = x;
        r.y = y;
        r.z = z;
        m_extents.reset(x, y, z);
        m_ws.database.status.ncLoaded = true;
        finish();
        return r;
    }
    MoveRecord& feed(float x, float y, float z = 0, Rgb color = kWhite, float feedRate = 100) {
        return append(kKindStraight, kMotionLinear, x, y, z, color, feedRate);
    }
    MoveRecord& rapid(float x, float y, float z = 0) {
        return append(kKindStraight, kMotionRapid, x, y, z, kRapidColor, 0);
    }
    // One arc piece of the arc group `sequence`.
    MoveRecord& arcPiece(int sequence, float x, float y, float z = 0, Rgb color = kWhite) {
        MoveRecord& r = append(kKindArcPiece, kMotionCounterClockwise, x, y, z, color, 100);
        r.sequence = sequence;
        return r;
    }

private:
    MoveRecord& append(std::uint8_t kind, std::uint8_t motion, float x, float y, float z, Rgb color,
                       float feedRate) {
        const bool appended = m_ws.database.records.append(m_current);
        assert(appended);
        (void)appended;
        MoveRecord& r = *m_current;
        r.kind = kind;
        r.plane = kPlaneXY;
        r.motion = motion;
        r.color = color;
        r.feed = feedRate;
        r.sequence = ++m_sequence;
        r.x = x;
        r.y = y;
        r.z = z;
        m_extents.widen(x, y, z);
        finish();
        return r;
    }
    void finish() {
        Extents box = m_extents;
        box.negateY();
        m_ws.database.status.extents = box;
        m_ws.view.reprojection = true;
    }

    Workspace& m_ws;
    MoveRecord* m_current = nullptr;
    Extents m_extents;
    int m_sequence = 0;
};

// A view with all angles 0, scale s and origin (ox, oy) on a W x H drawing area.
inline void setPlainView(ViewState& view, double s, double ox, double oy, int w = 640,
                         int h = 480) {
    setAngles(view, 0, 0, 0);
    view.scale = s;
    view.originX = ox;
    view.originY = oy;
    view.width = w;
    view.height = h;
    view.reprojection = true;
}

} // namespace korvix::test
