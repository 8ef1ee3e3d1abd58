// Word values: implied decimals, commas, integer words, the parsing error log and the tool
// table words.

#include "input/reader_support.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

struct ValueCase {
    const char* word; // written after "G1" in the block after the start point
    double x;
};

TEST(NcWords, CoordinateValuesAndImpliedDecimals) {
    const ValueCase cases[] = {
        {"X12345", 1.2345},      {"X12345.", 12345.0},
        {"X1,5", 1.5},           {"X-5", -0.0005},
        {"X+5", 0.0005},         {"X.5", 0.5},
        {"X-1.25", -1.25},       {"X123456789", 12345.6789},
        {"X 1 2 3 4 5", 1.2345}, {"X-,5", -0.5},
        {"X0001", 0.0001},       {"X1234567890123456789", 123456789012345.6789},
    };
    for (const ValueCase& c : cases) {
        Workspace ws;
        readProgram(ws, std::string("X7.Y0Z0\nG1") + c.word + "\n");
        SCOPED_TRACE(c.word);
        EXPECT_EQ(ws.parseLog.lines.size(), 0u);
        EXPECT_FLOAT_EQ(lastRecord(ws).x, static_cast<float>(c.x));
    }
}

TEST(NcWords, EmptyValuesAreZero) {
    Workspace ws;
    readProgram(ws, "X7.Y7.Z7.\nG1X\nY-\n");
    const std::vector<MoveRecord> r = recordsOf(ws);
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[1].x, 0.0f);
    EXPECT_EQ(r[2].y, 0.0f);
    EXPECT_TRUE(ws.parseLog.lines.empty());
}

TEST(NcWords, FeedHasOneImpliedDecimal) {
    const std::pair<const char*, float> cases[] = {
        {"F100", 10.0f}, {"F100.", 100.0f}, {"F5", 0.5f}, {"F", 0.0f}, {"F2,5", 2.5f}};
    for (const auto& [word, feed] : cases) {
        Workspace ws;
        readProgram(ws, std::string("X0Y0Z0\nG1X1.") + word + "\n");
        SCOPED_TRACE(word);
        EXPECT_EQ(lastRecord(ws).feed, feed);
    }
}

struct ErrorCase {
    const char* block;
    const char* logLine;
    bool flag;
};

TEST(NcWords, BadWordsAreLoggedAndIgnored) {
    const std::string huge(60, '1');
    const std::string hugeText = std::string(56, '1') + ".1111";
    const ErrorCase cases[] = {
        {"G1,5X2.", "'1,5' is not a valid integer value \"G1,5\"", false},
        {"N1,5X2.", "'1,5' is not a valid integer value \"N1,5\"", false},
        {"M1,5X2.", "'1.5' is not a valid integer value \"M1.5\"", false},
        {"GX2.", "'' is not a valid integer value \"G\"", false},
        {"X1.2.3", "'1.2.3' is not a valid floating point value \"X1.2.3\"", false},
        {"F1,2,3X2.", "'1.2.3' is not a valid floating point value \"F1.2.3\"", false},
        {"Z5-X2.", "'0.005-' is not a valid floating point value \"Z0.005-\"", false},
        {"X.", "'.' is not a valid floating point value \"X.\"", false},
        {"S40000X2.", "Range check error \"S40000\"", false},
        {"N-5X2.", "Range check error \"N-5\"", false},
        {"H300X2.", "Range check error \"H300\"", true},
        {"T-1X2.", "Range check error \"T-1\"", true},
        {"TX2.", "'' is not a valid integer value \"T\"", true},
        {"H1,5X2.", "'1.5' is not a valid integer value \"H1.5\"", true},
        {"G9999999999X2.", "'9999999999' is not a valid integer value \"G9999999999\"", false},
    };
    for (const ErrorCase& c : cases) {
        Workspace ws;
        readProgram(ws, std::string("X0Y0Z0\nG1") + c.block + "\n");
        SCOPED_TRACE(c.block);
        ASSERT_EQ(ws.parseLog.lines.size(), 1u);
        EXPECT_EQ(ws.parseLog.lines[0], c.logLine);
        EXPECT_EQ(ws.parseLog.parseErrorFlag, c.flag);
    }

    // A value that no float can hold.
    Workspace ws;
    readProgram(ws, "X0Y0Z0\nG1X" + huge + "\n");
    ASSERT_EQ(ws.parseLog.lines.size(), 1u);
    EXPECT_EQ(ws.parseLog.lines[0], "Range check error \"X" + hugeText + "\"");
    EXPECT_EQ(recordCount(ws), 1u);
}

TEST(NcWords, TheLogIsClearedPerReadAndHoldsAtMost16338Lines) {
    std::string program = "X0Y0Z0\n";
    for (int i = 0; i < 16400; ++i)
        program += "G1,5\n";
    program += "T300\n";
    Workspace ws;
    readProgram(ws, program);
    EXPECT_EQ(ws.parseLog.lines.size(), ParseLog::kMaxLines);
    // The T error found no room in the list but still asks for it to be shown.
    EXPECT_TRUE(ws.parseLog.parseErrorFlag);

    readProgram(ws, "X0Y0Z0\n");
    EXPECT_TRUE(ws.parseLog.lines.empty());
    EXPECT_FALSE(ws.parseLog.parseErrorFlag);
}

TEST(NcWords, ToolWordsFillTheToolTable) {
    Workspace ws;
    readProgram(ws, "S1200 H4\nT1\nT2 H7 S800\nT1\nT3\nH0\nX0Y0Z0\nG1X1.\n");
    ASSERT_EQ(ws.tools.count, 3);
    EXPECT_EQ(ws.tools.entries[0].spindleSpeed, 1200);
    EXPECT_EQ(ws.tools.entries[0].compNumber, 4);
    EXPECT_EQ(ws.tools.entries[1].toolNumber, 1);
    EXPECT_EQ(ws.tools.entries[1].compNumber, 4); // the H in force when T1 came
    EXPECT_EQ(ws.tools.entries[2].toolNumber, 2);
    EXPECT_EQ(ws.tools.entries[2].compNumber, 7);
    EXPECT_EQ(ws.tools.entries[2].spindleSpeed, 800);
    EXPECT_EQ(ws.tools.entries[3].toolNumber, 3);
    EXPECT_EQ(ws.tools.entries[3].compNumber, 7); // H0 leaves it alone
    EXPECT_EQ(lastRecord(ws).tool, 3);
    EXPECT_EQ(recordsOf(ws).front().tool, 3);
}

TEST(NcWords, A101stToolIsRefusedAndTheCurrentToolStays) {
    std::string program = "X0Y0Z0\n";
    for (int t = 1; t <= 100; ++t)
        program += "T" + std::to_string(t) + "\n";
    program += "T101\nG1X1.\n";
    Workspace ws;
    readProgram(ws, program);
    EXPECT_EQ(ws.tools.count, 100);
    ASSERT_EQ(ws.parseLog.lines.size(), 1u);
    EXPECT_EQ(ws.parseLog.lines[0], "Range check error \"T101\"");
    EXPECT_TRUE(ws.parseLog.parseErrorFlag);
    EXPECT_EQ(lastRecord(ws).tool, 100);
}

} // namespace
} // namespace korvix::test
