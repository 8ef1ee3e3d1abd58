#pragma once

#include "model/canvas.h"

#include <string>
#include <vector>

namespace korvix {

// One drawing call with the pen and font in force when it was made.
struct RecordedCall {
    std::string op; // moveTo, lineTo, ellipse, filledEllipse, rectangle, fillRect, text, erase
    int a = 0, b = 0, c = 0, d = 0;
    std::string text;   // the text of a text call
    Rgb color = kWhite; // pen colour (fill colour of fillRect, font colour of text)
    PenStyle style = PenStyle::Solid;
    PenMode mode = PenMode::Copy;
    int width = 1;

    // "lineTo 130 160", "ellipse 5 5 15 15", "text 3 4 X": the call without its pen.
    std::string str() const;
};

// A canvas that draws nothing and remembers every drawing call (pen changes are recorded
// only as the state of later calls). Text is measured as 8 x 13 pixels per character.
class RecordingCanvas : public Canvas {
public:
    static constexpr int kCharWidth = 8;
    static constexpr int kCharHeight = 13;

    RecordingCanvas(int width = 640, int height = 480) : m_width(width), m_height(height) {}

    std::vector<RecordedCall> calls;

    // The calls as str() texts, and only those whose op is in `ops` when it is not empty.
    std::vector<std::string> ops(const std::vector<std::string>& only = {}) const;
    // Number of calls of one kind.
    int count(const std::string& op) const;
    void clear() { calls.clear(); }

    PenStyle penStyle() const { return m_style; }
    PenMode penMode() const { return m_mode; }
    Rgb penColor() const { return m_color; }
    const FontSpec& font() const { return m_font; }

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void erase() override { record("erase", 0, 0, 0, 0); }
    void setPenColor(Rgb color) override { m_color = color; }
    void setPenStyle(PenStyle style) override { m_style = style; }
    void setPenMode(PenMode mode) override { m_mode = mode; }
    void setPenWidth(int width) override { m_penWidth = width; }
    void setFont(const FontSpec& font) override { m_font = font; }
    void moveTo(int x, int y) override { record("moveTo", x, y, 0, 0); }
    void lineTo(int x, int y) override { record("lineTo", x, y, 0, 0); }
    void ellipse(int left, int top, int right, int bottom, bool filled = false) override {
        record(filled ? "filledEllipse" : "ellipse", left, top, right, bottom);
    }
    void rectangle(int left, int top, int right, int bottom) override {
        record("rectangle", left, top, right, bottom);
    }
    void fillRect(int left, int top, int right, int bottom, Rgb color) override;
    void text(int x, int y, std::string_view text) override;
    TextExtent textExtent(std::string_view text) override {
        return {kCharWidth * static_cast<int>(text.size()), kCharHeight};
    }

private:
    RecordedCall& record(const char* op, int a, int b, int c, int d);

    int m_width;
    int m_height;
    Rgb m_color = kWhite;
    PenStyle m_style = PenStyle::Solid;
    PenMode m_mode = PenMode::Copy;
    int m_penWidth = 1;
    FontSpec m_font;
};

} // namespace korvix
