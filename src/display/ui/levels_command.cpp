#include "display/ui/levels_command.h"

#include "display/display_state.h"
#include "display/levels_display.h"
#include "display/ui/levels_display_dialog.h"
#include "ui/main_window.h"
#include "ui/wait_while.h"

#include <QAction>
#include <QEvent>

namespace korvix::ui {
namespace {

// Closing the main window while the levels are on display cancels the display. The window
// itself refuses to close while a command runs and closes once this one has returned, with
// the program's toolpath back in place.
class CancelOnClose : public QObject {
public:
    CancelOnClose(Tf& window, LevelsDisplayDialog& dialog) : m_window(window), m_dialog(dialog) {
        m_window.installEventFilter(this);
    }
    ~CancelOnClose() override { m_window.removeEventFilter(this); }
    CancelOnClose(const CancelOnClose&) = delete;
    CancelOnClose& operator=(const CancelOnClose&) = delete;

    bool requested() const { return m_requested; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Close) {
            m_requested = true;
            m_dialog.setState(levels_state::kCancel);
        }
        return false;
    }

private:
    Tf& m_window;
    LevelsDisplayDialog& m_dialog;
    bool m_requested = false;
};

class WindowLevelsHost final : public LevelsDisplayHost {
public:
    WindowLevelsHost(Tf& window, CommandHandler saveNc)
        : m_window(window), m_dialog(LevelsDisplayDialog::of(window)), m_saveNc(saveNc),
          m_closeGuard(window, m_dialog) {}

    void setHourglass(bool on) override { m_window.setHourglass(on); }

    void open(const LevelsOpeningTexts& texts) override {
        m_window.pushMenuState();
        for (const char* name : kLevelsLockedMenus)
            if (QAction* item = m_window.action(name))
                item->setEnabled(false);
        m_window.eraseWindow();
        m_dialog.showOpening(texts);
        m_dialog.setState(levels_state::kWaiting);
        m_dialog.showBeside(m_window);
    }

    void show(const LevelsDisplayTexts& texts) override {
        // A close request keeps its Cancel through a Write that ran meanwhile.
        m_dialog.setState(m_closeGuard.requested() ? levels_state::kCancel
                                                   : levels_state::kWaiting);
        m_dialog.showDisplay(texts);
    }

    bool clearScreenChecked() const override { return m_dialog.clearScreen(); }
    bool fitToGeometryChecked() const override { return m_dialog.fitToGeometry(); }
    void eraseWindow() override { m_window.eraseWindow(); }
    void fitView() override { fitToSource(m_window.workspace(), true); }

    void redraw() override {
        markViewsStale(m_window.workspace());
        m_window.fullRedraw();
    }

    int waitForButton() override {
        waitWhile([this] { return m_dialog.state() == levels_state::kWaiting; });
        return m_dialog.state();
    }

    std::string levelsDisplayedText() const override {
        return m_dialog.levelsDisplayed().toStdString();
    }

    // Save NC asks in dialogs of the main window, which would open under this stay-on-top
    // one: it steps aside meanwhile.
    void write() override {
        m_dialog.hide();
        m_saveNc(m_window);
        m_dialog.showBeside(m_window);
    }

    void close() override {
        m_dialog.hide();
        Workspace& ws = m_window.workspace();
        fitToSource(ws, true);
        m_window.popMenuState();
        // The whole program again, rather than the last levels shown until some later redraw
        // makes the user wonder where the rest went. A window about to close needs none.
        if (!m_closeGuard.requested()) {
            m_window.eraseWindow();
            m_window.fullRedraw();
        }
    }

private:
    Tf& m_window;
    LevelsDisplayDialog& m_dialog;
    CommandHandler m_saveNc;
    CancelOnClose m_closeGuard;
};

} // namespace

void Levels1Click(Tf& window, CommandHandler saveNc) {
    Workspace& ws = window.workspace();
    WindowLevelsHost host(window, saveNc);
    runLevelsDisplay(ws.database, LevelsDisplayDialog::of(window).reporter(), host);
}

} // namespace korvix::ui
