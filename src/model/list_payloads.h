#pragma once

#include "model/move_record.h"
#include "model/node_list.h"

#include <cstdint>

namespace korvix {

// One Z level of the levels display: the level's depth, the bounding box of its moves and
// the first and last record of the level in the graphics database.
struct ZLevel {
    float levelZ;
    float minX, minY, minZ;
    float maxX, maxY, maxZ;
    MoveRecord* firstRecord;
    MoveRecord* lastRecord;
    ZLevel* prev;
    ZLevel* next;
};

// One crossing of a move with the trimming polygon, keyed by its distance along the move.
struct Crossing {
    float x, y, z;
    float distance;
    Crossing* prev;
    Crossing* next;
};

// One point of the drawn tool outline, relative to the tool tip. Singly linked.
struct ToolShapePoint {
    std::uint8_t penDown; // 0: move to the point, else draw a line to it
    float x, y, z;
    std::int32_t screenX, screenY; // cached pixel offsets from the tool position
    ToolShapePoint* next;
};

using ZLevelList = NodeList<ZLevel>;
using CrossingList = NodeList<Crossing>;
using ToolShapeList = NodeList<ToolShapePoint>;

// Orders the crossings by their distance along the move; equal distances keep their order.
inline void sortByKey(CrossingList& list) {
    list.sortByKey([](const Crossing& c) { return c.distance; });
}

} // namespace korvix
