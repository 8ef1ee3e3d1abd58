#include "display/levels_display.h"

#include "display/levels_database.h"
#include "display/levels_list.h"

namespace korvix {
namespace {

// The next display after a button. An unreadable count keeps the display as it is.
LevelsRange nextRange(const LevelsRange& range, int button, const LevelsDisplayHost& host,
                      Reporter& reporter) {
    const std::string text = host.levelsDisplayedText();
    const IntegerConversion count = levelsDisplayedCount(text);
    if (!count.ok()) {
        reporter.error(conversionMessage(count.error, text));
        return range;
    }
    return stepLevels(range, button, count.value);
}

void showRange(GraphicsDatabase& database, const Extents& programExtents, const LevelsRange& range,
               LevelsDisplayHost& host) {
    host.show(levelsDisplayTexts(range, database.status.cuttingTime));
    if (host.clearScreenChecked())
        host.eraseWindow();
    if (host.fitToGeometryChecked()) {
        database.status.extents = levelExtents(*range.current);
        host.fitView();
    } else {
        database.status.extents = programExtents;
    }
    host.redraw();
}

} // namespace

LevelsOutcome runLevelsDisplay(GraphicsDatabase& database, Reporter& reporter,
                               LevelsDisplayHost& host) {
    if (!database.databaseAllocated() || !database.status.ncLoaded)
        return LevelsOutcome::NoData;
    // Declared before the detached records: the nodes point into them.
    ZLevelList levels;
    host.setHourglass(true);
    const LevelListResult built = buildLevelList(database, levels);
    host.setHourglass(false);
    if (built != LevelListResult::Built)
        return built == LevelListResult::NoData ? LevelsOutcome::NoData
                                                : LevelsOutcome::OutOfMemory;

    host.open(levelsOpeningTexts(database.status.extents));
    LevelsOutcome outcome = LevelsOutcome::Finished;
    {
        DetachedDatabase detached(database);
        const Extents programExtents = detached.saved().status.extents;
        LevelsRange range = firstLevelsRange(levels);
        for (int state = levels_state::kWaiting; state != levels_state::kCancel;) {
            if (!copyDisplayedMoves(*range.firstDisplayed, *range.lastDisplayed, database)) {
                outcome = LevelsOutcome::OutOfMemory;
                break;
            }
            showRange(database, programExtents, range, host);
            state = host.waitForButton();
            if (state == levels_state::kWrite)
                host.write();
            else if (state == levels_state::kUp || state == levels_state::kDown)
                range = nextRange(range, state, host, reporter);
        }
    } // the program's records are back
    host.close();
    return outcome;
}

} // namespace korvix
