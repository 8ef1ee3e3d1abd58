#pragma once

#include "model/graphics_database.h"

#include <tuple>
#include <utility>
#include <vector>

namespace korvix::test {

// What a record says about the path: every field but its links and where it was last drawn.
inline auto fieldsOf(const MoveRecord& r) {
    return std::tuple(r.kind, r.plane, r.visible, r.selected, r.optionalStop, r.color, r.sequence,
                      r.blockNumber, r.motion, r.tool, r.feed, r.x, r.y, r.z, r.centerX, r.centerY,
                      r.centerZ, r.radius, r.startAngle, r.endAngle);
}
using RecordFields = decltype(fieldsOf(std::declval<MoveRecord>()));

// The path in order, for comparing two states of a database exactly.
inline std::vector<RecordFields> pathFields(const GraphicsDatabase& database) {
    std::vector<RecordFields> fields;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next)
        fields.push_back(fieldsOf(*r));
    return fields;
}

} // namespace korvix::test
