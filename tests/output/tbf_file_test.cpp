#include "app/workspace_access.h"
#include "filters/explode_arcs.h"
#include "input/nc_reader.h"
#include "model/path_builder.h"
#include "model/workspace.h"
#include "output/tbf_file.h"
#include "test_folder.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;
constexpr Rgb kFeedColor = 0x0000FF00;

// Little-endian bytes, packed here independently of the writer.
class Bytes {
public:
    Bytes& u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<unsigned char>(v >> (8 * i)));
        return *this;
    }
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& f32(float v) {
        std::uint32_t bits;
        std::memcpy(&bits, &v, 4);
        return u32(bits);
    }
    Bytes& header(std::int32_t type, std::int32_t count, std::int32_t size) {
        return i32(type).i32(count).i32(size);
    }
    Bytes& point(float flag, float feed, float x, float y, float z) {
        f32(flag).f32(0).f32(feed).f32(0).f32(x).f32(y).f32(z);
        for (int i = 7; i < 24; ++i)
            f32(0);
        return *this;
    }
    std::vector<unsigned char> data;
};

class TbfFile : public ::testing::Test {
protected:
    std::string path(const char* name) const { return m_folder.path(name); }
    std::string put(const char* name, const std::vector<unsigned char>& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }
    static std::vector<unsigned char> contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> folder() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder.dir()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TestFolder m_folder{"korvix_tbf"};
};

TEST_F(TbfFile, WritesTheExactBytes) {
    GraphicsDatabase db;
    PathBuilder(db, 0, 0, 5).tool(2).rapid(1.5, -2, 5).feed(120).line(1.5, -2, -0.25);
    db.first()->next->next->motion = kMotionCounterClockwise; // any feed motion is 1.0
    db.status.extents = {-1, 4, -3, 6, -0.5, 5};
    db.status.extents.negateY(); // held in screen orientation

    const WriteResult result = writeTbfFile(db, path("out.tbf"), kDefaultExplodeTolerance);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.recordsWritten, 3u);

    Bytes expected;
    expected.header(1, 3, 24)
        .point(0, 0, 0, 0, 5)
        .point(0, 0, 1.5f, -2, 5)
        .point(1, 120, 1.5f, -2, -0.25f);
    expected.header(2, 1, 8).f32(1).f32(3).f32(-1).f32(4).f32(-3).f32(6).f32(-0.5f).f32(5);
    expected.header(3, 1, 5).f32(4).f32(1).f32(3).f32(0).f32(1);
    expected.header(20, 0, 7);
    EXPECT_EQ(contents(path("out.tbf")), expected.data);
    EXPECT_EQ(folder(), std::vector<std::string>{"out.tbf"}); // no temporary left over
}

TEST_F(TbfFile, StartPointOnlyWritesOnePoint) {
    GraphicsDatabase db;
    PathBuilder(db, 1, 2, 3);
    ASSERT_TRUE(writeTbfFile(db, path("one.tbf"), kDefaultExplodeTolerance).ok);
    const auto bytes = contents(path("one.tbf"));
    ASSERT_EQ(bytes.size(), 12u + 96 + 12 + 32 + 12 + 20 + 12);
    EXPECT_EQ(bytes[4], 1); // N
    EXPECT_EQ(bytes[5] | bytes[6] | bytes[7], 0);
}

TEST_F(TbfFile, RoundTripWithoutArcs) {
    GraphicsDatabase db;
    PathBuilder(db, 0, 0, 10)
        .tool(4)
        .rapid(10, 20, 10)
        .feed(250)
        .line(10, 20, -1)
        .feed(80)
        .line(30, 25, -1)
        .rapid(30, 25, 10);
    ASSERT_TRUE(writeTbfFile(db, path("trip.tbf"), kDefaultExplodeTolerance).ok);

    GraphicsDatabase back;
    const TbfReadResult read = readTbfFile(back, path("trip.tbf"), kFeedColor);
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.pointCount, 5u);
    const auto a = recordsOf(db);
    const auto b = recordsOf(back);
    ASSERT_EQ(b.size(), a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(b[i]->x, a[i]->x);
        EXPECT_EQ(b[i]->y, a[i]->y);
        EXPECT_EQ(b[i]->z, a[i]->z);
        EXPECT_EQ(b[i]->motion, a[i]->motion);
        EXPECT_EQ(b[i]->feed, a[i]->motion == kMotionRapid ? 0 : a[i]->feed);
        EXPECT_EQ(b[i]->tool, 0);
        EXPECT_EQ(b[i]->blockNumber, i + 2);
        EXPECT_EQ(b[i]->sequence, static_cast<int>(i));
        EXPECT_EQ(b[i]->kind, i == 0 ? kKindStartPoint : kKindStraight);
        EXPECT_EQ(b[i]->plane, kPlaneXY);
        EXPECT_EQ(b[i]->color, a[i]->motion == kMotionRapid ? kRapidColor : kFeedColor);
    }
    const Extents& e = back.status.extents;
    EXPECT_EQ(e.minX, 0);
    EXPECT_EQ(e.maxX, 30);
    EXPECT_EQ(e.trueMinY(), 0);
    EXPECT_EQ(e.trueMaxY(), 25);
    EXPECT_EQ(e.minZ, -1);
    EXPECT_EQ(e.maxZ, 10);
    EXPECT_EQ(back.status.minFeed, 0); // rapids count in the feed range
    EXPECT_EQ(back.status.maxFeed, 250);
    EXPECT_EQ(back.status.cuttingTime, 0);
    EXPECT_TRUE(back.status.ncLoaded);
}

TEST_F(TbfFile, ArcsComeBackAsTheirExplodedPoints) {
    GraphicsDatabase db;
    PathBuilder(db, 10, 0, 0).feed(60).arc(kPlaneXY, 0, 0, 0, 10, 0, 90, 0);
    const WriteResult result = writeTbfFile(db, path("arc.tbf"), 0.01);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.arcsExploded, 1u);
    EXPECT_FALSE(hasArcs(db)); // writing explodes the path in memory too
    // r = 10, t = 0.01: steps of about 5.13 degrees, 17 intermediate points and the end.
    const auto exploded = recordsOf(db);
    ASSERT_EQ(exploded.size(), 1u + 17 + 1);

    GraphicsDatabase back;
    ASSERT_EQ(readTbfFile(back, path("arc.tbf"), kFeedColor).pointCount, exploded.size());
    const auto b = recordsOf(back);
    for (std::size_t i = 1; i < b.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(b[i]->kind, kKindStraight);
        EXPECT_EQ(b[i]->motion, kMotionLinear);
        EXPECT_EQ(b[i]->feed, 60);
        EXPECT_EQ(b[i]->x, exploded[i]->x);
        EXPECT_EQ(b[i]->y, exploded[i]->y);
        EXPECT_NEAR(std::hypot(b[i]->x, b[i]->y), 10, 1e-4);
    }
}

TEST_F(TbfFile, ReadsOddFilesAsFarAsTheyMakeSense) {
    struct Case {
        const char* name;
        Bytes bytes;
        std::size_t points;
        std::size_t skipped = 0;
    };
    std::vector<Case> cases;
    {
        Bytes b; // an unknown section type: its header alone, then valid sections
        b.header(99, 5, 7).header(1, 1, 24).point(1, 30, 1, 2, 3).header(20, 0, 7);
        cases.push_back({"unknown type", b, 1});
    }
    {
        Bytes b; // the last record cut short
        b.header(1, 3, 24).point(0, 0, 0, 0, 0).point(1, 5, 1, 0, 0);
        b.data.resize(b.data.size() + 50, 0);
        cases.push_back({"truncated record", b, 2});
    }
    {
        Bytes b; // counts far beyond the end of the file
        b.header(1, 0x7FFFFFFF, 24).point(1, 5, 1, 1, 1).header(2, 0x7FFFFFFF, 8);
        cases.push_back({"huge counts", b, 1});
    }
    {
        Bytes b; // a text length beyond the end, then nothing
        b.header(1, 1, 24).point(0, 0, 4, 4, 4).header(20, 0, 7).u32(0xFFFFFFFF);
        cases.push_back({"huge text", b, 1});
    }
    {
        Bytes b; // a negative count reads nothing; the next header follows at once
        b.header(1, -5, 24).header(3, 1, 5).f32(4).f32(1).f32(1).f32(0).f32(1);
        b.header(1, 1, 24).point(1, 7, 9, 9, 9);
        cases.push_back({"negative count", b, 1});
    }
    {
        Bytes b; // sections skipped by their fixed sizes, and a short header at the end
        b.header(2, 2, 8);
        for (int i = 0; i < 16; ++i)
            b.f32(1e9f);
        b.header(20, 0, 7).u32(4).u32(0x41414141).header(1, 2, 24);
        b.point(0, 0, 1, 1, 1).point(1, 3, 2, 2, 2);
        b.data.resize(b.data.size() + 11, 0xFF);
        cases.push_back({"skipped sections", b, 2});
    }
    {
        Bytes b; // points that are not numbers are left out
        b.header(1, 3, 24).point(0, 0, 1, 1, 1).point(1, 5, std::nanf(""), 0, 0);
        b.point(1, INFINITY, 2, 2, 2);
        cases.push_back({"not a number", b, 2, 1});
    }
    cases.push_back({"empty", Bytes{}, 0});
    {
        Bytes b;
        b.data = {1, 0, 0};
        cases.push_back({"three bytes", b, 0});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GraphicsDatabase db;
        const TbfReadResult result = readTbfFile(db, put("odd.tbf", c.bytes.data), kFeedColor);
        EXPECT_TRUE(result.ok) << result.message;
        EXPECT_EQ(result.pointCount, c.points);
        EXPECT_EQ(result.skippedPoints, c.skipped);
        EXPECT_EQ(db.records.lastAndCount().second, c.points);
        EXPECT_EQ(db.status.ncLoaded, c.points > 0);
        for (const MoveRecord* r : recordsOf(db)) {
            EXPECT_TRUE(std::isfinite(r->x) && std::isfinite(r->feed));
        }
    }
}

TEST_F(TbfFile, AppendsToALoadedPath) {
    GraphicsDatabase db;
    PathBuilder(db, 0, 0, 0).feed(100).line(5, 5, 0);
    db.status.extents = {0, 5, 0, 5, 0, 0};
    db.status.extents.negateY();
    db.status.minFeed = db.status.maxFeed = 100;

    Bytes b;
    b.header(1, 2, 24).point(0, 0, 5, 5, 10).point(1, 300, -5, -8, 2);
    const TbfReadResult result = readTbfFile(db, put("more.tbf", b.data), kFeedColor);
    EXPECT_EQ(result.pointCount, 2u);
    const auto r = recordsOf(db);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[2]->kind, kKindStraight); // not a second start point
    EXPECT_EQ(r[2]->sequence, 2);
    EXPECT_EQ(r[3]->sequence, 3);
    EXPECT_EQ(r[2]->blockNumber, 2);
    EXPECT_EQ(r[3]->y, -8);
    const Extents& e = db.status.extents;
    EXPECT_EQ(e.minX, -5);
    EXPECT_EQ(e.maxX, 5);
    EXPECT_EQ(e.trueMinY(), -8);
    EXPECT_EQ(e.trueMaxY(), 5);
    EXPECT_EQ(e.maxZ, 10);
    EXPECT_EQ(db.status.minFeed, 0);
    EXPECT_EQ(db.status.maxFeed, 300);
}

TEST_F(TbfFile, MissingFileChangesNothing) {
    GraphicsDatabase db;
    const TbfReadResult result = readTbfFile(db, path("absent.tbf"), kFeedColor);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.pointCount, 0u);
    EXPECT_EQ(result.message,
              "Unable to open file \"" + path("absent.tbf") + "\": No such file or directory...");
    EXPECT_FALSE(db.databaseAllocated());
    EXPECT_FALSE(db.status.ncLoaded);
}

int g_chunksLeft = 0;
void* limitedAllocator(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST_F(TbfFile, OutOfMemoryPutsTheLoadedPathBack) {
    GraphicsDatabase db;
    db.records = NodeList<MoveRecord>(&limitedAllocator, 4);
    g_chunksLeft = 1;
    PathBuilder(db, 0, 0, 0).feed(10).line(1, 0, 0).line(1, 1, 0);
    const DatabaseStatus before = db.status;
    const auto lastBefore = db.records.lastAndCount();

    Bytes b;
    b.header(1, 20, 24);
    for (int i = 0; i < 20; ++i)
        b.point(1, 50, static_cast<float>(i), 100, 100);
    const TbfReadResult result = readTbfFile(db, put("big.tbf", b.data), kFeedColor);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.pointCount, 0u);
    EXPECT_EQ(result.message.rfind("Not enough memory to read", 0), 0u);
    EXPECT_EQ(db.records.lastAndCount(), lastBefore);
    EXPECT_EQ(lastBefore.first->next, nullptr);
    EXPECT_EQ(db.status.extents.maxZ, before.extents.maxZ);
    EXPECT_EQ(db.status.extents.minY, before.extents.minY);
    EXPECT_EQ(db.status.maxFeed, before.maxFeed);
}

TEST_F(TbfFile, FailedWriteLeavesTheTargetAlone) {
    const std::vector<unsigned char> old = {'o', 'l', 'd'};
    put("keep.tbf", old);

    GraphicsDatabase arcs;
    PathBuilder(arcs, 1, 0, 0).arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 0);
    WriteResult result = writeTbfFile(arcs, path("keep.tbf"), 0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Chordal deviation tolerance must be a number greater than 0...");
    EXPECT_TRUE(hasArcs(arcs));

    GraphicsDatabase empty;
    result = writeTbfFile(empty, path("keep.tbf"), 0.001);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              "Warning! Currently no data in memory to save.. \"SAVE COMMAND CANCELED...\"");

    const std::string missingFolder = path("no/such/folder.tbf");
    result = writeTbfFile(arcs, missingFolder, 0.001);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              "Unable to create file \"" + missingFolder + "\": No such file or directory...");
    EXPECT_TRUE(hasArcs(arcs)); // nothing written, nothing exploded

    EXPECT_EQ(contents(path("keep.tbf")), old);
    EXPECT_EQ(folder(), std::vector<std::string>{"keep.tbf"});
}

TEST_F(TbfFile, ExampleProgramsRoundTrip) {
    for (const char* name :
         {"pocket_absolute", "pocket_incremental", "multi_tool", "surface_3d", "plane_arcs"}) {
        SCOPED_TRACE(name);
        Workspace ws;
        const std::string program = std::string(KORVIX_EXAMPLES_DIR) + "/" + name + ".nc";
        ASSERT_TRUE(readNcProgram(ncReadTarget(ws), program, NcReadOptions{}, {}).ok());
        const Extents read = ws.database.status.extents;
        ASSERT_TRUE(writeTbfFile(ws.database, path("example.tbf"), kDefaultExplodeTolerance).ok);

        GraphicsDatabase back;
        const TbfReadResult result = readTbfFile(back, path("example.tbf"), kFeedColor);
        const auto a = recordsOf(ws.database);
        const auto b = recordsOf(back);
        ASSERT_EQ(result.pointCount, a.size());
        ASSERT_EQ(b.size(), a.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(b[i]->x, a[i]->x);
            EXPECT_EQ(b[i]->y, a[i]->y);
            EXPECT_EQ(b[i]->z, a[i]->z);
            EXPECT_EQ(b[i]->motion, a[i]->motion == kMotionRapid ? kMotionRapid : kMotionLinear);
        }
        // The extents of the exploded path stay within those the reader found.
        const Extents& e = back.status.extents;
        EXPECT_GE(e.minX, read.minX - 1e-4);
        EXPECT_LE(e.maxX, read.maxX + 1e-4);
        EXPECT_GE(e.trueMinY(), read.trueMinY() - 1e-4);
        EXPECT_LE(e.trueMaxY(), read.trueMaxY() + 1e-4);
    }
}

} // namespace
} // namespace korvix::test
