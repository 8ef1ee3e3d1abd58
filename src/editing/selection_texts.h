#pragma once

#include <array>
#include <string_view>

namespace korvix {

// Texts of edit-mode selection: what the status bar says when a pick is armed or the pick
// value changes, the selection toolbar's buttons and the "Select Tool #" form.

inline constexpr std::string_view kSelectSingleMoveStatus =
    "Select individual MOVE with the mouse cursor...";
inline constexpr std::string_view kSelectBoxStatus =
    "Use left mouse button to draw box around desired POINTS...";
inline constexpr std::string_view kSelectLineStatus =
    "Use left mouse button to drag line across all desired MOVES...";
inline constexpr std::string_view kSelectionAddStatus =
    "Desired geometry will now be ADDED to selection list...";
inline constexpr std::string_view kSelectionSubtractStatus =
    "Desired geometry will now be SUBTRACTED from selection list...";

// The edit menu that replaces the main menu while the selection toolbar is shown.
inline constexpr std::string_view kModifyPortionCaption = "Modify &Portion";
inline constexpr std::string_view kEditExitCaption = "E&xit";
inline constexpr std::string_view kEditExitHint = "Exit edit mode and return to main menu";
inline constexpr std::string_view kEditModifyCaption = "&Modify";
inline constexpr std::string_view kEditModifyHint = "Modify currently selected data";

// The toolbar `ModifyPortionToolbar`, top to bottom. Buttons of one group (not 0) are
// mutually exclusive; `allowAllUp` lets the down one be put up again.
inline constexpr std::string_view kSelectionToolbarName = "ModifyPortionToolbar";
inline constexpr int kSelectionButtonSize = 27; // pixels, square

struct SelectionToolbarButton {
    std::string_view component;
    std::string_view caption; // empty: the button shows a glyph
    std::string_view hint;
    int group;
    bool allowAllUp;
    bool downAtStart;
};

// Groups: 1 pick method (put up again after every pick), 2 destination or both points,
// 3 add or subtract, 4 the two range commands; the "T#" button is in none.
inline constexpr std::array<SelectionToolbarButton, 11> kSelectionToolbarButtons{{
    {"IndividualSelectionSpeedButton", "", "Select single move", 1, true, false},
    {"BoxSelectionSpeedButton", "", "Select all points within defined box", 1, true, false},
    {"LineSelectionSpeedButton", "", "Select all moves which intersect defined line", 1, true,
     false},
    {"AllSelectionSpeedButton", "All", "Select ALL data within current database", 1, true, false},
    {"SpeedButton1", "T#", "Select data belonging only to a particular TOOL NUMBER", 0, false,
     false},
    {"DestinationPointSpeedButton", "", "Select only the destination point", 2, false, true},
    {"BothPointsSpeedButton", "", "Select both the source and destination points", 2, false, false},
    {"SelectUpToFPSpeedButton", "1", "Select all data up to first selection", 4, true, false},
    {"SelectAfterFPSpeedButton", "2", "Select all data between the first and second selection", 4,
     true, false},
    {"AddSelectionSpeedButton", "", "Add selection(s) to the selection list", 3, false, true},
    {"SubtractSelectionSpeedButton", "", "Remove selection(s) from the selection list", 3, false,
     false},
}};

// The form `TToolNumberSelectionForm`.
inline constexpr std::string_view kToolNumberFormCaption = "Select Tool #";
inline constexpr std::string_view kToolNumberLabel = "Tool #";
inline constexpr std::string_view kToolNumberInitialText = "0";
inline constexpr std::string_view kToolNumberOkCaption = "&Ok";
inline constexpr std::string_view kToolNumberCancelCaption = "&Cancel";

} // namespace korvix
