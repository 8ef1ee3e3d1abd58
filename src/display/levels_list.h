#pragma once

#include "model/graphics_database.h"
#include "model/list_payloads.h"

#include <cstddef>
#include <cstdint>

namespace korvix {

enum class LevelListResult : std::uint8_t {
    Built,
    NoData,      // no records to split
    OutOfMemory, // a node could not be allocated; the list is left empty
};

// Splits the toolpath into its Z levels, the runs of moves cut at one constant depth, one
// node each, in path order. The first node begins at the first record. A level ends at the
// move that leaves it for good: one going below the level after at least two records at its
// depth, or, once the tool has climbed, stayed at a height for two records and moved on to
// another height, any move but one back at the level's depth. That move is the level's last
// record and the next level's first; the level's box leaves it out. A start point inside the
// path (an appended file) begins the depth candidates afresh without ending the level.
//
// `levels` is emptied first. Its nodes point into `database`, which must outlive them.
LevelListResult buildLevelList(const GraphicsDatabase& database, ZLevelList& levels);

// The number of moves from `first` to `last` inclusive: straight moves, and arcs once per
// arc group (a group cut off at `last` counts too). Start points are no moves.
std::size_t movesBetween(const MoveRecord& first, const MoveRecord& last);

// Minutes the moves from `first` to `last` inclusive take, each from the end point of its
// predecessor: straight moves by their 3D length, arc pieces by their arc length in the
// arc's plane; rapids at the rapid feed, a feed of 0 counting as 1. Start points take none.
double cuttingTimeBetween(const MoveRecord& first, const MoveRecord& last);

// What the command-line tool lists for one level.
struct LevelSummary {
    float levelZ = 0;
    std::uint16_t firstBlock = 0;
    std::uint16_t lastBlock = 0;
    std::size_t moves = 0;
    double cuttingTime = 0; // minutes
};
LevelSummary summarizeLevel(const ZLevel& level);

} // namespace korvix
