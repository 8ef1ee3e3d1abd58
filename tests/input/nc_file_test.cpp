// Files: line ends, lines across read blocks, files that cannot be read, appending a second
// file, and running out of memory.

#include "app/workspace_access.h"
#include "input/nc_text_file.h"
#include "input/reader_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace korvix::test {
namespace {

const char* const kProgram = "%\n"
                             "O100 (LINE ENDS)\n"
                             "T2 M6\n"
                             "G0 X10. Y5. Z20.\n"
                             "G1 Z-1. F150.\n"
                             "G3 X20. Y15. R10.\n"
                             "G2 X30. Y5. I10. J0\n"
                             "M01\n"
                             "G0 Z20.\n";

std::string withCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

std::vector<std::string> describeAll(const Workspace& ws) {
    std::vector<std::string> lines;
    for (const MoveRecord& r : recordsOf(ws))
        lines.push_back(describe(r));
    return lines;
}

TEST(NcFile, DosAndUnixLineEndsGiveTheSameDatabase) {
    Workspace unix, dos, noFinalLineEnd;
    readProgram(unix, kProgram, false);
    readProgram(dos, withCrLf(kProgram), false);
    std::string unterminated = kProgram;
    unterminated.pop_back();
    readProgram(noFinalLineEnd, unterminated, false);
    EXPECT_GT(recordCount(unix), 10u);
    EXPECT_EQ(describeAll(unix), describeAll(dos));
    EXPECT_EQ(describeAll(unix), describeAll(noFinalLineEnd));
    EXPECT_EQ(unix.database.status.cuttingTime, dos.database.status.cuttingTime);
}

TEST(NcFile, LinesAcrossReadBlocksAreCutAndJoinedAsAnyOther) {
    // A long line (cut to X1234) that starts before the first block ends and finishes after
    // it, then a line whose line feed is the first byte of the second block.
    std::string program = "X0Y0Z0\n";
    const std::size_t block = nc::TextFile::kBlockSize;
    const std::string longLine = std::string(75, ' ') + "X1234" + "56789Y1.";
    while (program.size() + 60 < block - 40)
        program += "(FILLER FILLER FILLER FILLER FILLER FILLER FILLER)\n";
    program += std::string(block - 40 - program.size(), ' ') + "\n";
    program += longLine + "\n"; // starts 40 bytes before the end of the first block
    ASSERT_LT(program.size() - longLine.size() - 1, block);
    ASSERT_GT(program.size(), block);
    std::string second = "G1 X2. Y2.";
    second += std::string(2 * block - program.size() - second.size(), ' ');
    program += second + "\nX3.";
    ASSERT_EQ(program[2 * block], '\n');

    Workspace ws;
    const NcReadResult read = readProgram(ws, program);
    EXPECT_TRUE(read.ok());
    const std::vector<MoveRecord> r = recordsOf(ws);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_FLOAT_EQ(r[1].x, 0.1234f);
    EXPECT_EQ(r[1].y, 0.0f);
    EXPECT_EQ(r[2].x, 2.0f);
    EXPECT_EQ(r[3].x, 3.0f);
}

TEST(NcFile, TapeLeaderNulsAndAnEmptyFileAreText) {
    Workspace ws;
    const NcReadResult leader = readProgram(ws, std::string(300, '\0') + "\nX1.Y2.Z3.\n");
    EXPECT_TRUE(leader.ok());
    EXPECT_EQ(leader.blocks, 1);

    Workspace empty;
    int fits = 0;
    const ScratchFile file("");
    const NcReadResult read =
        readNcProgram(ncReadTarget(empty), file.path(), {}, [&](const Extents&) { ++fits; });
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.blocks, 0);
    EXPECT_FALSE(empty.database.databaseAllocated());
    EXPECT_EQ(fits, 0);
}

struct UnreadableCase {
    const char* name;
    NcReadStatus status;
    std::vector<std::string> messages; // FILE stands for the file name
};

TEST(NcFile, FilesThatCannotBeReadLeaveTheDatabaseAsItWas) {
    std::mt19937 random(7);
    std::string binary;
    for (int i = 0; i < 5000; ++i)
        binary += static_cast<char>(random() & 0xFF);
    const ScratchFile binaryFile(binary, "part.nc");
    const ScratchFile folder("", "x.nc");
    const std::string missing = folder.folder() + "/absent.nc";

    const std::vector<std::pair<std::string, UnreadableCase>> cases = {
        {missing,
         {"missing",
          NcReadStatus::CannotOpen,
          {"warning: File access error, READONLY attribute flag may be set.",
           "information: Unable to determine DOS or UNIX file type, will assume DOS type...",
           "error: Unable to open file \"FILE\": No such file or directory..."}}},
        {folder.folder(),
         {"directory",
          NcReadStatus::CannotOpen,
          {"warning: File access error, READONLY attribute flag may be set.",
           "information: Unable to determine DOS or UNIX file type, will assume DOS type...",
           "error: Unable to open file \"FILE\": Is a directory..."}}},
        {binaryFile.path(),
         {"binary",
          NcReadStatus::BinaryData,
          {"error: The file \"FILE\" holds binary data, not an NC program..."}}},
    };
    for (const auto& [fileName, c] : cases) {
        SCOPED_TRACE(c.name);
        Workspace ws;
        RecordingReporter reporter;
        ws.reporter = &reporter;
        readProgram(ws, "X0Y0Z0\nG1X1.\n");
        const std::vector<std::string> before = describeAll(ws);
        const double minYBefore = ws.database.status.extents.minY;
        reporter.messages.clear();

        const NcReadResult read = readNcProgram(ncReadTarget(ws), fileName, {}, {});
        EXPECT_EQ(read.status, c.status);
        EXPECT_EQ(read.blocks, 0);
        std::vector<std::string> expected;
        for (std::string message : c.messages) {
            const std::size_t at = message.find("FILE");
            expected.push_back(at == std::string::npos ? message
                                                       : message.replace(at, 4, fileName));
        }
        EXPECT_EQ(reporter.messages, expected);
        EXPECT_EQ(read.message, expected.back().substr(expected.back().find(' ') + 1));
        EXPECT_EQ(describeAll(ws), before);
        EXPECT_EQ(ws.database.status.extents.minY, minYBefore);
    }
}

TEST(NcFile, ASecondFileIsAppendedAfterTheFirst) {
    Workspace ws;
    const NcReadResult first = readProgram(ws, "X0Y0Z0\nG1X10.Y10.F100.\n");
    const NcReadResult second =
        readProgram(ws, "G1 X1. F50.\nX5.Y-5.Z2.\nY20.\nG2X11.Y30.I11.J20.\n");
    EXPECT_EQ(first.blocks, 2);
    EXPECT_EQ(second.blocks, 3);
    const std::vector<MoveRecord> r = recordsOf(ws);
    ASSERT_GT(r.size(), 5u);
    EXPECT_EQ(r[2].kind, kKindStartPoint); // the second file's start, in the middle
    EXPECT_EQ(r[2].sequence, 0);
    EXPECT_EQ(r[3].sequence, 4); // counting on from the two records of the first file
    EXPECT_EQ(r.back().sequence, 5);
    const Extents& e = ws.database.status.extents;
    EXPECT_DOUBLE_EQ(e.minX, 0.0);
    EXPECT_NEAR(e.maxX, 11.0, 1e-9);
    EXPECT_DOUBLE_EQ(e.trueMinY(), -5.0);
    EXPECT_NEAR(e.trueMaxY(), 30.0, 1e-9);
    EXPECT_DOUBLE_EQ(e.maxZ, 2.0);
    EXPECT_DOUBLE_EQ(ws.database.status.minFeed, 50.0);
    EXPECT_NEAR(ws.database.status.cuttingTime,
                std::sqrt(200.0) / 100 + 25.0 / 50 + 3.14159265358979 * 10 / 2 / 50, 1e-6);
}

TEST(NcFile, ACanceledReadLeavesEverythingAsBefore) {
    for (const bool appending : {false, true}) {
        Workspace ws;
        if (appending)
            readProgram(ws, "T1\nX0Y0Z0\nG1X1.F10.\nX2.\n");
        const std::vector<std::string> before = describeAll(ws);
        const DatabaseStatus statusBefore = ws.database.status;
        std::string program = "T9\nX0Y0Z0\n";
        for (int i = 1; i <= 2000; ++i)
            program += "G1X" + std::to_string(i) + ".F20.\n";
        // The user presses Esc while the window is pumped during the read.
        ws.pump.install([&ws] { ws.pump.requestCancel(); });
        const NcReadResult read = readProgram(ws, program);
        EXPECT_EQ(read.status, NcReadStatus::Canceled);
        EXPECT_EQ(read.blocks, 0);
        EXPECT_EQ(describeAll(ws), before);
        EXPECT_EQ(ws.database.databaseAllocated(), appending);
        EXPECT_EQ(ws.database.status.extents.maxX, statusBefore.extents.maxX);
        EXPECT_EQ(ws.database.status.cuttingTime, statusBefore.cuttingTime);
        EXPECT_EQ(ws.tools.count, appending ? 1 : 0);
        // The request is used up: the next read runs to its end.
        ws.pump.install({});
        EXPECT_EQ(readProgram(ws, program).status, NcReadStatus::Ok);
    }
}

int g_chunksLeft = 0;
void* limitedAllocator(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST(NcFile, RunningOutOfMemoryGivesBackOnlyTheRecordsOfThisFile) {
    Workspace ws;
    ws.database.records = NodeList<MoveRecord>(&limitedAllocator, 4);
    g_chunksLeft = 1; // four records
    readProgram(ws, "T1\nX0Y0Z0\nG1X1.F10.\nX2.\nX3.\n");
    ASSERT_EQ(recordCount(ws), 4u);
    const std::vector<std::string> before = describeAll(ws);
    const DatabaseStatus statusBefore = ws.database.status;

    const NcReadResult read = readProgram(ws, "T9\nX0Y0Z0\nG1X50.F20.\n");
    EXPECT_EQ(read.status, NcReadStatus::OutOfMemory);
    EXPECT_EQ(read.blocks, 0);
    EXPECT_EQ(read.message.rfind("Not enough memory to read \"", 0), 0u);
    EXPECT_EQ(describeAll(ws), before);
    EXPECT_EQ(lastRecord(ws).next, nullptr);
    EXPECT_EQ(ws.database.status.extents.maxX, statusBefore.extents.maxX);
    EXPECT_EQ(ws.database.status.extents.minY, statusBefore.extents.minY);
    EXPECT_EQ(ws.database.status.cuttingTime, statusBefore.cuttingTime);
    EXPECT_EQ(ws.database.status.maxFeed, statusBefore.maxFeed);
    EXPECT_EQ(ws.tools.count, 1); // T9 is gone with the rest of the file

    Workspace empty;
    empty.database.records = NodeList<MoveRecord>(&limitedAllocator, 4);
    g_chunksLeft = 0;
    EXPECT_EQ(readProgram(empty, "X0Y0Z0\n").status, NcReadStatus::OutOfMemory);
    EXPECT_FALSE(empty.database.databaseAllocated());
}

TEST(NcFile, AReadPastTheRecordBudgetGivesBackItsRecords) {
    Workspace ws;
    readProgram(ws, "X0Y0Z0\nG1X1.F10.\n");
    const std::vector<std::string> before = describeAll(ws);
    const double maxXBefore = ws.database.status.extents.maxX;
    // Half circles of a radius that makes the most pieces one arc may have: a few lines ask
    // for far more records than the budget allows.
    ws.database.readRecordBudget = 250'000;
    std::string program = "X0Y0Z0\nG1F100.\n";
    for (int i = 0; i < 4; ++i)
        program += i % 2 == 0 ? "G2X10000000.I5000000.J0\n" : "G2X0I5000000.J0\n";
    const NcReadResult read = readProgram(ws, program);
    EXPECT_EQ(read.status, NcReadStatus::TooLarge);
    EXPECT_EQ(read.blocks, 0);
    EXPECT_NE(read.message.find("makes more than 250000 moves and arc pieces"), std::string::npos)
        << read.message;
    EXPECT_EQ(describeAll(ws), before);
    EXPECT_EQ(ws.database.status.extents.maxX, maxXBefore);

    // Under the budget the same arcs are read.
    ws.database.readRecordBudget = 500'000;
    EXPECT_EQ(readProgram(ws, program).status, NcReadStatus::Ok);
    EXPECT_GT(recordCount(ws), 4 * 99'000u);
    EXPECT_LE(recordCount(ws), 500'000u);
}

TEST(NcFile, LooksBinary) {
    EXPECT_FALSE(nc::looksBinary("", 0));
    const std::string text = "G1 X1.\r\n(ÜBER ÇA — 5 MM)\n\x1A";
    EXPECT_FALSE(nc::looksBinary(text.data(), text.size()));
    const std::string nuls(100, '\0');
    EXPECT_FALSE(nc::looksBinary(nuls.data(), nuls.size()));
    const std::string latin1 = "(\xC4\xD6\xDC) G1 X1. Y2. Z3.";
    EXPECT_FALSE(nc::looksBinary(latin1.data(), latin1.size()));
    const std::string controls = "\x01\x02\x03G1X1";
    EXPECT_TRUE(nc::looksBinary(controls.data(), controls.size()));
}

} // namespace
} // namespace korvix::test
