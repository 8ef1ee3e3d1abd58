#pragma once

#include "app/workspace.h"
#include "filters/fit_arcs.h"
#include "filters/sift_points.h"

#include <string_view>

namespace korvix {

// The core of the Fit arcs, Sift points and Reverse cut direction commands, from the moment
// the dialog has given its parameters: status texts through the workspace's reporter,
// pending messages dispatched, the filter run. The window adds the data check before its
// dialog, the dialog itself, the hourglass, the refresh and the redraw.

// "Currently fitting arcs through point to point data...", the fit, then
// "Done fitting arcs... Points removed = N, Arcs added = M" (or the out-of-memory text).
// After a fit the view's pixel positions are marked stale (the next redraw reprojects).
// Without data: the no-data warning, and nothing else happens.
FitArcsResult runFitArcs(Workspace& workspace, const FitArcsOptions& options);

// "Currently sifting to a tolerance of "T"..." (T as typed), the sift, then
// "Sift command successfully removed "N" points...". Without data nothing happens.
SiftResult runSiftPoints(Workspace& workspace, std::string_view toleranceText,
                         const SiftOptions& options);

// "Cut direction is being reversed...", the reversal, "Cut direction has been reversed...".
// Without data nothing happens (false).
bool runReverseCutDirection(Workspace& workspace);

} // namespace korvix
