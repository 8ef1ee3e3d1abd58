// A read on a worker thread makes what a read in place makes, and a canceled or refused one
// leaves the loaded path exactly as it was.

#include "app/workspace_access.h"
#include "input/nc_read_job.h"
#include "reader_support.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace korvix::test {
namespace {

// Every field a read writes, exactly, and the links walked both ways.
void expectSamePath(const Workspace& expected, const Workspace& actual) {
    const std::vector<MoveRecord> want = recordsOf(expected);
    const std::vector<MoveRecord> got = recordsOf(actual);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        const MoveRecord& a = want[i];
        const MoveRecord& b = got[i];
        ASSERT_EQ(describe(b), describe(a)) << "record " << i;
        ASSERT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z && a.feed == b.feed &&
                    a.radius == b.radius && a.startAngle == b.startAngle &&
                    a.endAngle == b.endAngle && a.selected == b.selected)
            << "record " << i;
    }
    const MoveRecord* previous = nullptr;
    for (const MoveRecord* r = actual.database.first(); r != nullptr; r = r->next) {
        ASSERT_EQ(r->prev, previous);
        previous = r;
    }
    const DatabaseStatus& s = expected.database.status;
    const DatabaseStatus& t = actual.database.status;
    EXPECT_EQ(t.extents.minX, s.extents.minX);
    EXPECT_EQ(t.extents.maxX, s.extents.maxX);
    EXPECT_EQ(t.extents.minY, s.extents.minY);
    EXPECT_EQ(t.extents.maxY, s.extents.maxY);
    EXPECT_EQ(t.extents.minZ, s.extents.minZ);
    EXPECT_EQ(t.extents.maxZ, s.extents.maxZ);
    EXPECT_EQ(t.minFeed, s.minFeed);
    EXPECT_EQ(t.maxFeed, s.maxFeed);
    EXPECT_DOUBLE_EQ(t.cuttingTime, s.cuttingTime);
    EXPECT_EQ(t.ncLoaded, s.ncLoaded);
    EXPECT_EQ(actual.database.databaseAllocated(), expected.database.databaseAllocated());
    ASSERT_EQ(actual.tools.count, expected.tools.count);
    for (int i = 0; i <= actual.tools.count; ++i) {
        EXPECT_EQ(actual.tools.entries[i].toolNumber, expected.tools.entries[i].toolNumber);
        EXPECT_EQ(actual.tools.entries[i].compNumber, expected.tools.entries[i].compNumber);
        EXPECT_EQ(actual.tools.entries[i].spindleSpeed, expected.tools.entries[i].spindleSpeed);
    }
    EXPECT_EQ(actual.parseLog.lines, expected.parseLog.lines);
    EXPECT_EQ(actual.parseLog.parseErrorFlag, expected.parseLog.parseErrorFlag);
}

NcReadResult readInJob(Workspace& ws, const std::string& path, bool absoluteCenters = true) {
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    NcReadJob job(ws.database, ws.tools, path, options);
    job.start();
    job.wait();
    EXPECT_TRUE(job.handOver(ncReadTarget(ws)));
    return job.result();
}

NcReadResult readInPlace(Workspace& ws, const std::string& path, bool absoluteCenters = true) {
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    return readNcProgram(ncReadTarget(ws), path, options, {});
}

// Arcs in every plane, a full turn, tools, feeds, a stop on its own line, a bad word and a
// block that cannot make its arc.
const char* const kMixed = "T3H4S1200\nG0X0Y0Z5.\nG1Z-1.F200.\nG2X10.Y0I5.J0\nG3X0Y0R5.\n"
                           "M01\nG18G2X5.Z-2.I2.5K0\nG19G3Y3.Z0J1.5K0\nG17G2X0Y0I0J0\n"
                           "T7X1.Y1.F5,5\nG3X3.Y1.R0.5\nX1..2\nG0Z10.\n";

TEST(NcReadJob, MakesWhatAReadInPlaceMakesAndGoesOnFromTheLoadedPath) {
    ScratchFile mixed(kMixed, "mixed.nc");
    std::string many = "X0Y0Z0\n";
    for (int i = 1; i <= 300; ++i)
        many += "G" + std::to_string(2 + i % 2) + "X" + std::to_string(i % 40) + ".Y" +
                std::to_string(i % 7) + ".I1.J1.F" + std::to_string(100 + i % 5) + "\n";
    ScratchFile arcs(many, "arcs.nc");
    ScratchFile empty("(nothing to draw)\nX1.\n", "empty.nc");
    const std::vector<std::vector<std::string>> sequences = {
        {mixed.path()},
        {arcs.path()},
        {mixed.path(), arcs.path(), mixed.path()}, // appended twice
        {empty.path(), mixed.path(), empty.path()},
    };
    for (const auto& files : sequences) {
        for (const bool absolute : {true, false}) {
            Workspace inPlace;
            Workspace inJob;
            for (const std::string& file : files) {
                const NcReadResult a = readInPlace(inPlace, file, absolute);
                const NcReadResult b = readInJob(inJob, file, absolute);
                EXPECT_EQ(b.blocks, a.blocks);
                EXPECT_EQ(b.status, a.status);
                EXPECT_EQ(b.centres.tested, a.centres.tested);
                EXPECT_EQ(b.centres.fitIncremental, a.centres.fitIncremental);
                expectSamePath(inPlace, inJob);
            }
            // The pool took the job's chunks over: a read in place appends to it as usual,
            // and gives its records back as usual.
            const NcReadCheckpoint before = ncReadCheckpoint(ncReadTarget(inJob));
            readInPlace(inPlace, mixed.path(), absolute);
            readInPlace(inJob, mixed.path(), absolute);
            expectSamePath(inPlace, inJob);
            rollBackNcRead(ncReadTarget(inJob), before);
            readInPlace(inJob, mixed.path(), absolute);
            expectSamePath(inPlace, inJob);
        }
    }
}

std::string longProgram(int lines) {
    std::string text = "T9\nX0Y0Z0\n";
    text.reserve(static_cast<std::size_t>(lines) * 24);
    for (int i = 1; i <= lines; ++i)
        text += "G1X" + std::to_string(i % 997) + ".Y" + std::to_string(i % 13) + ".F20.\n";
    return text;
}

TEST(NcReadJob, ACancelLeavesTheLoadedPathAsItWas) {
    // Several blocks of the file's reading buffer, so that the cancel comes part way.
    ScratchFile big(longProgram(400000), "big.nc");
    ScratchFile mixed(kMixed, "mixed.nc");
    for (const bool appending : {false, true}) {
        for (const bool partWay : {true, false}) {
            Workspace ws;
            Workspace reference;
            if (appending) {
                readInPlace(ws, mixed.path());
                readInPlace(reference, mixed.path());
            }
            ws.parseLog.addLine("kept from before");
            reference.parseLog.addLine("kept from before");
            RecordingReporter messages;
            ws.reporter = &messages;

            NcReadJob job(ws.database, ws.tools, big.path(), NcReadOptions{});
            job.start();
            if (partWay) {
                // The read has begun and has far to go.
                while (job.bytesRead() == 0 && !job.done())
                    std::this_thread::yield();
            } else {
                job.wait(); // a request the read came too late to see
            }
            job.requestCancel();
            job.wait();
            EXPECT_EQ(job.result().status, NcReadStatus::Canceled);
            EXPECT_TRUE(job.handOver(ncReadTarget(ws)));
            expectSamePath(reference, ws);
            EXPECT_TRUE(messages.messages.empty());
        }
    }
}

TEST(NcReadJob, TheRecordBudgetStopsTheReadAndKeepsTheLoadedPath) {
    ScratchFile mixed(kMixed, "mixed.nc");
    ScratchFile big(longProgram(2000), "big.nc");
    Workspace ws;
    readInPlace(ws, mixed.path());
    Workspace reference;
    readInPlace(reference, mixed.path());
    reference.parseLog.clear();
    ws.database.readRecordBudget = 1000;
    RecordingReporter messages;
    ws.reporter = &messages;

    const NcReadResult result = readInJob(ws, big.path());
    EXPECT_EQ(result.status, NcReadStatus::TooLarge);
    EXPECT_EQ(result.blocks, 0);
    expectSamePath(reference, ws);
    // The reader's message waited for the hand-over.
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0], "error: The file \"" + big.path() +
                                        "\" makes more than 1000 moves and arc pieces, nothing "
                                        "was read...");
    // With the memory the system has left for 1000 records, the read stops the same way,
    // and says why.
    ws.database.readRecordBudget = defaultReadRecordBudget();
    messages.messages.clear();
    {
        NcReadJob job(ws.database, ws.tools, big.path(), NcReadOptions{},
                      kMemoryReserveBytes + 1000 * sizeof(MoveRecord));
        job.start();
        job.wait();
        EXPECT_EQ(job.result().status, NcReadStatus::OutOfMemory);
        EXPECT_TRUE(job.handOver(ncReadTarget(ws)));
    }
    expectSamePath(reference, ws);
    EXPECT_EQ(messages.messages, std::vector<std::string>{"error: Not enough memory to read \"" +
                                                          big.path() + "\", nothing was read..."});
    // Plenty of memory, or none said, leave the budget alone.
    EXPECT_EQ(readInJob(ws, mixed.path()).status, NcReadStatus::Ok);
    EXPECT_EQ(recordsThatFit(kMemoryReserveBytes), 0u);
    EXPECT_EQ(recordsThatFit(std::uint64_t{64} << 30), (std::uint64_t{56} << 30) / 88);

    // A file that cannot be opened says so the same way, and changes nothing either.
    messages.messages.clear();
    readInPlace(reference, mixed.path());
    EXPECT_EQ(readInJob(ws, big.folder() + "/missing.nc").status, NcReadStatus::CannotOpen);
    reference.parseLog.clear();
    expectSamePath(reference, ws);
    EXPECT_EQ(messages.messages.size(), 3u);
}

} // namespace
} // namespace korvix::test
