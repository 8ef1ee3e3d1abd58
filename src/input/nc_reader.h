#pragma once

#include "input/parse_log.h"
#include "model/extents.h"
#include "model/move_record.h"

#include <functional>
#include <string>

namespace korvix {

struct Workspace;

struct NcReadOptions {
    // Arc centre words: true when I, J, K are the centre itself, false when they are offsets
    // from the arc's start whose length (or an R word) gives the radius.
    bool absoluteCenters = true;
    // Colour of feed moves; rapids are always drawn red.
    Rgb drawColor = kWhite;
};

// The view fitting handed to the reader: called once at the end of a read that left a
// toolpath in the database, with the database extents (Y pair in screen orientation).
using FitToExtents = std::function<void(const Extents&)>;

enum class NcReadStatus {
    Ok,          // read to the end (an empty file too)
    CannotOpen,  // missing, unreadable, a directory or not a regular file: nothing read
    BinaryData,  // not a text file: nothing read
    ReadError,   // an input error part way: what was read before it is kept
    OutOfMemory, // the database could not grow: this file's records were given back
};

struct NcReadResult {
    int blocks = 0; // position-defining blocks of this file (start point, moves, arcs once)
    NcReadStatus status = NcReadStatus::Ok;
    std::string message; // the error text shown to the user, empty when Ok
    bool ok() const { return status == NcReadStatus::Ok; }
};

// Reads an NC program and appends its moves to ws.database (after the path already loaded,
// if any), fills ws.tools from T, H and S words and refills ws.parseLog. Messages go
// through ws.report(); ws.pump is pumped while reading. `fit` may be empty.
NcReadResult readNcProgram(Workspace& ws, const std::string& fileName, const NcReadOptions& options,
                           const FitToExtents& fit);

// The same, returning only the number of position-defining blocks read (0 when the file
// could not be read).
int readNcFile(Workspace& ws, const std::string& fileName, const NcReadOptions& options,
               const FitToExtents& fit);

} // namespace korvix
