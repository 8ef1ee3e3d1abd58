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
// stay empty. An arc is described as a whole from its centre, radius and angles, whichever
// of its pieces `record` is. Coordinates and distances have 5 decimals, the feed 3; a rapid
// move shows no feed.
NcLocationTexts describeMove(const MoveRecord& record);

// Start and end point of the arc `piece` belongs to, computed on its circle; the coordinate
// off the arc's plane is the piece's own.
struct ArcEnds {
    Point3 start, end;
};
ArcEnds arcEndPoints(const MoveRecord& piece);

// Length of the arc `piece` belongs to. Arcs of 180 degrees or more, for which the shared
// arc-length routine has no answer, are measured by their sweep.
double arcTravel(const MoveRecord& piece);

// The model point on the circle of an arc piece at `angle` degrees, off-plane coordinate
// `offPlane`.
Point3 arcPointAt(const MoveRecord& piece, double angle, double offPlane);

// Degrees swept from the start to the end angle in the direction of the radius sign, in
// [0, 360).
double arcSweepOf(const MoveRecord& piece);

// "Picked at X = x, Y = y, Z = z", 4 decimals.
std::string pickedAtText(const Point3& point);

// The three fields of the "Current Wireframe location" dialog, 5 decimals.
struct WireLocationTexts {
    std::string x, y, z;
};
WireLocationTexts describePoint(const Point3& point);

} // namespace korvix
