#include "ui/canvas/qt_canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPen>

namespace korvix::ui {
namespace {

bool isRasterImage(QPaintDevice& device) {
    return device.devType() == QInternal::Image;
}

bool hasPixelsLineRasterDraws(QPaintDevice& device) {
    if (!isRasterImage(device))
        return false;
    const QImage::Format format = static_cast<QImage&>(device).format();
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

QRect boxOf(int left, int top, int right, int bottom) {
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right), std::max(top, bottom)));
}

} // namespace

QtCanvas::QtCanvas(QPaintDevice& device, Colors colors)
    : m_device(device), m_colors(colors), m_xorCapable(isRasterImage(device)),
      m_width(device.width()), m_height(device.height()) {
    m_painter.begin(&device);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    if (m_painter.isActive() && hasPixelsLineRasterDraws(device)) {
        // The painter has made the image's pixels its own (detached) by now; both write to
        // the same memory from here on.
        QImage& image = static_cast<QImage&>(device);
        m_lines = LineRaster(PixelBuffer{reinterpret_cast<std::uint32_t*>(image.bits()),
                                         image.width(), image.height(), image.bytesPerLine() / 4});
        m_rasterCapable = true;
    }
    m_stroke.reserve(1024);
    setFont(FontSpec{});
    applyPen();
    applyMode();
}

QtCanvas::~QtCanvas() {
    end();
}

void QtCanvas::end() {
    // The image may be resized or freed once it is released: no more direct writes.
    m_rasterCapable = false;
    if (!m_painter.isActive())
        return;
    flushStroke();
    m_painter.end();
}

QColor QtCanvas::penColorOf(Rgb color) const {
    // On paper the default white drawing colour would vanish.
    if (m_colors == Colors::Printer && color == kWhite)
        return Qt::black;
    return toQColor(color);
}

void QtCanvas::applyPen() {
    const QColor color = penColorOf(m_color);
    m_lines.setColor(color.rgb());
    m_lines.setDotted(m_style == PenStyle::Dotted);
    QPen pen(color);
    pen.setWidth(std::max(1, m_penWidth));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setStyle(m_style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    m_painter.setPen(pen);
}

void QtCanvas::applyMode() {
    m_lines.setOp(m_mode == PenMode::Xor ? LineRaster::Op::Xor : LineRaster::Op::Copy);
    m_painter.setCompositionMode(m_mode == PenMode::Xor && m_xorCapable
                                     ? QPainter::RasterOp_SourceXorDestination
                                     : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::flushStroke() {
    if (m_stroke.size() >= 2)
        m_painter.drawPolyline(m_stroke.data(), static_cast<int>(m_stroke.size()));
    m_stroke.clear();
}

void QtCanvas::flush() {
    flushStroke();
}

void QtCanvas::erase() {
    flushStroke();
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(QRect(0, 0, m_width, m_height),
                       m_colors == Colors::Printer ? Qt::white : Qt::black);
    m_painter.restore();
}

void QtCanvas::setPenColor(Rgb color) {
    if (color == m_color)
        return;
    flushStroke();
    m_color = color;
    applyPen();
}

void QtCanvas::setPenStyle(PenStyle style) {
    if (style == m_style)
        return;
    flushStroke();
    m_style = style;
    applyPen();
}

void QtCanvas::setPenMode(PenMode mode) {
    if (mode == m_mode)
        return;
    flushStroke();
    m_mode = mode;
    applyMode();
}

void QtCanvas::setPenWidth(int width) {
    if (width == m_penWidth)
        return;
    flushStroke();
    m_penWidth = width;
    applyPen();
}

void QtCanvas::setFont(const FontSpec& font) {
    flushStroke();
    m_font = font;
    QFont qfont;
    if (!font.family.empty())
        qfont.setFamily(QString::fromStdString(font.family));
    if (font.pixelHeight > 0)
        qfont.setPixelSize(font.pixelHeight);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    m_qfont = qfont;
}

void QtCanvas::moveTo(int x, int y) {
    flushStroke();
    m_position = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y) {
    if (rasterLines()) {
        m_lines.line(m_position.x(), m_position.y(), x, y);
        m_position = QPoint(x, y);
        return;
    }
    if (QPoint(x, y) == m_position)
        return; // draws nothing
    if (m_stroke.empty())
        m_stroke.push_back(m_position);
    m_position = QPoint(x, y);
    m_stroke.push_back(m_position);
    if (m_stroke.size() >= kMaxStrokePoints)
        flushStroke();
}

void QtCanvas::ellipse(int left, int top, int right, int bottom, bool filled) {
    flushStroke();
    m_painter.setBrush(filled ? QBrush(penColorOf(m_color)) : QBrush(Qt::NoBrush));
    m_painter.drawEllipse(boxOf(left, top, right, bottom));
    m_painter.setBrush(Qt::NoBrush);
}

void QtCanvas::rectangle(int left, int top, int right, int bottom) {
    flushStroke();
    m_painter.setBrush(Qt::NoBrush);
    const QRect box = boxOf(left, top, right, bottom);
    // drawRect's outline covers one pixel more than the box to the right and below.
    m_painter.drawRect(box.adjusted(0, 0, -1, -1));
}

void QtCanvas::fillRect(int left, int top, int right, int bottom, Rgb color) {
    flushStroke();
    m_painter.save();
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(boxOf(left, top, right, bottom), toQColor(color));
    m_painter.restore();
}

void QtCanvas::text(int x, int y, std::string_view text) {
    flushStroke();
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    m_painter.save();
    // Text is never combined with the picture, whatever the pen mode.
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setFont(m_qfont);
    m_painter.setPen(penColorOf(m_font.color));
    const QFontMetrics metrics(m_qfont, &m_device);
    if (m_font.opaque)
        m_painter.fillRect(QRect(x, y, metrics.horizontalAdvance(string), metrics.height()),
                           toQColor(m_font.background));
    m_painter.drawText(QPoint(x, y + metrics.ascent()), string);
    m_painter.restore();
}

TextExtent QtCanvas::textExtent(std::string_view text) {
    const QString string = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetrics metrics(m_qfont, &m_device);
    return {metrics.horizontalAdvance(string), metrics.height()};
}

} // namespace korvix::ui
