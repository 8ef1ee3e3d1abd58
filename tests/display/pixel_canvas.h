#pragma once

#include "display/line_raster.h"
#include "model/canvas.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace korvix::test {

// A canvas with real pixels for the lines (copy and XOR, as the window draws them), so that
// a test can compare pictures: what an XOR overlay leaves behind, what a pass painted.
// Shapes and text draw nothing.
class PixelCanvas : public Canvas {
public:
    PixelCanvas(int width, int height)
        : m_width(width), m_height(height),
          m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kBlackPixel),
          m_lines(PixelBuffer{m_pixels.data(), width, height, width}) {}

    static constexpr std::uint32_t kBlackPixel = 0xFF000000u;

    const std::vector<std::uint32_t>& pixels() const { return m_pixels; }
    std::uint32_t pixel(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }
    int lineCalls() const { return m_lineCalls; }

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void erase() override { std::fill(m_pixels.begin(), m_pixels.end(), kBlackPixel); }
    void setPenColor(Rgb color) override {
        m_lines.setColor(static_cast<std::uint32_t>(rgbRed(color) << 16 | rgbGreen(color) << 8 |
                                                    rgbBlue(color)));
    }
    void setPenStyle(PenStyle style) override { m_lines.setDotted(style == PenStyle::Dotted); }
    void setPenMode(PenMode mode) override {
        m_lines.setOp(mode == PenMode::Xor ? LineRaster::Op::Xor : LineRaster::Op::Copy);
    }
    void setPenWidth(int) override {}
    void setFont(const FontSpec&) override {}
    void moveTo(int x, int y) override {
        m_x = x;
        m_y = y;
    }
    void lineTo(int x, int y) override {
        ++m_lineCalls;
        m_lines.line(m_x, m_y, x, y);
        m_x = x;
        m_y = y;
    }
    void ellipse(int, int, int, int, bool) override {}
    void rectangle(int, int, int, int) override {}
    void fillRect(int, int, int, int, Rgb) override {}
    void text(int, int, std::string_view) override {}
    TextExtent textExtent(std::string_view) override { return {8, 13}; }

private:
    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_pixels;
    LineRaster m_lines;
    int m_x = 0, m_y = 0;
    int m_lineCalls = 0;
};

} // namespace korvix::test
