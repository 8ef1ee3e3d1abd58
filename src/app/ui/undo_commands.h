#pragma once

#include <cstddef>

namespace korvix::ui {

class Tf;

// Edit -> "&Undo" and "&Redo": the toolpath as it was before the last change, and the
// change again.
void Undo1Click(Tf& window);
void Redo1Click(Tf& window);

// A quarter of the machine's memory (1 GiB when it cannot be told): what the undo steps may
// hold.
std::size_t undoMemoryBudget();

} // namespace korvix::ui
