#pragma once

#include <QStringList>
#include <memory>

namespace korvix::ui {

class Tf;

// The main window with every command of the program wired into its menus, keys and mouse,
// and every dialog created in the order the program has always created them.
std::unique_ptr<Tf> createMainWindow(const QStringList& commandLine);

} // namespace korvix::ui
