#pragma once

#include "model/graphics_database.h"
#include "model/list_payloads.h"
#include "model/message_pump.h"
#include "model/tool_table.h"

namespace korvix {

// The program-wide records, owned by the main window (or the command-line tool, or a test)
// and passed by reference to the procedures that need them.
struct Workspace {
    GraphicsDatabase database;
    WireframeStore wireframe;
    ToolTable tools;
    ToolShapeList toolShape;
    MessagePump pump;
};

} // namespace korvix
