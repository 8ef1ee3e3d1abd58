#pragma once

// The two dialects of the NC writer; nc_writer.cpp picks one and owns the file.

#include "input/machine_format_loader.h"
#include "model/graphics_database.h"
#include "model/message_pump.h"
#include "model/tool_table.h"
#include "output/nc_writer.h"

#include <cstddef>
#include <vector>

namespace korvix::ncout {

// With a loaded machine format. Returns the lines and the moves written.
struct MachineProgramCounts {
    std::size_t lines = 0;
    std::size_t moves = 0; // move blocks and tool change lines
};
MachineProgramCounts writeMachineProgram(const GraphicsDatabase& database, const ToolTable& tools,
                                         MachineFormat& format, const NcWriteOptions& options,
                                         LineSink& sink, std::vector<FormatMessage>& messages,
                                         MessagePump& pump);

// The built-in "Default" dialect. Returns the number of lines written.
std::size_t writeDefaultProgram(const GraphicsDatabase& database, const ToolTable& tools,
                                double programNumber, LineSink& sink, MessagePump& pump);

// Straight records take motion 0 or 1 only: an appended file's start record in mid-path is
// a rapid, and a straight record with an arc code is written as the feed move it is.
std::uint8_t straightMotion(const MoveRecord& record);

} // namespace korvix::ncout
