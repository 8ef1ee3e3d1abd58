#pragma once

#include "model/graphics_database.h"
#include "model/list_payloads.h"

namespace korvix {

// Fills the empty database `into` with copies of the records from the predecessor of `first`
// (or `first` itself at the start of the path) up to `last`, the moves of the displayed
// levels; `last` must follow `first` in its path. The first copy becomes the start point.
// An arc cut off by either end keeps only its displayed part: the start point and the end
// of the last copy bound its angles, so that a writer sees exactly the moves shown.
//
// The status block covers the copies: their extents (Y pair in screen orientation), the feed
// range of their feed moves and their cutting time; `ncLoaded` is set. Returns false, with
// `into` left empty, when memory is exhausted.
bool copyDisplayedMoves(const MoveRecord& first, const MoveRecord& last, GraphicsDatabase& into);

// Gives back every record of the database, whatever state a command left its list in.
void releaseRecords(GraphicsDatabase& database);

// The extents box of a level, Y pair in screen orientation as the database holds it.
Extents levelExtents(const ZLevel& level);

// The program's toolpath set aside while the levels display puts copies in its place. The
// records are moved, not copied or freed, so every pointer into them (the level list's)
// stays good. restore() (or the destructor, whatever ends the command) gives back whatever
// stands in the database then and puts the program's records and status block back as they
// were.
class DetachedDatabase {
public:
    // Leaves `database` without records; its status block stays until a copy replaces it.
    explicit DetachedDatabase(GraphicsDatabase& database);
    ~DetachedDatabase() { restore(); }
    DetachedDatabase(const DetachedDatabase&) = delete;
    DetachedDatabase& operator=(const DetachedDatabase&) = delete;

    const GraphicsDatabase& saved() const { return m_saved; }
    void restore();

private:
    GraphicsDatabase& m_database;
    GraphicsDatabase m_saved;
    bool m_restored = false;
};

} // namespace korvix
