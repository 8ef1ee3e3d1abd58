#include "filters/ui/filter_redraw.h"

#include "display/display_state.h"
#include "display/ui/status_window_commands.h"
#include "ui/main_window.h"

namespace korvix::ui {

void redrawFilteredPath(Tf& window) {
    markViewsStale(window.workspace());
    window.eraseWindow();
    window.fullRedraw();
    if (window.isChecked("DisplayNCStatusWindow1") || window.isChecked("DisplayWIRESTATUSwindow1"))
        refillStatusListBox(window);
}

} // namespace korvix::ui
