#include "filters/ui/filter_redraw.h"

#include "app/ui/main_window.h"
#include "display/display_state.h"

namespace korvix::ui {

void redrawFilteredPath(Tf& window) {
    markViewsStale(window.workspace());
    window.eraseWindow();
    window.fullRedraw();
    if (window.isChecked("DisplayNCStatusWindow1") || window.isChecked("DisplayWIRESTATUSwindow1"))
        window.refillStatusWindow();
}

} // namespace korvix::ui
