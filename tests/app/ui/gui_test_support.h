#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class QWidget;

namespace korvix::ui {
class Tf;
}

namespace korvix::test {

// Calls `answer` with the next modal dialog or message box that opens (checked every
// 10 ms for up to five seconds). Several answers queue up in order.
void answerNextModal(std::function<void(QWidget*)> answer);
// Answers the next message box by clicking its Yes / No / OK button.
void answerMessageBox(const QString& buttonText);
// Accepts the next colour dialog with `rgb` (0xRRGGBB) chosen.
void acceptColor(unsigned rgb);
// Accepts the next "Input radius type" dialog with the given centre type.
void acceptRadiusType(bool absoluteCenters);
// The text of the next message box that opens, answered with OK.
std::shared_ptr<QString> captureMessageBox();

// Runs `then` from the event loop as soon as `condition` holds (checked every 10 ms; after
// 20 seconds `then` runs anyway, so that a broken condition fails the test's checks
// instead of hanging it).
void whenTrue(std::function<bool()> condition, std::function<void()> then);

// True once the focus check of a dialog's fields has run to its end: every one of `messages`
// has been shown, `dialog` is the active modal widget again, and its focus is on
// `expectedFocus` (the check gives it back to a refused field after its boxes). Used with
// whenTrue as a wait for the expected state, which the test then checks.
bool fieldCheckSettled(const QWidget& dialog, const std::vector<std::shared_ptr<QString>>& messages,
                       const QWidget* expectedFocus);

// A main window for one test, shown offscreen and through its start-up work. The tests share
// one Korvix home folder; each window starts with no settings file unless told to keep the
// one an earlier window wrote (a restart).
enum class Settings { Fresh, Kept };
std::unique_ptr<ui::Tf> makeWindow(Settings settings = Settings::Fresh);

// Writes a program long enough to be read for a while: a start point, then `moves` straight
// feed moves, each ending in `tail` (for example "F100"). False when it cannot be written.
bool writeLongProgram(const QString& path, int moves, const QByteArray& tail = {});

// Path of a bundled example program.
QString examplePath(const char* name);

} // namespace korvix::test
