#include "filters/filter_commands.h"
#include "filters/filter_parameters.h"
#include "model/path_builder.h"
#include "model/workspace.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

TEST(FilterParameters, DialogFieldsAreCheckedBeforeAnythingRuns) {
    struct Case {
        const char* tolerance;
        const char* maxRadius;
        std::string problem;
    };
    const Case fitCases[] = {
        {"0.001", "99.99", ""},
        {".5", "5.", ""},
        {"", "99.99", "Chordal tolerance \"\" is not a valid number..."},
        {"1.2.3", "99.99", "Chordal tolerance \"1.2.3\" is not a valid number..."},
        {"0", "99.99", "Chordal tolerance must be a number greater than 0..."},
        {"-0.001", "99.99", "Chordal tolerance must be a number greater than 0..."},
        {"0.001", "-", "Maximum radius \"-\" is not a valid number..."},
        {"0.001", "0", "Maximum radius must be a number greater than 0..."},
        // The first bad field is the one named.
        {"x", "0", "Chordal tolerance \"x\" is not a valid number..."},
    };
    for (const Case& c : fitCases) {
        const FitArcsInput input = parseFitArcsParameters(c.tolerance, c.maxRadius, true);
        EXPECT_EQ(input.problem, c.problem) << c.tolerance << " " << c.maxRadius;
        if (input.ok()) {
            EXPECT_TRUE(input.options.xyPlaneOnly);
            EXPECT_GT(input.options.chordalTolerance, 0);
            EXPECT_GT(input.options.maxRadius, 0);
        }
    }
    EXPECT_DOUBLE_EQ(parseFitArcsParameters("0.0012", "50", false).options.chordalTolerance,
                     0.0012);

    const Case siftCases[] = {
        {"0.0005", "", ""},
        {"0", "", ""}, // only points exactly on the line go
        {"-1", "", "Sift tolerance must be a number of 0 or more..."},
        {"abc", "", "Sift tolerance \"abc\" is not a valid number..."},
    };
    for (const Case& c : siftCases) {
        const SiftInput input = parseSiftParameters(c.tolerance, true);
        EXPECT_EQ(input.problem, c.problem) << c.tolerance;
        if (input.ok()) {
            EXPECT_TRUE(input.options.siftRapids);
        }
    }
}

// Points on a quarter circle of radius 2 with a collinear stretch after it.
void loadPath(Workspace& ws) {
    PathBuilder path(ws.database, 2, 0, 0);
    path.feed(100);
    for (int i = 1; i <= 18; ++i)
        path.line(2 * std::cos(i * 5 * 3.14159265358979 / 180),
                  2 * std::sin(i * 5 * 3.14159265358979 / 180), 0);
    path.line(-1, 2, 0).line(-2, 2, 0).line(-3, 2, 0).line(-3, 3, 0);
}

TEST(FilterCommands, StatusTextsInOrder) {
    struct Case {
        const char* name;
        bool withData;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"fit",
         true,
         {"status: Currently fitting arcs through point to point data...",
          "status: Done fitting arcs... Points removed = 17, Arcs added = 1"}},
        {"fit",
         false,
         {"status: Warning! No data currently in memory to fit arcs through \"COMMAND "
          "CANCELED...\""}},
        {"sift",
         true,
         {"status: Currently sifting to a tolerance of \"0.0005\"...",
          "status: Sift command successfully removed \"2\" points..."}},
        {"sift", false, {}},
        {"reverse",
         true,
         {"status: Cut direction is being reversed...",
          "status: Cut direction has been reversed..."}},
        {"reverse", false, {}},
        {"explode",
         true,
         {"status: Converting arcs into points using a tolerance of \"0.0005...\"",
          "status: Explode arc command completed successfully..."}},
        {"explode",
         false,
         {"status: Warning! Currently no data in memory to explode \"COMMAND CANCELED...\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.withData ? " with data" : " without data"));
        Workspace ws;
        RecordingReporter reporter;
        ws.reporter = &reporter;
        int pumped = 0;
        ws.pump.install([&] { ++pumped; });
        if (c.withData) {
            loadPath(ws);
            ws.database.status.ncLoaded = false; // the command sets it
        }
        const std::string name = c.name;
        if (name == "fit")
            EXPECT_EQ(runFitArcs(ws.database, {0.01, 99.99, false}, reporter, ws.pump).ok(),
                      c.withData);
        else if (name == "sift")
            EXPECT_EQ(runSiftPoints(ws.database, "0.0005", {0.0005, false}, reporter, ws.pump).ok(),
                      c.withData);
        else if (name == "explode")
            EXPECT_EQ(runExplodeArcs(ws.database, 0.0005, "0.0005", reporter, ws.pump).ok(),
                      c.withData);
        else
            EXPECT_EQ(runReverseCutDirection(ws.database, reporter, ws.pump), c.withData);
        EXPECT_EQ(reporter.messages, c.messages);
        // The status text gets onto the screen before the work starts.
        EXPECT_GE(pumped, c.withData ? 2 : 0);
        EXPECT_EQ(ws.database.status.ncLoaded, c.withData);
    }
}

TEST(FilterCommands, ReversingWarnsOfRapidPlunges) {
    Workspace ws;
    RecordingReporter reporter;
    PathBuilder path(ws.database, 0, 0, 25);
    path.rapid(10, 10, 2).feed(100).line(10, 10, -4).line(20, 10, -4).rapid(20, 10, 25);
    // The last retract, travelled backwards, is a rapid plunge to full depth.
    ASSERT_TRUE(runReverseCutDirection(ws.database, reporter, ws.pump));
    const std::string warning =
        "Warning! 1 rapid moves now plunge below Z = 2.0000; check them before machining...";
    EXPECT_EQ(reporter.messages,
              (std::vector<std::string>{"status: Cut direction is being reversed...",
                                        "status: Cut direction has been reversed...",
                                        "status: " + warning, "warning: " + warning}));
    // Reversed back, no rapid ends below the lowest one of the plunging path.
    reporter.messages.clear();
    ASSERT_TRUE(runReverseCutDirection(ws.database, reporter, ws.pump));
    EXPECT_EQ(reporter.messages.size(), 2u);
}

} // namespace
} // namespace korvix::test
