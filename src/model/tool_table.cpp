#include "model/tool_table.h"

namespace korvix {

void clearToolTable(ToolTable& table) {
    table.count = 0;
    for (ToolEntry& entry : table.entries) {
        const float arcResolution = entry.arcResolution;
        const std::uint8_t sections = entry.numberOfSections;
        entry = ToolEntry{};
        entry.arcResolution = arcResolution;
        entry.numberOfSections = sections;
    }
}

int findTool(const ToolTable& table, int toolNumber) {
    for (int i = 1; i <= table.count; ++i)
        if (table.entries[i].toolNumber == toolNumber)
            return i;
    return -1;
}

int currentToolEntry(const ToolTable& table, const ToolWordState& state) {
    return table.count == 0 ? 0 : findTool(table, state.tool);
}

bool applyToolWord(ToolTable& table, ToolWordState& state, int toolNumber) {
    if (findTool(table, toolNumber) < 0) {
        if (table.count >= ToolTable::kMaxTools)
            return false;
        ToolEntry& entry = table.entries[++table.count];
        entry.toolNumber = static_cast<std::uint8_t>(toolNumber);
        entry.compNumber = static_cast<std::uint8_t>(state.hNumber);
        entry.spindleSpeed = static_cast<std::int16_t>(state.spindleSpeed);
    }
    state.tool = toolNumber;
    return true;
}

void applyCompWord(ToolTable& table, ToolWordState& state, int hNumber) {
    state.hNumber = hNumber;
    const int index = currentToolEntry(table, state);
    if (index == 0 || (index > 0 && hNumber != 0))
        table.entries[index].compNumber = static_cast<std::uint8_t>(hNumber);
}

void applySpindleWord(ToolTable& table, ToolWordState& state, int speed) {
    state.spindleSpeed = speed;
    const int index = currentToolEntry(table, state);
    if (index >= 0)
        table.entries[index].spindleSpeed = static_cast<std::int16_t>(speed);
}

} // namespace korvix
