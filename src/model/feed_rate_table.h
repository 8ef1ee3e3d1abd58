#pragma once

#include "model/graphics_database.h"
#include "model/move_record.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvix {

// One distinct feed rate of the path: the value found, the colour of the first move found
// with it, and the value the user wants instead (the found one until edited).
struct FeedRateEntry {
    float oldFeed = 0;
    Rgb color = kBlack;
    float newFeed = 0;
};

// The distinct feed rates of the path in order of first appearance, numbered from 1. Two
// feeds within 0.0002 are one entry: the first entry within reach of a value is its entry.
// The table also keeps the entry a dialog shows (the current entry).
//
// Keys are plain floats, so a table of tool numbers (as floats) works the same way.
class FeedRateTable {
public:
    static constexpr int kMaxEntries = 255;
    static constexpr double kTolerance = kMotionTolerance;

    // Empties the table; the current entry goes back to 1.
    void clear();

    int count() const { return m_count; }
    bool empty() const { return m_count == 0; }
    // Set when a value could not be added because the table was full: the moves with that
    // value have no entry.
    bool overflow() const { return m_overflow; }

    // Entry `number` (1..count).
    const FeedRateEntry& entry(int number) const {
        return m_entries[static_cast<std::size_t>(number - 1)];
    }
    FeedRateEntry& entry(int number) { return m_entries[static_cast<std::size_t>(number - 1)]; }

    // The number of the first entry whose old feed lies within 0.0002 of `feed`, or 0.
    int find(double feed) const;
    // The number of `feed`'s entry, added (with `color`) when there is none yet; 0 when the
    // table is full (and overflow() is set from then on).
    int add(double feed, Rgb color);

    // The entry the dialog shows, 1-based. Stepping never leaves 1..count; an empty table
    // stays at 1 (and has no entry to show).
    int current() const { return m_current; }
    void setCurrent(int number);
    bool canStepBack() const { return m_current > 1; }
    bool canStepForward() const { return m_current < m_count; }
    void stepBack();
    void stepForward();
    // The current entry, or nullptr when the table is empty.
    FeedRateEntry* currentEntry() { return m_count == 0 ? nullptr : &entry(m_current); }
    const FeedRateEntry* currentEntry() const { return m_count == 0 ? nullptr : &entry(m_current); }

private:
    std::array<FeedRateEntry, kMaxEntries> m_entries{};
    int m_count = 0;
    int m_current = 1;
    bool m_overflow = false;
};

// Which moves a table is built from and applied to. Start points and rapids never take part.
enum class FeedRateMoves : std::uint8_t { All, SelectedOnly };

// True when the record's feed belongs in a feed rate table.
bool takesPartInFeedTable(const MoveRecord& record, FeedRateMoves moves);

// Empties the table and fills it from the path in order. Returns the number of entries;
// overflow() tells whether feeds beyond the 255th were left out.
int buildFeedRateTable(const GraphicsDatabase& database, FeedRateTable& table,
                       FeedRateMoves moves = FeedRateMoves::All);

// Gives every taking-part move its entry's colour and, when the entry's new feed differs
// from its old one, the new feed. Moves whose feed has no entry keep feed and colour.
// Returns the number of records whose feed changed.
std::size_t applyFeedRateTable(GraphicsDatabase& database, const FeedRateTable& table,
                               FeedRateMoves moves = FeedRateMoves::All);

// Gives every taking-part move its entry's colour only (the colour-by-feed command).
// Returns the number of records recoloured.
std::size_t applyFeedRateColors(GraphicsDatabase& database, const FeedRateTable& table);

} // namespace korvix
