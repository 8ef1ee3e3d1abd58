#include "ui/dialog_placement.h"

#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QScreen>
#include <algorithm>

namespace korvix::ui {

void placeBesideDrawing(QWidget& dialog, Tf& window) {
    dialog.adjustSize();
    const QSize size = dialog.frameGeometry().size().expandedTo(dialog.sizeHint());
    const QRect frame = window.frameGeometry();
    const int top = window.drawingArea().mapToGlobal(QPoint(0, 0)).y();
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        dialog.move(frame.right() + 1, top);
        return;
    }
    const QRect available = screen->availableGeometry();
    // Beside the window on the right or on the left, pushed into the screen where there is
    // not room enough: whichever then covers less of the window.
    const int right = std::max(available.left(),
                               std::min(frame.right() + 1, available.right() + 1 - size.width()));
    const int left = std::min(available.right() + 1 - size.width(),
                              std::max(frame.left() - size.width(), available.left()));
    const int overRight = std::max(0, frame.right() + 1 - right);
    const int overLeft = std::max(0, left + size.width() - frame.left());
    const int x = overRight <= overLeft ? right : left;
    const int y = std::clamp(top, available.top(),
                             std::max(available.top(), available.bottom() + 1 - size.height()));
    dialog.move(x, y);
}

} // namespace korvix::ui
