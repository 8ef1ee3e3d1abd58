#include "ui/wait_while.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace korvix::ui {

void waitWhile(const std::function<bool()>& keepWaiting) {
    while (keepWaiting())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace korvix::ui
