#pragma once

#include "model/move_record.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korvix {

enum class PenStyle : std::uint8_t { Solid, Dotted };
// Copy paints the pen colour; Xor combines it with what is there, so drawing the same
// thing twice restores the picture (rubber bands, the animated tool, markers).
enum class PenMode : std::uint8_t { Copy, Xor };

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// A font as the core sees it: the platform picks the nearest face it has. An empty family
// means the platform's ordinary user-interface font.
struct FontSpec {
    std::string family;
    int pixelHeight = 13;
    bool bold = false;
    bool italic = false;
    Rgb color = kWhite;
    // Text drawn on a box of `background` (to overwrite earlier text) instead of
    // transparently.
    bool opaque = false;
    Rgb background = kBlack;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;
};

// The drawing surface of the renderer and of every overlay: the window's backing image,
// a PDF page, or a recorder in tests.
//
// Lines follow the pen: moveTo sets the pen position, lineTo draws from it to the point and
// leaves the pen there; a lineTo to the pen position draws nothing. A run of lineTo calls without a
// moveTo or a change of pen between them is one connected stroke, however the calls are grouped;
// implementations may collect it and hand it to the platform as one polyline. moveTo always ends
// the stroke, even to the current position, so an overlay that starts with moveTo draws the same
// pixels wherever the pen was before (an XOR overlay drawn twice erases itself exactly).
//
// Shapes and text do not move the pen. Coordinates are pixels; nothing needs to be
// clipped by the caller.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Size of the surface in pixels.
    virtual int width() const = 0;
    virtual int height() const = 0;

    // Fills the whole surface with its background colour (the window's Refresh).
    virtual void erase() = 0;

    // Setting a pen property to its current value is free and does not end the stroke.
    virtual void setPenColor(Rgb color) = 0;
    virtual void setPenStyle(PenStyle style) = 0;
    virtual void setPenMode(PenMode mode) = 0;
    virtual void setPenWidth(int width) = 0;
    virtual void setFont(const FontSpec& font) = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // moveTo the first point, then lineTo every following one.
    virtual void polyline(std::span<const PixelPoint> points) {
        if (points.empty())
            return;
        moveTo(points.front().x, points.front().y);
        for (const PixelPoint& p : points.subspan(1))
            lineTo(p.x, p.y);
    }

    // Outline of the ellipse inside the box (left, top)-(right, bottom) in the pen colour,
    // or filled with it.
    virtual void ellipse(int left, int top, int right, int bottom, bool filled = false) = 0;
    // Outline of the box in the pen (style, mode and width apply).
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    // Fills the box with a colour, ignoring the pen.
    virtual void fillRect(int left, int top, int right, int bottom, Rgb color) = 0;

    // Text in the current font with its top-left corner at (x, y).
    virtual void text(int x, int y, std::string_view text) = 0;
    virtual TextExtent textExtent(std::string_view text) = 0;

    // Makes everything drawn so far visible on the surface (a collected stroke is drawn).
    virtual void flush() {}
};

} // namespace korvix
