#include "filters/reverse_path.h"

namespace korvix {

namespace {

// After reversal the stretch between two neighbouring points is described by the record at
// the point where the reversed move ends, with the attributes of the record that described
// the stretch before: the successor's. Only the point and its cached pixel stay.
void takeMoveFrom(MoveRecord& record, const MoveRecord& successor) {
    record.kind = successor.kind;
    record.plane = successor.plane;
    record.visible = successor.visible;
    record.selected = successor.selected;
    record.optionalStop = successor.optionalStop;
    record.color = successor.color;
    record.sequence = successor.sequence;
    record.blockNumber = successor.blockNumber;
    record.sourceLine = successor.sourceLine;
    record.tool = successor.tool;
    record.feed = successor.feed;
    record.centerX = successor.centerX;
    record.centerY = successor.centerY;
    record.centerZ = successor.centerZ;
    switch (successor.motion) {
    case kMotionClockwise:
        record.motion = kMotionCounterClockwise;
        break;
    case kMotionCounterClockwise:
        record.motion = kMotionClockwise;
        break;
    default:
        record.motion = successor.motion;
    }
    // A straight move's radius stays a plain 0, never -0.
    record.radius = successor.radius == 0.0f ? 0.0f : -successor.radius;
    record.startAngle = successor.endAngle;
    record.endAngle = successor.startAngle;
}

} // namespace

bool reverseCutDirection(GraphicsDatabase& database, MessagePump* pump) {
    if (!database.databaseAllocated())
        return false;
    MoveRecord* record = database.first();
    while (record->next != nullptr) {
        MoveRecord* successor = record->next;
        takeMoveFrom(*record, *successor);
        record->next = record->prev;
        record->prev = successor;
        record = successor;
        if (pump != nullptr)
            pump->pump();
    }
    record->next = record->prev;
    record->prev = nullptr;
    record->kind = kKindStartPoint;
    // The start point's sequence went to the first move with the rest of the move. Kept on
    // the start point too, it would make the first move look like a later piece of the
    // start's group, which the writers and filters skip: the start point gets 0 instead,
    // as the NC reader gives it.
    if (record->next != nullptr)
        record->sequence = record->next->sequence == 0 ? -1 : 0;
    database.records.setHead(record);
    database.status.ncLoaded = true;
    return true;
}

} // namespace korvix
