#pragma once

#include "model/canvas.h"
#include "model/overlay_state.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvix {

inline constexpr std::string_view kAddTextStatus =
    "Move mouse cursor to desired location, then press the \"SPACE BAR\"...";
inline constexpr std::string_view kTextEntryStatus =
    "Press the \"ESCAPE KEY\" to exit text mode...";
inline constexpr std::string_view kTooManyTextsMessage =
    "No more than 100 text strings can be placed on the screen; choose \"Clear\" in the "
    "Text menu to remove them...";
// A text longer than this is cut when it is finished.
inline constexpr std::size_t kMaxScreenTextLength = 255;

// "Add" turning text mode on: a new, empty entry at the end of the list. False, with the list
// unchanged, when it already holds the most texts it can.
bool beginScreenText(ScreenTexts& texts);

// Where the entry field goes for the newest text, and what it starts with.
struct TextEntryPlacement {
    PixelPoint at;
    int width = 0;
    std::string initialText;
};

// The key press of text mode: the newest text is placed at the last mouse position. The
// field reaches to the right edge of the drawing area (drawingWidth); the first text of the
// list is offered the name of the last file read, without its folder, in upper case.
// Nothing happens (and nothing is returned) when no text was begun.
std::optional<TextEntryPlacement> placeScreenText(ScreenTexts& texts, PixelPoint lastMouse,
                                                  int drawingWidth, std::string_view lastFileName);

// Esc in the field: the newest text takes the typed text (at most kMaxScreenTextLength
// bytes, never a broken UTF-8 character) and all texts take the field's font.
void finishScreenText(ScreenTexts& texts, std::string_view typed, const FontSpec& font);

// The file name without its folder (either kind of separator), in upper case.
std::string screenTextFileName(std::string_view path);

} // namespace korvix
