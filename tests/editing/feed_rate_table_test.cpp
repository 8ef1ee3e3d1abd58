#include "editing/modify_all.h"
#include "editing/modify_all_command.h"
#include "editing/modify_all_texts.h"
#include "model/feed_rate_table.h"
#include "model/reporter.h"
#include "modify_all_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

Rgb colorOf(int i) {
    return makeRgb(i, 255 - i, 7);
}

// Feed moves with the given feeds, each in its own colour, with rapids in between (whose
// feed never counts).
void buildFeeds(GraphicsDatabase& db, const std::vector<double>& feeds) {
    PathBuilder path(db, 0, 0, 0);
    int i = 0;
    for (const double feed : feeds) {
        path.feed(feed).line(i, 0, 0);
        path.last().color = colorOf(i);
        path.feed(feed + 1000).rapid(i, 1, 0);
        ++i;
    }
}

TEST(FeedRateTable, DistinctFeedsInOrderOfFirstAppearance) {
    GraphicsDatabase db;
    buildFeeds(db, {100.0, 250, 100.0001, 100.001, 250, 99.9999, 42});
    FeedRateTable table;
    EXPECT_EQ(buildFeedRateTable(db, table), 4);
    const std::vector<float> expected = {100.0f, 250, 100.001f, 42};
    for (int n = 1; n <= table.count(); ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(table.entry(n).oldFeed, expected[static_cast<std::size_t>(n - 1)]);
        EXPECT_EQ(table.entry(n).newFeed, table.entry(n).oldFeed);
    }
    // The colour of the first move found with the feed.
    EXPECT_EQ(table.entry(1).color, colorOf(0));
    EXPECT_EQ(table.entry(3).color, colorOf(3));
    EXPECT_FALSE(table.overflow());
    // 100.0001 and 99.9999 are within 0.0002 of 100; 100.001 is not.
    EXPECT_EQ(table.find(100.0001), 1);
    EXPECT_EQ(table.find(99.99985), 1);
    EXPECT_EQ(table.find(100.0003), 0);
    EXPECT_EQ(table.find(1100.0), 0); // the rapids' feeds
}

TEST(FeedRateTable, The256thFeedIsLeftOutAndTheUserIsTold) {
    GraphicsDatabase db;
    std::vector<double> feeds;
    for (int i = 1; i <= 257; ++i)
        feeds.push_back(i);
    buildFeeds(db, feeds);
    FeedRateTable table;
    RecordingReporter reporter;
    ASSERT_TRUE(beginModifyAll(db, table, reporter));
    EXPECT_EQ(table.count(), 255);
    EXPECT_TRUE(table.overflow());
    EXPECT_EQ(table.find(256), 0);
    EXPECT_EQ(reporter.lastStatus(), kFeedRateTableFullStatus);

    // The moves without an entry keep their feed and colour; the others change.
    for (int n = 1; n <= table.count(); ++n) {
        table.entry(n).newFeed = 5000;
        table.entry(n).color = kWhite;
    }
    applyFeedRateChange(db, table);
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next) {
        if (r->kind == kKindStartPoint || r->motion == kMotionRapid)
            continue;
        const bool beyond = r->x >= 255;
        EXPECT_EQ(r->feed, beyond ? r->x + 1 : 5000) << r->x;
        EXPECT_EQ(r->color, beyond ? colorOf(static_cast<int>(r->x)) : kWhite) << r->x;
    }
    // A table that fits says nothing.
    GraphicsDatabase small;
    buildFeeds(small, {1, 2});
    RecordingReporter quiet;
    ASSERT_TRUE(beginModifyAll(small, table, quiet));
    EXPECT_EQ(quiet.messages, std::vector<std::string>{"status: "});
    GraphicsDatabase empty;
    EXPECT_FALSE(beginModifyAll(empty, table, quiet));
}

TEST(FeedRateTable, NewFeedsAndColoursReachTheirMoves) {
    GraphicsDatabase db;
    buildFeeds(db, {100.0, 200, 100.0001, 300});
    FeedRateTable table;
    buildFeedRateTable(db, table);
    ASSERT_EQ(table.count(), 3);
    // 100 and 200 swap; 300 keeps its feed and gets a new colour.
    table.entry(1).newFeed = 200;
    table.entry(2).newFeed = 100;
    table.entry(3).color = kBlack;
    const ModifyAllResult result = applyFeedRateChange(db, table);
    EXPECT_EQ(result.feedsChanged, 3u);
    std::vector<float> feeds;
    std::vector<Rgb> colors;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        if (r->kind != kKindStartPoint && r->motion != kMotionRapid) {
            feeds.push_back(r->feed);
            colors.push_back(r->color);
        }
    EXPECT_EQ(feeds, (std::vector<float>{200, 100, 200, 300}));
    // Each move now has its entry's colour, the first 100's colour for both 100s.
    EXPECT_EQ(colors, (std::vector<Rgb>{colorOf(0), colorOf(1), colorOf(0), kBlack}));
    EXPECT_EQ(db.status.minFeed, 100);
    EXPECT_EQ(db.status.maxFeed, 300);

    // An entry left alone leaves even its near values exactly as programmed.
    GraphicsDatabase near;
    buildFeeds(near, {100.0, 100.0001});
    buildFeedRateTable(near, table);
    applyFeedRateChange(near, table);
    EXPECT_EQ(near.first()->next->next->next->feed, 100.0001f);
}

TEST(FeedRateTable, SelectedOnlyLeavesTheOthers) {
    GraphicsDatabase db;
    buildFeeds(db, {100, 100, 200});
    MoveRecord* second = db.first()->next->next->next;
    second->selected = 1;
    FeedRateTable table;
    ASSERT_EQ(buildFeedRateTable(db, table, FeedRateMoves::SelectedOnly), 1);
    table.entry(1).newFeed = 150;
    EXPECT_EQ(applyFeedRateTable(db, table, FeedRateMoves::SelectedOnly), 1u);
    EXPECT_EQ(db.first()->next->feed, 100);
    EXPECT_EQ(second->feed, 150);
}

} // namespace
} // namespace korvix::test
