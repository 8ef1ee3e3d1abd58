#pragma once

#include "model/graphics_database.h"

#include <cassert>
#include <initializer_list>
#include <vector>

namespace korvix::test {

struct XYZ {
    float x, y, z;
};

// A toolpath whose records end at the given points (the first is the start point).
inline std::vector<MoveRecord*> buildPath(GraphicsDatabase& db, std::initializer_list<XYZ> ends) {
    std::vector<MoveRecord*> records;
    db.records.freeAll();
    MoveRecord* current = nullptr;
    for (const XYZ& p : ends) {
        const bool ok = current == nullptr ? db.records.createFirst() : db.records.append(current);
        assert(ok);
        (void)ok;
        if (current == nullptr)
            current = db.records.head();
        current->kind = records.empty() ? kKindStartPoint : kKindStraight;
        current->x = p.x;
        current->y = p.y;
        current->z = p.z;
        records.push_back(current);
    }
    return records;
}

struct WirePoint {
    float x, y, z;
    bool penDown;
};

inline std::vector<WireframePoint*> buildWireframe(WireframeStore& store,
                                                   std::initializer_list<WirePoint> points) {
    std::vector<WireframePoint*> out;
    store.points.freeAll();
    WireframePoint* current = nullptr;
    for (const WirePoint& p : points) {
        const bool ok =
            current == nullptr ? store.points.createFirst() : store.points.append(current);
        assert(ok);
        (void)ok;
        if (current == nullptr)
            current = store.points.head();
        current->penDown = p.penDown ? 1 : 0;
        current->visible = 1;
        current->x = p.x;
        current->y = p.y;
        current->z = p.z;
        out.push_back(current);
    }
    return out;
}

} // namespace korvix::test
