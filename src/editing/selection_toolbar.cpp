#include "editing/selection_toolbar.h"

#include "editing/selection_picks.h"
#include "editing/selection_texts.h"

namespace korvix {

std::string_view armSelectionPick(const SelectionToolbarState& toolbar, SelectionPickMethod method,
                                  PointerState& pointer) {
    pointer.mode = static_cast<PickMode>(method);
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

void disarmSelectionPick(PointerState& pointer) {
    if (!pointer.selectionArmed)
        return;
    pointer.mode = PickMode::None;
    pointer.selectionArmed = false;
    pointer.pendingSelectionValue = 0;
}

std::string_view chooseSelectionValue(SelectionToolbarState& toolbar, bool add,
                                      PointerState& pointer) {
    toolbar.add = add;
    if (!pointer.selectionArmed || pointer.mode == PickMode::None)
        return {};
    pointer.pendingSelectionValue = toolbar.selectionValue();
    return add ? kSelectionAddStatus : kSelectionSubtractStatus;
}

SelectionOutcome finishSelectionPick(GraphicsDatabase& database,
                                     const SelectionToolbarState& toolbar, PointerState& pointer,
                                     PixelPoint release) {
    SelectionOutcome outcome;
    if (pointer.selectionArmed)
        outcome = runSelectionPick(database, pointer.mode, pointer.pendingSelectionValue,
                                   toolbar.bothPoints, pointer.press, release);
    pointer.mode = PickMode::None;
    pointer.selectionArmed = false;
    pointer.pendingSelectionValue = 0;
    return outcome;
}

} // namespace korvix
