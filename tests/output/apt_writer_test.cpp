#include "filters/explode_arcs.h"
#include "model/path_builder.h"
#include "output/apt_writer.h"
#include "test_folder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

ToolEntry makeTool(int number, float d, float r, float l, int rpm) {
    ToolEntry t;
    t.toolNumber = static_cast<std::uint8_t>(number);
    t.diameter = d;
    t.radius = r;
    t.length = l;
    t.spindleSpeed = static_cast<std::int16_t>(rpm);
    return t;
}

class AptWriter : public ::testing::Test {
protected:
    // Writes and returns the lines of the file.
    std::vector<std::string> write(GraphicsDatabase& db, const ToolTable& tools,
                                   double tolerance = kDefaultExplodeTolerance) {
        m_result = writeAptFile(db, tools, m_file.string(), tolerance);
        EXPECT_TRUE(m_result.ok) << m_result.message;
        std::ifstream in(m_file);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    TestFolder m_folder{"korvix_apt"};
    fs::path m_file = m_folder.path("out.apt");
    WriteResult m_result;
};

TEST_F(AptWriter, ToolBlocksModesAndPoints) {
    ToolTable tools;
    tools.count = 2;
    tools.entries[1] = makeTool(1, 0.5f, 0.25f, 3, 1200);
    tools.entries[2] = makeTool(3, 1, 0, 4, -500);

    GraphicsDatabase db;
    PathBuilder(db, 0, 0, 1)
        .tool(1)
        .rapid(1, 1, 1)
        .feed(5)
        .line(1, 1, -0.5)
        .feed(20)
        .line(2, 1, -0.5) // a new feed without a rapid before it: no FEDRAT
        .rapid(2, 1, 1)
        .tool(3)
        .feed(12.5)
        .line(3, 3, 0)
        .tool(9) // not in the table: moves without a tool block
        .line(4, 3, 0);
    const std::vector<std::string> expected = {
        "CUTTER/0.5000,0.2500,0.0000,0.2500,0.000,0.000,3.0000",
        "TOOLNO/1",
        "SPINDL/RPM,1200",
        "SPINDL/ON",
        "RAPID",
        "FROM/0.0000,0.0000,1.0000",
        "GOTO/1.0000,1.0000,1.0000",
        "FEDRAT/IPM, 5.0000",
        "GOTO/1.0000,1.0000,-0.5000",
        "GOTO/2.0000,1.0000,-0.5000",
        "RAPID",
        "GOTO/2.0000,1.0000,1.0000",
        "CUTTER/1.0000,0.0000,0.5000,0.0000,0.000,0.000,4.0000",
        "TOOLNO/3",
        "SPINDL/RPM,-500",
        "SPINDL/ON",
        "FEDRAT/IPM,12.5000",
        "GOTO/3.0000,3.0000,0.0000",
        "GOTO/4.0000,3.0000,0.0000",
    };
    EXPECT_EQ(write(db, tools), expected);
    EXPECT_EQ(m_result.recordsWritten, 7u);
}

TEST_F(AptWriter, PathStartingWithFeedMovesAndToolZero) {
    ToolTable tools; // empty: tool 0 takes entry 0
    tools.entries[0] = makeTool(0, 0.25f, 0, 2, 800);
    GraphicsDatabase db;
    PathBuilder(db, 10, -20, 5).feed(300).line(10, -20, 0).line(15, -20, 0);
    const std::vector<std::string> expected = {
        "CUTTER/0.2500,0.0000,0.1250,0.0000,0.000,0.000,2.0000",
        "TOOLNO/0",
        "SPINDL/RPM,800",
        "SPINDL/ON",
        "RAPID",
        "FROM/10.0000,-20.0000,5.0000",
        "FEDRAT/IPM,300.0000",
        "GOTO/10.0000,-20.0000,0.0000",
        "GOTO/15.0000,-20.0000,0.0000",
    };
    EXPECT_EQ(write(db, tools), expected);
    EXPECT_EQ(m_result.arcsExploded, 0u);
    EXPECT_EQ(db.first()->next->blockNumber, 102); // not renumbered: no explosion
}

TEST_F(AptWriter, StartPointOnlyHasNoToolBlock) {
    GraphicsDatabase db;
    PathBuilder(db, 1.23456789, 0, -0.00004);
    EXPECT_EQ(write(db, ToolTable{}),
              (std::vector<std::string>{"RAPID", "FROM/1.2346,0.0000,0.0000"}));
}

TEST_F(AptWriter, NumberFormats) {
    struct Case {
        double feed;
        const char* line;
    };
    for (const Case& c : std::vector<Case>{{5, "FEDRAT/IPM, 5.0000"},
                                           {0.5, "FEDRAT/IPM, 0.5000"},
                                           {12.34375, "FEDRAT/IPM,12.3438"},
                                           {1500, "FEDRAT/IPM,1500.0000"},
                                           {0, "FEDRAT/IPM, 0.0000"}}) {
        EXPECT_EQ(aptFeedLine(c.feed), c.line);
    }
    EXPECT_EQ(aptPointLine("GOTO", 123456.789, -0.00005, 12.34375),
              "GOTO/123456.8000,-0.0001,12.3438");
    EXPECT_EQ(aptCutterLine(makeTool(1, 0.5f, 0.25f, 3, 0)),
              "CUTTER/0.5000,0.2500,0.0000,0.2500,0.000,0.000,3.0000");
}

TEST_F(AptWriter, ArcsAreExplodedFirst) {
    GraphicsDatabase db;
    PathBuilder(db, 1, 0, 0).feed(10).arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 0);
    const auto lines = write(db, ToolTable{}, 1); // a 180 degree step: the end point alone
    EXPECT_EQ(m_result.arcsExploded, 1u);
    EXPECT_FALSE(hasArcs(db));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "GOTO/0.0000,1.0000,0.0000");
}

TEST_F(AptWriter, RefusedWithoutDataOrWithABadTolerance) {
    GraphicsDatabase empty;
    WriteResult result = writeAptFile(empty, ToolTable{}, m_file.string(), 0.001);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, kNothingToSaveText);

    GraphicsDatabase db;
    PathBuilder(db, 1, 0, 0).arc(kPlaneXY, 0, 0, 0, 1, 0, 90, 0);
    result = writeAptFile(db, ToolTable{}, m_file.string(), -1);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(hasArcs(db));
    EXPECT_FALSE(fs::exists(m_file));
}

} // namespace
} // namespace korvix::test
