#include "app/setup_sheet.h"

#include "app/print_page.h"
#include "display/status_text.h"
#include "editing/path_status_recompute.h"
#include "model/geometry.h"
#include "model/number_text.h"
#include "model/plane_axes.h"
#include "model/workspace.h"

#include <algorithm>

namespace korvix {
namespace {

constexpr int kLengthDecimals = 4;
constexpr int kTimeDecimals = 2;

bool startsArcGroup(const MoveRecord& r) {
    return isArcPiece(r) &&
           (r.prev == nullptr || !isArcPiece(*r.prev) || r.prev->sequence != r.sequence);
}

// The minutes a record adds to the cutting time: the whole arc at its group's first piece,
// a straight move (or a start point in the middle of the path, a rapid) along its length.
double recordMinutes(const MoveRecord& r) {
    double minutes = 0;
    if (isArcPiece(r)) {
        if (startsArcGroup(r))
            addCuttingTime(minutes, r.feed, arcGroupLength(r));
    } else if (r.prev != nullptr) {
        const bool rapid = r.kind == kKindStartPoint || r.motion == kMotionRapid;
        addCuttingTime(minutes, rapid ? kRapidFeed : static_cast<double>(r.feed),
                       distance3D(endPointOf(*r.prev), endPointOf(r)));
    }
    return minutes;
}

std::optional<ToolEntry> entryOf(const ToolTable& tools, int toolNumber) {
    const int index = findTool(tools, toolNumber);
    if (index >= 0)
        return tools.entries[static_cast<std::size_t>(index)];
    // What the program set before its first T word belongs to the moves made before it.
    if (toolNumber == 0)
        return tools.entries[0];
    return std::nullopt;
}

ToolUsage& usageOf(std::vector<ToolUsage>& usage, const ToolTable& tools, int toolNumber) {
    for (ToolUsage& tool : usage)
        if (tool.toolNumber == toolNumber)
            return tool;
    ToolUsage& added = usage.emplace_back();
    added.toolNumber = toolNumber;
    added.entry = entryOf(tools, toolNumber);
    return added;
}

void widenZ(ToolUsage& tool, double z) {
    if (!tool.cuts) {
        tool.lowestZ = tool.highestZ = z;
        tool.cuts = true;
        return;
    }
    tool.lowestZ = std::min(tool.lowestZ, z);
    tool.highestZ = std::max(tool.highestZ, z);
}

std::string length(double value) {
    return fixed7(value, kLengthDecimals);
}

std::string minutesText(double minutes) {
    return fixed7(minutes, kTimeDecimals) + " min";
}

std::vector<std::string> toolRow(const ToolUsage& tool) {
    std::vector<std::string> row = {std::to_string(tool.toolNumber)};
    if (tool.entry) {
        const ToolEntry& e = *tool.entry;
        row.insert(row.end(), {std::to_string(e.compNumber), length(e.diameter), length(e.radius),
                               length(e.length), std::to_string(e.spindleSpeed)});
    } else {
        row.insert(row.end(), {"-", "-", "-", "-", "-"});
    }
    row.push_back(std::to_string(tool.moves));
    row.push_back(minutesText(tool.minutes));
    if (tool.cuts) {
        row.push_back(length(tool.lowestZ));
        row.push_back(length(tool.highestZ));
    } else {
        row.insert(row.end(), {"-", "-"});
    }
    return row;
}

// Lays out the sheet line by line and starts a new page when the next line would reach the
// banner.
class SheetWriter {
public:
    SheetWriter(Canvas& canvas, const FontSpec& font, const std::string& banner,
                const std::function<bool()>& newPage)
        : m_canvas(canvas), m_banner(banner), m_newPage(newPage), m_pageFont(font) {
        useFont(font);
        m_footLineHeight = m_lineHeight;
        m_margin = m_lineHeight;
        m_y = m_margin;
    }

    // The font of the lines from here on (a smaller one lets a wide table fit the page).
    void useFont(const FontSpec& font) {
        m_font = font;
        m_canvas.setFont(m_font);
        m_lineHeight = printLineHeight(m_canvas);
    }
    const FontSpec& font() const { return m_font; }
    // The width between the margins.
    int textWidth() const { return m_canvas.width() - 2 * m_margin; }
    int pages() const { return m_pages; }
    bool stopped() const { return m_stopped; }

    // Room for `lines` more lines on this page, or a new page; false when there is none.
    bool room(int lines) {
        if (m_stopped)
            return false;
        if (m_y + lines * m_lineHeight <= m_canvas.height() - 2 * m_footLineHeight)
            return true;
        endPage();
        if (!m_newPage()) {
            m_stopped = true;
            return false;
        }
        ++m_pages;
        m_canvas.setFont(m_font);
        m_y = m_margin;
        return true;
    }
    void line(const std::string& text, bool bold = false) {
        if (!room(1))
            return;
        setBold(bold);
        m_canvas.text(m_margin, m_y, text);
        setBold(false);
        m_y += m_lineHeight;
    }
    void title(const std::string& text) {
        FontSpec big = m_font;
        big.pixelHeight = m_font.pixelHeight * 3 / 2;
        big.bold = true;
        m_canvas.setFont(big);
        const int height = printLineHeight(m_canvas);
        m_canvas.text(m_margin, m_y, text);
        m_canvas.setFont(m_font);
        m_y += height + m_lineHeight / 2;
    }
    void gap() { m_y += m_lineHeight / 2; }
    // One row of the table: cells right-aligned at the column ends, the first left-aligned.
    void row(const std::vector<std::string>& cells, const std::vector<int>& columnEnds, bool bold) {
        if (!room(1))
            return;
        setBold(bold);
        for (std::size_t i = 0; i < cells.size() && i < columnEnds.size(); ++i) {
            const int width = m_canvas.textExtent(cells[i]).width;
            const int x = i == 0 ? m_margin : m_margin + columnEnds[i] - width;
            m_canvas.text(x, m_y, cells[i]);
        }
        setBold(false);
        m_y += m_lineHeight;
    }
    // The right end of every column, from the left margin, for the widest cell of each.
    std::vector<int> columnEnds(const std::vector<std::vector<std::string>>& table) {
        std::vector<int> widths;
        for (const auto& cells : table)
            for (std::size_t i = 0; i < cells.size(); ++i) {
                if (widths.size() <= i)
                    widths.push_back(0);
                setBold(true); // headings and the total are bold: measure the wider face
                widths[i] = std::max(widths[i], m_canvas.textExtent(cells[i]).width);
                setBold(false);
            }
        const int gap = m_canvas.textExtent("MM").width;
        std::vector<int> ends;
        int x = 0;
        for (std::size_t i = 0; i < widths.size(); ++i) {
            x += (i == 0 ? 0 : gap) + widths[i];
            ends.push_back(x);
        }
        return ends;
    }
    void endPage() {
        m_canvas.setFont(m_pageFont);
        m_canvas.text(1, m_canvas.height() - m_footLineHeight, m_banner);
        m_canvas.setFont(m_font);
        m_canvas.flush();
    }

private:
    void setBold(bool bold) {
        FontSpec font = m_font;
        font.bold = bold;
        m_canvas.setFont(font);
    }

    Canvas& m_canvas;
    const std::string& m_banner;
    const std::function<bool()>& m_newPage;
    const FontSpec m_pageFont; // the banner's, and the sheet's outside the table
    FontSpec m_font;
    int m_lineHeight = 0;
    int m_footLineHeight = 0;
    int m_margin = 0;
    int m_y = 0;
    int m_pages = 1;
    bool m_stopped = false;
};

} // namespace

std::vector<ToolUsage> toolUsage(const GraphicsDatabase& database, const ToolTable& tools) {
    std::vector<ToolUsage> usage;
    for (int i = 1; i <= tools.count; ++i)
        usageOf(usage, tools, tools.entries[static_cast<std::size_t>(i)].toolNumber);
    const MoveRecord* first = database.databaseAllocated() ? database.first() : nullptr;
    if (first == nullptr)
        return usage;
    ToolUsage* tool = nullptr;
    for (const MoveRecord* r = first->next; r != nullptr; r = r->next) {
        if (tool == nullptr || tool->toolNumber != r->tool)
            tool = &usageOf(usage, tools, r->tool);
        tool->minutes += recordMinutes(*r);
        if (r->kind != kKindStartPoint && endsMove(*r))
            ++tool->moves;
        if (r->kind != kKindStartPoint && r->motion != kMotionRapid) {
            widenZ(*tool, r->prev->z);
            widenZ(*tool, r->z);
        }
    }
    return usage;
}

SetupSheetContents setupSheetContents(const Workspace& ws, const PrintJob& job) {
    SetupSheetContents sheet;
    sheet.title = "Korvix setup sheet";
    sheet.heading.push_back("Program: " + (job.fileName.empty() ? std::string("-") : job.fileName));
    if (!job.dateTime.empty())
        sheet.heading.push_back("Printed: " + job.dateTime);
    sheet.extents = statusWindowLines(ws, false);
    sheet.columns = {"Tool",          "H",     "Diameter",     "Corner radius", "Length",
                     "Spindle speed", "Moves", "Cutting time", "Lowest Z",      "Highest Z"};
    double total = 0;
    std::size_t moves = 0;
    for (const ToolUsage& tool : toolUsage(ws.database, ws.tools)) {
        sheet.rows.push_back(toolRow(tool));
        total += tool.minutes;
        moves += tool.moves;
    }
    std::vector<std::string> totalRow(sheet.columns.size());
    totalRow[0] = "Total";
    totalRow[6] = std::to_string(moves);
    totalRow[7] = minutesText(total);
    sheet.rows.push_back(std::move(totalRow));
    return sheet;
}

int printSetupSheet(Workspace& ws, const PrintJob& job, Canvas& canvas,
                    const std::function<bool()>& newPage) {
    const SetupSheetContents sheet = setupSheetContents(ws, job);
    const std::string banner =
        bannerText(job.fileName, job.dateTime, ws.database.status.cuttingTime);
    canvas.setPenMode(PenMode::Copy);
    SheetWriter writer(canvas, printerFont(ws.display.windowFont, job.dotsPerPixel), banner,
                       newPage);
    writer.title(sheet.title);
    for (const std::string& line : sheet.heading)
        writer.line(line);
    writer.gap();
    writer.line("Program extents", true);
    for (const std::string& line : sheet.extents)
        writer.line(line);
    writer.gap();
    writer.line("Tools", true);
    std::vector<std::vector<std::string>> table = {sheet.columns};
    table.insert(table.end(), sheet.rows.begin(), sheet.rows.end());
    std::vector<int> ends = writer.columnEnds(table);
    // A table wider than the page is set in a smaller font: text widths shrink about in
    // proportion, and a few steps more take up what rounding leaves.
    if (!ends.empty() && ends.back() > writer.textWidth()) {
        FontSpec smaller = writer.font();
        smaller.pixelHeight = std::max(1, smaller.pixelHeight * writer.textWidth() / ends.back());
        for (int step = 0; step < 8; ++step) {
            writer.useFont(smaller);
            ends = writer.columnEnds(table);
            if (ends.back() <= writer.textWidth() || smaller.pixelHeight == 1)
                break;
            --smaller.pixelHeight;
        }
    }
    writer.row(sheet.columns, ends, true);
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        const bool totalRow = i + 1 == sheet.rows.size();
        // A page that begins inside the table repeats its headings.
        const int pagesBefore = writer.pages();
        if (!writer.room(1))
            break;
        if (writer.pages() != pagesBefore)
            writer.row(sheet.columns, ends, true);
        writer.row(sheet.rows[i], ends, totalRow);
    }
    if (!writer.stopped())
        writer.endPage();
    return writer.pages();
}

} // namespace korvix
