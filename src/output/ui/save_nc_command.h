#pragma once

namespace korvix::ui {

class Tf;

// File → "&Save NC": asks for the machine control, the program number and starting text,
// then for a file name, and writes the toolpath as an NC program for that control.
void Save1Click(Tf& window);

} // namespace korvix::ui
