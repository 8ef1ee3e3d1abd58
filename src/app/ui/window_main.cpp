// korvix: the window program.

#include "app/ui/korvix_window.h"
#include "ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Korvix");
    QApplication::setApplicationVersion(KORVIX_VERSION);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const std::unique_ptr<korvix::ui::Tf> window = korvix::ui::createMainWindow(arguments);
    window->show();
    return QApplication::exec();
}
