#pragma once

#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/move_record.h"
#include "output/write_result.h"

#include <cstddef>
#include <string>

namespace korvix {

// Writes the toolpath as a TBF file: every record as a point (rapid or fed, with its feed),
// then the extents and counts sections. The format carries no arcs, so a path with arcs is
// first exploded with `tolerance` (which must be usable, see parseExplodeTolerance); that
// explosion stays in the database. The file is replaced only when completely written.
WriteResult writeTbfFile(GraphicsDatabase& database, const std::string& path, double tolerance,
                         MessagePump* pump = nullptr);

struct TbfReadResult {
    std::size_t pointCount = 0;    // points read into the database
    std::size_t skippedPoints = 0; // points left out: a coordinate is not a number
    bool ok = false;            // false: the file could not be read or memory ran out
    std::string message;        // why, when not ok
};

// Reads the points of a TBF file into the database as straight moves (rapid points red,
// feed points in `feedColor`), after the path already loaded if there is one. Only regular
// files are read. Points with a coordinate that is not a number are left out and counted.
// Short, truncated and corrupt files are read as far as they make sense, without error. When
// memory runs out the database is put back as it was before the read. On success with
// points the extents cover them (Y pair in screen orientation) and `ncLoaded` is set; the
// caller fits the views.
TbfReadResult readTbfFile(GraphicsDatabase& database, const std::string& path, Rgb feedColor,
                          MessagePump* pump = nullptr);

} // namespace korvix
