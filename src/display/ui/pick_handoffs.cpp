#include "display/ui/pick_handoffs.h"

#include "editing/selection_picks.h"
#include "editing/selection_texts.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QToolBar>

namespace korvix::ui {
namespace {

void notAvailable(Tf& window) {
    window.setStatusText("Not available yet...");
}

} // namespace

bool measurementActive(const Tf&) {
    return false;
}

void measureNcPick(Tf& window, MoveRecord&) {
    notAvailable(window);
}

void measureWirePick(Tf& window, WireframePoint&, const Point3&) {
    notAvailable(window);
}

void animateFromPick(Tf& window, MoveRecord&) {
    notAvailable(window);
}

bool selectionPick(Tf& window, PickMode pickMode, int value, PixelPoint press, PixelPoint release) {
    window.setHourglass(true);
    const bool changed = runSelectionPick(window.workspace().database, pickMode, value,
                                          window.selectionToolbar.bothPoints, press, release)
                             .changed();
    window.setHourglass(false);
    return changed;
}

void releaseSelectionButtons(Tf& window) {
    // The pick-method group: the three picks and "All".
    for (const SelectionToolbarButton& entry : kSelectionToolbarButtons) {
        if (entry.group != 1)
            continue;
        const QString name = QString::fromUtf8(entry.component.data(),
                                               static_cast<qsizetype>(entry.component.size()));
        if (auto* button = window.modifyPortionToolbar()->findChild<QAbstractButton*>(name))
            button->setChecked(false);
    }
}

void trimWithBox(Tf& window, bool, DrawingPoint, DrawingPoint) {
    notAvailable(window);
}

void trimWithPolygon(Tf& window, bool) {
    // The trim ends with the polygon forgotten, whatever its outcome.
    window.workspace().trimPolygon.count = 0;
    notAvailable(window);
}

} // namespace korvix::ui
