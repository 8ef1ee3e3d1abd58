#pragma once

#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/tool_table.h"
#include "output/write_result.h"

#include <string>

namespace korvix {

// Writes the toolpath as an APT cutter-location text: a tool block (CUTTER, TOOLNO, SPINDL)
// for every tool change to a tool of the table, RAPID and FEDRAT mode changes and one GOTO
// per point. APT gets no arcs from us, so a path with arcs is first exploded with
// `tolerance` (which must be usable, see parseExplodeTolerance); that explosion stays in
// the database. The file is replaced only when completely written.
WriteResult writeAptFile(GraphicsDatabase& database, const ToolTable& tools,
                         const std::string& path, double tolerance, MessagePump* pump = nullptr);

// The lines of the format, for the writer and its tests.
std::string aptCutterLine(const ToolEntry& tool);
std::string aptFeedLine(double feed);
std::string aptPointLine(const char* statement, double x, double y, double z);

} // namespace korvix
