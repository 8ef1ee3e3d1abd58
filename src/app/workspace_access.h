#pragma once

#include "input/nc_reader.h"
#include "input/wireframe_reader.h"
#include "model/workspace.h"
#include "output/nc_writer.h"

namespace korvix {

// The parts of the workspace that the readers and writers work on, for the commands (window,
// command-line tool, tests) that hold a whole workspace.

inline NcReadTarget ncReadTarget(Workspace& ws) {
    return {ws.database, ws.tools, ws.parseLog, ws.pump, ws.report()};
}

// Keeps the text of an NC file read with options.firstSourceLine = ws.source.nextLine(), so
// that its records' source lines point into it.
inline void keepReadText(Workspace& ws, NcReadResult& result) {
    if (result.source.firstLine == kNoSourceLine)
        return;
    ws.source.add(std::move(result.source));
    ws.programText.changed();
}

// Drops every program text, with the records they belonged to.
inline void forgetProgramText(Workspace& ws) {
    ws.source.clear();
    ws.programText.changed();
}

inline WireframeReadTarget wireframeReadTarget(Workspace& ws) {
    return {ws.wireframe, ws.database.status, ws.pump, ws.report()};
}

inline NcWriteSource ncWriteSource(Workspace& ws) {
    return {ws.database, ws.tools, ws.machine, ws.pump};
}

} // namespace korvix
