#pragma once

#include "model/graphics_database.h"
#include "model/message_pump.h"

namespace korvix {

// Turns the whole toolpath end for end, in place: the tool travels the same points in the
// opposite order, every move keeping its rapid/feed character, tool, feed, optional stop and
// arc geometry (clockwise arcs become counter-clockwise with their angles exchanged). No
// record is allocated or released; the last record becomes the start point. Reversing twice
// gives every move back exactly. Returns false (and changes nothing) when the database
// holds nothing; sets `ncLoaded` otherwise.
bool reverseCutDirection(GraphicsDatabase& database, MessagePump* pump = nullptr);

} // namespace korvix
