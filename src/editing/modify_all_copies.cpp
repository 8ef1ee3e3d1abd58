#include "editing/modify_all_copies.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvix {

void CopyNumbering::advance() {
    // Neighbouring groups only need different numbers; starting again at 1 keeps the
    // counter defined for any number of copies.
    m_sequence = m_sequence == std::numeric_limits<std::int32_t>::max() ? 1 : m_sequence + 1;
    m_block =
        m_block >= kLastBlockNumber ? std::uint16_t{1} : static_cast<std::uint16_t>(m_block + 1);
}

namespace {

class CopyAppender {
public:
    CopyAppender(GraphicsDatabase& database, MoveRecord* tail, MessagePump* pump)
        : m_list(database.records), m_tail(tail), m_oldTail(tail), m_numbers(*tail), m_pump(pump) {}

    MoveRecord& tail() const { return *m_tail; }
    std::size_t added() const { return m_added; }

    // A red rapid from the current tail to (x, y, z) with the tail's tool.
    bool rapidTo(const Point3& p) {
        const std::uint8_t tool = m_tail->tool;
        if (!appendOne())
            return false;
        MoveRecord& r = *m_tail;
        r.kind = kKindStraight;
        r.plane = kPlaneXY;
        r.visible = 1;
        r.color = kRapidColor;
        r.motion = kMotionRapid;
        r.tool = tool;
        r.x = static_cast<float>(p.x);
        r.y = static_cast<float>(p.y);
        r.z = static_cast<float>(p.z);
        m_numbers.advance();
        number(r);
        return true;
    }

    // A copy of `source` mapped by `transform`; `newBlock` when the source starts a block.
    bool copyOf(const MoveRecord& source, const PointTransform& transform, bool newBlock) {
        if (!appendOne())
            return false;
        MoveRecord& r = *m_tail;
        MoveRecord* const prev = r.prev;
        r = source;
        r.prev = prev;
        r.next = nullptr;
        transform.apply(r);
        if (r.kind == kKindStartPoint) {
            // Inside the path the start point is a move to it like any other.
            r.kind = kKindStraight;
            r.motion = kMotionRapid;
            r.color = kRapidColor;
        }
        if (newBlock)
            m_numbers.advance();
        number(r);
        if (m_pump != nullptr)
            m_pump->pump();
        return true;
    }

    // Gives every appended record back to the pool; the path ends at its old tail again.
    void rollBack() {
        MoveRecord* r = m_oldTail->next;
        m_oldTail->next = nullptr;
        while (r != nullptr) {
            MoveRecord* const next = r->next;
            m_list.release(r);
            r = next;
        }
        m_tail = m_oldTail;
        m_added = 0;
    }

private:
    bool appendOne() {
        if (!m_list.append(m_tail))
            return false;
        ++m_added;
        return true;
    }
    void number(MoveRecord& r) const {
        r.sequence = m_numbers.sequence();
        r.blockNumber = m_numbers.blockNumber();
    }

    NodeList<MoveRecord>& m_list;
    MoveRecord* m_tail;
    MoveRecord* const m_oldTail;
    CopyNumbering m_numbers;
    MessagePump* m_pump;
    std::size_t m_added = 0;
};

bool differs(double a, double b) {
    return std::fabs(a - b) > kMotionTolerance;
}

bool appendCopies(CopyAppender& out, MoveRecord* first, const MoveRecord* lastSource,
                  double highestZ, const PointTransform& transform, int copies) {
    // The retract goes to the highest Z of everything already in the path, so that the way
    // to the next copy crosses no part of the ones before.
    double safeZ = highestZ;
    for (int k = 1; k <= copies; ++k) {
        const PointTransform copyTransform = transform.repeated(k);
        const MoveRecord& end = out.tail();
        if (differs(end.z, safeZ) && !out.rapidTo({end.x, end.y, safeZ}))
            return false;
        const Point3 above = copyTransform.map(first->x, first->y, highestZ);
        if (differs(first->z, highestZ) && !out.rapidTo(above))
            return false;
        safeZ = std::max(safeZ, above.z);
        const MoveRecord* previous = nullptr;
        for (const MoveRecord* source = first;; source = source->next) {
            const bool newBlock = previous == nullptr || source->sequence != previous->sequence;
            if (!out.copyOf(*source, copyTransform, newBlock))
                return false;
            previous = source;
            if (source == lastSource)
                break;
        }
    }
    return true;
}

} // namespace

bool appendTransformedCopies(GraphicsDatabase& database, const PathReach& reach,
                             const PointTransform& transform, int copies, MessagePump* pump,
                             std::size_t& added) {
    added = 0;
    if (!database.databaseAllocated() || reach.last == nullptr || copies < 1)
        return true;
    CopyAppender out(database, reach.last, pump);
    if (!appendCopies(out, database.first(), reach.last, reach.highestZ, transform, copies)) {
        out.rollBack();
        return false;
    }
    added = out.added();
    return true;
}

} // namespace korvix
