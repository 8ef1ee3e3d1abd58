#pragma once

#include "editing/selection_marking.h"
#include "model/graphics_database.h"

namespace korvix {

// The selection commands that act at once, without a pick. They set records one by one (an
// arc is not widened: its pieces share tool and block number anyway). `value` is the
// selection value, 1 add and 0 subtract. Without data nothing happens.

// Every record for which `takes(record)` is true, the start point included.
template <typename Predicate>
SelectionOutcome selectWhere(GraphicsDatabase& database, int value, Predicate takes) {
    SelectionOutcome outcome;
    const std::uint8_t flag = selectionFlag(value);
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next)
        if (takes(*r))
            markRecord(*r, flag, outcome.changedRecords);
    return outcome;
}

// "All": every record, so "All" while subtracting clears the selection.
SelectionOutcome selectAll(GraphicsDatabase& database, int value);

// "T#": every record of this tool number.
SelectionOutcome selectTool(GraphicsDatabase& database, int value, int toolNumber);

// Every record whose block number lies in [firstBlock, lastBlock]. Block numbers need not
// be unique in a program (automatic numbers restart, N words repeat): all matches count.
SelectionOutcome selectBlockRange(GraphicsDatabase& database, int value, int firstBlock,
                                  int lastBlock);

// "1": from the start of the path up to the first record that already has the value, which
// keeps it. Adding selects everything before the first selected record; subtracting clears
// everything before the first unselected one. When the first record already has the value
// there is nothing before it and nothing changes.
SelectionOutcome selectUpToFirst(GraphicsDatabase& database, int value);

// "2": fills the gap after the first selection. The first selection is the first run of
// records that have the value (one move, a whole arc, or several adjacent moves); the
// records after it up to the next record with the value get it. With no second selection
// the fill runs to the end of the path; with no record at the value nothing changes.
SelectionOutcome selectBetweenFirstAndSecond(GraphicsDatabase& database, int value);

} // namespace korvix
