#include "editing/trim_links.h"

#include <optional>

namespace korvix {

bool TrimPathBuilder::start(const MoveRecord& first, const Point3& position, bool toolDown) {
    if (!m_path.start(first, position))
        return false;
    m_tool = positionOf(*m_path.tail());
    m_down = toolDown;
    return true;
}

bool TrimPathBuilder::keep(const ClipPiece& piece, const MoveRecord& source,
                           std::uint8_t optionalStop) {
    const Point3 end = m_space.toWorld(piece.b);
    if (m_down) {
        if (distance3D(m_tool, end) <= kMotionTolerance) {
            // Nothing to cut, but a stop that belongs here stays with the move before.
            if (optionalStop != 0 && m_path.tail()->kind == kKindStraight)
                m_path.tail()->optionalStop = optionalStop;
            return true;
        }
    } else {
        const Point3 entry = m_space.toWorld(piece.a);
        if (distance3D(entry, end) <= kMotionTolerance)
            return true;
        if (m_path.appendPositioning(kKindTrimTraverse, entry, source.tool, m_style) == nullptr ||
            m_path.appendPlunge(kKindTrimPlunge, entry, source.tool, m_style) == nullptr)
            return false;
        m_down = true;
    }
    if (m_path.appendCut(source, end, optionalStop) == nullptr)
        return false;
    m_tool = end;
    return true;
}

bool TrimPathBuilder::leave(const MoveRecord& source) {
    if (!m_down)
        return true;
    m_down = false;
    return m_path.appendPositioning(kKindTrimRetract, m_tool, source.tool, m_style) != nullptr;
}

void TrimPathBuilder::finish() {
    MoveRecord* first = m_path.list().head();
    if (first == nullptr)
        return;
    const double secondary = m_heights.secondaryPlane;
    // Retracts look ahead to the next plunge: walk backwards, remembering it.
    std::optional<double> nextPlunge;
    for (MoveRecord* r = m_path.tail(); r != nullptr && r != first; r = r->prev) {
        if (r->kind == kKindTrimPlunge) {
            nextPlunge = r->z;
        } else if (r->kind == kKindTrimRetract) {
            double z = secondary;
            if (!m_heights.absoluteSecondaryPlane) {
                z = r->z + secondary;
                if (nextPlunge && z < *nextPlunge + secondary)
                    z = *nextPlunge + secondary;
            }
            r->z = static_cast<float>(z);
        }
    }
    bool removed = false;
    for (MoveRecord* r = first->next; r != nullptr;) {
        MoveRecord* next = r->next;
        const bool link = r->kind >= kKindTrimRetract;
        if (r->kind == kKindTrimTraverse) {
            double z = r->prev->z;
            if (r->prev == first)
                z = maxOf(z, m_heights.primaryPlane);
            r->z = static_cast<float>(z);
        }
        r->kind = link ? kKindStraight : r->kind;
        // A link that ends where the tool already is (a plunge to a start at the traverse
        // height, a retract to the height of the exit) is no move at all.
        if (link && distance3D(positionOf(*r->prev), positionOf(*r)) <= kMotionTolerance) {
            m_path.remove(r);
            removed = true;
        }
        r = next;
    }
    if (removed)
        m_path.renumber();
}

} // namespace korvix
