#include "app/workspace_access.h"
#include "display/program_text.h"
#include "test_folder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

using S = TextStyle;

struct StyleCase {
    std::string line;
    std::vector<StyledRun> runs;
};

TEST(ProgramText, LinesAreColouredByWord) {
    const std::vector<StyleCase> cases = {
        {"N10 G01 X-1.5 Y2 F300",
         {{0, 3, S::BlockNumber},
          {3, 1, S::Plain},
          {4, 3, S::Code},
          {7, 1, S::Plain},
          {8, 5, S::Axis},
          {13, 1, S::Plain},
          {14, 2, S::Axis},
          {16, 1, S::Plain},
          {17, 4, S::Feed}}},
        // Words run together, lower case too; a comment in brackets ends at its bracket.
        {"g2x1i0.5(arc)M3",
         {{0, 2, S::Code}, {2, 6, S::Axis}, {8, 5, S::Comment}, {13, 2, S::Code}}},
        // An unclosed bracket and a semicolon both run to the line's end.
        {"X1 (open", {{0, 2, S::Axis}, {2, 1, S::Plain}, {3, 5, S::Comment}}},
        {"G0 ; rapid (X)", {{0, 2, S::Code}, {2, 1, S::Plain}, {3, 11, S::Comment}}},
        {"%", {{0, 1, S::Plain}}},
        {"", {}},
    };
    for (const StyleCase& c : cases)
        EXPECT_EQ(styleLine(c.line), c.runs) << c.line;
}

struct LinkedText : ::testing::Test {
    LinkedText() {
        const std::string path = folder.path("part.nc");
        std::ofstream(path, std::ios::binary)
            << "(part)\nG0 X0. Y0. Z0.\nG2 X10. Y0. I5. J0. F80.\n"
               "M5\nG1 x20. Y5.\n";
        NcReadOptions options;
        options.firstSourceLine = ws.source.nextLine();
        NcReadResult result = readNcProgram(ncReadTarget(ws), path, options, {});
        keepReadText(ws, result);
    }
    TestFolder folder{"korvix_program_text"};
    Workspace ws;
};

TEST_F(LinkedText, ALineLeadsToTheEndOfTheMoveItMade) {
    EXPECT_EQ(moveOfSourceLine(ws.database, ws.source.indexOf(0, 1)), nullptr); // comment
    EXPECT_EQ(moveOfSourceLine(ws.database, ws.source.indexOf(0, 2)), ws.database.first());
    MoveRecord* arc = moveOfSourceLine(ws.database, ws.source.indexOf(0, 3));
    ASSERT_NE(arc, nullptr);
    EXPECT_TRUE(isArcPiece(*arc));
    EXPECT_TRUE(endsMove(*arc)); // the arc's last piece
    EXPECT_FLOAT_EQ(arc->x, 10);
    EXPECT_EQ(moveOfSourceLine(ws.database, ws.source.indexOf(0, 4)), nullptr); // no move
    EXPECT_EQ(moveOfSourceLine(ws.database, kNoSourceLine), nullptr);
    EXPECT_EQ(moveStatusText(*arc, ws.source),
              "N3  G02 (XY Arc)  X 10.00000  Y 0.00000  Z 0.00000  F 80.000  (part.nc, line 3)");
}

TEST_F(LinkedText, FindGoesOnFromARowAndWrapsRound) {
    // Rows: 0 header, 1 "(part)", 2 "G0 ...", 3 "G2 ...", 4 "M5", 5 "G1 x20. Y5.".
    struct FindCase {
        std::string text;
        std::size_t from;
        std::optional<std::size_t> row;
    };
    for (const FindCase& c :
         {FindCase{"g2", 0, 3}, FindCase{"X", 4, 5}, FindCase{"x", 6, 2}, FindCase{"part", 2, 1},
          FindCase{"G7", 0, std::nullopt}, FindCase{"", 0, std::nullopt}})
        EXPECT_EQ(findText(ws.source, c.text, c.from), c.row) << c.text << " from " << c.from;
}

} // namespace
} // namespace korvix::test
