#pragma once

#include <QIcon>
#include <string_view>

namespace korvix::ui {

// The pictures of the selection toolbar's buttons that carry no caption: what each pick
// does (a move, a box around points, a line across moves), which points a pick marks, and
// adding to or taking from the selection. Drawn here so that they match the red point marks
// of the picture. An unknown component gets an empty icon.
QIcon selectionGlyph(std::string_view component);

} // namespace korvix::ui
