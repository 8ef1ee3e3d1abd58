#pragma once

#include "model/canvas.h"
#include "model/graphics_database.h"
#include "model/tool_table.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvix {

struct Workspace;
struct PrintJob;

// What one tool does in the program.
struct ToolUsage {
    int toolNumber = 0;
    // The tool table's entry for it; nothing when the table has none (a tool number given
    // to moves by an edit).
    std::optional<ToolEntry> entry;
    std::size_t moves = 0; // moves made with it, rapids included, an arc counting once
    // Minutes of all its moves, timed as the cutting time of the program is: rapids at the
    // rapid feed, an arc along its circle.
    double minutes = 0;
    // The Z range of its feed moves, both ends of each; `cuts` is false when it makes none.
    bool cuts = false;
    double lowestZ = 0, highestZ = 0;
};

// The tools of the program: first the entries of the tool table in order, then any other
// tool number the moves carry, in the order the path first uses them. Tool 0 (moves before
// the first T word) takes entry 0 when the table has no tool 0. The minutes of all tools add
// up to the cutting time of the whole path.
std::vector<ToolUsage> toolUsage(const GraphicsDatabase& database, const ToolTable& tools);

// The texts of the setup sheet, ready to be laid out.
struct SetupSheetContents {
    std::string title;
    std::vector<std::string> heading; // program and date lines
    std::vector<std::string> extents; // the NC status block, or the line that there is none
    std::vector<std::string> columns; // headings of the tool table
    std::vector<std::vector<std::string>> rows; // one per tool, then the total
};
SetupSheetContents setupSheetContents(const Workspace& ws, const PrintJob& job);

// The setup sheet from the top of the current page (already white); a long tool list goes on
// over further pages, each begun by `newPage` (false: the sheet stops there). Each page has
// the banner at its foot. Returns the number of pages used.
int printSetupSheet(Workspace& ws, const PrintJob& job, Canvas& canvas,
                    const std::function<bool()>& newPage);

} // namespace korvix
