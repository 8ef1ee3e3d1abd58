#include "editing/selection_marking.h"

namespace korvix {
namespace {

bool sameArcGroup(const MoveRecord& a, const MoveRecord& b) {
    return isArcPiece(a) && isArcPiece(b) && a.sequence == b.sequence;
}

} // namespace

MoveRecord& arcGroupFirst(MoveRecord& record) {
    MoveRecord* first = &record;
    while (first->prev != nullptr && sameArcGroup(*first->prev, *first))
        first = first->prev;
    return *first;
}

MoveRecord& arcGroupLast(MoveRecord& record) {
    MoveRecord* last = &record;
    while (last->next != nullptr && sameArcGroup(*last->next, *last))
        last = last->next;
    return *last;
}

MoveRecord& markWidened(MoveRecord& record, std::uint8_t flag, std::size_t& changed) {
    MoveRecord& last = arcGroupLast(record);
    for (MoveRecord* r = &arcGroupFirst(record);; r = r->next) {
        markRecord(*r, flag, changed);
        if (r == &last)
            break;
    }
    return last;
}

MoveRecord& markPickedMove(MoveRecord& record, std::uint8_t flag, bool bothPoints,
                           std::size_t& changed) {
    MoveRecord& last = markWidened(record, flag, changed);
    if (bothPoints) {
        // The move before the picked one (or before its whole arc) ends at its start.
        if (MoveRecord* source = arcGroupFirst(record).prev; source != nullptr)
            markWidened(*source, flag, changed);
    }
    return last;
}

} // namespace korvix
