#include "display/status_text.h"

#include "model/workspace.h"
#include "model/number_text.h"

#include <algorithm>
#include <cmath>

namespace korvix {
namespace {

constexpr int kCoordinateDecimals = 5;
constexpr int kFeedDecimals = 3;

// Whole units of a non-negative amount, truncated; anything that is no number gives 0 and
// absurdly large values stop at a bound instead of overflowing.
std::int64_t truncated(double value) {
    if (!(value > 0))
        return 0;
    if (value > 9e18)
        return INT64_MAX;
    return static_cast<std::int64_t>(value);
}

} // namespace

HoursMinutes cuttingTimeHoursMinutes(double minutes) {
    HoursMinutes result;
    result.hours = truncated(minutes / 60.0);
    // Rounding can leave 60 minutes of a time too large to be held exactly.
    result.minutes =
        std::min<std::int64_t>(59, truncated(minutes - 60.0 * static_cast<double>(result.hours)));
    return result;
}

std::string axisStatusLine(char axis, double min, double max) {
    const double delta = std::fabs(max - min);
    const double centre = min + delta / 2.0;
    std::string line = " (";
    line += axis;
    line += ") Min = " + fixed7(min, kCoordinateDecimals);
    line += " Max = " + fixed7(max, kCoordinateDecimals);
    line += " Delta = " + fixed7(delta, kCoordinateDecimals);
    line += " Center = " + fixed7(centre, kCoordinateDecimals);
    return line;
}

std::vector<std::string> extentsStatusLines(const Extents& extents) {
    return {axisStatusLine('X', extents.minX, extents.maxX),
            axisStatusLine('Y', extents.trueMinY(), extents.trueMaxY()),
            axisStatusLine('Z', extents.minZ, extents.maxZ)};
}

std::vector<std::string> ncStatusLines(const GraphicsDatabase& database) {
    const DatabaseStatus& status = database.status;
    std::vector<std::string> lines = extentsStatusLines(status.extents);
    lines.push_back(" (F) Min = " + fixed7(status.minFeed, kFeedDecimals) +
                    " Max = " + fixed7(status.maxFeed, kFeedDecimals));
    const HoursMinutes time = cuttingTimeHoursMinutes(status.cuttingTime);
    lines.push_back(" Approximate cutting time = " + std::to_string(time.hours) + " hours, " +
                    std::to_string(time.minutes) + " minutes at 100% feed rate.");
    return lines;
}

std::vector<std::string> wireframeStatusLines(const WireframeStore& wireframe) {
    std::vector<std::string> lines = {" Wire data STATUS..."};
    for (std::string& line : extentsStatusLines(wireframe.extents))
        lines.push_back(std::move(line));
    return lines;
}

bool ncDataLoaded(const Workspace& ws) {
    return ws.database.databaseAllocated() && ws.database.status.ncLoaded;
}

bool wireframeDataLoaded(const Workspace& ws) {
    return ws.wireframe.wireframeAllocated();
}

std::vector<std::string> statusWindowLines(const Workspace& ws, bool wireframeStatusChecked) {
    if (wireframeStatusChecked) {
        if (wireframeDataLoaded(ws))
            return wireframeStatusLines(ws.wireframe);
        return {" No Wire data currently loaded..."};
    }
    if (ncDataLoaded(ws))
        return ncStatusLines(ws.database);
    return {" No NC data currently loaded..."};
}

} // namespace korvix
