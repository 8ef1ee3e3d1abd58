#include "display/ui/pick_handoffs.h"

#include "display/ui/animate_commands.h"
#include "display/ui/identify_command.h"
#include "editing/selection_picks.h"
#include "editing/selection_texts.h"
#include "editing/trim_driver.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QToolBar>

namespace korvix::ui {
namespace {

void notAvailable(Tf& window) {
    window.setStatusText("Not available yet...");
}

} // namespace

bool measurementActive(const Tf& window) {
    return static_cast<bool>(window.workspace().overlays.measureRecord);
}

void measureNcPick(Tf& window, MoveRecord& record, const CanvasPaint& highlight) {
    // A copy: the measurement may end (and clear its hooks) while it handles the pick.
    const auto receive = window.workspace().overlays.measureRecord;
    if (receive)
        receive(record, highlight);
}

void measureWirePick(Tf& window, WireframePoint& point, const Point3& picked,
                     const CanvasPaint& highlight) {
    const auto receive = window.workspace().overlays.measureWirePoint;
    if (receive)
        receive(point, picked, highlight);
}

void animateFromPick(Tf& window, MoveRecord& start) {
    animate(window, start);
}

bool selectionPick(Tf& window, PickMode pickMode, int value, PixelPoint press, PixelPoint release) {
    window.setHourglass(true);
    Workspace& ws = window.workspace();
    const SelectionOutcome outcome = runSelectionPick(
        ws.database, pickMode, value, window.selectionToolbar.bothPoints, press, release);
    window.setHourglass(false);
    if (outcome.firstPicked != nullptr)
        ws.programText.showMove(*outcome.firstPicked);
    return outcome.changed();
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

bool canTrim(const Tf& window) {
    // The trim replaces the path, which a running command, a redraw or a location dialog
    // stepping through it may hold.
    return !window.busy() && !identifyStepping(window);
}

namespace {

void handOffTrim(Tf& window, const TrimInvocation& invocation) {
    const auto& trim = window.handlers().trim;
    const bool ran =
        trim && canTrim(window) && window.runAsCommand([&] { trim(window, invocation); });
    if (!ran) {
        // The trim ends with the polygon forgotten, whatever its outcome.
        window.workspace().trimPolygon.count = 0;
        if (!trim)
            notAvailable(window);
    }
}

} // namespace

void trimWithBox(Tf& window, bool planView, DrawingPoint corner1, DrawingPoint corner2) {
    TrimInvocation invocation;
    invocation.planView = planView;
    invocation.boxDrawn = true;
    invocation.corner1 = corner1;
    invocation.corner2 = corner2;
    handOffTrim(window, invocation);
}

void trimWithPolygon(Tf& window, bool planView) {
    TrimInvocation invocation;
    invocation.planView = planView;
    invocation.polygon = true;
    handOffTrim(window, invocation);
}

} // namespace korvix::ui
