#include "output/nc_arc_geometry.h"

namespace korvix::ncout {

std::uint8_t arcMotion(const MoveRecord& arc) {
    if (arc.motion == kMotionClockwise || arc.motion == kMotionCounterClockwise)
        return arc.motion;
    // Angles grow counter-clockwise seen along the axis the NC plane codes use, which for
    // XZ is the other way round.
    const bool decreasing = arc.radius < 0;
    return decreasing != (arc.plane == kPlaneXZ) ? kMotionClockwise : kMotionCounterClockwise;
}

const ToolEntry* findToolEntry(const ToolTable& tools, int tool) {
    for (int i = 0; i <= tools.count && i <= ToolTable::kMaxTools; ++i)
        if (tools.entries[static_cast<std::size_t>(i)].toolNumber == tool)
            return &tools.entries[static_cast<std::size_t>(i)];
    return nullptr;
}

} // namespace korvix::ncout
