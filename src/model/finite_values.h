#pragma once

#include "model/graphics_database.h"

#include <string>

namespace korvix {

// The first record holding a coordinate, centre, radius, angle or feed that is not a finite
// number, or nullptr. Writers refuse such a path rather than write "INF" or "NAN" words that
// no control reads.
const MoveRecord* firstNonFiniteRecord(const GraphicsDatabase& database);

// "Block N holds a value that is not a finite number, nothing was saved..."
std::string nonFiniteRecordMessage(const MoveRecord& record);

} // namespace korvix
