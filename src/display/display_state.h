#pragma once

#include "model/extents.h"
#include "model/workspace.h"

#include <optional>
#include <span>
#include <string_view>

namespace korvix {

// The few pieces of display state that commands of every subsystem touch.

inline bool redrawBusy(const Workspace& ws) {
    return ws.redraw.busy;
}
// Asks a running redraw to stop at its next record, and a running animation to end.
inline void requestRedrawAbort(Workspace& ws) {
    ws.redraw.abortRequested = true;
    ws.animation.stopRequested = true;
}
void setViewportSize(Workspace& ws, int width, int height);

// The one way to say "the path or the view changed": every cached pixel position (the
// records', the wire-frame's and the animated tool outline's) must be computed again by the
// next redraw. Commands call it after a reader or a filter changed the data.
void markViewsStale(Workspace& ws);

void setFitToWireframe(Workspace& ws, bool wireframe);
// Hides the animated tool, forgets the identify marks and empties the screen texts.
void clearOverlays(Workspace& ws);
// The view fitting handed to the readers: the extents box fitted under the current angles.
void fitAfterRead(Workspace& ws, const Extents& extents);
// Fit (the popup command's work without its texts): to the NC toolpath or the wire-frame.
void fitToSource(Workspace& ws, bool ncToolpath);
// The extents a fit to the toolpath (or else the wire-frame) uses: the wire-frame's when no
// toolpath is loaded.
const Extents& extentsToFit(const Workspace& ws, bool ncToolpath);

// Menu items whose check mark is a display option of the workspace, by object name: the
// option's value, or nothing for other items.
std::optional<bool> displayOptionCheck(const Workspace& ws, std::string_view objectName);
// Stores a check mark into its option; false for items that are not options.
bool setDisplayOptionCheck(Workspace& ws, std::string_view objectName, bool checked);
// Object names of every item whose check mark mirrors an option.
std::span<const std::string_view> displayOptionItems();

} // namespace korvix
