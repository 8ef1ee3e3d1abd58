#include "display/recording_canvas.h"

#include <algorithm>

namespace korvix {

std::string RecordedCall::str() const {
    std::string result = op;
    if (op == "erase")
        return result;
    const bool twoArgs = op == "moveTo" || op == "lineTo" || op == "text";
    result += ' ' + std::to_string(a) + ' ' + std::to_string(b);
    if (!twoArgs)
        result += ' ' + std::to_string(c) + ' ' + std::to_string(d);
    if (op == "text")
        result += ' ' + text;
    return result;
}

std::vector<std::string> RecordingCanvas::ops(const std::vector<std::string>& only) const {
    std::vector<std::string> result;
    for (const RecordedCall& call : calls)
        if (only.empty() || std::find(only.begin(), only.end(), call.op) != only.end())
            result.push_back(call.str());
    return result;
}

int RecordingCanvas::count(const std::string& op) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](const RecordedCall& c) { return c.op == op; }));
}

void RecordingCanvas::fillRect(int left, int top, int right, int bottom, Rgb color) {
    record("fillRect", left, top, right, bottom).color = color;
}

void RecordingCanvas::text(int x, int y, std::string_view text) {
    RecordedCall& call = record("text", x, y, 0, 0);
    call.text = std::string(text);
    call.color = m_font.color;
}

RecordedCall& RecordingCanvas::record(const char* op, int a, int b, int c, int d) {
    RecordedCall call;
    call.op = op;
    call.a = a;
    call.b = b;
    call.c = c;
    call.d = d;
    call.color = m_color;
    call.style = m_style;
    call.mode = m_mode;
    call.width = m_penWidth;
    calls.push_back(std::move(call));
    return calls.back();
}

} // namespace korvix
