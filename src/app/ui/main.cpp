// korvix: the window program.

#include "app/ui/main_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Korvix");
    QApplication::setApplicationVersion(KORVIX_VERSION);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    korvix::ui::Tf window(arguments);
    window.show();
    return QApplication::exec();
}
