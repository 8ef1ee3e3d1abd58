#pragma once

#include "model/graphics_database.h"
#include "model/list_payloads.h"
#include "model/message_pump.h"
#include "model/reporter.h"
#include "model/tool_table.h"

namespace korvix {

// The program-wide records, owned by the main window (or the command-line tool, or a test)
// and passed by reference to the procedures that need them.
struct Workspace {
    Workspace() = default;
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    GraphicsDatabase database;
    WireframeStore wireframe;
    ToolTable tools;
    ToolShapeList toolShape;

    // Platform services: the window installs its own, tests and the command-line tool
    // theirs. `reporter` is never null.
    MessagePump pump;
    NullReporter silentReporter;
    Reporter* reporter = &silentReporter;

    Reporter& report() { return *reporter; }
};

} // namespace korvix
