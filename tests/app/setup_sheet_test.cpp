#include "app/print_page.h"
#include "app/setup_sheet.h"
#include "app/workspace_access.h"
#include "display/recording_canvas.h"
#include "display/status_text.h"
#include "editing/path_status_recompute.h"
#include "input/nc_reader.h"
#include "model/path_builder.h"
#include "model/workspace.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numeric>

namespace korvix::test {
namespace {

void read(Workspace& ws, const std::string& path) {
    ASSERT_GT(readNcFile(ncReadTarget(ws), path, NcReadOptions{}, {}), 0) << path;
}

double totalMinutes(const std::vector<ToolUsage>& usage) {
    return std::accumulate(usage.begin(), usage.end(), 0.0,
                           [](double sum, const ToolUsage& tool) { return sum + tool.minutes; });
}

TEST(SetupSheet, ToolTimesAddUpToTheCuttingTime) {
    for (const std::string& path : {std::string(KORVIX_TEST_DATA_DIR) + "/two_tools.nc",
                                    std::string(KORVIX_EXAMPLES_DIR) + "/multi_tool.nc",
                                    std::string(KORVIX_EXAMPLES_DIR) + "/pocket_absolute.nc",
                                    std::string(KORVIX_EXAMPLES_DIR) + "/plane_arcs.nc"}) {
        Workspace ws;
        read(ws, path);
        const std::vector<ToolUsage> usage = toolUsage(ws.database, ws.tools);
        ASSERT_FALSE(usage.empty()) << path;
        // The reader times the moves from its double positions, the sheet from the stored
        // points: they agree to the precision of a float.
        const double time = ws.database.status.cuttingTime;
        EXPECT_NEAR(totalMinutes(usage), time, 1e-6 * time) << path;
        // ... and exactly with the path's own timing, which edits keep.
        EXPECT_NEAR(totalMinutes(usage), pathStatusFigures(ws.database.first()).cuttingTime,
                    1e-12 * time)
            << path;
    }
}

TEST(SetupSheet, ToolsWithTheirDataMovesAndZRange) {
    Workspace ws;
    read(ws, std::string(KORVIX_TEST_DATA_DIR) + "/two_tools.nc");
    ws.tools.entries[1].diameter = 10;
    ws.tools.entries[1].radius = 0.5f;
    ws.tools.entries[1].length = 75;
    const std::vector<ToolUsage> usage = toolUsage(ws.database, ws.tools);
    ASSERT_EQ(usage.size(), 2u);
    const struct {
        int tool, comp, speed;
        std::size_t moves;
        double lowestZ, highestZ;
    } expected[] = {{1, 1, 2000, 6, -1, 5}, {2, 2, 4500, 5, -2, 5}};
    for (std::size_t i = 0; i < usage.size(); ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(usage[i].toolNumber, e.tool);
        ASSERT_TRUE(usage[i].entry.has_value());
        EXPECT_EQ(usage[i].entry->compNumber, e.comp);
        EXPECT_EQ(usage[i].entry->spindleSpeed, e.speed);
        EXPECT_EQ(usage[i].moves, e.moves) << "tool " << e.tool;
        EXPECT_TRUE(usage[i].cuts);
        EXPECT_DOUBLE_EQ(usage[i].lowestZ, e.lowestZ) << "tool " << e.tool;
        EXPECT_DOUBLE_EQ(usage[i].highestZ, e.highestZ) << "tool " << e.tool;
    }

    PrintJob job;
    job.fileName = "two_tools.nc";
    const SetupSheetContents sheet = setupSheetContents(ws, job);
    ASSERT_EQ(sheet.rows.size(), 3u);
    EXPECT_EQ(sheet.rows[0],
              (std::vector<std::string>{"1", "1", "10.0000", "0.5000", "75.0000", "2000", "6",
                                        sheet.rows[0][7], "-1.0000", "5.0000"}));
    EXPECT_EQ(sheet.rows[2][0], "Total");
    EXPECT_EQ(sheet.rows[2][6], "11");
    EXPECT_EQ(sheet.extents, ncStatusLines(ws.database));
}

TEST(SetupSheet, MovesOfToolsOutsideTheTable) {
    // No T word at all: the moves belong to tool 0 and entry 0; a move given tool 7 by an edit
    // has no entry.
    Workspace ws;
    PathBuilder path(ws);
    path.start(0, 0, 5);
    path.line(0, 0, -1);
    path.rapid(10, 0, 5).last().tool = 7;
    ws.tools.entries[0].spindleSpeed = 1200;
    const std::vector<ToolUsage> usage = toolUsage(ws.database, ws.tools);
    ASSERT_EQ(usage.size(), 2u);
    EXPECT_EQ(usage[0].toolNumber, 0);
    ASSERT_TRUE(usage[0].entry.has_value());
    EXPECT_EQ(usage[0].entry->spindleSpeed, 1200);
    EXPECT_EQ(usage[1].toolNumber, 7);
    EXPECT_FALSE(usage[1].entry.has_value());
    EXPECT_FALSE(usage[1].cuts) << "a rapid cuts nothing";
    EXPECT_NEAR(usage[0].minutes, 6.0 / 100, 1e-9);
    EXPECT_NEAR(usage[1].minutes, std::hypot(10.0, 6.0) / kRapidFeed, 1e-9);
    const SetupSheetContents sheet = setupSheetContents(ws, PrintJob{});
    EXPECT_EQ(sheet.rows[1],
              (std::vector<std::string>{"7", "-", "-", "-", "-", "-", "1", "0.05 min", "-", "-"}));
}

TEST(SetupSheet, ALongToolListGoesOnOverPagesWithItsHeadings) {
    Workspace ws;
    PathBuilder path(ws);
    path.start(0, 0, 0);
    ws.tools.count = 100;
    for (int i = 1; i <= 100; ++i) {
        ws.tools.entries[static_cast<std::size_t>(i)].toolNumber = static_cast<std::uint8_t>(i);
        path.line(static_cast<float>(i), 0, 0).last().tool = static_cast<std::uint8_t>(i);
    }
    PrintJob job;
    job.fileName = "many.nc";
    RecordingCanvas canvas(800, 1000); // 55 lines of 18 pixels a page
    int newPages = 0;
    const int pages = printSetupSheet(ws, job, canvas, [&] {
        ++newPages;
        return true;
    });
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(newPages, 2);
    int headings = 0, banners = 0, rows = 0;
    for (const RecordedCall& call : canvas.calls) {
        if (call.op != "text")
            continue;
        if (call.text == "Spindle speed")
            ++headings;
        if (call.text.rfind("Korvix  many.nc", 0) == 0) {
            ++banners;
            EXPECT_EQ(call.b, 1000 - 18);
        }
        if (call.text == "0.01 min")
            ++rows;
        EXPECT_LT(call.b, 1000) << call.str();
    }
    EXPECT_EQ(headings, 3);
    EXPECT_EQ(banners, 3);
    EXPECT_EQ(rows, 100);
}

} // namespace
} // namespace korvix::test
