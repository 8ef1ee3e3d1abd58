#pragma once

#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/move_record.h"
#include "model/reporter.h"

#include <cstddef>
#include <string>

namespace korvix {

// What a wire-frame read works on: the store it replaces, the database status whose
// `ncLoaded` flag it shares, and the services it reports through.
struct WireframeReadTarget {
    WireframeStore& wireframe;
    DatabaseStatus& status;
    MessagePump& pump;
    Reporter& reporter;
};

// Wire-frame files (*.WIR): headerless 41-byte little-endian records, one polyline point
// each (pen byte, visibility byte, colour index, X, Y, Z as floats, cached screen X, Y).
inline constexpr int kWireframeRecordBytes = 41;
inline constexpr int kWireframeRecordsPerBlock = 1000;

// The colour of a record's colour index: 1 red, 2 yellow, 3 green, 4 cyan, 5 blue,
// 6 dark red, 7 white, anything else grey.
Rgb wireframeIndexColor(int index);

// The warning about the points a wire-frame or TBF read left out ("3 points of "a.WIR" had
// coordinates that are not numbers and were left out..."); empty when there were none.
std::string skippedPointsText(std::size_t count, const std::string& fileName);

struct WireframeReadInfo {
    int blocks = 0;        // blocks of up to 1000 records that held at least one record
    int skippedPoints = 0; // records left out: a coordinate is not a number
    std::string message; // the error reported when the file could not be read, else empty
};

// Reads a wire-frame file into the target's store, replacing the wire-frame read before, and
// returns the number of points. An override colour of 0 keeps the colours of the file's
// indices; any other colour paints every point. The screen positions the file holds are only
// a cache of some other view: the caller marks the views stale.
//
// Only regular files are read. Records with a coordinate that is not a number are left out
// (the polyline breaks there) and counted in the info.
//
// A file that cannot be opened or read is reported through the reporter and leaves the
// loaded wire-frame as it was (0 is returned). A file without one whole record releases the
// wire-frame and returns 0, changing nothing else. A trailing part shorter than a record
// is not read. When memory runs out the wire-frame is released and 0 returned.
int readWireframeFile(const WireframeReadTarget& target, const std::string& fileName,
                      Rgb overrideColor, WireframeReadInfo* info = nullptr);

} // namespace korvix
