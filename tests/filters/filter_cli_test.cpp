#include "cli/cli_runner.h"
#include "test_folder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

const std::string kContour = std::string(KORVIX_TEST_DATA_DIR) + "/fit_contour.nc";

// The arc groups of a file as `korvix-cli dump` lists them: (sequence, motion) of every
// record of kind 2.
std::set<std::pair<int, int>> arcGroups(const std::string& file) {
    const CliResult result = runCli({"dump", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::set<std::pair<int, int>> groups;
    for (const std::string& line : lines(result.out)) {
        int index = 0, kind = 0, sequence = 0, block = 0, motion = 0;
        if (std::sscanf(line.c_str(), "%d %d %d %d %d", &index, &kind, &sequence, &block,
                        &motion) == 5 &&
            kind == 2)
            groups.insert({sequence, motion});
    }
    return groups;
}

struct DumpedPoint {
    int motion = 0;
    double feed = 0, x = 0, y = 0, z = 0;
};

// Every record of a file as `korvix-cli dump` lists it.
std::vector<DumpedPoint> dumpedPoints(const std::string& file) {
    const CliResult result = runCli({"dump", file});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::vector<DumpedPoint> points;
    for (const std::string& line : lines(result.out)) {
        int index = 0, kind = 0, sequence = 0, block = 0, tool = 0;
        DumpedPoint p;
        if (std::sscanf(line.c_str(), "%d %d %d %d %d %d %lf %lf %lf %lf", &index, &kind, &sequence,
                        &block, &p.motion, &tool, &p.feed, &p.x, &p.y, &p.z) == 10)
            points.push_back(p);
    }
    return points;
}

// Distance from p to the nearest segment of the polyline.
double distanceToPath(const DumpedPoint& p, const std::vector<DumpedPoint>& path) {
    double nearest = 1e300;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const DumpedPoint& a = path[i];
        const DumpedPoint& b = path[i + 1];
        const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        const double length2 = dx * dx + dy * dy + dz * dz;
        double t =
            length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy + (p.z - a.z) * dz) / length2 : 0;
        t = t < 0 ? 0 : t > 1 ? 1 : t;
        nearest = std::min(nearest,
                           std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy, p.z - a.z - t * dz));
    }
    return nearest;
}

class FilterCli : public ::testing::Test {
protected:
    std::string out(const std::string& name) const { return m_folder.path(name); }

    TestFolder m_folder{"korvix-filter-cli"};
};

TEST_F(FilterCli, FitsArcsAndWritesAProgramThatReadsBack) {
    const std::string nc = out("fitted.nc");
    const CliResult result =
        runCli({"filter", kContour, "-o", nc, "--fit-arcs", "--tolerance", "0.01"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 2u) << result.out;
    EXPECT_EQ(printed[0], "fit-arcs: Done fitting arcs... Points removed = 52, Arcs added = 2");
    EXPECT_NE(printed[1].find(nc), std::string::npos);
    // Read back: start, plunge, line, arc, line, arc, line, retract.
    const CliResult info = runCli({"info", nc});
    EXPECT_NE(info.out.find(nc + ": 8 blocks"), std::string::npos) << info.out;
    EXPECT_EQ(arcGroups(nc).size(), 2u);
}

TEST_F(FilterCli, FiltersRunInCommandLineOrder) {
    const std::string nc = out("ordered.nc");
    const CliResult result =
        runCli({"filter", kContour, "--reverse", "--sift", "--tolerance", "0.01", "--fit-arcs",
                "--tolerance", "0.01", "--max-radius", "50", "--xy-only", "-o", nc});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 4u) << result.out;
    EXPECT_EQ(printed[0], "reverse: Cut direction has been reversed...");
    EXPECT_EQ(printed[1].rfind("sift: Sift command successfully removed \"", 0), 0u);
    EXPECT_EQ(printed[2].rfind("fit-arcs: Done fitting arcs... Points removed = ", 0), 0u);
    // Reversed, the half circle runs clockwise first and then the quarter circle.
    const std::set<std::pair<int, int>> groups = arcGroups(nc);
    ASSERT_FALSE(groups.empty());
    for (const auto& [sequence, motion] : groups)
        EXPECT_EQ(motion, 2) << sequence;
}

TEST_F(FilterCli, ExplodeAndTbfOutput) {
    const std::string tbf = out("fitted.TBF");
    const CliResult result = runCli({"filter", kContour, "--fit-arcs", "--tolerance", "0.01",
                                     "--explode", "--tolerance", "0.001", "-o", tbf});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> printed = lines(result.out);
    ASSERT_EQ(printed.size(), 3u) << result.out;
    EXPECT_EQ(printed[1].rfind("explode: 2 arcs exploded into ", 0), 0u) << printed[1];
    // Nothing was left to explode when writing.
    EXPECT_NE(printed[2].find("0 arcs exploded"), std::string::npos) << printed[2];
    const CliResult info = runCli({"info", tbf});
    EXPECT_EQ(info.exitCode, 0) << info.err;
    // The points follow the contour: the fitted arcs lie within 0.01 of its points and their
    // chords within 0.001 of the arcs. Rapids stay rapids, feed moves keep their feed.
    const std::vector<DumpedPoint> contour = dumpedPoints(kContour);
    const std::vector<DumpedPoint> points = dumpedPoints(tbf);
    EXPECT_NE(printed[2].find(tbf + ": " + std::to_string(points.size()) + " points written"),
              std::string::npos)
        << printed[2];
    ASSERT_GT(points.size(), contour.size()); // the arcs' chords are finer than the contour
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        EXPECT_LE(distanceToPath(points[i], contour), 0.011);
        const bool rapid = i == 0 || i + 1 == points.size(); // the start and the retract
        EXPECT_EQ(points[i].motion, rapid ? 0 : 1);
        EXPECT_EQ(points[i].feed, rapid ? 0 : 200);
    }
    for (const DumpedPoint& p : contour)
        EXPECT_LE(distanceToPath(p, points), 0.011) << p.x << " " << p.y << " " << p.z;

    // Arcs still in the path when a TBF file is written are exploded then.
    const std::string tbf2 = out("direct.tbf");
    const CliResult direct =
        runCli({"filter", kContour, "--fit-arcs", "--tolerance", "0.01", "-o", tbf2});
    ASSERT_EQ(direct.exitCode, 0) << direct.err;
    EXPECT_NE(direct.out.find("2 arcs exploded"), std::string::npos) << direct.out;
}

TEST_F(FilterCli, MachineFormatAndSeveralInputs) {
    const std::string nc = out("machine.nc");
    const CliResult result = runCli({"filter", kContour, kContour, "--fit-arcs", "--tolerance",
                                     "0.01", "--machine", "ISO_MILL.DNC", "--machines-dir",
                                     std::string(KORVIX_EXAMPLES_DIR) + "/machines", "-o", nc});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // The second copy is appended to the first and fitted the same way: four arcs in all.
    EXPECT_NE(result.out.find("Arcs added = 4"), std::string::npos) << result.out;
    // The format's start and end lines, numbers in steps of ten, words with spaces, three
    // decimals, the plane code once; the second copy starts with a rapid to its own start.
    std::ifstream in(nc);
    std::vector<std::string> written;
    for (std::string line; std::getline(in, line);)
        written.push_back(line);
    const std::vector<std::string> expected = {
        "%",
        "O0001",
        "N10 G21 G17 G40 G49 G80 G90",
        "N20 T01 M06",
        "N30 G90 G00 G54 X0.000 Y0.000 S3000 M03",
        "N40 G43 Z5.000 H00 M08",
        "N50 G01 Z-1.000 F200.0",
        "N60 G01 X10.000",
        "N70 G17 G03 X20.000 Y10.000 I10.000 J10.000",
        "N80 G01 Y30.000",
        "N90 G03 X0.000 I10.000 J30.000",
        "N100 G01 Y0.000",
        "N110 G00 Z5.000",
        "N120 G00",
        "N130 G01 Z-1.000",
        "N140 G01 X10.000",
        "N150 G03 X20.000 Y10.000 I10.000 J10.000",
        "N160 G01 Y30.000",
        "N170 G03 X0.000 I10.000 J30.000",
        "N180 G01 Y0.000",
        "N190 G00 Z5.000",
        "N200 M05 M09",
        "N210 G91 G28 Z0.",
        "N220 G90",
        "N230 M30",
        "%",
    };
    EXPECT_EQ(written, expected);
    EXPECT_EQ(arcGroups(nc).size(), 4u);
}

TEST_F(FilterCli, MistakesOnTheCommandLine) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    };
    const std::string o = out("never.nc");
    const std::vector<Case> cases = {
        {{kContour, "-o", o}, 2, "no filter given"},
        {{kContour, "--tolerance", "0.1", "--fit-arcs", "-o", o}, 2, "--tolerance must follow"},
        {{kContour, "--fit-arcs", "--rapids", "-o", o}, 2, "--rapids must follow --sift"},
        {{kContour, "--sift", "--max-radius", "5", "-o", o},
         2,
         "--max-radius must follow --fit-arcs"},
        {{kContour, "--fit-arcs", "--tolerance", "1", "--tolerance", "2", "-o", o},
         2,
         "--tolerance given twice for --fit-arcs"},
        {{kContour, "--fit-arcs", "--tolerance", "abc", "-o", o},
         2,
         "Chordal tolerance \"abc\" is not a valid number..."},
        {{kContour, "--fit-arcs", "--max-radius", "0", "-o", o},
         2,
         "Maximum radius must be a number greater than 0..."},
        {{kContour, "--sift", "--tolerance", "-1", "-o", o},
         2,
         "Sift tolerance must be a number of 0 or more..."},
        {{kContour, "--explode", "--tolerance", "0", "-o", o}, 2, "greater than 0"},
        {{kContour, "--reverse", "--machine", "Default", "-o", out("never.tbf")},
         2,
         "--machine applies to NC output"},
        {{kContour, "--reverse"}, 2, "no output file given"},
        {{"--reverse", "-o", o}, 2, "no input file given"},
        {{out("missing.nc"), "--reverse", "-o", o}, 1, "nothing written"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args{"filter"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(o)) << c.message;
    }
}

} // namespace
} // namespace korvix::test
