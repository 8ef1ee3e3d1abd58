#include "model/workspace.h"
#include "display/status_text.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

// A toolpath status as a read leaves it: the Y pair held negated.
void loadPath(Workspace& ws, double minY, double maxY, double cuttingTime) {
    ws.database.records.createFirst();
    DatabaseStatus& s = ws.database.status;
    s.extents = {-1.5, 123456.789, minY, maxY, -20.0, 50.0};
    s.extents.negateY();
    s.minFeed = 80;
    s.maxFeed = 2500;
    s.cuttingTime = cuttingTime;
    s.ncLoaded = true;
}

TEST(StatusText, NcLines) {
    Workspace ws;
    loadPath(ws, -5, 3, 125.9);
    EXPECT_EQ(statusWindowLines(ws, false),
              (std::vector<std::string>{
                  " (X) Min = -1.50000 Max = 123456.80000 Delta = 123458.30000 Center = "
                  "61727.64000",
                  " (Y) Min = -5.00000 Max = 3.00000 Delta = 8.00000 Center = -1.00000",
                  " (Z) Min = -20.00000 Max = 50.00000 Delta = 70.00000 Center = 15.00000",
                  " (F) Min = 80.000 Max = 2500.000",
                  " Approximate cutting time = 2 hours, 5 minutes at 100% feed rate."}));
}

TEST(StatusText, CuttingTimeInWholeHoursAndMinutes) {
    const std::pair<double, std::pair<long, long>> cases[] = {
        {125.9, {2, 5}}, {0.99, {0, 0}},          {0, {0, 0}}, {59.999, {0, 59}}, {60, {1, 0}},
        {-3, {0, 0}},    {1e300, {INT64_MAX, 59}}};
    for (const auto& [minutes, expected] : cases) {
        const HoursMinutes time = cuttingTimeHoursMinutes(minutes);
        EXPECT_EQ(time.hours, expected.first) << minutes;
        EXPECT_EQ(time.minutes, expected.second) << minutes;
    }
}

TEST(StatusText, WhatIsLoadedDecidesTheLines) {
    Workspace ws;
    EXPECT_EQ(statusWindowLines(ws, false),
              std::vector<std::string>{" No NC data currently loaded..."});
    EXPECT_EQ(statusWindowLines(ws, true),
              std::vector<std::string>{" No Wire data currently loaded..."});

    // A wire-frame alone sets the shared drawable flag: still no NC data.
    ws.wireframe.points.createFirst();
    ws.wireframe.extents = {0, 10, 0, 4, 0, 0};
    ws.wireframe.extents.negateY();
    ws.database.status.ncLoaded = true;
    EXPECT_EQ(statusWindowLines(ws, false),
              std::vector<std::string>{" No NC data currently loaded..."});

    loadPath(ws, 0, 1, 0);
    EXPECT_EQ(statusWindowLines(ws, false).size(), 5u);
    EXPECT_EQ(statusWindowLines(ws, true),
              (std::vector<std::string>{
                  " Wire data STATUS...",
                  " (X) Min = 0.00000 Max = 10.00000 Delta = 10.00000 Center = 5.00000",
                  " (Y) Min = 0.00000 Max = 4.00000 Delta = 4.00000 Center = 2.00000",
                  " (Z) Min = 0.00000 Max = 0.00000 Delta = 0.00000 Center = 0.00000"}));
}

} // namespace
} // namespace korvix::test
