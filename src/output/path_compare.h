#pragma once

#include "model/graphics_database.h"

#include <cstdint>
#include <string>

namespace korvix {

// How far one toolpath strays from another: a converted program read back against the
// program it came from. Every move of each path (its end points and midpoints, arcs through
// their pieces) is measured against the other path, walking both in order, so that a path
// that crosses itself is not matched against a far part of the other.
struct PathComparison {
    double largestDeviation = 0.0;
    // Where the largest deviation is: the block number of that move in the first path.
    int deviationBlock = 0;
    // The first stretch where one path rapids and the other feeds, or the tools differ.
    bool characterAgrees = true;
    int characterBlock = 0;
    std::string characterDifference; // "rapid against feed", "tool 2 against tool 3"
    std::size_t movesA = 0;
    std::size_t movesB = 0;

    bool within(double tolerance) const { return characterAgrees && largestDeviation <= tolerance; }
};

// Two paths deviating by at most this trace the same path: well below a machine's resolution
// for programs written with 3 or 4 decimals.
inline constexpr double kSamePathTolerance = 0.001;

PathComparison comparePaths(const GraphicsDatabase& a, const GraphicsDatabase& b);

// "largest deviation 0.1250 at block 12", with the character difference when there is one.
std::string describeComparison(const PathComparison& comparison);

} // namespace korvix
