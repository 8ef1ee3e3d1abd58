#include "app/workspace_access.h"
#include "filters/explode_arcs.h"
#include "filters/fit_arcs.h"
#include "filters/reverse_path.h"
#include "model/undo_history.h"
#include "test_folder.h"

#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

// Filters make new records from old ones: each must keep the line of the block it comes from.
struct SourceLinesThroughFilters : ::testing::Test {
    void read(const std::string& program) {
        const std::string path = folder.path("program.nc");
        std::ofstream(path, std::ios::binary) << program;
        NcReadOptions options;
        options.firstSourceLine = ws.source.nextLine();
        NcReadResult result = readNcProgram(ncReadTarget(ws), path, options, {});
        ASSERT_TRUE(result.ok());
        keepReadText(ws, result);
    }
    // The 1-based line of every record, 0 for none.
    std::vector<std::uint32_t> lines() const {
        std::vector<std::uint32_t> out;
        for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
            const auto at = ws.source.locate(r->sourceLine);
            out.push_back(at ? at->line : 0);
        }
        return out;
    }
    TestFolder folder{"korvix_source_lines"};
    Workspace ws;
};

TEST_F(SourceLinesThroughFilters, ExplodedArcPointsKeepTheArcsLine) {
    read("G0 X0. Y0. Z0.\nG1 X10. F100.\nG2 X20. Y0. I15. J0.\n(end)\nG1 X30.\n");
    ASSERT_TRUE(explodeArcs(ws.database, 0.01).ok());
    const std::vector<std::uint32_t> got = lines();
    ASSERT_GT(got.size(), 5u);
    EXPECT_EQ(got.front(), 1u);
    EXPECT_EQ(got[1], 2u);
    EXPECT_EQ(got.back(), 5u);
    for (std::size_t i = 2; i + 1 < got.size(); ++i)
        EXPECT_EQ(got[i], 3u) << "chord " << i;
}

TEST_F(SourceLinesThroughFilters, FittedArcsTakeTheLineOfTheBlockTheyEndAt) {
    // A rapid to the first of 31 points 3.5 degrees apart on a circle, then a move off it.
    constexpr int kPoints = 30;
    const auto point = [](int i) {
        const double a = (30 + 3.5 * i) * 3.14159265358979323846 / 180;
        char text[64];
        std::snprintf(text, sizeof text, "X%.5f Y%.5f", 5 + 2 * std::cos(a), -3 + 2 * std::sin(a));
        return std::string(text);
    };
    std::string program = "G0 " + point(0) + " Z2.\nG1 F120.\n";
    for (int i = 1; i <= kPoints; ++i)
        program += point(i) + "\n";
    program += "X9. Y9.\n";
    read(program);
    const FitArcsResult fitted = fitArcs(ws.database, {0.0012, 99.99, false});
    ASSERT_GE(fitted.arcsAdded, 1u);
    // Every piece of a fitted arc names the line of the arc's last point; records that stayed
    // keep theirs, in order.
    std::uint32_t previous = 0;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
        const std::uint32_t line = ws.source.locate(r->sourceLine)->line;
        if (isArcPiece(*r)) {
            const MoveRecord* last = r;
            while (!endsMove(*last))
                last = last->next;
            EXPECT_EQ(r->sourceLine, last->sourceLine);
        }
        EXPECT_GE(line, previous);
        previous = line;
    }
    EXPECT_EQ(previous, static_cast<std::uint32_t>(kPoints + 3));
}

TEST_F(SourceLinesThroughFilters, ReversedMovesKeepTheLineOfTheMoveTheyRetrace) {
    read("G0 X0. Y0. Z0.\nG1 X10. F100.\nG1 Y10.\nG1 X0.\n");
    ASSERT_TRUE(reverseCutDirection(ws.database));
    // The path now runs X0 Y10 -> X10 Y10 -> X10 Y0 -> X0 Y0: each stretch is the one the
    // original line made, now ending at its start; the new start point is where line 4 ended.
    EXPECT_EQ(lines(), (std::vector<std::uint32_t>{4, 4, 3, 2}));
}

TEST_F(SourceLinesThroughFilters, UndoGivesTheLinesBack) {
    read("G0 X0. Y0. Z0.\nG2 X10. Y0. I5. J0. F100.\n");
    const std::vector<std::uint32_t> before = lines();
    std::optional<PathSnapshot> snapshot =
        takeSnapshot(ws.database, ws.tools, std::size_t{1} << 30);
    ASSERT_TRUE(snapshot);
    ASSERT_TRUE(explodeArcs(ws.database, 0.5).ok());
    ASSERT_TRUE(restoreSnapshot(*snapshot, ws.database, ws.tools));
    EXPECT_EQ(lines(), before);
}

} // namespace
} // namespace korvix::test
