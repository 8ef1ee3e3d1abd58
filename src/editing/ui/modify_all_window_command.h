#pragma once

namespace korvix::ui {

class Tf;

// Edit → "&Modify all": mirror, re-feed, relocate, rotate or scale the whole toolpath with
// the Modify All Geometry dialog, each geometric change with a preview the user keeps or
// discards. The dialog comes back after a discarded preview and after fields that cannot
// be used.
void ModifyAll1Click(Tf& window);

} // namespace korvix::ui
