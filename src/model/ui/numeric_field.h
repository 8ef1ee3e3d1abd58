#pragma once

#include <QString>
#include <string>
#include <vector>

namespace korvix::ui {

// The messages of a numeric dialog field, one per character that cannot be part of a number
// ("Non-numeric charactor found in input data "c"..."), in the order typed. A character
// outside ASCII is named as typed, not byte by byte.
std::vector<std::string> nonNumericMessages(const QString& text);

} // namespace korvix::ui
