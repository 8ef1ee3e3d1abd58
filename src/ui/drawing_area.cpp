#include "ui/drawing_area.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

namespace korvix::ui {

DrawingArea::DrawingArea(QWidget* parent) : QWidget(parent) {
    setObjectName("DrawingArea");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(50, 50);
    m_image = QImage(1, 1, QImage::Format_RGB32);
    m_image.fill(Qt::black);
}

void DrawingArea::clear() {
    m_image.fill(Qt::black);
}

void DrawingArea::showNow() {
    repaint();
}

void DrawingArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);
    painter.drawImage(event->rect().topLeft(), m_image, event->rect());
}

void DrawingArea::resizeEvent(QResizeEvent*) {
    if (!mayResize || mayResize())
        resizeImage(size());
    if (onResize)
        onResize();
}

void DrawingArea::applyPendingResize() {
    if (m_image.size() != size())
        resizeImage(size());
}

void DrawingArea::resizeImage(const QSize& newSize) {
    // Keep what was drawn: a resize does not redraw the picture.
    QImage resized(newSize.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    resized.fill(Qt::black);
    QPainter painter(&resized);
    painter.drawImage(0, 0, m_image);
    painter.end();
    m_image = resized;
}

void DrawingArea::mousePressEvent(QMouseEvent* event) {
    if (onMousePress)
        onMousePress(event);
}
void DrawingArea::mouseMoveEvent(QMouseEvent* event) {
    if (onMouseMove)
        onMouseMove(event);
}
void DrawingArea::mouseReleaseEvent(QMouseEvent* event) {
    if (onMouseRelease)
        onMouseRelease(event);
}
void DrawingArea::contextMenuEvent(QContextMenuEvent* event) {
    if (onContextMenu)
        onContextMenu(event->globalPos());
}

} // namespace korvix::ui
