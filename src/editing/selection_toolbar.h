#pragma once

#include "display/pointer_input.h"
#include "editing/selection_marking.h"
#include "model/graphics_database.h"

#include <cstdint>
#include <string_view>

namespace korvix {

// The selection toolbar's option groups as plain state, and the decisions its buttons
// stand for, so that the window's buttons only forward. The pick mode, the armed flag and
// the pending value live with the window's mouse handling (PointerState); these functions
// update them as the mouse expects.

// The pick mode each method arms (while a selection is armed these modes mean a selection).
enum class SelectionPickMethod : std::uint8_t {
    SingleMove = static_cast<std::uint8_t>(PickMode::Point),
    Line = static_cast<std::uint8_t>(PickMode::Pan),
    Box = static_cast<std::uint8_t>(PickMode::ZoomWindow),
};

struct SelectionToolbarState {
    // "Both points" down, else "Destination point": single and line picks also mark the
    // move that ends where the picked move starts.
    bool bothPoints = false;
    // "Add" down, else "Subtract".
    bool add = true;

    // The value the commands that act at once ("All", "T#", "1", "2") give the flags.
    int selectionValue() const { return add ? 1 : 0; }
};

// One of the three pick buttons: arms its pick mode with the current add/subtract state as
// the pending value. Returns the instruction for the status bar.
std::string_view armSelectionPick(const SelectionToolbarState& toolbar, SelectionPickMethod method,
                                  PointerState& pointer);

// The pick button that was down was clicked again and is up now: nothing stays armed.
void disarmSelectionPick(PointerState& pointer);

// "Add" (add true) or "Subtract" became the down button. While a pick is armed the pending
// pick takes the new value and the returned text says so; otherwise only the button state
// changes (the next arming copies it) and the text is empty.
std::string_view chooseSelectionValue(SelectionToolbarState& toolbar, bool add,
                                      PointerState& pointer);

// Mouse-up of an armed drag: runs the armed pick with the press point and `release`, then
// disarms whatever it found (no pick mode, armed flag and pending value cleared). The caller
// redraws when the outcome changed something and puts the pick-method buttons up.
SelectionOutcome finishSelectionPick(GraphicsDatabase& database,
                                     const SelectionToolbarState& toolbar, PointerState& pointer,
                                     PixelPoint release);

} // namespace korvix
