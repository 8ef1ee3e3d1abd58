#pragma once

#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/node_list.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvix {

// The chordal deviation tolerance offered when the user has not chosen one.
inline constexpr double kDefaultExplodeTolerance = 0.0005;
inline constexpr std::string_view kDefaultExplodeToleranceText = "0.0005";

// Below this many degrees per step an arc would turn into millions of points (a tolerance
// far smaller than the radius can resolve); the walk never takes a smaller step, which keeps
// a full turn at 100000 points at most.
inline constexpr double kMinExplodeStepDegrees = 0.0036;

// The tolerance text of a dialog field or a command line, checked.
struct ToleranceInput {
    double value = 0;
    std::string problem; // the message to show; empty when the tolerance is usable
    bool ok() const { return problem.empty(); }
};

// Converts and checks the tolerance text: it must be a number greater than 0.
ToleranceInput parseExplodeTolerance(std::string_view text);
// The message for a tolerance that cannot be used (0 or less, not finite); empty when usable.
std::string explodeToleranceProblem(double tolerance);

enum class ExplodeStatus : std::uint8_t {
    Done,
    NoData,      // the database holds nothing; nothing changed
    OutOfMemory, // the new list could not be built; the old one is kept unchanged
};

struct ExplodeResult {
    ExplodeStatus status = ExplodeStatus::NoData;
    std::size_t arcsExploded = 0;   // arc groups replaced by points
    std::size_t pointsFromArcs = 0; // straight records made from those arcs
    std::size_t recordCount = 0;    // records of the new list, start point included
    bool ok() const { return status == ExplodeStatus::Done; }
};

// True when the database holds at least one arc piece.
bool hasArcs(const GraphicsDatabase& database);

// Angular step in degrees whose chord strays exactly `tolerance` from a circle of
// `radius`. A tolerance of twice the radius or more clamps the step to a whole turn (every
// arc becomes a single chord); the step never drops below kMinExplodeStepDegrees.
double explodeStepDegrees(double radius, double tolerance);

// Replaces every arc group by straight moves whose chords stay within `tolerance` of the
// arc, renumbering every record (block numbers and sequences from 1). The new path is
// built beside the old one and replaces it only when complete. Sets `ncLoaded` on success;
// extents and cutting time are left as they are. The caller checks the tolerance first
// (parseExplodeTolerance); an unusable one is treated like a huge one (single chords).
ExplodeResult explodeArcs(GraphicsDatabase& database, double tolerance, MessagePump* pump = nullptr,
                          ChunkAllocator allocator = &defaultChunkAllocator);

} // namespace korvix
