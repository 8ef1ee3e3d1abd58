#include "app/screen_text.h"

#include "model/number_text.h"

#include <algorithm>

namespace korvix {
namespace {

// The longest prefix of at most `limit` bytes that does not end inside a UTF-8 character.
std::string_view cutUtf8(std::string_view text, std::size_t limit) {
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    // Continuation bytes are 10xxxxxx; stepping back over them lands on a character start,
    // which the cut leaves out with the rest of its character.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace

bool beginScreenText(ScreenTexts& texts) {
    if (texts.entries.size() >= static_cast<std::size_t>(ScreenTexts::kMaxTexts))
        return false;
    texts.entries.push_back(ScreenText{});
    return true;
}

std::optional<TextEntryPlacement> placeScreenText(ScreenTexts& texts, PixelPoint lastMouse,
                                                  int drawingWidth, std::string_view lastFileName) {
    if (texts.entries.empty())
        return std::nullopt;
    ScreenText& newest = texts.entries.back();
    newest.x = lastMouse.x;
    newest.y = lastMouse.y;
    TextEntryPlacement placement;
    placement.at = lastMouse;
    placement.width = drawingWidth - lastMouse.x;
    if (texts.entries.size() == 1)
        placement.initialText = screenTextFileName(lastFileName);
    return placement;
}

void finishScreenText(ScreenTexts& texts, std::string_view typed, const FontSpec& font) {
    texts.font = font;
    if (texts.entries.empty())
        return;
    texts.entries.back().text = std::string(cutUtf8(typed, kMaxScreenTextLength));
}

std::string screenTextFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return upperAscii(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

} // namespace korvix
