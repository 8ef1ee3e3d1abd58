#include "editing/ui/trim_commands.h"

#include "app/menu_state_stack.h"
#include "display/trim_polygon_input.h"
#include "display/ui/mouse_handlers.h"
#include "editing/trim_driver.h"
#include "editing/trim_messages.h"
#include "editing/ui/trim_dialog_box.h"
#include "filters/ui/filter_redraw.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

#include <QAction>
#include <optional>

namespace korvix::ui {
namespace {

bool ncDataLoaded(const Workspace& ws) {
    return ws.database.databaseAllocated() && ws.database.status.ncLoaded;
}

// A polygon still being drawn is abandoned when another trim starts: it is taken off the
// screen (it is drawn in XOR) and its mode ends.
void abandonTrimPolygon(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ws.trimPolygon.active)
        return;
    window.drawWith([&](Canvas& canvas) { cancelTrimPolygon(ws, canvas); });
    if (window.pointer.mode == PickMode::TrimPolygon)
        window.pointer.mode = PickMode::None;
}

// While the trim works (and lets events through) the hourglass shows and the main menus
// are locked, so that nothing frees or reads the path it replaces.
class TrimBusy {
public:
    explicit TrimBusy(Tf& window) : m_window(window) {
        m_window.setHourglass(true);
        m_window.pushMenuState();
        for (const char* name : kMenuStateItemNames)
            if (QAction* item = m_window.action(name))
                item->setEnabled(false);
    }
    ~TrimBusy() {
        m_window.popMenuState();
        m_window.setHourglass(false);
    }
    TrimBusy(const TrimBusy&) = delete;
    TrimBusy& operator=(const TrimBusy&) = delete;

private:
    Tf& m_window;
};

} // namespace

void DrawTrimBoxClick(Tf& window) {
    if (!ncDataLoaded(window.workspace()))
        return;
    abandonTrimPolygon(window);
    armTrimBox(window, kTrimDrawBoxStatus.data());
}

void TrimPolygonClick(Tf& window) {
    if (!ncDataLoaded(window.workspace()))
        return;
    abandonTrimPolygon(window);
    armTrimPolygon(window, kTrimDrawPolygonStatus.data());
}

void ShowTrimParametersClick(Tf& window) {
    trimCommand(window, TrimInvocation{});
}

void trimCommand(Tf& window, const TrimInvocation& invocation) {
    Workspace& ws = window.workspace();
    if (!invocation.polygon)
        abandonTrimPolygon(window);
    TTrimDialogBox& dialog = TTrimDialogBox::of(window);
    TrimDialogFields fields = dialog.fields();
    if (!prepareTrimDialog(ws.database, fields, invocation, ws.report())) {
        ws.trimPolygon.count = 0;
        return;
    }
    dialog.setFields(fields);
    dialog.setFieldState(trimFieldState(invocation.polygon, invocation.planView));
    // The region was drawn in this view; the popup menu's views stay usable while the trim
    // lets events through and must not turn the region under it.
    const ViewState view = ws.view;
    while (true) {
        if (dialog.exec() != QDialog::Accepted) {
            cancelTrim(ws.trimPolygon, ws.report());
            return;
        }
        fields = dialog.fields();
        TrimResult result;
        {
            // A field the trim cannot use is reported at once, without the hourglass over
            // its message.
            TrimDialogFields probe = fields;
            std::optional<TrimBusy> busy;
            if (readTrimParameters(probe, invocation.polygon).ok())
                busy.emplace(window);
            UndoStep step(window, "Trim");
            result = runTrim(ws.database, fields, invocation, ws.trimPolygon, view, ws.report(),
                             ws.pump);
            if (result.ok())
                step.commit();
        }
        // A reversed box comes back in order.
        dialog.setFields(fields);
        if (result.outcome == TrimOutcome::BadParameter) {
            // The message has been shown; the user mends the field, the polygon waits.
            ws.report().status(kTrimPromptStatus);
            continue;
        }
        if (result.ok())
            redrawFilteredPath(window);
        return;
    }
}

} // namespace korvix::ui
