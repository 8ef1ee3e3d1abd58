#pragma once

namespace korvix::ui {

class Tf;
using CommandHandler = void (*)(Tf&);

enum class Check { None, Unchecked, Checked };

// One item of the window's menus. The window builds its menu bar, its edit-mode menu and
// its popup menu from a table of these, in order; an item that other items name as their
// parent becomes a submenu.
struct MenuItem {
    const char* menu;       // "MainMenu1", "MainMenu2" or "PopupMenu1"
    const char* parent;     // object name of the submenu holding the item, "" at top level
    const char* objectName; // "" for a separator
    const char* caption;    // with "&" before the access key; "-" for a separator
    const char* hint;       // shown in the second status panel while the item is highlighted
    CommandHandler handler; // nullptr for submenus and items without a command
    Check check = Check::None;
    bool enabled = true;
    // Commands that may run while another command or a redraw is running: they only ask
    // the running redraw to stop, or flip a display option.
    bool whileBusy = false;
};

} // namespace korvix::ui
