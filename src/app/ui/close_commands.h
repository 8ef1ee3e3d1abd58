#pragma once

namespace korvix::ui {

class Tf;

void Exit1Click(Tf& window);
void CloseAllClick(Tf& window);
void CloseNcClick(Tf& window);
// What Close all (or, without the wire-frame, Close NC) does once confirmed: ends a
// measurement, frees the data and resets the options, the tools and the status window.
void clearLoadedData(Tf& window, bool wireframeToo);

} // namespace korvix::ui
