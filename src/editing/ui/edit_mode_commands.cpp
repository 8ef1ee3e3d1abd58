#include "editing/ui/edit_mode_commands.h"

#include "display/display_state.h"
#include "display/ui/pick_handoffs.h"
#include "editing/selection_commands.h"
#include "editing/selection_tool_number.h"
#include "editing/selection_toolbar.h"
#include "editing/ui/selection_toolbar_buttons.h"
#include "model/ui/tool_number_selection_form.h"
#include "ui/main_window.h"

#include <QLayout>
#include <QMenuBar>
#include <QToolBar>
#include <functional>

namespace korvix::ui {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool ncDataLoaded(const Tf& window) {
    return window.workspace().database.databaseAllocated();
}

// The picture shows the new selection; the pixel positions are those of the last redraw.
void redrawSelection(Tf& window) {
    window.eraseWindow();
    window.fullRedraw();
}

// A pick button was clicked: down, it arms its pick; clicked again while down, it is up and
// nothing stays armed.
void armOrDisarm(Tf& window, std::string_view component, SelectionPickMethod method) {
    if (!SelectionToolbar::of(window).press(component)) {
        disarmSelectionPick(window.pointer);
        window.setStatusText("");
        return;
    }
    window.setStatusText(
        toQString(armSelectionPick(window.selectionToolbar, method, window.pointer)));
}

using SelectionWalk = std::function<SelectionOutcome(GraphicsDatabase&, int value)>;

// "All", "1" and "2": the button goes down while the walk runs and comes up after it.
void actAtOnce(Tf& window, std::string_view component, const SelectionWalk& walk) {
    SelectionToolbar& toolbar = SelectionToolbar::of(window);
    toolbar.press(component);
    if (!ncDataLoaded(window)) {
        toolbar.release(component);
        return;
    }
    window.setHourglass(true);
    const SelectionOutcome outcome =
        walk(window.workspace().database, window.selectionToolbar.selectionValue());
    window.setHourglass(false);
    toolbar.release(component);
    if (outcome.changed())
        redrawSelection(window);
}

// The toolbar takes its strip from the drawing area or gives it back: the picture is drawn
// again for the new width (moves under the toolbar are not drawn, so they cannot be picked,
// and moves in a strip given back appear again).
void redrawForNewWidth(Tf& window) {
    if (QLayout* layout = window.layout())
        layout->activate();
    markViewsStale(window.workspace());
    window.eraseWindow();
    window.fullRedraw();
}

} // namespace

void Modifyportion1Click(Tf& window) {
    window.mainMenu1()->hide();
    window.mainMenu2()->show();
    window.modifyPortionToolbar()->show();
    redrawForNewWidth(window);
}

void Exit2Click(Tf& window) {
    // A pick armed in edit mode must not wait behind the main menu, where no button shows
    // it and a plain drag would still select.
    if (window.pointer.selectionArmed && !window.pointer.buttonDown) {
        disarmSelectionPick(window.pointer);
        releaseSelectionButtons(window);
        window.setStatusText("");
    }
    window.modifyPortionToolbar()->hide();
    window.mainMenu2()->hide();
    window.mainMenu1()->show();
    redrawForNewWidth(window);
}

void IndividualSelectionSpeedButtonClick(Tf& window) {
    armOrDisarm(window, "IndividualSelectionSpeedButton", SelectionPickMethod::SingleMove);
}

void BoxSelectionSpeedButtonClick(Tf& window) {
    armOrDisarm(window, "BoxSelectionSpeedButton", SelectionPickMethod::Box);
}

void LineSelectionSpeedButtonClick(Tf& window) {
    armOrDisarm(window, "LineSelectionSpeedButton", SelectionPickMethod::Line);
}

void AllSelectionSpeedButtonClick(Tf& window) {
    // "All" takes the pick buttons' group: the pick they armed is given up with them.
    disarmSelectionPick(window.pointer);
    actAtOnce(window, "AllSelectionSpeedButton", &selectAll);
}

void SelectUpToFPSpeedButtonClick(Tf& window) {
    actAtOnce(window, "SelectUpToFPSpeedButton", &selectUpToFirst);
}

void SelectAfterFPSpeedButtonClick(Tf& window) {
    actAtOnce(window, "SelectAfterFPSpeedButton", &selectBetweenFirstAndSecond);
}

void SpeedButton1Click(Tf& window) {
    if (!ncDataLoaded(window))
        return;
    ToolNumberSelectionForm& form = ToolNumberSelectionForm::of(window);
    if (form.exec() != QDialog::Accepted)
        return;
    window.setHourglass(true);
    const SelectionOutcome outcome =
        selectToolFromText(window.workspace().database, window.selectionToolbar.selectionValue(),
                           form.toolNumberText().toStdString());
    window.setHourglass(false);
    if (!outcome.error.empty()) {
        window.reporter().error(outcome.error);
        return;
    }
    if (outcome.changed())
        redrawSelection(window);
}

void DestinationPointSpeedButtonClick(Tf& window) {
    SelectionToolbar& toolbar = SelectionToolbar::of(window);
    toolbar.press("DestinationPointSpeedButton");
    window.selectionToolbar.bothPoints = toolbar.isDown("BothPointsSpeedButton");
}

void BothPointsSpeedButtonClick(Tf& window) {
    SelectionToolbar& toolbar = SelectionToolbar::of(window);
    toolbar.press("BothPointsSpeedButton");
    window.selectionToolbar.bothPoints = toolbar.isDown("BothPointsSpeedButton");
}

void AddSelectionSpeedButtonClick(Tf& window) {
    SelectionToolbar& toolbar = SelectionToolbar::of(window);
    toolbar.press("AddSelectionSpeedButton");
    const std::string_view text = chooseSelectionValue(
        window.selectionToolbar, toolbar.isDown("AddSelectionSpeedButton"), window.pointer);
    if (!text.empty())
        window.setStatusText(toQString(text));
}

void SubtractSelectionSpeedButtonClick(Tf& window) {
    SelectionToolbar& toolbar = SelectionToolbar::of(window);
    toolbar.press("SubtractSelectionSpeedButton");
    const std::string_view text = chooseSelectionValue(
        window.selectionToolbar, toolbar.isDown("AddSelectionSpeedButton"), window.pointer);
    if (!text.empty())
        window.setStatusText(toQString(text));
}

} // namespace korvix::ui
