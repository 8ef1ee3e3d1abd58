#pragma once

#include <string_view>

namespace korvix::ui {

class Tf;

// Without data the command does nothing but say so.
inline constexpr std::string_view kReverseNoDataStatus =
    "Warning! No data currently in memory to reverse \"COMMAND CANCELED...\"";

// Edit → "&Reverse cut direction": turns the whole toolpath end for end and shows it.
void Reversecutdirection1Click(Tf& window);

} // namespace korvix::ui
