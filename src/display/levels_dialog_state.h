#pragma once

#include "model/extents.h"
#include "model/list_payloads.h"
#include "model/number_text.h"

#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// The state byte of the levels dialog: written by its buttons, read by the display loop.
namespace levels_state {
inline constexpr int kWaiting = 0;
inline constexpr int kWrite = 1;
inline constexpr int kCancel = 2; // also when the dialog closes
inline constexpr int kUp = 8;
inline constexpr int kDown = 16;
} // namespace levels_state

// The main-menu items the levels display disables while it runs (the menu state is pushed
// first and popped at the end): the file commands that would replace or free the toolpath,
// and the commands that would work on, or keep pointers into, the copies of the displayed
// moves, which the next step frees (editing, animation, identify, measurement).
inline constexpr const char* kLevelsLockedMenus[] = {"Open1",     "Save1",    "Close1", "Exit1",
                                                     "Levels1",   "Options1", "Edit2",  "Animate1",
                                                     "Identify1", "Measure1"};

// What is on display: the current level (the bottom one) together with the levels cut
// before it, from the first displayed record to the last.
struct LevelsRange {
    ZLevel* current = nullptr;
    MoveRecord* firstDisplayed = nullptr;
    MoveRecord* lastDisplayed = nullptr;
    float topZ = 0;
    float bottomZ = 0;
};

// The first display: the first level alone, its depth as top and bottom level.
LevelsRange firstLevelsRange(const ZLevelList& levels);

// Up (to the level cut before) or Dn (to the level cut after), where there is one, then the
// current level with at most levelsDisplayed - 1 levels before it. Any other button, or a
// step past either end, shows the current level again with the count given.
LevelsRange stepLevels(const LevelsRange& range, int button, int levelsDisplayed);

inline bool upEnabled(const LevelsRange& range) {
    return range.current != nullptr && range.current->prev != nullptr;
}
inline bool downEnabled(const LevelsRange& range) {
    return range.current != nullptr && range.current->next != nullptr;
}

// The texts of the dialog when it opens: "Upper level" and "Lower level" just outside the
// toolpath's Z range (5 decimals), "Number of levels displayed" 1.
struct LevelsOpeningTexts {
    std::string upperLevel;
    std::string lowerLevel;
    std::string levelsDisplayed = "1";
};
LevelsOpeningTexts levelsOpeningTexts(const Extents& programExtents);

// The texts and buttons of one display.
struct LevelsDisplayTexts {
    std::string topLevel;    // "Top level", 5 decimals
    std::string bottomLevel; // "Bottom level"
    std::string cuttingTime; // of the displayed moves, "2 hours, 5 minutes"
    bool upEnabled = false;
    bool downEnabled = false;
};
LevelsDisplayTexts levelsDisplayTexts(const LevelsRange& range, double cuttingTime);

// A cutting time as the program writes it: whole hours and minutes, both truncated.
std::string hoursMinutesText(double minutes);

// "Number of levels displayed" as a count: an integer (the integer conversion's message on
// anything else). Counts below 1 show one level.
IntegerConversion levelsDisplayedCount(std::string_view text);

// Leaving "Number of levels displayed": an empty field becomes "1"; a field with characters
// other than "+", "-", "." and digits keeps its text, reports each of them in turn and takes
// the focus back.
struct NumericFieldExit {
    std::string text;
    std::vector<std::string> messages;
    bool keepFocus = false;
};
NumericFieldExit levelsDisplayedFieldExit(std::string_view text);

} // namespace korvix
