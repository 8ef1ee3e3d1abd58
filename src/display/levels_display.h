#pragma once

#include "display/levels_dialog_state.h"
#include "model/graphics_database.h"
#include "model/reporter.h"

#include <cstdint>
#include <string>

namespace korvix {

// What the levels display needs from its dialog and the main window.
class LevelsDisplayHost {
public:
    virtual ~LevelsDisplayHost() = default;
    // The hourglass while the level list is built.
    virtual void setHourglass(bool on) = 0;
    // Pushes the menu state and disables kLevelsLockedMenus, erases the window, fills the
    // three fields and shows the dialog.
    virtual void open(const LevelsOpeningTexts& texts) = 0;
    // Sets the dialog state to waiting, then shows the texts and enables Up and Dn. A button
    // pressed from here on (during the redraw too) is what waitForButton returns.
    virtual void show(const LevelsDisplayTexts& texts) = 0;
    virtual bool clearScreenChecked() const = 0;
    virtual bool fitToGeometryChecked() const = 0;
    virtual void eraseWindow() = 0;
    // Fits the view, with its rotation, to the extents of the database in place.
    virtual void fitView() = 0;
    // Marks the cached positions stale and draws the whole picture.
    virtual void redraw() = 0;
    // The state set since show(): at once when a button was pressed already, else after
    // blocking on the window's events until one is (never spinning).
    virtual int waitForButton() = 0;
    virtual std::string levelsDisplayedText() const = 0;
    // Saves the database in place, the displayed moves, through the Save NC flow.
    virtual void write() = 0;
    // Closes the dialog, fits the view with rotation to the restored toolpath, marks the
    // positions stale and pops the menu state.
    virtual void close() = 0;
};

enum class LevelsOutcome : std::uint8_t {
    NoData,      // nothing was shown: no NC toolpath
    OutOfMemory, // the level list or a display could not be built; the toolpath is back
    Finished,    // cancelled by the user; the toolpath is back
};

// The levels command after its menu item: splits `database` into levels and shows them
// through `host` until Cancel. Meanwhile the program's records are set aside and `database`
// holds copies of the displayed moves only, so every drawing and writing routine sees just
// those; at the end the records and the status block are back as they were. A count in
// "Number of levels displayed" that is no integer is reported through `reporter` and the
// step is not taken.
LevelsOutcome runLevelsDisplay(GraphicsDatabase& database, Reporter& reporter,
                               LevelsDisplayHost& host);

} // namespace korvix
