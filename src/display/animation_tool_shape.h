#pragma once

#include "model/list_payloads.h"
#include "model/tool_table.h"

#include <cstdint>
#include <vector>

namespace korvix {

// The animated tool is drawn as a wire cage: the side profile of the cutter, in a plane
// through its axis, repeated around the axis, and two rings through the copies (at the top
// of the cutting length and where the side meets the corner or the bottom face). The axis
// is the model's +Z with the tip at the tool position: the tool definitions do not let the
// axis angles be changed, so the shape does not tilt.

// One point of the side profile: `radial` from the axis, `axial` up the axis from the tip.
struct ProfilePoint {
    double radial = 0;
    double axial = 0;
    friend bool operator==(const ProfilePoint&, const ProfilePoint&) = default;
};

inline constexpr int kMaxProfilePoints = 1000;
// Two dimensions this close count as equal: a corner radius of half the diameter makes a
// ball end mill.
inline constexpr double kBallEndTolerance = 0.0002;
// The corner arc's step when the entry's arc resolution is no usable number of degrees.
inline constexpr double kDefaultArcResolution = 3.5;

// The side profile of the entry's tool, from the tip centre to the top of the cutting
// length: the tip centre; the outer end of the flat bottom face (not for a ball end); the
// corner arc from the bottom face to the side, one point every `arcResolution` degrees and
// its end; the top of the side at half the diameter and the length. Empty when the
// diameter is not a positive number. Corner radius and length count by their size; a
// length below the corner radius is raised to it, a corner radius above half the diameter
// lowered to it. At most kMaxProfilePoints points: a finer resolution is coarsened.
std::vector<ProfilePoint> toolProfile(const ToolEntry& entry);

// Degrees between the copies of the profile: 360 / sections truncated to whole degrees.
// No sections count as one.
int sectionStepDegrees(int sections);

enum class ToolShapeResult : std::uint8_t {
    Built,
    NoShape,     // no usable diameter: the six-armed marker stands for the tool
    OutOfMemory, // the list could not grow; it is left empty
};

// Builds the drawn outline of the entry's tool into `shape` (emptied first), points
// relative to the tool tip: one copy of the profile at every multiple of the section step
// below 360 degrees, each a move to its first point and lines through the rest; then, with
// three copies or more, the rings, each a move to its point on the first copy, lines
// through the other copies and a line back.
ToolShapeResult buildToolShape(const ToolEntry& entry, ToolShapeList& shape);

// The entry the animation draws a tool number with: the first of entries 1..count with that
// number, else entry 0 (the one for moves before any tool is called).
const ToolEntry& animationToolEntry(const ToolTable& table, int toolNumber);

} // namespace korvix
