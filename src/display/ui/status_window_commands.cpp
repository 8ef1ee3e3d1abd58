#include "display/ui/status_window_commands.h"

#include "display/status_text.h"
#include "ui/main_window.h"

#include <QListWidget>

namespace korvix::ui {
namespace {

void toggleStatusWindow(Tf& window, const char* item, const char* otherItem) {
    const bool checked = !window.isChecked(item);
    window.setChecked(item, checked);
    if (checked) {
        window.setChecked(otherItem, false);
        refillStatusListBox(window);
        window.statusListBox().show();
        return;
    }
    window.statusListBox().hide();
    window.eraseWindow();
    window.pumpNow();
    window.fullRedraw();
}

} // namespace

void refillStatusListBox(Tf& window) {
    QListWidget& list = window.statusListBox();
    list.clear();
    for (const std::string& line :
         statusWindowLines(window.workspace(), window.isChecked("DisplayWIRESTATUSwindow1")))
        list.addItem(QString::fromStdString(line));
    list.repaint();
}

void DisplayNcSTATUSwindow1Click(Tf& window) {
    toggleStatusWindow(window, "DisplayNCStatusWindow1", "DisplayWIRESTATUSwindow1");
}

void DisplayWIRESTATUSwindow1Click(Tf& window) {
    toggleStatusWindow(window, "DisplayWIRESTATUSwindow1", "DisplayNCStatusWindow1");
}

} // namespace korvix::ui
