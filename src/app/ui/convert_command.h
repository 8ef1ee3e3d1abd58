#pragma once

namespace korvix::ui {

class Tf;

// File -> "Co&nvert": reads each file of a batch and writes it back in place for the chosen
// machine control, keeping the original beside it and proving the written program traces
// the same path.
void Convert1Click(Tf& window);

} // namespace korvix::ui
