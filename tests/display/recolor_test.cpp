#include "display/plain_view.h"
#include "display/recolor.h"
#include "display/recording_canvas.h"
#include "model/path_builder.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

constexpr Rgb kRed = makeRgb(255, 0, 0);
constexpr Rgb kBlue = makeRgb(0, 0, 255);

TEST(ColorTable, FeedRatesWithinTheToleranceShareAnEntry) {
    struct Case {
        float first, second;
        int entries;
    } cases[] = {
        {100.0f, 100.0001f, 1}, {100.0f, 100.0002f, 1}, {100.0f, 100.001f, 2},
        {100.0f, 99.999f, 2},   {0.0f, 0.0001f, 1},
    };
    for (const Case& c : cases) {
        Workspace ws;
        PathBuilder path(ws);
        path.start(0, 0);
        path.color(kRed).feed(c.first).line(1, 0, 0);
        path.color(kBlue).feed(c.second).line(2, 0, 0);
        ColorTable table;
        EXPECT_EQ(buildColorTable(ws.database, RecolorKey::FeedRate, table), c.entries)
            << c.first << " / " << c.second;
        EXPECT_EQ(table.entries[0].key, c.first);
        EXPECT_EQ(table.entries[0].color, kRed); // the first move's colour
        EXPECT_FALSE(table.overflow);
    }
}

TEST(ColorTable, RecolorsFeedMovesOnly) {
    Workspace ws;
    PathBuilder path(ws);
    path.start(0, 0);
    MoveRecord& a = path.feed(250).line(1, 0, 0).last();
    MoveRecord& rapid = path.rapid(2, 0).last();
    MoveRecord& b = path.feed(750).line(3, 0, 0).last();
    MoveRecord& c = path.feed(250.0001f).line(4, 0, 0).last();
    path.piece(100, 5, 1, 0).last().feed = 750;

    ColorTable table;
    ASSERT_EQ(buildColorTable(ws.database, RecolorKey::FeedRate, table), 2);
    EXPECT_EQ(table.entries[0].key, 250.0f);
    EXPECT_EQ(table.entries[1].key, 750.0f);
    table.entries[0].color = kRed;
    table.entries[1].color = kBlue;
    EXPECT_EQ(applyColorTable(ws.database, RecolorKey::FeedRate, table), 4);
    EXPECT_EQ(a.color, kRed);
    EXPECT_EQ(b.color, kBlue);
    EXPECT_EQ(c.color, kRed);
    EXPECT_EQ(ws.database.records.lastAndCount().first->color, kBlue);
    EXPECT_EQ(rapid.color, kRapidColor);
    EXPECT_EQ(ws.database.first()->color, kWhite);
}

TEST(ColorTable, ByToolNumber) {
    Workspace ws;
    PathBuilder path(ws);
    path.start(0, 0);
    for (int tool : {3, 3, 7, 3, 12})
        path.line(static_cast<float>(tool), 0).last().tool = static_cast<std::uint8_t>(tool);
    ColorTable table;
    ASSERT_EQ(buildColorTable(ws.database, RecolorKey::ToolNumber, table), 3);
    EXPECT_EQ(table.entries[2].key, 12.0f);
    EXPECT_EQ(colorKeyText(table.entries[2].key, recolorDialogTexts(RecolorKey::ToolNumber).label),
              "12");
    EXPECT_EQ(colorKeyText(100.0, recolorDialogTexts(RecolorKey::FeedRate).label), "100.00");
    EXPECT_EQ(colorKeyText(7.0, "TOOL NUM:"), "7");
}

TEST(ColorTable, KeysBeyondTheTableAreLeftOutAndSaidSo) {
    // 256 distinct tool numbers: the last one finds no room.
    Workspace ws;
    RecordingReporter reporter;
    ws.reporter = &reporter;
    PathBuilder path(ws);
    path.start(0, 0);
    for (int tool = 0; tool <= 255; ++tool)
        path.line(static_cast<float>(tool), 0, 0).last().tool = static_cast<std::uint8_t>(tool);
    ColorTable table;
    ASSERT_TRUE(beginRecolorCommand(ws, RecolorKey::ToolNumber, table));
    EXPECT_EQ(table.count, 255);
    EXPECT_TRUE(table.overflow);
    EXPECT_EQ(reporter.lastStatus(), "Only the first 255 tool numbers can be given new colors...");

    for (int i = 0; i < table.count; ++i)
        table.entries[static_cast<std::size_t>(i)].color = kBlue;
    RecordingCanvas canvas;
    ws.display.tripod = false;
    setPlainView(ws.view, 1, 0, 0);
    finishRecolorCommand(ws, canvas, RecolorKey::ToolNumber, table);
    MoveRecord* last = ws.database.records.lastAndCount().first;
    EXPECT_EQ(last->color, kWhite); // tool 255 had no entry and keeps its colour
    EXPECT_EQ(last->prev->color, kBlue);
    EXPECT_GT(canvas.count("lineTo"), 0); // redrawn

    Workspace empty;
    EXPECT_FALSE(beginRecolorCommand(empty, RecolorKey::FeedRate, table));
    EXPECT_EQ(table.count, 0);
}

TEST(ColorTable, DialogTexts) {
    EXPECT_EQ(recolorDialogTexts(RecolorKey::FeedRate).caption, "Modify color for each FEED RATE");
    EXPECT_EQ(recolorDialogTexts(RecolorKey::FeedRate).label, "Feed rate:");
    EXPECT_EQ(recolorDialogTexts(RecolorKey::ToolNumber).caption,
              "Modify color for each TOOL NUMBER");
    EXPECT_EQ(recolorDialogTexts(RecolorKey::ToolNumber).label, "Tool num:");
}

} // namespace
} // namespace korvix::test
