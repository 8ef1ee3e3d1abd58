#pragma once

#include "display/line_raster.h"
#include "model/canvas.h"

#include <QFont>
#include <QPainter>
#include <QPoint>
#include <vector>

class QPaintDevice;

namespace korvix::ui {

// The Canvas on any Qt paint device: the window's backing QImage, a QImage of the
// command-line tool, or a PDF page. No antialiasing, so lines are exact pixels.
//
// On a 32-bit QImage one-pixel lines are drawn by LineRaster straight into the image:
// each line covers its start pixel and not its end pixel, so a stroke is the same pixels
// however its lineTo calls are grouped, and millions of short toolpath segments cost a few
// nanoseconds each. Shapes and text go through QPainter, with XOR by
// RasterOp_SourceXorDestination.
//
// On other devices (a PDF page) and for wider pens a connected stroke (lineTo after lineTo
// with the same pen) is collected and handed to QPainter as one polyline, whatever the
// caller's grouping; XOR needs a raster image and is drawn as copy there. In printer
// colours the background is white and white pens and text are drawn black.
class QtCanvas final : public Canvas {
public:
    enum class Colors { Screen, Printer };

    // Paints on `device` from now until the canvas is destroyed (or end() is called).
    explicit QtCanvas(QPaintDevice& device, Colors colors = Colors::Screen);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Flushes and releases the device (before a QImage is saved or resized).
    void end();
    bool isActive() const { return m_painter.isActive(); }

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void erase() override;
    void setPenColor(Rgb color) override;
    void setPenStyle(PenStyle style) override;
    void setPenMode(PenMode mode) override;
    void setPenWidth(int width) override;
    void setFont(const FontSpec& font) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void ellipse(int left, int top, int right, int bottom, bool filled = false) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void fillRect(int left, int top, int right, int bottom, Rgb color) override;
    void text(int x, int y, std::string_view text) override;
    TextExtent textExtent(std::string_view text) override;
    void flush() override;

    // The Qt colour of a model colour (0x00BBGGRR) in this canvas's colours.
    QColor penColorOf(Rgb color) const;

private:
    void flushStroke();
    void applyPen();
    void applyMode();
    bool rasterLines() const { return m_rasterCapable && m_penWidth <= 1; }

    // Long strokes are handed over in pieces so that the buffer stays small.
    static constexpr std::size_t kMaxStrokePoints = 1 << 16;

    QPainter m_painter;
    QPaintDevice& m_device;
    Colors m_colors;
    bool m_xorCapable = false;
    bool m_rasterCapable = false; // a 32-bit image that LineRaster can draw into
    LineRaster m_lines{PixelBuffer{}};
    int m_width = 0;
    int m_height = 0;

    Rgb m_color = kWhite;
    PenStyle m_style = PenStyle::Solid;
    PenMode m_mode = PenMode::Copy;
    int m_penWidth = 1;
    FontSpec m_font;
    QFont m_qfont;

    QPoint m_position;
    std::vector<QPoint> m_stroke; // the collected stroke, starting at its first point
};

// A model colour (0x00BBGGRR) as a Qt colour.
inline QColor toQColor(Rgb color) {
    return QColor(rgbRed(color), rgbGreen(color), rgbBlue(color));
}

} // namespace korvix::ui
