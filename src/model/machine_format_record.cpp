#include "model/machine_format_record.h"

namespace korvix {

int registerIndex(char letter) {
    const std::size_t index = kRegisterLetters.find(letter);
    return letter == '\0' || index == std::string_view::npos ? -1 : static_cast<int>(index);
}

std::string_view moveTemplateName(MoveTemplate which) {
    static constexpr std::array<std::string_view, kMoveTemplateCount> names = {
        "RAPID", "LINEAR", "ARC_CW", "ARC_CCW", "PREFIX", "SUFFIX", "OP_STOP"};
    return names[static_cast<std::size_t>(which)];
}

std::string_view lineListName(LineList which) {
    static constexpr std::array<std::string_view, kLineListCount> names = {
        "PROGRAM START", "TOOL CHANGE", "PROGRAM END", "SPARE"};
    return names[static_cast<std::size_t>(which)];
}

void resetMachineFormat(MachineFormat& format) {
    format.registers.fill(MachineRegister{});
    for (std::string& text : format.templates)
        text.clear();
    for (std::vector<std::string>& list : format.lineLists)
        list.clear();
    format.splitArcs = false;
    format.addSpaces = false;
}

} // namespace korvix
