#pragma once

#include <QString>
#include <optional>

namespace korvix {
struct Workspace;
struct Extents;
} // namespace korvix

namespace korvix::ui {

class Tf;

// The few pieces of display state the window itself manages.
bool redrawBusy(const Workspace& ws);
void requestRedrawAbort(Workspace& ws);
void setViewportSize(Workspace& ws, int width, int height);
// Every cached pixel position (and the tool shape's) must be recomputed.
void markViewsStale(Workspace& ws);
void setFitToWireframe(Workspace& ws, bool wireframe);
// Hides the animated tool, forgets the identify marks and empties the screen texts.
void clearOverlays(Workspace& ws);
// The view fitting handed to the readers: the extents box fitted under the current angles.
void fitAfterRead(Workspace& ws, const Extents& extents);
// Fit (the popup command's work without its texts): to the NC toolpath or the wire-frame.
void fitToSource(Workspace& ws, bool ncToolpath);

// Menu items whose check mark is a display option of the workspace: the option's value, or
// nothing for other items.
std::optional<bool> workspaceCheck(const Workspace& ws, const QString& objectName);
// Stores a check mark into its option; false for items that are not options.
bool setWorkspaceCheck(Workspace& ws, const QString& objectName, bool checked);
// Object names of every item whose check mark mirrors an option.
const QStringList& workspaceCheckItems();

} // namespace korvix::ui
