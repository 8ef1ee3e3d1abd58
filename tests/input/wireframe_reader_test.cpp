#include "model/workspace.h"
#include "input/wireframe_reader.h"
#include "test_folder.h"
#include "app/workspace_access.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

struct WirRecord {
    std::uint8_t pen = 1;
    std::uint8_t visibility = 1;
    std::uint8_t colorIndex = 7;
    float x = 0, y = 0, z = 0;
    std::uint16_t screenX = 0, screenY = 0;
};

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::string encode(const WirRecord& r) {
    std::string out;
    out.push_back(static_cast<char>(r.pen));
    out.push_back(static_cast<char>(r.visibility));
    out.push_back(static_cast<char>(r.colorIndex));
    out.append(2, '\x55'); // unused bytes hold anything
    putLe(out, std::bit_cast<std::uint32_t>(r.x), 4);
    putLe(out, std::bit_cast<std::uint32_t>(r.y), 4);
    putLe(out, std::bit_cast<std::uint32_t>(r.z), 4);
    out.append(20, '\x7F');
    putLe(out, r.screenX, 2);
    putLe(out, r.screenY, 2);
    return out;
}

class WireframeFile : public ::testing::Test {
protected:
    void SetUp() override { ws.reporter = &reporter; }

    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = m_folder.path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string write(const std::string& name, const std::vector<WirRecord>& records,
                      const std::string& tail = {}) {
        std::string bytes;
        for (const WirRecord& r : records)
            bytes += encode(r);
        return write(name, bytes + tail);
    }
    // Loads a small wire-frame so that tests can see what a failed read leaves.
    void loadSquare() {
        const std::string square =
            write("square.wir", {{0, 1, 1, 0, 0, 0}, {1, 1, 1, 5, 0, 0}, {1, 1, 1, 5, 5, 0}});
        ASSERT_EQ(readWireframeFile(wireframeReadTarget(ws), square, kBlack), 3);
        reporter.messages.clear();
    }

    TestFolder m_folder{"korvix_wir"};
    Workspace ws;
    RecordingReporter reporter;
};

TEST_F(WireframeFile, ReadsBlocksOfAThousandRecords) {
    std::vector<WirRecord> records(2001);
    for (std::size_t i = 0; i < records.size(); ++i) {
        WirRecord& r = records[i];
        r.pen = i % 10 == 0 ? 0 : 1;
        r.visibility = static_cast<std::uint8_t>(i % 2);
        r.colorIndex = static_cast<std::uint8_t>(i % 9);
        r.x = static_cast<float>(i) * 0.5f;
        r.y = 100.0f - static_cast<float>(i);
        r.z = -static_cast<float>(i % 7);
        r.screenX = static_cast<std::uint16_t>(65000 + i % 500);
        r.screenY = static_cast<std::uint16_t>(i);
    }
    const std::string file = write("part.WIR", records);
    WireframeReadInfo info;
    ASSERT_EQ(readWireframeFile(wireframeReadTarget(ws), file, kBlack, &info), 2001);
    EXPECT_EQ(info.blocks, 3); // 1000, 1000 and 1
    EXPECT_TRUE(info.message.empty());
    EXPECT_TRUE(reporter.messages.empty());

    const auto [last, count] = ws.wireframe.points.lastAndCount();
    EXPECT_EQ(count, 2001u);
    std::size_t i = 0;
    for (const WireframePoint* p = ws.wireframe.first(); p != nullptr; p = p->next, ++i) {
        const WirRecord& r = records[i];
        ASSERT_EQ(p->penDown, r.pen) << i;
        ASSERT_EQ(p->visible, r.visibility) << i;
        ASSERT_EQ(p->color, wireframeIndexColor(r.colorIndex)) << i;
        ASSERT_EQ(p->x, r.x) << i;
        ASSERT_EQ(p->y, r.y) << i;
        ASSERT_EQ(p->z, r.z) << i;
        ASSERT_EQ(p->screenX, r.screenX) << i; // zero-extended, not negative
        ASSERT_EQ(p->screenY, r.screenY) << i;
    }
    EXPECT_EQ(last->x, 1000.0f);

    const Extents& box = ws.wireframe.extents;
    EXPECT_DOUBLE_EQ(box.minX, 0);
    EXPECT_DOUBLE_EQ(box.maxX, 1000);
    EXPECT_DOUBLE_EQ(box.trueMinY(), -1900);
    EXPECT_DOUBLE_EQ(box.trueMaxY(), 100);
    EXPECT_DOUBLE_EQ(box.minY, 1900); // both held negated
    EXPECT_DOUBLE_EQ(box.maxY, -100);
    EXPECT_DOUBLE_EQ(box.minZ, -6);
    EXPECT_DOUBLE_EQ(box.maxZ, 0);
    EXPECT_TRUE(ws.database.status.ncLoaded);
    EXPECT_FALSE(ws.database.databaseAllocated());
}

TEST_F(WireframeFile, ColourIndicesAndOverrideColour) {
    const struct {
        std::uint8_t index;
        Rgb color;
    } table[] = {{0, 0x808080}, {1, 0x0000FF}, {2, 0x00FFFF}, {3, 0x00FF00}, {4, 0xFFFF00},
                 {5, 0xFF0000}, {6, 0x000080}, {7, 0xFFFFFF}, {8, 0x808080}, {255, 0x808080}};
    std::vector<WirRecord> records;
    for (const auto& entry : table)
        records.push_back({1, 1, entry.index, 1, 2, 3});
    const std::string file = write("colours.wir", records);

    ASSERT_EQ(readWireframeFile(wireframeReadTarget(ws), file, kBlack), static_cast<int>(std::size(table)));
    const WireframePoint* p = ws.wireframe.first();
    for (const auto& entry : table) {
        EXPECT_EQ(p->color, entry.color) << int(entry.index);
        p = p->next;
    }

    const Rgb chosen = makeRgb(10, 200, 30);
    ASSERT_EQ(readWireframeFile(wireframeReadTarget(ws), file, chosen), static_cast<int>(std::size(table)));
    for (p = ws.wireframe.first(); p != nullptr; p = p->next) {
        EXPECT_EQ(p->color, chosen);
    }
}

TEST_F(WireframeFile, TruncatedTailIsNotRead) {
    const std::string file =
        write("cut.wir", {{0, 1, 1, 1, 1, 1}, {1, 1, 1, 2, 2, 2}, {1, 1, 1, 3, 3, 3}},
              std::string(40, '\x01'));
    ASSERT_EQ(readWireframeFile(wireframeReadTarget(ws), file, kBlack), 3);
    EXPECT_EQ(ws.wireframe.points.lastAndCount().first->x, 3.0f);
    EXPECT_DOUBLE_EQ(ws.wireframe.extents.maxX, 3);
}

TEST_F(WireframeFile, FileWithoutARecordReleasesTheWireframe) {
    for (const std::string& bytes : {std::string(), std::string(40, '\x02')}) {
        loadSquare();
        ws.database.status.ncLoaded = false;
        const std::string file = write("empty.wir", bytes);
        WireframeReadInfo info;
        EXPECT_EQ(readWireframeFile(wireframeReadTarget(ws), file, kBlack, &info), 0);
        EXPECT_FALSE(ws.wireframe.wireframeAllocated());
        EXPECT_EQ(ws.wireframe.first(), nullptr);
        EXPECT_EQ(info.blocks, 0);
        EXPECT_TRUE(info.message.empty());
        EXPECT_TRUE(reporter.messages.empty());          // not an error
        EXPECT_FALSE(ws.database.status.ncLoaded);       // nothing new to draw
        EXPECT_DOUBLE_EQ(ws.wireframe.extents.maxX, 10); // the box of an empty store
    }
}

TEST_F(WireframeFile, UnreadableFileIsReportedAndChangesNothing) {
    loadSquare();
    const std::string missing = m_folder.path("missing.wir");
    const std::string directory = m_folder.path("folder.wir");
    fs::create_directories(directory);
    for (const std::string& file : {missing, directory}) {
        reporter.messages.clear();
        WireframeReadInfo info;
        EXPECT_EQ(readWireframeFile(wireframeReadTarget(ws), file, kBlack, &info), 0);
        ASSERT_EQ(reporter.messages.size(), 1u) << file;
        EXPECT_EQ(reporter.messages[0].rfind("error: Unable to read \"" + file + "\": ", 0), 0u)
            << reporter.messages[0];
        EXPECT_EQ("error: " + info.message, reporter.messages[0]);
        EXPECT_EQ(ws.wireframe.points.lastAndCount().second, 3u); // the square is still there
        EXPECT_DOUBLE_EQ(ws.wireframe.extents.maxX, 5);
    }
}

TEST_F(WireframeFile, OutOfMemoryReleasesTheWireframe) {
    const std::string file = write("big.wir", std::vector<WirRecord>(300));
    ws.wireframe.points = NodeList<WireframePoint>(
        [](std::size_t bytes) -> void* {
            return bytes > 64 * sizeof(WireframePoint) ? nullptr : ::operator new(bytes);
        },
        64);
    WireframeReadInfo info;
    EXPECT_EQ(readWireframeFile(wireframeReadTarget(ws), file, kBlack, &info), 0);
    EXPECT_FALSE(ws.wireframe.wireframeAllocated());
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0],
              "error: Not enough memory to read \"" + file + "\", nothing was read...");
}

} // namespace
} // namespace korvix::test
