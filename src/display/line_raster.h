#pragma once

#include <cstddef>
#include <cstdint>

namespace korvix {

// A block of 32-bit pixels (0xAARRGGBB, as a Qt RGB32 image holds them), row after row.
struct PixelBuffer {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // pixels from one row to the next
};

// Draws one-pixel lines straight into a pixel buffer, the way the platform this program
// grew up on draws them: a line covers its start pixel and stops short of its end pixel.
// So consecutive lines of a stroke never touch a pixel twice, a polyline is exactly the
// sum of its lines however they are grouped, and an XOR stroke drawn twice restores the
// picture. Each line's pixels depend on its two end points alone (clipping never moves
// them), which keeps redraws pixel-identical.
class LineRaster {
public:
    enum class Op : std::uint8_t { Copy, Xor };

    explicit LineRaster(const PixelBuffer& buffer) : m_buffer(buffer) {}

    // Colour as 0x00RRGGBB. Copy writes it (opaque); Xor flips those bits of the pixel.
    void setColor(std::uint32_t rgb) { m_rgb = rgb & 0x00FFFFFF; }
    void setOp(Op op) { m_op = op; }
    // Dotted lines light every other pixel: those whose coordinate along the line's major
    // axis is even. The dots belong to the pixel grid, not to the stroke, so moves drawn over
    // each other (the passes of a pocket at several depths) keep one dot pattern instead of
    // filling each other's gaps.
    void setDotted(bool dotted) { m_dotted = dotted; }

    void line(int x0, int y0, int x1, int y1);

private:
    bool inside(int x, int y) const {
        return x >= 0 && y >= 0 && x < m_buffer.width && y < m_buffer.height;
    }
    void plot(int x, int y);
    void solidInside(int x0, int y0, std::int64_t dx, std::int64_t dy, std::int64_t n);
    void walk(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

    PixelBuffer m_buffer;
    std::uint32_t m_rgb = 0x00FFFFFF;
    Op m_op = Op::Copy;
    bool m_dotted = false;
};

} // namespace korvix
