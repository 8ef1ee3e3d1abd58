#pragma once

#include "ui/menu_item.h"

namespace korvix::ui {

class Tf;

// "&Levels": shows the Z levels of the NC toolpath a few at a time in the levels dialog
// until Cancel, with the program's toolpath set aside and the displayed moves in its place.
// "&Write" saves the displayed moves with `saveNc`, the Save NC command, which sees only
// them. Does nothing without NC data.
void Levels1Click(Tf& window, CommandHandler saveNc);

} // namespace korvix::ui
