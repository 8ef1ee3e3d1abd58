#include "editing/selection_toolbar.h"

#include "editing/selection_picks.h"
#include "editing/selection_texts.h"

namespace korvix {

std::string_view armSelectionPick(const SelectionToolbarState& toolbar, SelectionPickMethod method,
                                  int& pickMode, PointerState& pointer) {
    pickMode = static_cast<int>(method);
    pointer.selectionArmed = true;
    pointer.pendingSelectionValue = toolbar.selectionValue();
    switch (method) {
    case SelectionPickMethod::SingleMove:
        return kSelectSingleMoveStatus;
    case SelectionPickMethod::Line:
        return kSelectLineStatus;
    case SelectionPickMethod::Box:
        return kSelectBoxStatus;
    }
    return {};
}

std::string_view chooseSelectionValue(SelectionToolbarState& toolbar, bool add, int pickMode,
                                      PointerState& pointer) {
    toolbar.add = add;
    if (!pointer.selectionArmed || pickMode == 0)
        return {};
    pointer.pendingSelectionValue = toolbar.selectionValue();
    return add ? kSelectionAddStatus : kSelectionSubtractStatus;
}

SelectionOutcome finishSelectionPick(GraphicsDatabase& database,
                                     const SelectionToolbarState& toolbar, int& pickMode,
                                     PointerState& pointer, PixelPoint release) {
    SelectionOutcome outcome;
    if (pointer.selectionArmed)
        outcome = runSelectionPick(database, pickMode, pointer.pendingSelectionValue,
                                   toolbar.bothPoints, pointer.press, release);
    pickMode = 0;
    pointer.selectionArmed = false;
    pointer.pendingSelectionValue = 0;
    return outcome;
}

} // namespace korvix
