#include "cli/cli_runner.h"
#include "test_folder.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kExamples = {"pocket_absolute", "pocket_incremental", "multi_tool",
                                            "surface_3d", "plane_arcs"};

std::string example(const std::string& name) {
    return std::string(KORVIX_EXAMPLES_DIR) + "/" + name + ".nc";
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One record of `korvix-cli dump`: index kind sequence block motion tool feed x y z ...
struct DumpRecord {
    int kind = 0, motion = 0;
    double feed = 0, x = 0, y = 0, z = 0;
};

std::vector<DumpRecord> dump(const std::string& file) {
    const CliResult result = runCli({"dump", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<DumpRecord> records;
    for (const std::string& line : lines(result.out)) {
        DumpRecord r;
        int index, sequence, block, tool;
        std::sscanf(line.c_str(), "%d %d %d %d %d %d %lf %lf %lf %lf", &index, &r.kind, &sequence,
                    &block, &r.motion, &tool, &r.feed, &r.x, &r.y, &r.z);
        records.push_back(r);
    }
    return records;
}

class TbfAptCli : public ::testing::Test {
protected:
    std::string out(const std::string& name) const { return m_folder.path(name); }

    TestFolder m_folder{"korvix_cli"};
};

TEST_F(TbfAptCli, TbfOfEveryExampleReadsBackTheSamePath) {
    for (const std::string& name : kExamples) {
        SCOPED_TRACE(name);
        const std::string first = out(name + ".TBF");
        const CliResult written = runCli({"tbf", example(name), "-o", first});
        ASSERT_EQ(written.exitCode, 0) << written.err;
        const std::vector<DumpRecord> points = dump(first);
        ASSERT_GT(points.size(), 1u);
        EXPECT_EQ(written.out.rfind(
                      first + ": " + std::to_string(points.size()) + " points written, ", 0),
                  0u);
        // Points, then the extents, counts and text sections.
        EXPECT_EQ(fs::file_size(first), 12 + 96 * points.size() + 12 + 32 + 12 + 20 + 12);

        // Written again from the TBF itself: every point comes back bit for bit. (The
        // extents may differ in the last bit: the NC reader widens them in double.)
        const std::string second = out(name + "_again.tbf");
        ASSERT_EQ(runCli({"tbf", first, "-o", second}).exitCode, 0);
        const std::size_t pointBytes = 12 + 96 * points.size();
        EXPECT_TRUE(contents(first).substr(0, pointBytes) ==
                    contents(second).substr(0, pointBytes));
        EXPECT_EQ(fs::file_size(second), fs::file_size(first));
    }
}

TEST_F(TbfAptCli, HelixIsWrittenAsAHelix) {
    const std::string helix = std::string(KORVIX_TEST_DATA_DIR) + "/helix_ramp.nc";
    ASSERT_EQ(runCli({"tbf", "--tolerance", "0.01", helix, "-o", out("h.tbf")}).exitCode, 0);
    const std::vector<DumpRecord> points = dump(out("h.tbf"));
    // Start, plunge to Z0, one turn down to Z-2 in four quarters, then out and up.
    ASSERT_GT(points.size(), 8u);
    double turned = 0;
    double previous = 0;
    for (std::size_t i = 2; i + 2 < points.size(); ++i) {
        SCOPED_TRACE(i);
        double angle = std::atan2(points[i].y, points[i].x) * 180 / 3.14159265358979;
        if (angle < previous - 1e-3)
            angle += 360;
        turned = angle;
        previous = angle;
        EXPECT_NEAR(points[i].z, -2 * turned / 360, 2e-4);
    }
    EXPECT_NEAR(turned, 360, 1e-3);
}

TEST_F(TbfAptCli, AptOfEveryExample) {
    for (const std::string& name : kExamples) {
        SCOPED_TRACE(name);
        const std::string file = out(name + ".apt");
        const CliResult written = runCli({"apt", example(name), "-o", file});
        ASSERT_EQ(written.exitCode, 0) << written.err;
        const std::vector<std::string> text = lines(contents(file));
        std::size_t gotos = 0, froms = 0, cutters = 0;
        for (const std::string& line : text) {
            SCOPED_TRACE(line);
            const std::string statement = line.substr(0, line.find('/'));
            EXPECT_TRUE(statement == "CUTTER" || statement == "TOOLNO" || statement == "SPINDL" ||
                        statement == "RAPID" || statement == "FEDRAT" || statement == "FROM" ||
                        statement == "GOTO");
            gotos += statement == "GOTO";
            froms += statement == "FROM";
            cutters += statement == "CUTTER";
        }
        EXPECT_EQ(froms, 1u);
        EXPECT_GE(cutters, 1u);
        // The same explosion as the TBF writer: one GOTO per point after the start.
        ASSERT_EQ(runCli({"tbf", example(name), "-o", out("same.tbf")}).exitCode, 0);
        EXPECT_EQ(gotos + 1, dump(out("same.tbf")).size());
    }
    const std::vector<std::string> tools = lines(contents(out("multi_tool.apt")));
    std::vector<std::string> toolLines;
    for (const std::string& line : tools)
        if (line.rfind("TOOLNO/", 0) == 0)
            toolLines.push_back(line);
    EXPECT_GE(toolLines.size(), 2u);
}

TEST_F(TbfAptCli, ToleranceDecidesThePoints) {
    ASSERT_EQ(runCli({"tbf", example("pocket_absolute"), "-o", out("fine.tbf")}).exitCode, 0);
    ASSERT_EQ(
        runCli({"tbf", "--tolerance", "0.1", example("pocket_absolute"), "-o", out("coarse.tbf")})
            .exitCode,
        0);
    EXPECT_LT(fs::file_size(out("coarse.tbf")), fs::file_size(out("fine.tbf")));

    // Two inputs are appended, as two Opens would do.
    ASSERT_EQ(runCli({"tbf", out("fine.tbf"), out("coarse.tbf"), "-o", out("both.tbf")}).exitCode,
              0);
    EXPECT_EQ(dump(out("both.tbf")).size(),
              dump(out("fine.tbf")).size() + dump(out("coarse.tbf")).size());
}

TEST_F(TbfAptCli, BadCommandLinesWriteNothing) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const std::string in = example("pocket_absolute");
    const std::string target = out("x.out");
    const std::vector<Case> cases = {
        {{"tbf", in}, 2, "no output file given (-o OUT)"},
        {{"apt", "-o", target}, 2, "no input file given"},
        {{"tbf", "--tolerance", "0", in, "-o", target},
         2,
         "Chordal deviation tolerance must be a number greater than 0..."},
        {{"apt", "--tolerance", "1.2.3", in, "-o", target},
         2,
         "Chordal deviation tolerance \"1.2.3\" is not a valid number..."},
        {{"tbf", out("missing.nc"), "-o", target}, 1, "an input file could not be read"},
        {{"apt", out("missing.tbf"), "-o", target},
         1,
         "Unable to open file \"" + out("missing.tbf") + "\": No such file or directory..."},
        {{"tbf", in, "-o", out("no/folder.tbf")},
         1,
         "Unable to create file \"" + out("no/folder.tbf") + "\": No such file or directory..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.message);
        const CliResult result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(target));
    }
}

} // namespace
} // namespace korvix::test
