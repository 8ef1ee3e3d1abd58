#pragma once

#include "filters/explode_arcs.h"
#include "filters/fit_arcs.h"
#include "filters/sift_points.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/reporter.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace korvix {

// The core of the Explode arcs, Fit arcs, Sift points and Reverse cut direction commands,
// from the moment the dialog has given its parameters: the status texts, pending messages
// dispatched, the filter run over the database. The window adds the data check before its
// dialog, the dialog itself, the hourglass and the redraw; the command-line tool prints the
// texts. Each returns whether the path changed: the caller then marks the views stale (the
// records have no pixel positions of the current view any more).

// "Converting arcs into points using a tolerance of "T"...", the explosion, then the
// completed (or failed) text. Without data: the no-data warning, nothing else.
ExplodeResult runExplodeArcs(GraphicsDatabase& database, double tolerance,
                             std::string_view toleranceText, Reporter& reporter, MessagePump& pump);

// "Currently fitting arcs through point to point data...", the fit, then
// "Done fitting arcs... Points removed = N, Arcs added = M" (or the out-of-memory text).
// Without data: the no-data warning, nothing else.
FitArcsResult runFitArcs(GraphicsDatabase& database, const FitArcsOptions& options,
                         Reporter& reporter, MessagePump& pump);

// "Currently sifting to a tolerance of "T"..." (T as typed), the sift, then
// "Sift command successfully removed "N" points...". Without data nothing happens.
SiftResult runSiftPoints(GraphicsDatabase& database, std::string_view toleranceText,
                         const SiftOptions& options, Reporter& reporter, MessagePump& pump);

// The lowest Z any rapid move (not the start point) ends at; none without rapid moves.
std::optional<float> lowestRapidEnd(const GraphicsDatabase& database);
// How many rapid moves end lower than `z`.
std::size_t rapidMovesEndingBelow(const GraphicsDatabase& database, float z);

// "Cut direction is being reversed...", the reversal, "Cut direction has been reversed...";
// then, when rapid moves now end below the lowest rapid end of before, the plunge warning
// as status and warning box. Without data nothing happens (false).
bool runReverseCutDirection(GraphicsDatabase& database, Reporter& reporter, MessagePump& pump);

} // namespace korvix
