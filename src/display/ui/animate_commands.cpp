#include "display/ui/animate_commands.h"

#include "display/animation_loop.h"
#include "display/display_state.h"
#include "display/status_text.h"
#include "ui/main_window.h"
#include "ui/wait_while.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <string>
#include <vector>

namespace korvix::ui {
namespace {

// The menus the animation locks; the popup menu, the Display menu and the keys stay usable.
constexpr const char* kLockedMenus[] = {"File1",   "Edit2",    "Animate1", "Identify1",
                                        "Levels1", "Measure1", "Options1", "Text1"};
constexpr const char* kSessionName = "AnimationSession";
// With no step delay the window's events run this often (milliseconds of animation).
constexpr qint64 kEventInterval = 15;

// Marks the window as animating for as long as the loop runs: the menus locked, the records
// kept (closing the window ends the animation first and closes it afterwards), and the
// commands queued meanwhile run once the loop has ended.
class AnimationSession : public QObject {
public:
    explicit AnimationSession(Tf& window) : QObject(&window), m_window(window) {
        setObjectName(kSessionName);
        m_window.workspace().animation.stepping = true;
        m_window.pushMenuState();
        for (const char* name : kLockedMenus)
            if (QAction* item = m_window.action(name))
                item->setEnabled(false);
        m_window.installEventFilter(this);
    }
    ~AnimationSession() override {
        m_window.removeEventFilter(this);
        m_window.popMenuState();
        m_window.workspace().animation.stepping = false;
        for (std::function<void()>& then : m_afterwards)
            QTimer::singleShot(0, &m_window, std::move(then));
    }
    AnimationSession(const AnimationSession&) = delete;
    AnimationSession& operator=(const AnimationSession&) = delete;

    void endThen(std::function<void()> then) {
        requestRedrawAbort(m_window.workspace());
        if (then)
            m_afterwards.push_back(std::move(then));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Close) {
            event->ignore();
            endThen([window = &m_window] { window->close(); });
            return true;
        }
        return false;
    }

private:
    Tf& m_window;
    std::vector<std::function<void()>> m_afterwards;
};

AnimationSession* sessionOf(const Tf& window) {
    return dynamic_cast<AnimationSession*>(
        window.findChild<QObject*>(kSessionName, Qt::FindDirectChildrenOnly));
}

class WindowAnimationHost final : public AnimationHost {
public:
    explicit WindowAnimationHost(Tf& window)
        : m_window(window), m_blockInfo(window.action("DisplayBLOCKInfoduringAnimation")),
          m_paintPath(window.action("ModifyCOLORSduringanimation1")) {
        m_sinceEvents.start();
    }
    ~WindowAnimationHost() override { showPendingStatus(); }
    WindowAnimationHost(const WindowAnimationHost&) = delete;
    WindowAnimationHost& operator=(const WindowAnimationHost&) = delete;

    void draw(const std::function<void(Canvas&)>& paint) override { m_window.drawWith(paint); }

    AnimationOptions options() override {
        return {m_blockInfo != nullptr && m_blockInfo->isChecked(),
                m_paintPath != nullptr && m_paintPath->isChecked()};
    }

    // The panel repaints at once when its text is set; at full speed that would cost more
    // than the animation itself, so the text is made and shown at the next round of events.
    void showStatus(const AnimationStatus& status) override {
        m_status = status;
        m_statusPending = true;
    }

    void afterStep(int delayMs) override {
        if (delayMs >= 1) {
            showPendingStatus();
            wait(delayMs);
            m_sinceEvents.restart();
            return;
        }
        if (m_sinceEvents.elapsed() < kEventInterval)
            return;
        showPendingStatus();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        m_sinceEvents.restart();
    }

private:
    void showPendingStatus() {
        if (!m_statusPending)
            return;
        m_statusPending = false;
        m_window.setStatusText(QString::fromStdString(m_status.text()));
    }

    // Sleeps in the event loop until the delay is over or the animation is asked to end.
    void wait(int delayMs) {
        bool due = false;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [&due] { due = true; });
        timer.start(delayMs);
        const Workspace& ws = m_window.workspace();
        waitWhile([&] { return !due && !animationStopRequested(ws); });
    }

    Tf& m_window;
    QAction* m_blockInfo;
    QAction* m_paintPath;
    AnimationStatus m_status;
    bool m_statusPending = false;
    QElapsedTimer m_sinceEvents;
};

void animateFromStart(Tf& window) {
    Workspace& ws = window.workspace();
    // The data may have gone, or another loop begun, since the command was given.
    if (!ncDataLoaded(ws) || ws.animation.stepping)
        return;
    // A redraw that lets events run must finish before the tool moves over its picture.
    if (window.redrawRunning()) {
        QTimer::singleShot(kEventInterval, &window, [w = &window] { animateFromStart(*w); });
        return;
    }
    animate(window, *ws.database.first());
}

} // namespace

void aLL1Click(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ncDataLoaded(ws)) {
        window.setStatusText(kAnimationNoNcData);
        return;
    }
    // A start still waiting for its pick gives way to this one.
    if (ws.animation.startPending) {
        ws.animation.startPending = false;
        window.pointer.mode = PickMode::None;
    }
    QTimer::singleShot(0, &window, [w = &window] { animateFromStart(*w); });
}

void Startingatpickedposiion1Click(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ncDataLoaded(ws)) {
        window.setStatusText(kAnimationNoNcData);
        return;
    }
    if (window.isChecked("IdentifyWIREdata1")) {
        window.reporter().information(kIdentifyNcSwitchNotSet);
        return;
    }
    ws.animation.startPending = true;
    window.setStatusText(kAnimationPickInstruction);
    window.pumpNow();
    window.pointer.mode = PickMode::Point;
}

void animate(Tf& window, MoveRecord& start) {
    Workspace& ws = window.workspace();
    if (ws.animation.stepping)
        return;
    AnimationSession session(window);
    WindowAnimationHost host(window);
    runAnimation(ws, start, host);
}

bool animationRunning(const Tf& window) {
    return sessionOf(window) != nullptr;
}

void endAnimationThen(Tf& window, std::function<void()> then) {
    if (AnimationSession* session = sessionOf(window)) {
        session->endThen(std::move(then));
        return;
    }
    if (then)
        QTimer::singleShot(0, &window, std::move(then));
}

} // namespace korvix::ui
