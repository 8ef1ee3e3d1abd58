#pragma once

#include "model/move_record.h"

#include <string>

namespace korvix {

struct Workspace;

// Wire-frame files (*.WIR): headerless 41-byte little-endian records, one polyline point
// each (pen byte, visibility byte, colour index, X, Y, Z as floats, cached screen X, Y).
inline constexpr int kWireframeRecordBytes = 41;
inline constexpr int kWireframeRecordsPerBlock = 1000;

// The colour of a record's colour index: 1 red, 2 yellow, 3 green, 4 cyan, 5 blue,
// 6 dark red, 7 white, anything else grey.
Rgb wireframeIndexColor(int index);

struct WireframeReadInfo {
    int blocks = 0;      // blocks of up to 1000 records that held at least one record
    std::string message; // the error reported when the file could not be read, else empty
};

// Reads a wire-frame file into ws.wireframe, replacing the wire-frame read before, and
// returns the number of points. An override colour of 0 keeps the colours of the file's
// indices; any other colour paints every point.
//
// A file that cannot be opened or read is reported through ws.report() and leaves the
// loaded wire-frame as it was (0 is returned). A file without one whole record releases the
// wire-frame and returns 0, changing nothing else. A trailing part shorter than a record
// is not read. When memory runs out the wire-frame is released and 0 returned.
int readWireframeFile(Workspace& ws, const std::string& fileName, Rgb overrideColor,
                      WireframeReadInfo* info = nullptr);

} // namespace korvix
