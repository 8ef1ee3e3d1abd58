#include "app/ui/korvix_window.h"

#include "app/ui/menu_table.h"
#include "app/ui/print_command.h"
#include "app/ui/screen_text_commands.h"
#include "app/ui/settings_commands.h"
#include "app/ui/undo_commands.h"
#include "display/ui/current_nc_location_dialog.h"
#include "display/ui/current_wir_location_dialog.h"
#include "display/ui/key_handlers.h"
#include "display/ui/levels_display_dialog.h"
#include "display/ui/modify_feed_colors_dialog.h"
#include "display/ui/mouse_handlers.h"
#include "display/ui/program_text_pane.h"
#include "editing/trim_driver.h"
#include "editing/ui/modify_all_dialog.h"
#include "editing/ui/selection_toolbar_buttons.h"
#include "editing/ui/trim_commands.h"
#include "editing/ui/trim_dialog_box.h"
#include "filters/ui/explode_arc_form.h"
#include "filters/ui/fit_arc_form.h"
#include "filters/ui/sifting_form.h"
#include "input/ui/input_radius_type_form.h"
#include "input/ui/open_command.h"
#include "input/ui/parsing_error_form.h"
#include "measure/ui/measurement_form.h"
#include "model/ui/tool_definition_dialog.h"
#include "model/ui/tool_number_selection_form.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "output/ui/dir_ctrl_form.h"
#include "ui/main_window.h"

#include <QAction>
#include <QKeyEvent>

namespace korvix::ui {
namespace {

WindowHandlers korvixHandlers() {
    WindowHandlers handlers;
    handlers.keyPressed = [](Tf& window, QKeyEvent& event) {
        return FormKeyDown(window, event) || textModeKeyPress(window, event) ||
               FormKeyPress(window, event);
    };
    handlers.mouseDown = &FormMouseDown;
    handlers.mouseMove = &FormMouseMove;
    handlers.mouseUp = &FormMouseUp;
    handlers.openNamedFile = &openNamedFile;
    handlers.trim = &trimCommand;
    handlers.openChosenFile = &openChosenFile;
    handlers.loadSettings = &loadWindowSettings;
    handlers.saveSettings = &saveWindowSettings;
    return handlers;
}

// The dialogs live as long as the window and keep their fields between uses.
void createDialogs(Tf& window) {
    InputRadiusTypeForm::of(window);
    CurrentNcLocationDialog::of(window);
    CurrentWirLocationDialog::of(window);
    ToolDefinitionDialog::of(window);
    LevelsDisplayDialog::of(window);
    ModifyFeedColorsDialog::of(window);
    CNCControlTypeDialog::of(window);
    ParsingErrorForm::of(window);
    SiftingForm::of(window);
    MeasurementForm::of(window);
    ExplodeArcForm::of(window);
    ToolNumberSelectionForm::of(window);
    DirCtrlForm::of(window);
    FitArcForm::of(window);
    TTrimDialogBox::of(window);
    FontDialog1::of(window);
    PrintDialog1::of(window);
    SelectionToolbar::of(window);
    ModifyAllDialog::of(window);
    ProgramTextPane::of(window);
}

// The keys a desktop user reaches for, where the documented keys leave them free (Ctrl+P, R
// and Z are the dynamic view modes).
void installDesktopShortcuts(Tf& window) {
    window.action("Open1")->setShortcut(QKeySequence("Ctrl+O"));
    window.action("Save1")->setShortcut(QKeySequence("Ctrl+S"));
    window.action("Exit1")->setShortcut(QKeySequence("Ctrl+Q"));
    // Ctrl+Z is the dynamic zoom: undo takes the keys of the other desktops.
    window.action("Undo1")->setShortcut(QKeySequence("Alt+Backspace"));
    window.action("Redo1")->setShortcuts(
        {QKeySequence("Shift+Alt+Backspace"), QKeySequence("Ctrl+Y")});
    window.action("DisplayPROGRAMtext1")->setShortcut(QKeySequence("F9"));
}

} // namespace

std::unique_ptr<Tf> createMainWindow(const QStringList& commandLine) {
    auto window = std::make_unique<Tf>(commandLine, menuItems(), korvixHandlers());
    createDialogs(*window);
    installTextEntry(*window);
    installDesktopShortcuts(*window);
    restoreWindowGeometry(*window);
    window->workspace().history.setBudget(undoMemoryBudget());
    return window;
}

} // namespace korvix::ui
