#pragma once

#include <filesystem>

namespace korvix::ui {

class Tf;

// The settings file of the window: every dialog field, menu check mark, the text font and
// the project's own options (colours, the window's place, recent files).
std::filesystem::path windowSettingsFile();
// The window's size and place, before it is shown.
void restoreWindowGeometry(Tf& window);
// At the first activation: every setting into its field, then the status window.
void loadWindowSettings(Tf& window);
// When the window closes, by any means.
void saveWindowSettings(Tf& window);

} // namespace korvix::ui
