#pragma once

#include "model/extents.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/move_record.h"
#include "model/parse_log.h"
#include "model/reporter.h"
#include "model/tool_table.h"

#include <functional>
#include <string>

namespace korvix {

// What an NC read works on: the database it appends to, the tool table it fills from T, H
// and S words, the parsing error log it refills, and the services it reports through.
struct NcReadTarget {
    GraphicsDatabase& database;
    ToolTable& tools;
    ParseLog& parseLog;
    MessagePump& pump;
    Reporter& reporter;
};

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
    TooLarge,    // the file makes more records than one read may add: given back too
    Canceled,    // the user stopped the read: this file's records were given back
};

struct NcReadResult {
    int blocks = 0; // position-defining blocks of this file (start point, moves, arcs once)
    NcReadStatus status = NcReadStatus::Ok;
    std::string message; // the error text shown to the user, empty when Ok
    bool ok() const { return status == NcReadStatus::Ok; }
};

// Reads an NC program and appends its moves to the target's database (after the path
// already loaded, if any), fills its tool table and refills its log. Messages go through the
// target's reporter; its pump is pumped while reading, and a cancel asked for through it
// leaves the database, tool table and view as they were before the read. `fit` may be
// empty.
NcReadResult readNcProgram(const NcReadTarget& target, const std::string& fileName,
                           const NcReadOptions& options, const FitToExtents& fit);

// The same, returning only the number of position-defining blocks read (0 when the file
// could not be read).
int readNcFile(const NcReadTarget& target, const std::string& fileName,
               const NcReadOptions& options, const FitToExtents& fit);

} // namespace korvix
