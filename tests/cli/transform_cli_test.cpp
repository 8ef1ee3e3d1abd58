#include "cli/cli_runner.h"
#include "test_folder.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

const std::string kSmall = std::string(KORVIX_TEST_DATA_DIR) + "/writer_small.nc";

// The records of a file as `korvix-cli dump` lists them.
struct DumpedRecord {
    int kind = 0, sequence = 0, block = 0, motion = 0;
    double x = 0, y = 0, z = 0;
};
std::vector<DumpedRecord> dumped(const std::string& file) {
    const CliResult result = runCli({"dump", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<DumpedRecord> records;
    for (const std::string& line : lines(result.out)) {
        DumpedRecord r;
        int index = 0, tool = 0;
        double feed = 0;
        if (std::sscanf(line.c_str(), "%d %d %d %d %d %d %lf %lf %lf %lf", &index, &r.kind,
                        &r.sequence, &r.block, &r.motion, &tool, &feed, &r.x, &r.y, &r.z) == 10)
            records.push_back(r);
    }
    return records;
}

class TransformCli : public ::testing::Test {
protected:
    std::string out(const std::string& name) const { return m_folder.path(name); }
    TestFolder m_folder{"korvix_transform_cli"};
};

TEST_F(TransformCli, RelocatedCopiesFollowThePath) {
    const CliResult result = runCli(
        {"transform", kSmall, "-o", out("copies.nc"), "--relocate", "40,0,0", "--copies", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 2u) << result.out;
    EXPECT_EQ(printed[0].rfind("relocate: ", 0), 0u) << printed[0];
    EXPECT_TRUE(contains(printed[1], "Finished saving")) << printed[1];

    const std::vector<DumpedRecord> original = dumped(kSmall);
    const std::vector<DumpedRecord> copied = dumped(out("copies.nc"));
    // The path ends and starts at its highest Z: the copies follow without connecting moves.
    ASSERT_EQ(copied.size(), 3 * original.size());
    for (std::size_t k = 0; k < 3; ++k)
        for (std::size_t i = 1; i < original.size(); ++i) {
            const DumpedRecord& a = copied[k * original.size() + i];
            EXPECT_EQ(a.kind, original[i].kind);
            EXPECT_NEAR(a.x, original[i].x + 40.0 * static_cast<double>(k), 2e-4);
            EXPECT_NEAR(a.y, original[i].y, 2e-4);
            EXPECT_NEAR(a.z, original[i].z, 2e-4);
        }
}

TEST_F(TransformCli, ChangesRunInCommandLineOrder) {
    // A mirror twice is no change; both files come out alike.
    ASSERT_EQ(
        runCli({"transform", kSmall, "-o", out("twice.nc"), "--mirror-x", "--mirror-x"}).exitCode,
        0);
    ASSERT_EQ(runCli({"transform", kSmall, "-o", out("same.nc"), "--scale", "1"}).exitCode, 0);
    EXPECT_EQ(fileText(out("twice.nc")), fileText(out("same.nc")));

    // Relocate then scale moves twice as far as scale then relocate.
    ASSERT_EQ(
        runCli({"transform", kSmall, "-o", out("rs.nc"), "--relocate", "5,0,0", "--scale", "-2"})
            .exitCode,
        0);
    ASSERT_EQ(
        runCli({"transform", kSmall, "-o", out("sr.nc"), "--scale", "2", "--relocate", "5,0,0"})
            .exitCode,
        0);
    const std::vector<DumpedRecord> rs = dumped(out("rs.nc"));
    const std::vector<DumpedRecord> sr = dumped(out("sr.nc"));
    ASSERT_EQ(rs.size(), sr.size());
    ASSERT_FALSE(rs.empty());
    EXPECT_NEAR(rs[0].x, 10, 1e-4);
    EXPECT_NEAR(sr[0].x, 5, 1e-4);
}

TEST_F(TransformCli, MirrorAndRotationOfArcs) {
    // Mirrored in Y, the first XY arc (counter-clockwise) turns clockwise.
    ASSERT_EQ(runCli({"transform", kSmall, "-o", out("mirror.nc"), "--mirror-y"}).exitCode, 0);
    const std::string mirrored = fileText(out("mirror.nc"));
    EXPECT_TRUE(contains(mirrored, "G17G02X30.0000Y-10.0000Z-1.0000I20.0000J-10.0000")) << mirrored;

    // The file has XZ and YZ arcs: no rotation, nothing written.
    const CliResult refused =
        runCli({"transform", kSmall, "-o", out("rotated.nc"), "--rotate", "90", "--about", "0,0"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(contains(refused.err, ">>>Error<<< Arc outside the \"XY\" plane encountered, "
                                      "Explode arcs before trying again..."))
        << refused.err;
    EXPECT_FALSE(fs::exists(out("rotated.nc")));

    // An XY-only program turns, with copies at every multiple of the angle.
    const std::string pocket = std::string(KORVIX_EXAMPLES_DIR) + "/pocket_absolute.nc";
    const CliResult turned = runCli({"transform", pocket, "-o", out("turned.nc"), "--rotate", "90",
                                     "--about", "0,0", "--copies", "3"});
    ASSERT_EQ(turned.exitCode, 0) << turned.err;
    EXPECT_EQ(runCli({"info", out("turned.nc")}).exitCode, 0);
}

TEST_F(TransformCli, FeedRatesChangeTogether) {
    // 500 and 200 swap places; 250 stays.
    const CliResult result = runCli({"transform", kSmall, "-o", out("feeds.nc"), "--feed",
                                     "500=200", "--feed", "200.0001=500"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string original = fileText(out("feeds.nc"));
    ASSERT_EQ(runCli({"transform", kSmall, "-o", out("plain.nc"), "--scale", "1"}).exitCode, 0);
    std::string swapped = fileText(out("plain.nc"));
    for (std::size_t at = 0; (at = swapped.find("F", at)) != std::string::npos; ++at) {
        if (swapped.compare(at, 6, "F500.0") == 0)
            swapped.replace(at, 6, "F200.0");
        else if (swapped.compare(at, 6, "F200.0") == 0)
            swapped.replace(at, 6, "F500.0");
    }
    EXPECT_EQ(original, swapped);

    const CliResult unknown =
        runCli({"transform", kSmall, "-o", out("none.nc"), "--feed", "123=4"});
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_TRUE(contains(unknown.err, "no cutting move has the feed rate 123.00")) << unknown.err;
    EXPECT_FALSE(fs::exists(out("none.nc")));
    const CliResult negative =
        runCli({"transform", kSmall, "-o", out("none.nc"), "--feed", "500=-4"});
    EXPECT_EQ(negative.exitCode, 1);
    EXPECT_TRUE(contains(negative.err, "Range check error")) << negative.err;
}

TEST_F(TransformCli, TbfByExtensionAndTheReadingOptions) {
    const std::string pocket = std::string(KORVIX_EXAMPLES_DIR) + "/pocket_incremental.nc";
    const CliResult result =
        runCli({"transform", "--incremental", pocket, "-o", out("pocket.TBF"), "--scale", "2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(contains(result.out, "points written")) << result.out;
    const CliResult info = runCli({"info", out("pocket.TBF")});
    EXPECT_EQ(info.exitCode, 0) << info.err;
}

TEST_F(TransformCli, CommandLineMistakes) {
    const std::vector<std::vector<std::string>> mistakes = {
        {"--copies", "2"},
        {"--scale", "2", "--copies", "2"},
        {"--relocate", "1,2,3", "--copies", "2", "--copies", "3"},
        {"--relocate", "1,2,3", "--copies", "-1"},
        {"--rotate", "30"},
        {"--about", "1,2"},
        {"--relocate", "1,2"},
        {"--relocate", "1,x,3"},
        {"--scale", "1e5"},
        {"--feed", "100"},
        {},
    };
    for (const std::vector<std::string>& options : mistakes) {
        std::vector<std::string> args = {"transform", kSmall, "-o", out("x.nc")};
        args.insert(args.end(), options.begin(), options.end());
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 2) << args.back() << ": " << result.err;
        EXPECT_TRUE(contains(result.err, "usage: korvix-cli transform")) << result.err;
    }
    const CliResult tbf =
        runCli({"transform", kSmall, "-o", out("x.TBF"), "--scale", "2", "--machine", "MINE.DNC"});
    EXPECT_EQ(tbf.exitCode, 2);
    const CliResult message =
        runCli({"transform", kSmall, "-o", out("x.nc"), "--relocate", "1,x,3"});
    EXPECT_TRUE(contains(message.err, "'x' is not a valid floating point value")) << message.err;
    EXPECT_FALSE(fs::exists(out("x.nc")));
    EXPECT_TRUE(contains(runCli({"--help"}).out, "korvix-cli transform"));
}

} // namespace
} // namespace korvix::test
