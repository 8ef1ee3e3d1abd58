#pragma once

#include "editing/modify_all_transform.h"
#include "editing/path_status_recompute.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"

#include <cstddef>
#include <cstdint>

namespace korvix {

// The numbers of appended records: a fresh sequence per block, block numbers running on
// from the tail's and starting again at 1 after 32767.
class CopyNumbering {
public:
    static constexpr std::uint16_t kLastBlockNumber = 32767;

    explicit CopyNumbering(const MoveRecord& tail)
        : m_sequence(tail.sequence), m_block(tail.blockNumber) {}

    void advance();
    std::int32_t sequence() const { return m_sequence; }
    std::uint16_t blockNumber() const { return m_block; }

private:
    std::int32_t m_sequence;
    std::uint16_t m_block;
};

// Appends copies k = 1..copies of the path, each mapped by transform.repeated(k), after
// `reach.last` (the path's tail, with `reach` measured on this path). Before each copy the
// tool leaves the end of what is there straight up to the highest Z reached so far, and
// moves to the copy's first point at the copy's highest Z, both as red rapids; a copied
// start point becomes a red rapid too. Returns false when memory ran out: the appended
// records are released and the path ends at its old tail again. `added` counts what was
// appended. Extents and times are left to the caller.
bool appendTransformedCopies(GraphicsDatabase& database, const PathReach& reach,
                             const PointTransform& transform, int copies, MessagePump* pump,
                             std::size_t& added);

} // namespace korvix
