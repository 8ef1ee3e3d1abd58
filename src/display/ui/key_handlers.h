#pragma once

class QKeyEvent;

namespace korvix::ui {

class Tf;

// The main window's keys. FormKeyDown takes the keys by key code (function keys, the
// trimming polygon's keys, Esc, the arrows, Ctrl+P/R/Z); FormKeyPress takes the characters
// (Z zooms out, z in, P pan, B box, F fit, R redraw). Each returns true when it used the
// key, which is then consumed.
bool FormKeyDown(Tf& window, const QKeyEvent& event);
bool FormKeyPress(Tf& window, const QKeyEvent& event);

} // namespace korvix::ui
