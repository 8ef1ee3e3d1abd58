#pragma once

#include "model/graphics_database.h"
#include "model/tool_table.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korvix {

// The fields of a tool table entry as the "Tool definitions" dialog shows them, in the
// dialog's order.
enum class ToolField : std::uint8_t {
    ToolNumber,
    Diameter,
    Radius,
    Length,
    AngleToX,
    AngleToY,
    AngleToZ,
    CompNumber,
    SpindleRpm,
    ArcResolution,
    NumberOfSections,
};
inline constexpr int kToolFieldCount = 11;

// The field's caption in the dialog ("Tool number", "Spindle RPM", ...).
const char* toolFieldCaption(ToolField field);

// The field as the dialog shows it: integers in decimal, reals with 4 decimals (7
// significant digits).
std::string toolFieldText(const ToolEntry& entry, ToolField field);

// Converts `text` and stores it into the field. On a problem the entry is left as it was
// and the message to show is returned; an empty result means the value was stored.
// Messages, in the order they are checked:
//   Non-numeric charactor found in input data "c"...   (the first character that is not
//                                                       "+", "-", "." or a digit)
//   Tool number is empty: enter a whole number from 0 to 255...
//   Tool number "300" is not valid: enter a whole number from 0 to 255...
//   Diameter is empty: enter a number...
//   Diameter "1.2.3" is not valid: enter a number...
std::string storeToolField(ToolEntry& entry, ToolField field, std::string_view text);

// After the user renumbered tools: every move whose tool was `oldNumbers[i]` becomes a move
// of entry i's current tool, for each entry 0..oldNumbers.size()-1 whose number changed.
// The moves are mapped in one pass, so swapping two tool numbers swaps their moves; when
// several changed entries had the same old number, the first one decides.
void renumberToolMoves(GraphicsDatabase& database, std::span<const std::uint8_t> oldNumbers,
                       const ToolTable& tools);

} // namespace korvix
