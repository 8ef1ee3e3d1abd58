#pragma once

#include "model/move_record.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvix {

// What a selection operation did. A redraw is worth it only when some flag took a new value:
// picking what is already selected leaves the picture as it is. The picks and commands put
// nothing into the status bar (the instruction of the arming stays); only the texts of
// arming and of add/subtract do (selection_toolbar.h).
struct SelectionOutcome {
    std::size_t changedRecords = 0;
    // The first move a pick found (the last record of its arc group), the one to show in the
    // program text; null when the pick found none.
    MoveRecord* firstPicked = nullptr;
    // For an error box; set when the operation could not run (nothing changed).
    std::string error;

    bool changed() const { return changedRecords != 0; }
};

// The flag a selection value gives: 1 adds to the selection, 0 removes from it.
inline std::uint8_t selectionFlag(int value) {
    return value != 0 ? 1 : 0;
}

// Sets one record's flag and counts it when it took a new value.
inline void markRecord(MoveRecord& record, std::uint8_t flag, std::size_t& changed) {
    if (record.selected != flag) {
        record.selected = flag;
        ++changed;
    }
}

// The first and the last record of the arc group that `record` belongs to; a record that is
// not an arc piece is a group of its own.
MoveRecord& arcGroupFirst(MoveRecord& record);
MoveRecord& arcGroupLast(MoveRecord& record);

// Sets the flag on `record` and, for an arc piece, on its whole arc: an arc is selected or
// not as one. Returns the group's last record, so that a walk can go on after it.
MoveRecord& markWidened(MoveRecord& record, std::uint8_t flag, std::size_t& changed);

// A picked move (single or line pick): the move widened to its arc and, with `bothPoints`,
// the move that ends where it starts, widened too (that way the source point of the pick is
// marked as well). Returns the last record of the picked move's arc group.
MoveRecord& markPickedMove(MoveRecord& record, std::uint8_t flag, bool bothPoints,
                           std::size_t& changed);

} // namespace korvix
