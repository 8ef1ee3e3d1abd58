#include "display/ui/display_menu_commands.h"

#include "display/display_commands.h"
#include "ui/main_window.h"

namespace korvix::ui {
namespace {

void toggleCheck(Tf& window, const char* objectName) {
    window.setChecked(objectName, !window.isChecked(objectName));
}

} // namespace

void DisplayNCdata1Click(Tf& window) {
    window.drawWith([&](Canvas& canvas) { toggleNcToolpathCommand(window.workspace(), canvas); });
}

void DisplayRAPIDmovesClick(Tf& window) {
    window.drawWith([&](Canvas& canvas) { toggleRapidMovesCommand(window.workspace(), canvas); });
}

void DisplayTETRAhead1Click(Tf& window) {
    window.drawWith([&](Canvas& canvas) { toggleTripodCommand(window.workspace(), canvas); });
}

void DisplayPOINTSduringeditting1Click(Tf& window) {
    toggleSelectedPointsCommand(window.workspace());
    // The marks come or go at once; a redraw under way shows the option from the next one.
    if (!window.redrawRunning() && window.workspace().database.databaseAllocated()) {
        window.eraseWindow();
        window.fullRedraw();
    }
}

void DisplayWIREdata1Click(Tf& window) {
    bool backToNc = false;
    window.drawWith(
        [&](Canvas& canvas) { backToNc = toggleWireframeCommand(window.workspace(), canvas); });
    if (backToNc) {
        window.setChecked("IdentifyNCdata1", true);
        window.setChecked("IdentifyWIREdata1", false);
    }
}

void DisplayBlockInfoDuringAnimationClick(Tf& window) {
    toggleCheck(window, "DisplayBLOCKInfoduringAnimation");
}

void ModifyCOLORSduringanimation1Click(Tf& window) {
    toggleCheck(window, "ModifyCOLORSduringanimation1");
}

} // namespace korvix::ui
