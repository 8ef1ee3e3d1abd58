#pragma once

// The arc arithmetic both NC dialects share: an arc group is written once, from its first
// piece (centre, radius and angles of the whole arc), and ends where its last piece ends.

#include "model/geometry.h"
#include "model/move_record.h"
#include "model/plane_axes.h"
#include "model/tool_table.h"

namespace korvix::ncout {

struct ArcGroup {
    const MoveRecord* first = nullptr;
    const MoveRecord* last = nullptr;
    // An M01 read after an arc marks its last piece; the stop belongs to the whole arc.
    bool optionalStop = false;
};

// The group that starts at `first`: the run of arc pieces with its sequence.
ArcGroup arcGroupAt(const MoveRecord* first);

// The centre's coordinate off the arc's plane.
double centreThirdAxis(const MoveRecord& arc);
// The point at `angleDeg` on the arc's circle, with `third` as the off-plane coordinate.
Point3 pointOnArc(const MoveRecord& arc, double angleDeg, double third);

// The arc's start point: on the circle at the start angle, off-plane at the centre's value.
Point3 arcStartPoint(const ArcGroup& arc);
// The arc's end point: on the circle at the end angle; off-plane at the centre's value for
// a flat arc, at the last piece's value for a helical one.
Point3 arcEndPoint(const ArcGroup& arc);
// True when the arc changes its off-plane coordinate by more than the motion tolerance.
bool isHelical(const ArcGroup& arc);

// 2 (clockwise) or 3 (counter-clockwise): the record's motion, or for a record whose motion
// is no arc code, the direction its radius sign gives in its plane.
std::uint8_t arcMotion(const MoveRecord& arc);

// The tool entry of `tool`, searched from entry 0 to the tool count (so tool 0 finds entry
// 0), or nullptr.
const ToolEntry* findToolEntry(const ToolTable& tools, int tool);

} // namespace korvix::ncout
