#include "app/ui/close_commands.h"

#include "app/workspace_access.h"
#include "display/display_state.h"
#include "display/ui/animate_commands.h"
#include "display/ui/status_window_commands.h"
#include "measure/ui/measure_command.h"
#include "ui/main_window.h"

#include <QTimer>

namespace korvix::ui {
namespace {

// What both Close commands reset besides the data they free.
void resetAfterClose(Tf& window) {
    Workspace& ws = window.workspace();
    ws.database.status = DatabaseStatus{};
    ws.toolShape.freeAll();
    markViewsStale(ws);
    window.setChecked("FittoNCdata", true);
    window.setChecked("FittoWIREdata", false);
    window.setChecked("IdentifyNCdata1", true);
    window.setChecked("IdentifyWIREdata1", false);
    setFitToWireframe(ws, false);
    window.setChecked("AddText1", false);
    window.clearMenuStateStack();
    window.action("Edit2")->setEnabled(true);
    clearOverlays(ws);
    window.hideTextEntry();
    clearToolTable(ws.tools);
    // The caption names the program shown; none is.
    window.setCurrentFileName("");
}

} // namespace

void clearLoadedData(Tf& window, bool wireframeToo) {
    Workspace& ws = window.workspace();
    // A measurement holds pointers into the data; ending it also gives back the menu state
    // it pushed before the stack is emptied below.
    endMeasurement(window);
    window.eraseWindow();
    window.setHourglass(true);
    ws.database.records.freeAll();
    forgetProgramText(ws);
    if (wireframeToo) {
        ws.wireframe.points.freeAll();
        ws.wireframe.extents = Extents::cube(10.0);
    }
    resetAfterClose(window);
    ws.history.clear();
    // The wire-frame alone still makes the views drawable after Close NC.
    ws.database.status.ncLoaded = ws.wireframe.wireframeAllocated();
    if (window.isChecked("DisplayNCStatusWindow1") || window.isChecked("DisplayWIRESTATUSwindow1"))
        refillStatusListBox(window);
}

namespace {

// The confirmation and the common frame of Close all and Close NC.
void closeData(Tf& window, bool wireframeToo) {
    // The animation walks the records: it ends first, and the command runs after it.
    if (animationRunning(window)) {
        endAnimationThen(window, [&window, wireframeToo] { closeData(window, wireframeToo); });
        return;
    }
    Workspace& ws = window.workspace();
    window.setStatusText(wireframeToo ? "Verify clearing graphics database..."
                                      : "Verify clearing NC graphics database...");
    if (!ws.report().confirm(wireframeToo ? "Ok to remove all data from memory?"
                                          : "Ok to remove all NC data from memory?")) {
        window.setStatusText("Close command canceled...");
        return;
    }
    clearLoadedData(window, wireframeToo);
    window.setHourglass(false);
    window.setStatusText(wireframeToo ? "All data has been removed from graphics database..."
                                      : "All NC data has been removed from graphics database...");
}

} // namespace

void Exit1Click(Tf& window) {
    if (animationRunning(window)) {
        endAnimationThen(window, [&window] { Exit1Click(window); });
        return;
    }
    window.setStatusText("Verify exiting \"KORVIX\"...");
    if (!window.workspace().report().confirm("Ok to quit?")) {
        window.setStatusText("Exit command canceled...");
        return;
    }
    window.setHourglass(true);
    Workspace& ws = window.workspace();
    ws.database.records.freeAll();
    ws.wireframe.points.freeAll();
    ws.toolShape.freeAll();
    window.setHourglass(false);
    // The window does not close while a command runs, and Exit is one: close it as soon as
    // the command has returned.
    QTimer::singleShot(0, &window, &QWidget::close);
}

void CloseAllClick(Tf& window) {
    closeData(window, true);
}

void CloseNcClick(Tf& window) {
    closeData(window, false);
}

} // namespace korvix::ui
