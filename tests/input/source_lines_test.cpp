#include "app/workspace_access.h"
#include "input/reader_support.h"
#include "model/program_source.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

// "F:L" for each move (F and L 1-based), "-" for one without a source line. The pieces of an
// arc must all name the line of their move.
std::vector<std::string> recordLines(const Workspace& ws) {
    std::vector<std::string> lines;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
        if (!endsMove(*r)) {
            EXPECT_EQ(r->sourceLine, r->next->sourceLine) << "piece of one arc";
            continue;
        }
        const auto at = ws.source.locate(r->sourceLine);
        lines.push_back(at ? std::to_string(at->file + 1) + ":" + std::to_string(at->line) : "-");
    }
    return lines;
}

NcReadResult readWithText(Workspace& ws, const ScratchFile& file) {
    NcReadOptions options;
    options.firstSourceLine = ws.source.nextLine();
    NcReadResult result = readNcProgram(ncReadTarget(ws), file.path(), options, {});
    keepReadText(ws, result);
    return result;
}

struct LinesCase {
    const char* name;
    std::string program;
    std::vector<std::string> expected;  // per record
    std::vector<std::string> textLines; // the kept file's lines, as shown
};

class SourceLinesOfRecords : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SourceLinesOfRecords, NameTheLineEachMoveWasReadFrom) {
    Workspace ws;
    const ScratchFile file(GetParam().program);
    ASSERT_TRUE(readWithText(ws, file).ok());
    EXPECT_EQ(recordLines(ws), GetParam().expected);
    ASSERT_EQ(ws.source.files().size(), 1u);
    const SourceFile& kept = ws.source.files()[0];
    std::vector<std::string> shown;
    for (std::size_t i = 0; i < kept.lineCount(); ++i)
        shown.emplace_back(kept.line(i));
    EXPECT_EQ(shown, GetParam().textLines);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, SourceLinesOfRecords,
    ::testing::Values(
        // Block numbers are counted lines here; the source line is the line itself, also
        // past comments, blank lines and blocks that do not move.
        LinesCase{"WithoutNWords",
                  "%\n(pocket)\nG0 X0. Y0. Z5.\n\nG1 Z0. F100.\nG1 Z0.\nX10.\n",
                  {"1:3", "1:5", "1:7"},
                  {"%", "(pocket)", "G0 X0. Y0. Z5.", "", "G1 Z0. F100.", "G1 Z0.", "X10."}},
        // N words that skip and repeat change nothing: the line is where the block stands.
        LinesCase{
            "WithNWords",
            "N10 G0 X0. Y0. Z0.\nN10 G1 X5. F50.\nN90 G2 X10. Y0. I7.5 J0.\nN20 X10. Y5.",
            {"1:1", "1:2", "1:3", "1:4"},
            {"N10 G0 X0. Y0. Z0.", "N10 G1 X5. F50.", "N90 G2 X10. Y0. I7.5 J0.", "N20 X10. Y5."}},
        // A full turn is two half circles of one block.
        LinesCase{"FullTurn",
                  "G0 X0. Y0. Z0.\r\nG2 X0. Y0. I5. J0.\r\nG0 Z5.\r\n",
                  {"1:1", "1:2", "1:2", "1:3"},
                  {"G0 X0. Y0. Z0.", "G2 X0. Y0. I5. J0.", "G0 Z5."}},
        // Lines ended by carriage returns alone.
        LinesCase{"CarriageReturnsOnly",
                  "G0 X0. Y0. Z0.\r\rG1 X1.\r",
                  {"1:1", "1:3"},
                  {"G0 X0. Y0. Z0.", "", "G1 X1."}}),
    [](const ::testing::TestParamInfo<LinesCase>& test) { return std::string(test.param.name); });

TEST(SourceLines, AppendedFilesGoOnFromTheLastLineOfTheOnesBefore) {
    Workspace ws;
    const ScratchFile first("G0 X0. Y0. Z0.\nG1 X1. F10.\n", "a.nc");
    // Each file starts afresh: its first block with X, Y and Z is its start point.
    const ScratchFile second("(second)\nG1 X2. Y0. Z0. F10.\nX3.\n", "b.nc");
    ASSERT_TRUE(readWithText(ws, first).ok());
    ASSERT_TRUE(readWithText(ws, second).ok());
    EXPECT_EQ(recordLines(ws), (std::vector<std::string>{"1:1", "1:2", "2:2", "2:3"}));
    EXPECT_EQ(ws.source.files()[1].firstLine, 3u);
    // Rows: a header before each file's lines.
    EXPECT_EQ(ws.source.rowCount(), 7u);
    struct RowCase {
        std::size_t row;
        std::size_t file;
        std::uint32_t line;
    };
    for (const RowCase& c : {RowCase{0, 0, 0}, RowCase{1, 0, 1}, RowCase{2, 0, 2}, RowCase{3, 1, 0},
                             RowCase{4, 1, 1}, RowCase{6, 1, 3}}) {
        const ProgramSource::Row at = ws.source.rowAt(c.row);
        EXPECT_EQ(at.file, c.file) << "row " << c.row;
        EXPECT_EQ(at.line, c.line) << "row " << c.row;
        if (c.line > 0) {
            EXPECT_EQ(ws.source.rowOf(ws.source.indexOf(c.file, c.line)), c.row);
        }
    }
    EXPECT_FALSE(ws.source.locate(kNoSourceLine));
    EXPECT_FALSE(ws.source.locate(6));
    EXPECT_EQ(ws.source.indexOf(1, 4), kNoSourceLine);
}

TEST(SourceLines, WithoutAFirstLineNothingIsNumberedNorKept) {
    Workspace ws;
    const ScratchFile file("G0 X0. Y0. Z0.\nG1 X1. F10.\n");
    NcReadResult result = readNcProgram(ncReadTarget(ws), file.path(), {}, {});
    keepReadText(ws, result);
    EXPECT_EQ(recordLines(ws), (std::vector<std::string>{"-", "-"}));
    EXPECT_TRUE(ws.source.empty());
}

TEST(SourceLines, AFailedReadKeepsNoText) {
    Workspace ws;
    const ScratchFile binary(std::string("G0\0\0\0\1\2X", 9));
    EXPECT_FALSE(readWithText(ws, binary).ok());
    EXPECT_TRUE(ws.source.empty());
    EXPECT_EQ(ws.source.nextLine(), 1u);
}

} // namespace
} // namespace korvix::test
