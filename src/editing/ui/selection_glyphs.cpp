#include "editing/ui/selection_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace korvix::ui {
namespace {

// Drawn on a 20 x 20 grid, at twice the size so that the pictures stay sharp on screens that
// scale.
constexpr int kGrid = 20;
constexpr qreal kScale = 2;

const QColor kPath(90, 90, 90);
const QColor kPicked(0, 0, 0);
const QColor kMark(220, 0, 0);

QPen pen(const QColor& color, qreal width, Qt::PenStyle style = Qt::SolidLine) {
    QPen p(color, width, style, Qt::RoundCap, Qt::RoundJoin);
    return p;
}

void pointMark(QPainter& painter, QPointF at, qreal radius = 2.2) {
    painter.setPen(pen(kMark, 1.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, radius, radius);
}

// A picked move: a thick move between two thin ones, and the mouse arrow pointing at it.
void drawSingleMove(QPainter& painter) {
    painter.setPen(pen(kPath, 1.2));
    painter.drawLine(QPointF(1, 14), QPointF(4, 5));
    painter.drawLine(QPointF(16, 5), QPointF(19, 14));
    painter.setPen(pen(kPicked, 2.4));
    painter.drawLine(QPointF(4, 5), QPointF(16, 5));
    // The usual pointer shape with its tip just below the move.
    const QPointF tip(9, 7.5);
    const QPointF outline[] = {{0, 0},      {0, 10.5},  {2.6, 8},  {4.4, 12},
                               {6.2, 11.2}, {4.4, 7.4}, {7.8, 7.4}};
    QPainterPath arrow;
    arrow.moveTo(tip + outline[0]);
    for (const QPointF& corner : outline)
        arrow.lineTo(tip + corner);
    arrow.closeSubpath();
    painter.setPen(pen(kPicked, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(arrow);
}

// A box drawn around points: the ones inside are marked.
void drawBox(QPainter& painter) {
    painter.setPen(pen(kPath, 1));
    const QPointF points[] = {{0.5, 18}, {6.5, 12}, {11, 14}, {13.5, 8}, {19.5, 2}};
    painter.drawPolyline(points, 5);
    QPen frame = pen(kPicked, 1.2, Qt::CustomDashLine);
    frame.setDashPattern({2.5, 1.5});
    frame.setCapStyle(Qt::FlatCap);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(3.5, 4.5, 13, 12.5));
    for (const QPointF& p : {points[1], points[2], points[3]})
        pointMark(painter, p, 1.7);
}

// A line dragged across moves: the moves it crosses are picked.
void drawLine(QPainter& painter) {
    painter.setPen(pen(kPath, 1.4));
    const QPointF zigzag[] = {{2, 15}, {6, 4}, {10, 15}, {14, 4}, {18, 15}};
    painter.drawPolyline(zigzag, 5);
    painter.setPen(pen(kMark, 1.8));
    painter.drawLine(QPointF(1, 11), QPointF(19, 8));
}

// A move with the point(s) a pick marks.
void drawMovePoints(QPainter& painter, bool bothPoints) {
    const QPointF from(4, 15), to(16, 5);
    painter.setPen(pen(kPicked, 1.8));
    painter.drawLine(from, to);
    pointMark(painter, to);
    if (bothPoints) {
        pointMark(painter, from);
    } else {
        painter.setPen(pen(kPath, 1.2));
        painter.setBrush(kPath);
        painter.drawEllipse(from, 1.3, 1.3);
    }
}

void drawSign(QPainter& painter, bool plus) {
    painter.setPen(pen(plus ? QColor(0, 130, 0) : kMark, 3.2, Qt::SolidLine));
    painter.drawLine(QPointF(4, 10), QPointF(16, 10));
    if (plus)
        painter.drawLine(QPointF(10, 4), QPointF(10, 16));
}

} // namespace

QIcon selectionGlyph(std::string_view component) {
    QPixmap pixmap(static_cast<int>(kGrid * kScale), static_cast<int>(kGrid * kScale));
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kScale, kScale);
        if (component == "IndividualSelectionSpeedButton")
            drawSingleMove(painter);
        else if (component == "BoxSelectionSpeedButton")
            drawBox(painter);
        else if (component == "LineSelectionSpeedButton")
            drawLine(painter);
        else if (component == "DestinationPointSpeedButton")
            drawMovePoints(painter, false);
        else if (component == "BothPointsSpeedButton")
            drawMovePoints(painter, true);
        else if (component == "AddSelectionSpeedButton")
            drawSign(painter, true);
        else if (component == "SubtractSelectionSpeedButton")
            drawSign(painter, false);
        else
            return QIcon();
    }
    pixmap.setDevicePixelRatio(kScale);
    return QIcon(pixmap);
}

} // namespace korvix::ui
