#pragma once

#include "editing/selection_marking.h"
#include "model/graphics_database.h"
#include "model/tool_table.h"

#include <string>
#include <string_view>

namespace korvix {

// The logic of the "Select Tool #" form: an up-down that browses the tool table (positions
// 0 to the number of tools, wrapping) and shows each entry's tool number in the edit field;
// on "&Ok" the edit text, as the user left it, names the tool whose moves are selected.

struct ToolNumberBrowser {
    int position = 0;
    int maximum = 0;
};

// Each time the form opens: the range follows the table, a position beyond it is pulled in.
void openToolNumberBrowser(ToolNumberBrowser& browser, const ToolTable& tools);

// One click of the up-down (+1 up, -1 down), wrapping at both ends. Returns the text the
// edit field shows: the tool number of the entry at the new position.
std::string stepToolNumberBrowser(ToolNumberBrowser& browser, const ToolTable& tools, int delta);

// The edit text as a tool number (0..255). On a problem `message` holds what to tell the
// user: "'x' is not a valid integer value" or "Range check error".
struct ToolNumberText {
    bool ok = false;
    int toolNumber = 0;
    std::string message;
};
ToolNumberText parseToolNumberText(std::string_view text);

// "&Ok": selects (or deselects, by `value`) every move of the tool the text names. Text that
// names no tool number changes nothing and puts its message into `error`.
SelectionOutcome selectToolFromText(GraphicsDatabase& database, int value, std::string_view text);

} // namespace korvix
