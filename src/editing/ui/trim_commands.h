#pragma once

namespace korvix {
struct TrimInvocation;
}

namespace korvix::ui {

class Tf;

// Edit → Trim. "&Draw box" and "Draw p&olygon" only arm their picks (when NC data is
// loaded); the release of the box and Enter on the polygon come back through
// `trimCommand`. "&Parameters" trims with the window typed into the dialog.
void DrawTrimBoxClick(Tf& window);
void TrimPolygonClick(Tf& window);
void ShowTrimParametersClick(Tf& window);

// The trim in the window: "Trimming parameters" filled for the invocation and shown until
// its fields can be used or the user cancels, then the trim with the menus locked and the
// new path drawn.
void trimCommand(Tf& window, const TrimInvocation& invocation);

} // namespace korvix::ui
