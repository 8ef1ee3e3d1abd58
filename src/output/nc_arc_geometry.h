#pragma once

// What both NC dialects need of an arc beyond its group (model/arc_geometry.h): an arc group
// is written once, from its first piece (centre, radius and angles of the whole arc), and the
// tool table look-up of tool changes.

#include "model/arc_geometry.h"
#include "model/geometry.h"
#include "model/move_record.h"
#include "model/plane_axes.h"
#include "model/tool_table.h"

namespace korvix::ncout {

// 2 (clockwise) or 3 (counter-clockwise): the record's motion, or for a record whose motion
// is no arc code, the direction its radius sign gives in its plane.
std::uint8_t arcMotion(const MoveRecord& arc);

// The tool entry of `tool`, searched from entry 0 to the tool count (so tool 0 finds entry
// 0), or nullptr.
const ToolEntry* findToolEntry(const ToolTable& tools, int tool);

} // namespace korvix::ncout
