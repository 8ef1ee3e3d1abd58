#pragma once

#include "model/move_record.h"

#include <string>

namespace korvix {

// The machining time at 100 % feed from the start of the path to the record the animated
// tool has reached, counted as the cutting time is: length / feed for every move, rapid
// moves at the rapid feed, a feed of 0 as 1, an arc by its length. Inside an arc the time
// grows with the angle swept so far; at the arc's last piece it holds the whole arc.
class MachiningClock {
public:
    // The time from `first` to `record` (inclusive), which lies on the path from `first`.
    // Only the arc that `record` ends part of is measured by angle, so starting deep into a
    // big path costs one quick walk.
    void startAt(const MoveRecord& first, const MoveRecord& record);
    // Adds the move that ends at `record`, the successor of the record the clock was last
    // given.
    void advanceTo(const MoveRecord& record);
    // The part of an arc travelled so far is measured only when the time is asked for, which
    // at full speed is far less often than the tool passes an arc piece.
    double minutes() const;

private:
    double m_completed = 0;                 // the moves before, without a partly travelled arc
    const MoveRecord* m_arcPiece = nullptr; // the piece inside an arc the tool has reached
};

// The share of its arc that an arc piece ends: the angle from the arc's start angle to the
// piece's end point over the arc's sweep, in [0, 1]; 1 for the arc's last piece.
double arcFractionAt(const MoveRecord& piece);

// "h:mm:ss", seconds truncated: 125.9 minutes is "2:05:54".
std::string elapsedClockText(double minutes);

} // namespace korvix
