#include "cli/cli_runner.h"
#include "test_folder.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

const std::string kContour = std::string(KORVIX_TEST_DATA_DIR) + "/fit_contour.nc";
const std::string kHelix = std::string(KORVIX_TEST_DATA_DIR) + "/helix_ramp.nc";

struct Dumped {
    int kind = 0, motion = 0;
    double feed = 0, x = 0, y = 0, z = 0;
};

// The records of a file as `korvix-cli dump` lists them.
std::vector<Dumped> dump(const std::string& file) {
    const CliResult result = runCli({"dump", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<Dumped> records;
    for (const std::string& line : lines(result.out)) {
        int index = 0, sequence = 0, block = 0, tool = 0;
        Dumped r;
        if (std::sscanf(line.c_str(), "%d %d %d %d %d %d %lf %lf %lf %lf", &index, &r.kind,
                        &sequence, &block, &r.motion, &tool, &r.feed, &r.x, &r.y, &r.z) == 10)
            records.push_back(r);
    }
    return records;
}

class TrimCli : public ::testing::Test {
protected:
    std::string out(const std::string& name) const { return m_folder.path(name); }

    TestFolder m_folder{"korvix-trim-cli"};
};

TEST_F(TrimCli, BoxTrimWritesAProgramInsideTheBox) {
    const std::string nc = out("box.nc");
    const CliResult result = runCli({"trim", kContour, "-o", nc, "--box", "0,0,20,20"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 2u) << result.out;
    EXPECT_EQ(printed[0], "trim: Done trimming... 28 records");
    const std::vector<Dumped> records = dump(nc);
    ASSERT_EQ(records.size(), 28u);
    for (const Dumped& r : records) {
        EXPECT_GE(r.y, -1e-4);
        EXPECT_LE(r.y, 20 + 1e-4);
        // Links go through the highest Z of the path, 5.
        if (r.motion == 0) {
            EXPECT_NEAR(r.z, 5, 1e-4);
        }
    }
    // Reversed corners make the same box.
    const std::string reversed = out("reversed.nc");
    ASSERT_EQ(runCli({"trim", kContour, "-o", reversed, "--box", "20,20,0,0"}).exitCode, 0);
    EXPECT_EQ(fileText(reversed), fileText(nc));
    // The same moves for a machine format.
    const std::string iso = out("iso.nc");
    const CliResult machine =
        runCli({"trim", kContour, "-o", iso, "--box", "0,0,20,20", "--machine", "ISO_MILL.DNC",
                "--machines-dir", std::string(KORVIX_EXAMPLES_DIR) + "/machines"});
    ASSERT_EQ(machine.exitCode, 0) << machine.err;
    EXPECT_NE(machine.out.find("(ISO_MILL.DNC, "), std::string::npos) << machine.out;
    EXPECT_EQ(dump(iso).size(), 28u);
}

TEST_F(TrimCli, PlanesFeedsAndPositioning) {
    const std::string nc = out("planes.nc");
    const CliResult result =
        runCli({"trim", kContour, "-o", nc, "--box", "5,-1,15,30", "--primary", "12", "--secondary",
                "0.5", "--relative", "--plunge-feed", "40", "--feed-positioning"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<Dumped> records = dump(nc);
    ASSERT_GT(records.size(), 4u);
    // The start at the window centre at the primary plane.
    EXPECT_NEAR(records[0].x, 10, 1e-4);
    EXPECT_NEAR(records[0].y, 14.5, 1e-4);
    EXPECT_NEAR(records[0].z, 12, 1e-4);
    int positioning = 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        const Dumped& r = records[i];
        EXPECT_NE(r.motion, 0) << "no rapids with --feed-positioning";
        if (r.feed == 40 && r.z > -0.6 + 1e-4 && r.z < 12 - 1e-4) {
            // The retract at the exit: 0.5 above the cut at -1.
            EXPECT_NEAR(r.z, -0.5, 1e-4);
            ++positioning;
        }
    }
    EXPECT_GT(positioning, 0);
}

TEST_F(TrimCli, PolygonOutsideWithZLimitToTbf) {
    const std::string tbf = out("polygon.TBF");
    const CliResult result =
        runCli({"trim", kHelix, "-o", tbf, "--polygon", "-3,-3,3,-3,3,3,-3,3", "--outside",
                "--deepest", "-1.2", "--remove-wasted", "--tolerance", "0.001"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.out.find(", \"Z\" travel limited"), std::string::npos) << result.out;
    const std::vector<Dumped> records = dump(tbf);
    ASSERT_GT(records.size(), 10u);
    for (const Dumped& r : records)
        EXPECT_GE(r.z, -1.2 - 1e-4);
    // The helix is cut into chords on its circle of radius 10 (the square is inside it).
    int onCircle = 0;
    for (const Dumped& r : records)
        if (std::fabs(std::hypot(r.x, r.y) - 10) < 1e-3)
            ++onCircle;
    EXPECT_GT(onCircle, 100);
}

TEST_F(TrimCli, UsageErrors) {
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::string nc = out("never.nc");
    const std::vector<Case> cases = {
        {{"trim", kContour, "-o", nc}, "give either --box L,B,R,T or --polygon"},
        {{"trim", kContour, "-o", nc, "--box", "0,0,1,1", "--polygon", "0,0,1,0,1,1"},
         "give either --box"},
        {{"trim", kContour, "-o", nc, "--box", "0,0,1"}, "--box needs four values"},
        {{"trim", kContour, "-o", nc, "--box", "0,x,1,1"},
         "'x' is not a valid floating point value"},
        {{"trim", kContour, "-o", nc, "--polygon", "0,0,1,0"}, "at least three X,Y pairs"},
        {{"trim", kContour, "-o", nc, "--polygon", "0,0,1,0,1,1e5"},
         "--polygon: '1e5' is not a valid floating point value"},
        {{"trim", kContour, "-o", nc, "--box", "0,0,1,1", "--relative"},
         "--relative needs --secondary"},
        {{"trim", kContour, "-o", nc, "--box", "0,0,1,1", "--remove-wasted"},
         "--remove-wasted needs --deepest"},
        {{"trim", kContour, "-o", nc, "--box", "0,0,1,1", "--plunge-feed", "0"},
         "Plunge feed rate must be a number greater than 0..."},
        {{"trim", kContour, "-o", nc, "--box", "0,0,1,1", "--tolerance", "-1"},
         "Chordal deviation tolerance must be a number greater than 0..."},
        {{"trim", kContour, "-o", out("never.TBF"), "--box", "0,0,1,1", "--machine", "X"},
         "--machine applies to NC output"},
        {{"trim", "-o", nc, "--box", "0,0,1,1"}, "no input file given"},
        {{"trim", kContour, "--box", "0,0,1,1"}, "no output file given"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const CliResult result = runCli(c.args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(std::ifstream(nc).good());
}

} // namespace
} // namespace korvix::test
