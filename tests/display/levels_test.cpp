#include "app/workspace_access.h"
#include "display/levels_database.h"
#include "display/levels_display.h"
#include "display/levels_list.h"
#include "input/nc_reader.h"
#include "model/path_builder.h"
#include "model/plane_axes.h"
#include "model/workspace.h"
#include "output/nc_writer.h"
#include "test_folder.h"

#include <cmath>
#include <deque>
#include <fstream>
#include <gtest/gtest.h>
#include <new>
#include <tuple>

namespace korvix::test {
namespace {

const std::string kRoughing = KORVIX_TEST_DATA_DIR "/levels_roughing.nc";

void readInto(Workspace& ws, const std::string& file) {
    ASSERT_TRUE(readNcProgram(ncReadTarget(ws), file, NcReadOptions{}, {}).ok()) << file;
}

// Reads program text through a scratch file.
void readText(Workspace& ws, const TestFolder& folder, const std::string& text) {
    const std::string file = folder.path("program.nc");
    std::ofstream(file, std::ios::binary) << text;
    readInto(ws, file);
}

std::vector<ZLevel*> nodesOf(const ZLevelList& levels) {
    std::vector<ZLevel*> nodes;
    for (ZLevel* level = levels.head(); level != nullptr; level = level->next)
        nodes.push_back(level);
    return nodes;
}

std::vector<const MoveRecord*> recordsOf(const GraphicsDatabase& database) {
    std::vector<const MoveRecord*> records;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next)
        records.push_back(r);
    return records;
}

std::size_t recordsFrom(const MoveRecord& first, const MoveRecord& last) {
    std::size_t count = 1;
    for (const MoveRecord* r = &first; r != &last; r = r->next)
        ++count;
    return count;
}

double distanceBetween(const MoveRecord& a, const MoveRecord& b) {
    return distance3D(endPointOf(a), endPointOf(b));
}

// ---- The level list

struct LevelShape {
    float z;
    int first, last; // record indices
    bool operator==(const LevelShape&) const = default;
};
std::ostream& operator<<(std::ostream& out, const LevelShape& s) {
    return out << "{" << s.z << ", " << s.first << ", " << s.last << "}";
}

// A start point at startZ and one move per entry (each one unit further in X, so no move is
// empty); NaN stands for a further start point, as an appended file leaves it.
std::vector<LevelShape> levelsOfHeights(float startZ, const std::vector<float>& heights) {
    Workspace ws;
    PathBuilder path(ws);
    std::vector<const MoveRecord*> records = {&path.start(0, 0, startZ).last()};
    float x = 0;
    for (float z : heights) {
        x += 1;
        MoveRecord& r = path.line(x, 0, std::isnan(z) ? 5.0f : z).last();
        if (std::isnan(z))
            r.kind = kKindStartPoint;
        records.push_back(&r);
    }
    ZLevelList levels;
    EXPECT_EQ(buildLevelList(ws.database, levels), LevelListResult::Built);
    const auto index = [&](const MoveRecord* r) {
        return static_cast<int>(std::find(records.begin(), records.end(), r) - records.begin());
    };
    std::vector<LevelShape> shapes;
    for (const ZLevel* level : nodesOf(levels))
        shapes.push_back({level->levelZ, index(level->firstRecord), index(level->lastRecord)});
    return shapes;
}

TEST(LevelList, SplitsWhereTheToolLeavesALevel) {
    const float kStart = NAN;
    const struct {
        const char* what;
        float startZ;
        std::vector<float> heights;
        std::vector<LevelShape> expected;
    } cases[] = {
        {"a plunge after a retract ends the level and begins the next",
         5,
         {1, -1, -1, -1, 5, -2, -2, -2},
         {{-1, 0, 6}, {-2, 6, 8}}},
        {"a ramp passing through depths makes no level of them",
         5,
         {-1, -2, -3, -3, -3},
         {{-3, 0, 5}}},
        {"climbing, staying two records and moving on leaves the level",
         0,
         {-5, -5, -5, 5, 5, -3, -3, -3},
         {{-5, 0, 7}, {-3, 7, 8}}},
        {"coming back to the level's depth keeps the level",
         0,
         {-5, -5, 5, 5, 0, -5, -5},
         {{-5, 0, 7}}},
        {"a start point in the path begins the candidates afresh and is no last record",
         5,
         {-1, -1, -1, kStart, -2, -2},
         {{-2, 0, 6}}},
        {"a path that ends on the move leaving a level", 5, {-1, -1, -2}, {{-1, 0, 3}, {-2, 3, 3}}},
        {"a start point alone is one level at its height", 7, {}, {{7, 0, 0}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(levelsOfHeights(c.startZ, c.heights), c.expected) << c.what;
}

TEST(LevelList, ThreeLevelRoughingProgram) {
    Workspace ws;
    readInto(ws, kRoughing);
    ZLevelList levels;
    ASSERT_EQ(buildLevelList(ws.database, levels), LevelListResult::Built);
    const std::vector<ZLevel*> nodes = nodesOf(levels);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0]->firstRecord, ws.database.first());
    EXPECT_EQ(nodes[0]->prev, nullptr);
    EXPECT_EQ(nodes[1]->prev, nodes[0]);
    EXPECT_EQ(nodes[2]->next, nullptr);
    // A level's last record is the plunge into the next one, and begins that one.
    EXPECT_EQ(nodes[0]->lastRecord, nodes[1]->firstRecord);
    EXPECT_EQ(nodes[1]->lastRecord, nodes[2]->firstRecord);
    EXPECT_EQ(nodes[2]->lastRecord->next, nullptr);

    const struct {
        float z;
        int firstBlock, lastBlock;
        std::size_t moves;
        int minutes;
        std::tuple<float, float, float, float, float, float> box;
    } expected[] = {
        // The box leaves out the plunge that ends the level.
        {-2, 40, 130, 9, 10, {0, 60, 0, 40, -2, 10}},
        {-4, 130, 200, 8, 5, {0, 60, 0, 40, -4, 2}},
        {-6, 200, 270, 8, 19, {-10, 60, -10, 40, -6, 10}},
    };
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const ZLevel& level = *nodes[i];
        const LevelSummary summary = summarizeLevel(level);
        EXPECT_EQ(summary.levelZ, expected[i].z) << i;
        EXPECT_EQ(summary.firstBlock, expected[i].firstBlock) << i;
        EXPECT_EQ(summary.lastBlock, expected[i].lastBlock) << i;
        EXPECT_EQ(summary.moves, expected[i].moves) << i;
        EXPECT_EQ(static_cast<int>(summary.cuttingTime), expected[i].minutes) << i;
        EXPECT_EQ(std::tie(level.minX, level.maxX, level.minY, level.maxY, level.minZ, level.maxZ),
                  expected[i].box)
            << i;
    }
}

TEST(LevelList, OneLevelTakesTheWholeCuttingTimeOfTheProgram) {
    TestFolder folder("korvix-levels");
    Workspace ws;
    readText(ws, folder,
             "G0X0.Y0.Z5.\nG1Z-1.F80.\nX30.\nG2X40.Y10.I30.J10.F60.\nG1Y30.\nG3X30.Y40.I30.J30.\n"
             "X0.\nY0.\nG0Z5.\n");
    ZLevelList levels;
    ASSERT_EQ(buildLevelList(ws.database, levels), LevelListResult::Built);
    ASSERT_EQ(nodesOf(levels).size(), 1u);
    const ZLevel& level = *levels.head();
    EXPECT_EQ(level.levelZ, -1.0f);
    EXPECT_EQ(movesBetween(*level.firstRecord, *level.lastRecord), 8u);
    // Arc pieces summed one by one come to the reader's whole-arc lengths.
    EXPECT_NEAR(cuttingTimeBetween(*level.firstRecord, *level.lastRecord),
                ws.database.status.cuttingTime, 1e-5);
}

int g_chunksLeft = 0;
void* limitedAllocator(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        throw std::bad_alloc();
    return ::operator new(bytes);
}

TEST(LevelList, NoDataAndExhaustedMemory) {
    Workspace ws;
    ZLevelList levels;
    EXPECT_EQ(buildLevelList(ws.database, levels), LevelListResult::NoData);

    readInto(ws, kRoughing);
    g_chunksLeft = 1; // room for two nodes of the three
    ZLevelList starved(&limitedAllocator, 2);
    EXPECT_EQ(buildLevelList(ws.database, starved), LevelListResult::OutOfMemory);
    EXPECT_FALSE(starved.allocated());
}

// ---- Copies of the displayed moves

TEST(DisplayedMoves, TheStatusBlockCoversTheCopiesAndMemoryRunningOutLeavesNone) {
    Workspace ws;
    readInto(ws, kRoughing);
    ZLevelList levels;
    ASSERT_EQ(buildLevelList(ws.database, levels), LevelListResult::Built);
    const ZLevel& second = *levels.head()->next;

    GraphicsDatabase copy;
    ASSERT_TRUE(copyDisplayedMoves(*second.firstRecord, *second.lastRecord, copy));
    ASSERT_EQ(recordsOf(copy).size(), 1 + recordsFrom(*second.firstRecord, *second.lastRecord));
    const DatabaseStatus& status = copy.status;
    EXPECT_TRUE(status.ncLoaded);
    // From the retract at Z 2 before the plunge down to the plunge into level 3.
    EXPECT_EQ(std::tie(status.extents.minX, status.extents.maxX, status.extents.minZ,
                       status.extents.maxZ),
              std::make_tuple(0.0, 60.0, -6.0, 2.0));
    EXPECT_EQ(std::make_pair(status.extents.trueMinY(), status.extents.trueMaxY()),
              std::make_pair(0.0, 40.0));
    EXPECT_EQ(std::make_pair(status.minFeed, status.maxFeed), std::make_pair(40.0, 50.0));
    EXPECT_DOUBLE_EQ(status.cuttingTime, summarizeLevel(second).cuttingTime);

    g_chunksLeft = 1;
    GraphicsDatabase starved;
    starved.records = NodeList<MoveRecord>(&limitedAllocator, 4);
    EXPECT_FALSE(copyDisplayedMoves(*second.firstRecord, *second.lastRecord, starved));
    EXPECT_FALSE(starved.databaseAllocated());
}

// The written text of a database, read back as a program.
void writeAndReadBack(Workspace& written, const TestFolder& folder, Workspace& readBack) {
    StringLineSink sink;
    ASSERT_TRUE(writeNcProgram(ncWriteSource(written), NcWriteOptions{}, sink).ok());
    readText(readBack, folder, sink.text);
}

// After a retract and a move at the clearance height, an arc that enters the next level higher
// up: the level ends at its second piece, so each level's copy holds part of the arc.
const char* const kArcEntry = "G0X0.Y0.Z10.\nG1Z-5.F100.\nX40.\nY20.\nX0.\nY0.\nG0Z5.\nX10.\n"
                              "G3X30.Y0.Z-3.I20.J0.F50.\nG1Y20.\nX10.\nY0.\nG0Z10.\nX-10.Y-10.\n";

TEST(DisplayedMoves, AnArcCutByTheDisplayIsWrittenOnlyAsFarAsShown) {
    TestFolder folder("korvix-levels");
    Workspace ws;
    readText(ws, folder, kArcEntry);
    ZLevelList levels;
    ASSERT_EQ(buildLevelList(ws.database, levels), LevelListResult::Built);
    const std::vector<ZLevel*> nodes = nodesOf(levels);
    ASSERT_EQ(nodes.size(), 2u);
    const MoveRecord& boundary = *nodes[0]->lastRecord;
    ASSERT_TRUE(isArcPiece(boundary) && isArcPiece(*boundary.prev) && isArcPiece(*boundary.next));
    ASSERT_EQ(boundary.prev->sequence, boundary.sequence);
    ASSERT_EQ(boundary.next->sequence, boundary.sequence);

    Workspace firstLevel;
    ASSERT_TRUE(copyDisplayedMoves(*nodes[0]->firstRecord, boundary, firstLevel.database));
    firstLevel.tools = ws.tools;
    Workspace firstBack;
    writeAndReadBack(firstLevel, folder, firstBack);
    // The arc ends where the display ends, not at the end of the whole arc.
    EXPECT_LT(distanceBetween(*firstBack.database.records.lastAndCount().first, boundary), 1e-3);

    Workspace secondLevel;
    ASSERT_TRUE(copyDisplayedMoves(boundary, *nodes[1]->lastRecord, secondLevel.database));
    secondLevel.tools = ws.tools;
    Workspace secondBack;
    writeAndReadBack(secondLevel, folder, secondBack);
    const MoveRecord& start = *secondBack.database.first();
    EXPECT_LT(distanceBetween(start, *boundary.prev), 1e-3);
    // The arc goes on from the start point at its depth: no line back up to where it began.
    ASSERT_NE(start.next, nullptr);
    EXPECT_TRUE(isArcPiece(*start.next));
    EXPECT_LT(distanceBetween(start, *start.next), 0.5);
    EXPECT_EQ(start.next->z, -3.0f);
    EXPECT_EQ(recordsOf(secondBack.database).back()->x, -10.0f);
}

TEST(DisplayedMoves, ASliverOfAnArcBecomesAStraightMove) {
    Workspace ws;
    PathBuilder path(ws);
    path.start(10, 0);
    MoveRecord* pieces[] = {&path.piece(7, 10, 0).last(), &path.piece(7, 0, 10).last()};
    for (MoveRecord* piece : pieces) {
        piece->radius = 10;
        piece->startAngle = 0;
        piece->endAngle = 90;
    }
    // Cut after a piece that ends where the arc starts: nothing of the arc is left to sweep.
    GraphicsDatabase copy;
    ASSERT_TRUE(copyDisplayedMoves(*pieces[0], *pieces[0], copy));
    const MoveRecord& move = *copy.first()->next;
    EXPECT_EQ(move.kind, kKindStraight);
    EXPECT_EQ(move.motion, kMotionLinear);
}

// ---- The dialog's texts and fields

TEST(LevelsDialog, NumberOfLevelsFieldOnExit) {
    EXPECT_EQ(levelsDisplayedFieldExit("").text, "1");
    EXPECT_FALSE(levelsDisplayedFieldExit("3").keepFocus);
    const NumericFieldExit bad = levelsDisplayedFieldExit("1a2b");
    EXPECT_EQ(bad.text, "1a2b");
    EXPECT_TRUE(bad.keepFocus);
    EXPECT_EQ(bad.messages,
              (std::vector<std::string>{nonNumericMessage('a'), nonNumericMessage('b')}));
}

} // namespace
} // namespace korvix::test
