#pragma once

#include "model/canvas.h"

#include <QString>
#include <Qt>
#include <functional>
#include <vector>

namespace korvix::ui {
class Tf;
class LocationDialogBase;
} // namespace korvix::ui

namespace korvix::test {

// Real mouse and key events for the main window, sent through the application as the
// window system would deliver them: mouse events to the drawing area, keys to the focus
// widget (they travel up to the window when the widget does not take them).
void mousePress(ui::Tf& window, PixelPoint at, Qt::MouseButton button = Qt::LeftButton);
void mouseMove(ui::Tf& window, PixelPoint at, Qt::MouseButtons held = Qt::NoButton);
void mouseRelease(ui::Tf& window, PixelPoint at, Qt::MouseButton button = Qt::LeftButton);
// Press, two moves on the way, release.
void drag(ui::Tf& window, PixelPoint from, PixelPoint to);
// A left click: press and release at one point.
void click(ui::Tf& window, PixelPoint at);
// A key press; `text` is the character it types. True when the window consumed it.
bool pressKey(ui::Tf& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              const QString& text = {});

// Opens a program from tests/data, answering the colour and arc-centre dialogs.
void openTestProgram(ui::Tf& window, const char* name);

using DialogStep = std::function<void(ui::LocationDialogBase&)>;
// Runs the steps one by one, each once `dialog` is shown and waiting for a button (a step
// that presses no button lets the next one run at once). Should the dialog still wait five
// seconds after the last step, Cancel is pressed so that no test hangs.
void whenWaiting(ui::LocationDialogBase& dialog, std::vector<DialogStep> steps);
// A step that presses the dialog button with this object name.
DialogStep press(const char* buttonName);

} // namespace korvix::test
