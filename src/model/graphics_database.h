#pragma once

#include "model/extents.h"
#include "model/move_record.h"
#include "model/node_list.h"
#include "model/read_budget.h"

#include <cstddef>

namespace korvix {

// The status block kept with the graphics database.
struct DatabaseStatus {
    // Y pair negated outside the readers. Before any data is read the box spans -10..10.
    Extents extents = Extents::cube(10.0);
    double minFeed = 0; // smallest F read; 0 means none yet
    double maxFeed = 0;
    double cuttingTime = 0; // minutes
    // Set when a read completes: there is something to draw. Shared with the wire-frame
    // store (either kind of data makes the views drawable).
    bool ncLoaded = false;
};

// The in-memory toolpath: the start-point record followed by the moves in path order.
struct GraphicsDatabase {
    NodeList<MoveRecord> records;
    DatabaseStatus status;
    // The most records one NC read may append (see read_budget.h).
    std::size_t readRecordBudget = defaultReadRecordBudget();

    bool databaseAllocated() const { return records.allocated(); }
    MoveRecord* first() const { return records.head(); }
};

// The wire-frame points shown underneath the toolpath.
struct WireframeStore {
    NodeList<WireframePoint> points;
    Extents extents = Extents::cube(10.0); // Y pair negated after reading

    bool wireframeAllocated() const { return points.allocated(); }
    WireframePoint* first() const { return points.head(); }
};

// Widens the feed range with one programmed feed: a stored minimum of 0 counts as none.
inline void widenFeedRange(DatabaseStatus& status, double feed) {
    if (status.minFeed == 0 || feed < status.minFeed)
        status.minFeed = feed;
    if (feed > status.maxFeed)
        status.maxFeed = feed;
}

} // namespace korvix
