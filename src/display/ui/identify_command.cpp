#include "display/ui/identify_command.h"

#include "display/identify_cursor.h"
#include "display/identify_marks.h"
#include "display/identify_stepping.h"
#include "display/pick_search.h"
#include "display/ui/current_nc_location_dialog.h"
#include "display/ui/current_wir_location_dialog.h"
#include "display/ui/pick_handoffs.h"
#include "display/ui/view_menu_commands.h"
#include "ui/main_window.h"
#include "ui/wait_while.h"

#include <QAction>
#include <QCloseEvent>
#include <QTimer>

namespace korvix::ui {
namespace {

// The menus a stepping loop locks; the popup menu and the keys stay usable for the views.
constexpr const char* kLockedMenus[] = {"File1",   "Edit2",    "Animate1", "Identify1",
                                        "Levels1", "Measure1", "Options1", "Text1"};

// While a loop steps through the records the data must not be freed under it: closing the
// main window cancels the dialog first and closes the window once the loop has ended.
class DeferClose : public QObject {
public:
    DeferClose(Tf& window, LocationDialogBase& dialog) : m_window(window), m_dialog(dialog) {
        m_window.installEventFilter(this);
    }
    ~DeferClose() override {
        m_window.removeEventFilter(this);
        if (m_closeRequested)
            QTimer::singleShot(0, &m_window, [window = &m_window] { window->close(); });
    }
    DeferClose(const DeferClose&) = delete;
    DeferClose& operator=(const DeferClose&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Close) {
            m_closeRequested = true;
            m_dialog.setState(location_state::kCancel);
            event->ignore();
            return true;
        }
        return false;
    }

private:
    Tf& m_window;
    LocationDialogBase& m_dialog;
    bool m_closeRequested = false;
};

// Locks the menus, shows the dialog, and undoes both at the end of the loop.
class SteppingSession {
public:
    SteppingSession(Tf& window, LocationDialogBase& dialog)
        : m_window(window), m_dialog(dialog), m_deferClose(window, dialog) {
        m_window.workspace().animation.stepping = true;
        m_window.pushMenuState();
        for (const char* name : kLockedMenus)
            if (QAction* item = m_window.action(name))
                item->setEnabled(false);
        m_dialog.setState(location_state::kWaiting);
        m_dialog.show();
        m_dialog.raise();
    }
    ~SteppingSession() {
        m_dialog.setState(location_state::kCancel);
        m_dialog.hide();
        m_window.popMenuState();
        m_window.workspace().animation.stepping = false;
    }
    SteppingSession(const SteppingSession&) = delete;
    SteppingSession& operator=(const SteppingSession&) = delete;

    int waitForButton() {
        m_dialog.setState(location_state::kWaiting);
        waitWhile([this] { return m_dialog.state() == location_state::kWaiting; });
        return m_dialog.state();
    }

private:
    Tf& m_window;
    LocationDialogBase& m_dialog;
    DeferClose m_deferClose;
};

class NcDialogHost final : public NcLocationHost {
public:
    explicit NcDialogHost(Tf& window)
        : m_window(window), m_dialog(CurrentNcLocationDialog::of(window)),
          m_session(window, m_dialog) {}
    void enableSteps(bool previous, bool next) override { m_dialog.enableSteps(previous, next); }
    int waitForButton() override { return m_session.waitForButton(); }
    void draw(const std::function<void(Canvas&)>& paint) override { m_window.drawWith(paint); }
    void showMove(const NcLocationTexts& texts) override { m_dialog.showMove(texts); }

private:
    Tf& m_window;
    CurrentNcLocationDialog& m_dialog;
    SteppingSession m_session;
};

class WireDialogHost final : public WireLocationHost {
public:
    explicit WireDialogHost(Tf& window)
        : m_window(window), m_dialog(CurrentWirLocationDialog::of(window)),
          m_session(window, m_dialog) {}
    void enableSteps(bool previous, bool next) override { m_dialog.enableSteps(previous, next); }
    int waitForButton() override { return m_session.waitForButton(); }
    void draw(const std::function<void(Canvas&)>& paint) override { m_window.drawWith(paint); }
    void showPoint(const WireLocationTexts& texts) override { m_dialog.showPoint(texts); }

private:
    Tf& m_window;
    CurrentWirLocationDialog& m_dialog;
    SteppingSession m_session;
};

Point3 pointOf(const MoveRecord& r) {
    return {r.x, r.y, r.z};
}
Point3 pointOf(const WireframePoint& p) {
    return {p.x, p.y, p.z};
}

void showNothingFound(Tf& window) {
    window.drawWith(
        [&](Canvas& canvas) { drawNothingFound(canvas, window.workspace().display.windowFont); });
}

void pickWireframe(Tf& window, PixelPoint press) {
    Workspace& ws = window.workspace();
    window.setHourglass(true);
    // Positions cached while the wire-frame was last drawn are no picture to pick from.
    const WirePick pick =
        ws.display.wireframe ? findNearestWireSegment(ws.wireframe, press) : WirePick{};
    window.setHourglass(false);
    if (pick.point == nullptr) {
        showNothingFound(window);
        return;
    }
    WireframePoint& point = *pick.point;
    const Point3 from = point.prev != nullptr ? pointOf(*point.prev) : pointOf(point);
    const Point3 picked = pickedModelPoint(ws.view, from, pointOf(point), press);
    const CanvasPaint highlight = [&](Canvas& canvas) {
        if (point.penDown != 0)
            highlightWireSegment(canvas, point, pick.from);
    };
    // A measurement paints the highlight itself, between taking its XOR marks off and putting
    // them back: painted over them, it would leave stray pixels when they are erased.
    if (measurementActive(window)) {
        measureWirePick(window, point, picked, highlight);
        return;
    }
    window.drawWith(highlight);
    WireDialogHost host(window);
    runWireStepping(ws, point, host);
}

void pickNcMove(Tf& window, PixelPoint press) {
    Workspace& ws = window.workspace();
    window.setHourglass(true);
    // A hidden toolpath keeps the positions of its last drawing: nothing to pick there.
    const MovePick pick = ws.display.ncToolpath ? findNearestMove(ws.database, press) : MovePick{};
    window.setHourglass(false);
    if (pick.record == nullptr) {
        showNothingFound(window);
        return;
    }
    MoveRecord& record = *pick.record;
    const Point3 from = record.prev != nullptr ? pointOf(*record.prev) : pointOf(record);
    const Point3 picked = pickedModelPoint(ws.view, from, pointOf(record), press);
    const CanvasPaint highlight = [&](Canvas& canvas) {
        highlightMove(canvas, ws.view, record, pick.from);
    };
    if (measurementActive(window)) {
        measureNcPick(window, record, highlight);
        return;
    }
    window.drawWith([&](Canvas& canvas) {
        drawPickMark(canvas, ws.view, picked);
        highlight(canvas);
    });
    window.setStatusText(QString::fromStdString(pickedAtText(picked)));

    if (ws.animation.startPending) {
        ws.animation.startPending = false;
        animateFromPick(window, record.prev != nullptr ? *record.prev : record);
        return;
    }
    NcDialogHost host(window);
    runNcStepping(ws, record, host);
}

} // namespace

void Identify1Click(Tf& window) {
    // An animation start whose pick found nothing must not take over this pick.
    window.workspace().animation.startPending = false;
    window.setStatusText(kIdentifyInstruction);
    window.pumpNow();
    window.pointer.mode = PickMode::Point;
}

void IdentifyNCdata1Click(Tf& window) {
    window.setChecked("IdentifyNCdata1", true);
    window.setChecked("IdentifyWIREdata1", false);
}

void IdentifyWIREdata1Click(Tf& window) {
    if (!window.isChecked("DisplayWIREdata1"))
        return;
    window.setChecked("IdentifyWIREdata1", true);
    window.setChecked("IdentifyNCdata1", false);
}

void pickPoint(Tf& window, PixelPoint press) {
    // One pick at a time: the menus that could start another are locked while a dialog
    // steps, but a measurement keeps the pick mode armed.
    Workspace& ws = window.workspace();
    if (ws.animation.stepping)
        return;
    window.drawWith([&](Canvas& canvas) {
        eraseAnimatedTool(ws, canvas);
        eraseWireframeMark(ws, canvas);
    });
    if (window.isChecked("IdentifyWIREdata1") && ws.wireframe.wireframeAllocated())
        pickWireframe(window, press);
    else if (ws.database.databaseAllocated())
        pickNcMove(window, press);
    window.drawWith([&](Canvas& canvas) {
        eraseAnimatedTool(ws, canvas);
        eraseWireframeMark(ws, canvas);
    });
}

bool identifyStepping(const Tf& window) {
    return window.workspace().animation.stepping;
}

} // namespace korvix::ui
