#pragma once

#include "ui/menu_item.h"

#include <span>

namespace korvix::ui {

// Every command of the window: the File, Edit, Display, ... menus, the edit-mode menu and
// the popup menu, in the order they are shown.
std::span<const MenuItem> menuItems();

} // namespace korvix::ui
