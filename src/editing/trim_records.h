#pragma once

#include "model/geometry.h"
#include "model/move_record.h"
#include "model/node_list.h"

#include <cstddef>
#include <cstdint>

namespace korvix {

// Link moves carry these kinds while a trim runs, so that their heights can be settled once
// the whole path is known; afterwards they are straight moves (kind 1).
inline constexpr std::uint8_t kKindTrimRetract = 3;
inline constexpr std::uint8_t kKindTrimTraverse = 4;
inline constexpr std::uint8_t kKindTrimPlunge = 5;

// How generated moves are made: positioning moves (retracts, traverses) as red rapids, or,
// with "Use "G00" for positioning" unchecked, as white feed moves at the plunge feed rate;
// plunges are always white feed moves at the plunge feed rate.
struct LinkStyle {
    bool rapidPositioning = true;
    float plungeFeed = 150.0f;
};

// The list a trim or the Z limiter builds: every record a straight move (the start point
// aside), numbered from 1 with `sequence` and `blockNumber` advancing by one per record,
// `blockNumber` starting again at 1 after 32767.
class NumberedPath {
public:
    explicit NumberedPath(ChunkAllocator allocator) : m_list(allocator, 4096) {}

    // The start point: a copy of `first` at `position`, numbered 1.
    bool start(const MoveRecord& first, const Point3& position);

    // A piece of the move `source`: its colour, tool and feed, and its motion with arcs made
    // linear. nullptr when memory ran out.
    MoveRecord* appendCut(const MoveRecord& source, const Point3& p, std::uint8_t optionalStop);
    // A retract or traverse (its kind as given) in the positioning style.
    MoveRecord* appendPositioning(std::uint8_t kind, const Point3& p, std::uint8_t tool,
                                  const LinkStyle& style);
    // A plunge (its kind as given): a white feed move at the plunge feed rate.
    MoveRecord* appendPlunge(std::uint8_t kind, const Point3& p, std::uint8_t tool,
                             const LinkStyle& style);

    // Unlinks `r` (not the start point) and gives it back to the pool; renumber() afterwards.
    void remove(MoveRecord* r);
    // Numbers every record again from 1, after removals.
    void renumber();

    MoveRecord* tail() const { return m_tail; }
    std::size_t count() const { return m_count; }
    NodeList<MoveRecord>& list() { return m_list; }

private:
    MoveRecord* appendNumbered(std::uint8_t kind, const Point3& p);

    NodeList<MoveRecord> m_list;
    MoveRecord* m_tail = nullptr;
    std::int32_t m_sequence = 1;
    std::uint16_t m_block = 1;
    std::size_t m_count = 0;
};

inline Point3 positionOf(const MoveRecord& r) {
    return {r.x, r.y, r.z};
}

} // namespace korvix
