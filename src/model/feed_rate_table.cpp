#include "model/feed_rate_table.h"

#include <algorithm>
#include <cmath>

namespace korvix {

void FeedRateTable::clear() {
    m_count = 0;
    m_current = 1;
    m_overflow = false;
}

int FeedRateTable::find(double feed) const {
    for (int i = 0; i < m_count; ++i)
        if (std::fabs(static_cast<double>(m_entries[static_cast<std::size_t>(i)].oldFeed) - feed) <=
            kTolerance)
            return i + 1;
    return 0;
}

int FeedRateTable::add(double feed, Rgb color) {
    if (const int found = find(feed))
        return found;
    if (m_count == kMaxEntries) {
        m_overflow = true;
        return 0;
    }
    const float value = static_cast<float>(feed);
    m_entries[static_cast<std::size_t>(m_count++)] = {value, color, value};
    return m_count;
}

void FeedRateTable::setCurrent(int number) {
    m_current = std::clamp(number, 1, std::max(1, m_count));
}

void FeedRateTable::stepBack() {
    if (canStepBack())
        --m_current;
}

void FeedRateTable::stepForward() {
    if (canStepForward())
        ++m_current;
}

bool takesPartInFeedTable(const MoveRecord& record, FeedRateMoves moves) {
    return record.kind != kKindStartPoint && record.motion != kMotionRapid &&
           (moves == FeedRateMoves::All || record.selected != 0);
}

namespace {

// Long runs of moves share one exact feed value, and the same value always finds the same
// entry, so the search runs only when the value changes.
class EntryLookup {
public:
    explicit EntryLookup(const FeedRateTable& table) : m_table(table) {}
    int find(float feed) {
        if (!m_valid || feed != m_feed) {
            m_feed = feed;
            m_number = m_table.find(feed);
            m_valid = true;
        }
        return m_number;
    }
    // After an entry was added the remembered "no entry" may be out of date.
    void forget() { m_valid = false; }

private:
    const FeedRateTable& m_table;
    float m_feed = 0;
    int m_number = 0;
    bool m_valid = false;
};

} // namespace

int buildFeedRateTable(const GraphicsDatabase& database, FeedRateTable& table,
                       FeedRateMoves moves) {
    table.clear();
    EntryLookup lookup(table);
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (!takesPartInFeedTable(*r, moves) || lookup.find(r->feed) != 0)
            continue;
        table.add(r->feed, r->color);
        lookup.forget();
    }
    return table.count();
}

std::size_t applyFeedRateTable(GraphicsDatabase& database, const FeedRateTable& table,
                               FeedRateMoves moves) {
    std::size_t changed = 0;
    EntryLookup lookup(table);
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (!takesPartInFeedTable(*r, moves))
            continue;
        const int number = lookup.find(r->feed);
        if (number == 0)
            continue;
        const FeedRateEntry& entry = table.entry(number);
        r->color = entry.color;
        // An entry the user left alone leaves its moves' feeds exactly as programmed, even
        // those that were only within 0.0002 of the entry's value. Records are looked up by
        // the value they had, so swapping two feeds works.
        if (entry.newFeed != entry.oldFeed && r->feed != entry.newFeed) {
            r->feed = entry.newFeed;
            ++changed;
        }
    }
    return changed;
}

std::size_t applyFeedRateColors(GraphicsDatabase& database, const FeedRateTable& table) {
    std::size_t recoloured = 0;
    EntryLookup lookup(table);
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (!takesPartInFeedTable(*r, FeedRateMoves::All))
            continue;
        if (const int number = lookup.find(r->feed)) {
            r->color = table.entry(number).color;
            ++recoloured;
        }
    }
    return recoloured;
}

} // namespace korvix
