#pragma once

#include "model/move_record.h"

#include <sstream>
#include <string>

namespace korvix::test {

// Names every field (links aside) in which two records differ; empty when none does.
// `skipSequence` leaves out the sequence, which filters that rebuild the list renumber.
inline std::string fieldDifferences(const MoveRecord& a, const MoveRecord& b,
                                    bool skipSequence = false) {
    std::ostringstream out;
    const auto check = [&](const char* name, auto x, auto y) {
        if (!(x == y))
            out << name << " " << +x << " != " << +y << "; ";
    };
    check("kind", a.kind, b.kind);
    check("plane", a.plane, b.plane);
    check("visible", a.visible, b.visible);
    check("selected", a.selected, b.selected);
    check("optionalStop", a.optionalStop, b.optionalStop);
    check("color", a.color, b.color);
    if (!skipSequence)
        check("sequence", a.sequence, b.sequence);
    check("blockNumber", a.blockNumber, b.blockNumber);
    check("motion", a.motion, b.motion);
    check("tool", a.tool, b.tool);
    check("feed", a.feed, b.feed);
    check("x", a.x, b.x);
    check("y", a.y, b.y);
    check("z", a.z, b.z);
    check("centerX", a.centerX, b.centerX);
    check("centerY", a.centerY, b.centerY);
    check("centerZ", a.centerZ, b.centerZ);
    check("radius", a.radius, b.radius);
    check("startAngle", a.startAngle, b.startAngle);
    check("endAngle", a.endAngle, b.endAngle);
    check("screenX", a.screenX, b.screenX);
    check("screenY", a.screenY, b.screenY);
    return out.str();
}

} // namespace korvix::test
