#pragma once

#include "model/geometry.h"
#include "model/move_record.h"

#include <string>

namespace korvix {

// The fields of the "Current NC location" dialog for one record, ready to show.
struct NcLocationTexts {
    std::string blockNumber; // "N40"
    std::string moveType;    // "G01 (Linear)", "G00 (Rapid)", "G03 (XY Arc)"
    std::string x1, y1, z1;  // start point
    std::string x2, y2, z2;  // end point
    std::string feed;
    std::string distance;
    std::string tool;
    std::string xc, yc, zc; // arc centre
};

// Describes the move that ends at `record`. A straight move (or a start point) starts at the
// previous record's end point; without a previous record the start point and the distance
// stay empty. An arc is described as a whole, whichever of its pieces `record` is: from
// where the tool stood before its first piece to the end of its last, with its centre. Coordinates
// and distances have 5 decimals, the feed 3; a rapid move shows no feed.
NcLocationTexts describeMove(const MoveRecord& record);

// Length of the arc `piece` belongs to, in its plane, from the angles it sweeps (so arcs of
// 180 degrees or more, for which the shared arc-length routine has no answer, have one too).
double arcTravel(const MoveRecord& piece);

// "Picked at X = x, Y = y, Z = z", 4 decimals.
std::string pickedAtText(const Point3& point);

// The three fields of the "Current Wireframe location" dialog, 5 decimals.
struct WireLocationTexts {
    std::string x, y, z;
};
WireLocationTexts describePoint(const Point3& point);

} // namespace korvix
