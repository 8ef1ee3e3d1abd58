#pragma once

#include <string_view>

namespace korvix::ui {

class Tf;

// Without data the command does nothing but say so.
inline constexpr std::string_view kSiftNoDataStatus =
    "Warning! No data currently in memory to sift \"COMMAND CANCELED...\"";

// Edit → "&Sift points": asks for the sifting tolerance, removes the points that lie within
// it of the moves around them and shows the result.
void Sift1Click(Tf& window);

} // namespace korvix::ui
