#include "display/levels_dialog_state.h"

#include "display/status_text.h"

namespace korvix {
namespace {

constexpr int kLevelDecimals = 5;

std::string levelText(double z) {
    return fixed7(z, kLevelDecimals);
}

} // namespace

LevelsRange firstLevelsRange(const ZLevelList& levels) {
    LevelsRange range;
    ZLevel* first = levels.head();
    if (!levels.allocated() || first == nullptr)
        return range;
    range.current = first;
    range.firstDisplayed = first->firstRecord;
    range.lastDisplayed = first->lastRecord;
    range.topZ = range.bottomZ = first->levelZ;
    return range;
}

LevelsRange stepLevels(const LevelsRange& range, int button, int levelsDisplayed) {
    LevelsRange stepped = range;
    if (stepped.current == nullptr)
        return stepped;
    if (button == levels_state::kUp && upEnabled(range))
        stepped.current = range.current->prev;
    else if (button == levels_state::kDown && downEnabled(range))
        stepped.current = range.current->next;

    stepped.bottomZ = stepped.current->levelZ;
    stepped.lastDisplayed = stepped.current->lastRecord;
    // The walk ends at the first level, so no count can run it past the list.
    const ZLevel* top = stepped.current;
    for (int i = 1; i < levelsDisplayed && top->prev != nullptr; ++i)
        top = top->prev;
    stepped.firstDisplayed = top->firstRecord;
    stepped.topZ = top->levelZ;
    return stepped;
}

LevelsOpeningTexts levelsOpeningTexts(const Extents& programExtents) {
    LevelsOpeningTexts texts;
    texts.upperLevel = levelText(programExtents.maxZ + kMotionTolerance);
    texts.lowerLevel = levelText(programExtents.minZ - kMotionTolerance);
    return texts;
}

LevelsDisplayTexts levelsDisplayTexts(const LevelsRange& range, double cuttingTime) {
    LevelsDisplayTexts texts;
    texts.topLevel = levelText(range.topZ);
    texts.bottomLevel = levelText(range.bottomZ);
    texts.cuttingTime = hoursMinutesText(cuttingTime);
    texts.upEnabled = upEnabled(range);
    texts.downEnabled = downEnabled(range);
    return texts;
}

std::string hoursMinutesText(double minutes) {
    const HoursMinutes time = cuttingTimeHoursMinutes(minutes);
    return std::to_string(time.hours) + " hours, " + std::to_string(time.minutes) + " minutes";
}

IntegerConversion levelsDisplayedCount(std::string_view text) {
    return convertInteger(text);
}

NumericFieldExit levelsDisplayedFieldExit(std::string_view text) {
    NumericFieldExit exit;
    exit.text = text.empty() ? std::string("1") : std::string(text);
    for (char c : nonNumericChars(text))
        exit.messages.push_back(nonNumericMessage(c));
    exit.keepFocus = !exit.messages.empty();
    return exit;
}

} // namespace korvix
