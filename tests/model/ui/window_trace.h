#pragma once

// Watching the window while a command runs: the status texts it shows, in order.

#include "ui/main_window.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <vector>

namespace korvix::test {

// Records every text the second status panel paints (the window paints it at once on each
// change), with whether the hourglass was up at that moment.
class StatusRecorder : public QObject {
public:
    explicit StatusRecorder(ui::Tf& window) : m_panel(window.findChild<QLabel*>("StatusPanel2")) {
        m_panel->installEventFilter(this);
    }
    ~StatusRecorder() override { m_panel->removeEventFilter(this); }

    QStringList texts;
    std::vector<bool> hourglass;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint &&
            (texts.isEmpty() || texts.back() != m_panel->text())) {
            texts << m_panel->text();
            hourglass.push_back(QApplication::overrideCursor() != nullptr);
        }
        return false;
    }

private:
    QLabel* m_panel;
};

// Runs `command` and tells whether it opened a dialog or a message box on the way (closed at
// once, so that such a fault fails the test instead of hanging it).
inline bool opensAModal(const std::function<void()>& command) {
    bool opened = false;
    QTimer watch;
    watch.setInterval(20);
    QObject::connect(&watch, &QTimer::timeout, [&opened] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    watch.start();
    command();
    watch.stop();
    return opened;
}

inline QPushButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(name);
}

inline QLineEdit* edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(name);
}

} // namespace korvix::test
