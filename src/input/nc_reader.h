#pragma once

#include "model/extents.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/move_record.h"
#include "model/parse_log.h"
#include "model/program_source.h"
#include "model/reporter.h"
#include "model/tool_table.h"

#include <functional>
#include <string>

namespace korvix {

// The loaded path that a read builds on when it reads into an empty database of its own
// (on a worker thread) whose records are spliced on after that path when the read is done.
// Sequence numbers, extents, feed range and cutting time go on from it exactly as if the
// read had appended to it.
struct NcReadContinuation {
    DatabaseStatus status;       // the loaded path's status block (Y pair negated)
    std::size_t recordCount = 0; // its records; 0 when nothing is loaded
};

// What an NC read works on: the database it appends to, the tool table it fills from T, H
// and S words, the parsing error log it refills, and the services it reports through.
struct NcReadTarget {
    GraphicsDatabase& database;
    ToolTable& tools;
    ParseLog& parseLog;
    MessagePump& pump;
    Reporter& reporter;
    // Set for a read into a database of its own that goes on from a path loaded elsewhere;
    // `database` must then be empty.
    const NcReadContinuation* continuation = nullptr;
};

struct NcReadOptions {
    // Arc centre words: true when I, J, K are the centre itself, false when they are offsets
    // from the arc's start whose length (or an R word) gives the radius.
    bool absoluteCenters = true;
    // Colour of feed moves; rapids are always drawn red.
    Rgb drawColor = kWhite;
    // Read lower-case letters as words (g1x5 as G1X5); otherwise they are skipped and the log
    // says so.
    bool lowerCaseWords = false;
    // The source line index the file's line 1 takes: each record then carries the index of
    // the line it was read from, and the result the file's text (ProgramSource::nextLine()
    // of the program read so far). kNoSourceLine reads without either.
    std::uint32_t firstSourceLine = kNoSourceLine;
};

// How many arcs of a read fit each reading of their I, J, K words: the centre as written
// (absolute) and the start plus the signed offsets (incremental) lying as far from the start
// as from the end. Arcs built from R words and full turns tell nothing and are not counted.
struct CentreCheck {
    int tested = 0;
    int fitAbsolute = 0;
    int fitIncremental = 0;
};

// True when the arcs say the program uses the other centre type than the one read with: at
// least 3 arcs, fewer than half fit the chosen type and at least 90 % the other.
bool centresLookSwapped(const CentreCheck& check, bool absoluteCenters);
// The finding as one sentence: NN of MM arcs in "FILE" do not fit absolute center points;
// the program looks like it uses incremental center points.
std::string centreFinding(const CentreCheck& check, bool absoluteCenters,
                          const std::string& fileName);
// The finding with the question whether to read the file again the other way.
std::string centreQuestion(const CentreCheck& check, bool absoluteCenters,
                           const std::string& fileName);

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
    CentreCheck centres;
    // The file's text and line starts when read with a first source line (for
    // ProgramSource::add); empty otherwise and when nothing was read.
    SourceFile source;
    bool ok() const { return status == NcReadStatus::Ok; }
};

// What a read may have to give back: the last record before it (null for an empty database),
// the tool table and the status block as they were.
struct NcReadCheckpoint {
    MoveRecord* lastBefore = nullptr;
    ToolTable tools;
    DatabaseStatus status;
};

NcReadCheckpoint ncReadCheckpoint(const NcReadTarget& target);
// Puts the database and the tool table back as they were at the checkpoint: a canceled read,
// or a finished one that is to be read again another way.
void rollBackNcRead(const NcReadTarget& target, const NcReadCheckpoint& checkpoint);

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
