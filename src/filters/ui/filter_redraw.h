#pragma once

namespace korvix::ui {

class Tf;

// After a filter has changed the toolpath: the picture is cleared and drawn anew, and the
// status window, when it shows, describes the new path.
void redrawFilteredPath(Tf& window);

} // namespace korvix::ui
