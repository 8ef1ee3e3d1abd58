#pragma once

namespace korvix::ui {

class Tf;

// Edit mode's "&Modify": delete, re-feed or relocate the selected moves, move the start point
// of the path, or set or clear optional stops on the selected moves, with the Modify Selected
// Geometry dialog. Delete and relocate can be previewed; the dialog comes back after a
// discarded preview and after fields that cannot be used.
void Modify1Click(Tf& window);

} // namespace korvix::ui
