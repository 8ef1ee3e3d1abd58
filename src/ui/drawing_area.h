#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace korvix::ui {

// The black drawing surface of the main window. The renderer paints into a persistent
// backing image and the widget shows that image, so an uncovered window shows the last
// picture and XOR overlays erase themselves when drawn twice.
class DrawingArea : public QWidget {
public:
    explicit DrawingArea(QWidget* parent = nullptr);

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

    // Fills the backing image with black.
    void clear();
    // Shows the image now, without waiting for the event loop (long commands).
    void showNow();

    // While this returns false the backing image keeps its size: a redraw that is running
    // holds a painter on it. The image catches up when the redraw ends (applyPendingResize).
    std::function<bool()> mayResize;
    void applyPendingResize();

    // Mouse and size events, forwarded to the window's handlers.
    std::function<void(QMouseEvent*)> onMousePress;
    std::function<void(QMouseEvent*)> onMouseMove;
    std::function<void(QMouseEvent*)> onMouseRelease;
    std::function<void()> onResize;
    std::function<void(const QPoint& globalPos)> onContextMenu;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void resizeImage(const QSize& size);

    QImage m_image;
};

} // namespace korvix::ui
