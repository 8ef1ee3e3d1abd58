#include "output/apt_writer.h"

#include "model/number_text.h"
#include "output/point_file_start.h"
#include "model/safe_file_writer.h"

namespace korvix {
namespace {

// Coordinates and cutter values: 4 decimals after rounding to 7 significant digits.
std::string number(double value) {
    return formatFixedPlain(value, 7, 4);
}

// The table entry of a tool: entry 0 for tool 0 (the time before any tool call), else the
// first entry with that number; nullptr when the table does not know it.
const ToolEntry* findAptTool(const ToolTable& tools, int toolNumber) {
    if (toolNumber == 0)
        return &tools.entries[0];
    for (int i = 0; i <= tools.count && i <= ToolTable::kMaxTools; ++i)
        if (tools.entries[static_cast<std::size_t>(i)].toolNumber == toolNumber)
            return &tools.entries[static_cast<std::size_t>(i)];
    return nullptr;
}

void writeToolBlock(SafeFileWriter& out, const ToolTable& tools, int toolNumber) {
    const ToolEntry* tool = findAptTool(tools, toolNumber);
    if (tool == nullptr)
        return; // the moves are still written, without a cutter
    out.writeLine(aptCutterLine(*tool));
    out.writeLine("TOOLNO/" + std::to_string(toolNumber));
    out.writeLine("SPINDL/RPM," + std::to_string(tool->spindleSpeed));
    out.writeLine("SPINDL/ON");
}

} // namespace

std::string aptCutterLine(const ToolEntry& tool) {
    const double d = tool.diameter;
    const double r = tool.radius;
    // Seven-parameter cutter: diameter, corner radius, corner centre from the axis, corner
    // centre height, two zero angles, length.
    return "CUTTER/" + number(d) + "," + number(r) + "," + number(0.5 * d - r) + "," + number(r) +
           ",0.000,0.000," + number(tool.length);
}

std::string aptFeedLine(double feed) {
    std::string text = formatDecimals(feed, 4);
    if (text.size() < 7)
        text.insert(0, 7 - text.size(), ' ');
    return "FEDRAT/IPM," + text;
}

std::string aptPointLine(const char* statement, double x, double y, double z) {
    return std::string(statement) + "/" + number(x) + "," + number(y) + "," + number(z);
}

WriteResult writeAptFile(GraphicsDatabase& database, const ToolTable& tools,
                         const std::string& path, double tolerance, MessagePump* pump) {
    WriteResult result;
    SafeFileWriter out(path);
    if (!startPointFile(database, out, tolerance, pump, result))
        return result;

    const MoveRecord* start = database.first();
    int currentTool = 0;
    if (start->next != nullptr) {
        currentTool = start->next->tool;
        writeToolBlock(out, tools, currentTool);
    }
    out.writeLine("RAPID");
    bool rapidMode = true;
    out.writeLine(aptPointLine("FROM", start->x, start->y, start->z));
    std::size_t written = 1;

    for (const MoveRecord* r = start->next; r != nullptr && !out.failed(); r = r->next) {
        if (r->tool != currentTool) {
            currentTool = r->tool;
            writeToolBlock(out, tools, currentTool);
        }
        // A start point in the middle of the path (a second file read after the first) is
        // reached at rapid, like any other rapid move.
        const bool rapid = r->motion == kMotionRapid;
        if (rapidMode && !rapid) {
            rapidMode = false;
            out.writeLine(aptFeedLine(r->feed));
        } else if (!rapidMode && rapid) {
            rapidMode = true;
            out.writeLine("RAPID");
        }
        out.writeLine(aptPointLine("GOTO", r->x, r->y, r->z));
        ++written;
        if (pump != nullptr)
            pump->pump();
    }

    if (!out.commit()) {
        result.message = out.error();
        return result;
    }
    result.ok = true;
    result.recordsWritten = written;
    return result;
}

} // namespace korvix
