#include "app/ui/undo_commands.h"

#include "display/display_state.h"
#include "display/ui/animate_commands.h"
#include "display/ui/status_window_commands.h"
#include "measure/ui/measure_command.h"
#include "ui/main_window.h"

#include <unistd.h>

namespace korvix::ui {
namespace {

using Step = std::optional<std::string> (UndoHistory::*)(GraphicsDatabase&, ToolTable&);

void takeStep(Tf& window, Step step, const char* done, const char* none) {
    // The animation and a measurement hold pointers into the records being replaced.
    if (animationRunning(window)) {
        endAnimationThen(window,
                         [&window, step, done, none] { takeStep(window, step, done, none); });
        return;
    }
    endMeasurement(window);
    Workspace& ws = window.workspace();
    window.setHourglass(true);
    const std::optional<std::string> caption = (ws.history.*step)(ws.database, ws.tools);
    window.setHourglass(false);
    if (!caption) {
        window.setStatusText(none);
        return;
    }
    clearOverlays(ws);
    markViewsStale(ws);
    window.eraseWindow();
    window.fullRedraw();
    if (window.isChecked("DisplayNCStatusWindow1") || window.isChecked("DisplayWIRESTATUSwindow1"))
        refillStatusListBox(window);
    window.setStatusText(QString::fromStdString(*caption) + done);
    window.syncUndoItems();
}

} // namespace

void Undo1Click(Tf& window) {
    takeStep(window, &UndoHistory::undo, " undone...", "Nothing to undo...");
}

void Redo1Click(Tf& window) {
    takeStep(window, &UndoHistory::redo, " done again...", "Nothing to redo...");
}

std::size_t undoMemoryBudget() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::size_t{1} << 30;
    return static_cast<std::size_t>(pages) / 4 * static_cast<std::size_t>(pageSize);
}

} // namespace korvix::ui
