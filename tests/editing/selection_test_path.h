#pragma once

#include "model/canvas.h"
#include "model/graphics_database.h"

#include <cassert>
#include <initializer_list>
#include <string>

namespace korvix::test {

// Builds small toolpaths straight in pixels, as the renderer would leave them: every record
// has its cached screen position and is drawn. Block numbers count the records from 0, so a
// flag string (below) reads record by record.
class PixelPath {
public:
    explicit PixelPath(GraphicsDatabase& database) : m_database(database) {}

    MoveRecord& start(int x, int y) {
        m_database.records.freeAll();
        const bool created = m_database.records.createFirst();
        assert(created);
        (void)created;
        m_current = m_database.first();
        m_count = 0;
        return place(kKindStartPoint, x, y);
    }
    MoveRecord& move(int x, int y) {
        append();
        return place(kKindStraight, x, y);
    }
    // One arc group through the given pixels; returns its first piece.
    MoveRecord& arc(std::initializer_list<PixelPoint> pieces) {
        MoveRecord* first = nullptr;
        const int sequence = m_count + 1;
        for (const PixelPoint& p : pieces) {
            append();
            MoveRecord& r = place(kKindArcPiece, p.x, p.y);
            r.sequence = sequence;
            if (first == nullptr)
                first = &r;
        }
        assert(first != nullptr);
        return *first;
    }
    // A path of `count` straight moves after the start point, for the range commands.
    void straightRun(int count) {
        start(0, 0);
        for (int i = 1; i <= count; ++i)
            move(10 * i, 0);
    }

    MoveRecord& at(int index) const {
        MoveRecord* r = m_database.first();
        for (int i = 0; i < index; ++i)
            r = r->next;
        return *r;
    }

private:
    void append() {
        const bool appended = m_database.records.append(m_current);
        assert(appended);
        (void)appended;
    }
    MoveRecord& place(std::uint8_t kind, int x, int y) {
        MoveRecord& r = *m_current;
        r.kind = kind;
        r.motion = kind == kKindArcPiece ? kMotionCounterClockwise : kMotionLinear;
        r.sequence = m_count + 1;
        r.blockNumber = static_cast<std::uint16_t>(m_count);
        r.screenX = x;
        r.screenY = y;
        r.visible = kind == kKindStartPoint ? 0 : 1;
        ++m_count;
        return r;
    }

    GraphicsDatabase& m_database;
    MoveRecord* m_current = nullptr;
    int m_count = 0;
};

// The selected flags in path order, "0" or "1" each.
inline std::string selectionFlags(const GraphicsDatabase& database) {
    std::string flags;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next)
        flags += r->selected != 0 ? '1' : '0';
    return flags;
}

// Sets the flags from such a string (the path must be as long).
inline void setSelectionFlags(GraphicsDatabase& database, const std::string& flags) {
    std::size_t i = 0;
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next, ++i) {
        assert(i < flags.size());
        r->selected = flags[i] == '1' ? 1 : 0;
    }
    assert(i == flags.size());
}

} // namespace korvix::test
