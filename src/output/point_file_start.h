#pragma once

#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/safe_file_writer.h"
#include "output/write_result.h"

namespace korvix {

// The common start of the writers that store points only (TBF, APT): there must be data and,
// when the path has arcs, a usable tolerance; the output is created before the arcs are
// exploded, so that a file that cannot be created leaves the arcs as they are. False, with
// result.message set, when nothing may be written.
bool startPointFile(GraphicsDatabase& database, SafeFileWriter& out, double tolerance,
                    MessagePump* pump, WriteResult& result);

} // namespace korvix
