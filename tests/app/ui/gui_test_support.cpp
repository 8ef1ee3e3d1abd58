#include "gui_test_support.h"

#include "app/ui/korvix_window.h"
#include "app/ui/settings_commands.h"
#include "input/ui/input_radius_type_form.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <filesystem>

namespace korvix::test {
namespace {

std::deque<std::function<void(QWidget*)>>& pendingAnswers() {
    static std::deque<std::function<void(QWidget*)>> answers;
    return answers;
}

constexpr const char* kAnswered = "korvixTestAnswered";
bool g_polling = false;

// One poller serves the queue: it answers each showing of a modal dialog with the next
// answer. Dialogs are kept for the program's life, so the same dialog is answered again
// once it has been closed and shown anew.
void poll(int ticksLeft) {
    if (pendingAnswers().empty()) {
        g_polling = false;
        return;
    }
    if (ticksLeft <= 0) {
        // Nothing asked for these answers: drop them so that they cannot answer the
        // dialogs of a later step.
        std::fprintf(stderr, "gui test: %zu answer(s) not used within 5 seconds\n",
                     pendingAnswers().size());
        pendingAnswers().clear();
        g_polling = false;
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->property(kAnswered).toBool()) {
        QTimer::singleShot(10, [ticksLeft] { poll(ticksLeft - 1); });
        return;
    }
    auto answer = std::move(pendingAnswers().front());
    pendingAnswers().pop_front();
    modal->setProperty(kAnswered, true);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(dialog, &QDialog::finished, [dialog, connection] {
            dialog->setProperty(kAnswered, false);
            QObject::disconnect(*connection);
        });
    }
    // The next tick is due before the answer runs: an answer may open a dialog of its own
    // (a button that asks for a colour) and wait in it for the next answer.
    QTimer::singleShot(10, [] { poll(500); });
    answer(modal);
}

} // namespace

void answerNextModal(std::function<void(QWidget*)> answer) {
    pendingAnswers().push_back(std::move(answer));
    if (!g_polling) {
        g_polling = true;
        QTimer::singleShot(10, [] { poll(500); });
    }
}

void answerMessageBox(const QString& buttonText) {
    answerNextModal([buttonText](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr)
            return;
        for (QAbstractButton* button : box->buttons())
            if (button->text().remove('&') == buttonText) {
                button->click();
                return;
            }
    });
}

std::shared_ptr<QString> captureMessageBox() {
    auto text = std::make_shared<QString>();
    answerNextModal([text](QWidget* widget) {
        if (auto* box = qobject_cast<QMessageBox*>(widget)) {
            *text = box->text();
            box->accept();
        }
    });
    return text;
}

void whenTrue(std::function<bool()> condition, std::function<void()> then) {
    constexpr int kTicks = 2000;
    auto step = std::make_shared<std::function<void(int)>>();
    *step = [condition = std::move(condition), then = std::move(then), step](int ticksLeft) {
        if (ticksLeft <= 0 || condition()) {
            then();
            *step = nullptr; // breaks the cycle of the shared function
            return;
        }
        QTimer::singleShot(10, [step, ticksLeft] {
            if (*step)
                (*step)(ticksLeft - 1);
        });
    };
    QTimer::singleShot(0, [step] { (*step)(kTicks); });
}

bool writeLongProgram(const QString& path, int moves, const QByteArray& tail) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text = "X0Y0Z0\n";
    for (int i = 0; i < moves; ++i)
        text += "G1X" + QByteArray::number(i % 500) + "Y" + QByteArray::number(i % 7) + tail + "\n";
    return file.write(text) == text.size();
}

bool fieldCheckSettled(const QWidget& dialog, const std::vector<std::shared_ptr<QString>>& messages,
                       const QWidget* expectedFocus) {
    if (QApplication::activeModalWidget() != &dialog || dialog.focusWidget() != expectedFocus)
        return false;
    for (const auto& message : messages)
        if (message->isEmpty())
            return false;
    return true;
}

void acceptColor(unsigned rgb) {
    answerNextModal([rgb](QWidget* widget) {
        if (auto* dialog = qobject_cast<QColorDialog*>(widget)) {
            dialog->setCurrentColor(QColor::fromRgb(rgb));
            dialog->accept();
        }
    });
}

void acceptRadiusType(bool absoluteCenters) {
    answerNextModal([absoluteCenters](QWidget* widget) {
        if (auto* form = dynamic_cast<ui::InputRadiusTypeForm*>(widget)) {
            form->setAbsoluteCenters(absoluteCenters);
            form->accept();
        }
    });
}

std::unique_ptr<ui::Tf> makeWindow(Settings settings) {
    // Each test starts with no answers queued by the one before.
    pendingAnswers().clear();
    if (settings == Settings::Fresh) {
        std::error_code noSettingsFile;
        std::filesystem::remove(ui::windowSettingsFile(), noSettingsFile);
    }
    auto window = ui::createMainWindow(QStringList{});
    window->show();
    QElapsedTimer clock;
    clock.start();
    while (!window->started() && clock.elapsed() < 20000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return window;
}

QString examplePath(const char* name) {
    return QString(KORVIX_EXAMPLES_DIR) + "/" + name;
}

} // namespace korvix::test
