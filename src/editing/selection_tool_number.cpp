#include "editing/selection_tool_number.h"

#include "editing/selection_commands.h"
#include "model/number_text.h"

#include <algorithm>

namespace korvix {
namespace {

constexpr int kHighestToolNumber = 255;

} // namespace

void openToolNumberBrowser(ToolNumberBrowser& browser, const ToolTable& tools) {
    browser.maximum = std::min<int>(tools.count, ToolTable::kMaxTools);
    browser.position = std::clamp(browser.position, 0, browser.maximum);
}

std::string stepToolNumberBrowser(ToolNumberBrowser& browser, const ToolTable& tools, int delta) {
    const int positions = browser.maximum + 1;
    const int step = delta % positions;
    browser.position =
        (std::clamp(browser.position, 0, browser.maximum) + step + positions) % positions;
    return formatGeneral(tools.entries[static_cast<std::size_t>(browser.position)].toolNumber);
}

ToolNumberText parseToolNumberText(std::string_view text) {
    const IntegerConversion converted = convertIntegerInRange(text, 0, kHighestToolNumber);
    if (!converted.ok())
        return {false, 0, conversionMessage(converted.error, text)};
    return {true, converted.value, {}};
}

SelectionOutcome selectToolFromText(GraphicsDatabase& database, int value, std::string_view text) {
    const ToolNumberText tool = parseToolNumberText(text);
    if (!tool.ok) {
        SelectionOutcome outcome;
        outcome.error = tool.message;
        return outcome;
    }
    return selectTool(database, value, tool.toolNumber);
}

} // namespace korvix
