#include "editing/selection_commands.h"

namespace korvix {

SelectionOutcome selectAll(GraphicsDatabase& database, int value) {
    return selectWhere(database, value, [](const MoveRecord&) { return true; });
}

SelectionOutcome selectTool(GraphicsDatabase& database, int value, int toolNumber) {
    return selectWhere(database, value,
                       [toolNumber](const MoveRecord& r) { return r.tool == toolNumber; });
}

SelectionOutcome selectBlockRange(GraphicsDatabase& database, int value, int firstBlock,
                                  int lastBlock) {
    return selectWhere(database, value, [firstBlock, lastBlock](const MoveRecord& r) {
        return r.blockNumber >= firstBlock && r.blockNumber <= lastBlock;
    });
}

SelectionOutcome selectUpToFirst(GraphicsDatabase& database, int value) {
    SelectionOutcome outcome;
    const std::uint8_t flag = selectionFlag(value);
    for (MoveRecord* r = database.first(); r != nullptr && r->selected != flag; r = r->next)
        markRecord(*r, flag, outcome.changedRecords);
    return outcome;
}

SelectionOutcome selectBetweenFirstAndSecond(GraphicsDatabase& database, int value) {
    SelectionOutcome outcome;
    const std::uint8_t flag = selectionFlag(value);
    MoveRecord* r = database.first();
    while (r != nullptr && r->selected != flag)
        r = r->next;
    // Every record of the first selection has the value already; the gap begins after it.
    // (Ending the fill at the selection's own second record would make "2" do nothing after
    // picking an arc, a both-points move or a box.)
    while (r != nullptr && r->selected == flag)
        r = r->next;
    for (; r != nullptr && r->selected != flag; r = r->next)
        markRecord(*r, flag, outcome.changedRecords);
    return outcome;
}

} // namespace korvix
