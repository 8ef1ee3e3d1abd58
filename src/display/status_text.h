#pragma once

#include "model/extents.h"
#include "model/graphics_database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace korvix {

struct Workspace;

// The approximate cutting time as whole hours and minutes, both truncated.
struct HoursMinutes {
    std::int64_t hours = 0;
    std::int64_t minutes = 0;
};
HoursMinutes cuttingTimeHoursMinutes(double minutes);

// " (X) Min = ... Max = ... Delta = ... Center = ..." for one axis (axis 'X', 'Y' or 'Z';
// min and max in true orientation).
std::string axisStatusLine(char axis, double min, double max);

// The three axis lines of a box whose Y pair is held in screen orientation.
std::vector<std::string> extentsStatusLines(const Extents& extents);

// The NC block: the three axis lines, the feed-rate line and the cutting-time line.
std::vector<std::string> ncStatusLines(const GraphicsDatabase& database);

// The wire-frame block: " Wire data STATUS..." and the three axis lines.
std::vector<std::string> wireframeStatusLines(const WireframeStore& wireframe);

// True when there is an NC toolpath to describe: the database holds records and a read has
// completed. The `ncLoaded` flag alone is not enough, a wire-frame read sets it too.
bool ncDataLoaded(const Workspace& ws);
// True when the wire-frame store holds points.
bool wireframeDataLoaded(const Workspace& ws);

// Every line of the status window: the wire-frame block (or " No Wire data currently
// loaded...") when "Display WIREFRAME STATUS window" is checked, else the NC block (or
// " No NC data currently loaded...").
std::vector<std::string> statusWindowLines(const Workspace& ws, bool wireframeStatusChecked);

} // namespace korvix
