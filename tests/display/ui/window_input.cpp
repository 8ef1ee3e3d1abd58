#include "window_input.h"

#include "display/identify_stepping.h"
#include "display/ui/location_dialog_base.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace korvix::test {
namespace {

void sendMouse(ui::Tf& window, QEvent::Type type, PixelPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QWidget& area = window.drawingArea();
    const QPointF local(at.x, at.y);
    QMouseEvent event(type, local, area.mapToGlobal(local), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&area, &event);
}

} // namespace

void mousePress(ui::Tf& window, PixelPoint at, Qt::MouseButton button) {
    sendMouse(window, QEvent::MouseButtonPress, at, button, button);
}

void mouseMove(ui::Tf& window, PixelPoint at, Qt::MouseButtons held) {
    sendMouse(window, QEvent::MouseMove, at, Qt::NoButton, held);
}

void mouseRelease(ui::Tf& window, PixelPoint at, Qt::MouseButton button) {
    sendMouse(window, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

void drag(ui::Tf& window, PixelPoint from, PixelPoint to) {
    mousePress(window, from);
    mouseMove(window, {from.x + (to.x - from.x) / 3, from.y + (to.y - from.y) / 3}, Qt::LeftButton);
    mouseMove(window, to, Qt::LeftButton);
    mouseRelease(window, to);
}

void click(ui::Tf& window, PixelPoint at) {
    mousePress(window, at);
    mouseRelease(window, at);
}

bool pressKey(ui::Tf& window, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QWidget* target =
        window.focusWidget() != nullptr ? window.focusWidget() : &window.drawingArea();
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &event);
    return event.isAccepted();
}

void openTestProgram(ui::Tf& window, const char* name) {
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    ui::openNamedFile(window, QString(KORVIX_TEST_DATA_DIR) + "/" + name);
}

void whenWaiting(ui::LocationDialogBase& dialog, std::vector<DialogStep> steps) {
    struct Script {
        std::vector<DialogStep> steps;
        std::size_t next = 0;
        int quietTicks = 0;
    };
    auto script = std::make_shared<Script>(Script{std::move(steps)});
    // The timer dies with the dialog (and its window) at the end of the test.
    auto* timer = new QTimer(&dialog);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, &dialog, [timer, script, dialog = &dialog] {
        const bool waiting = dialog->isVisible() && dialog->state() == location_state::kWaiting;
        const bool stepsLeft = script->next < script->steps.size();
        if (waiting && stepsLeft) {
            script->quietTicks = 0;
            script->steps[script->next++](*dialog);
            return;
        }
        if (!stepsLeft && !dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (++script->quietTicks < 500)
            return;
        ADD_FAILURE() << "the location dialog script did not finish";
        dialog->setState(location_state::kCancel);
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

DialogStep press(const char* buttonName) {
    return [buttonName](ui::LocationDialogBase& dialog) {
        QPushButton* button = dialog.findChild<QPushButton*>(buttonName);
        ASSERT_NE(button, nullptr) << buttonName;
        ASSERT_TRUE(button->isEnabled()) << buttonName;
        button->click();
    };
}

} // namespace korvix::test
