#include "editing/modify_all_command.h"
#include "editing/modify_all_preview.h"
#include "editing/modify_all_texts.h"
#include "editing/path_status_recompute.h"
#include "model/reporter.h"
#include "modify_all_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

ModifyAllRequest relocateRequest(double dx, double dy, double dz, int copies = 0) {
    ModifyAllRequest request;
    request.page = ModifyAllPage::Relocate;
    request.relocate = {dx, dy, dz, copies};
    return request;
}

std::size_t walkLength(const GraphicsDatabase& db) {
    std::size_t n = 0;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        ++n;
    return n;
}

class ModifyAllPreview : public ::testing::Test {
protected:
    void SetUp() override {
        buildMixedPath(m_db);
        recomputePathStatus(m_db);
        // Records the user had selected in edit mode.
        m_db.first()->next->selected = 1;
        m_before = snapshot(m_db);
        m_status = m_db.status;
    }

    GraphicsDatabase m_db;
    std::vector<MoveRecord> m_before;
    DatabaseStatus m_status;
    RecordingReporter m_reporter;
    MessagePump m_pump;
    FeedRateTable m_table;
};

TEST_F(ModifyAllPreview, IsASelectedCopyOfTheSingleChangeBesideThePath) {
    // Copies are for "&Ok": the preview shows one relocation.
    const ModifyAllPreviewBuild build = buildModifyAllPreview(m_db, relocateRequest(100, 0, 0, 3));
    ASSERT_TRUE(build.ok());
    expectUnchanged(m_db, m_before);
    const std::vector<MoveRecord> copy = snapshot(build.preview);
    ASSERT_EQ(copy.size(), m_before.size());
    for (std::size_t i = 0; i < copy.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(copy[i].selected, 1);
        EXPECT_EQ(copy[i].sequence, m_before[i].sequence);
        EXPECT_EQ(copy[i].blockNumber, m_before[i].blockNumber);
        EXPECT_EQ(copy[i].kind, m_before[i].kind);
        EXPECT_NEAR(copy[i].x, m_before[i].x + 100, 1e-4);
    }
    EXPECT_NEAR(build.preview.status.extents.minX, m_status.extents.minX + 100, 1e-4);
    EXPECT_NEAR(build.preview.status.cuttingTime, m_status.cuttingTime, 1e-6);
}

TEST_F(ModifyAllPreview, ShownAfterThePathAndPutBackOnDiscard) {
    ModifyAllPreviewBuild build = buildModifyAllPreview(m_db, relocateRequest(100, 0, 0));
    ASSERT_TRUE(build.ok());
    MoveRecord* last = m_db.records.lastAndCount().first;
    const MoveRecord* copyFirst = build.preview.first();
    {
        ShownPreview shown(m_db, std::move(build.preview));
        // One walk of the database meets the path, then the preview.
        EXPECT_EQ(last->next, copyFirst);
        EXPECT_EQ(copyFirst->prev, last);
        EXPECT_EQ(walkLength(m_db), 2 * m_before.size());
        EXPECT_EQ(m_db.status.extents.minX, m_status.extents.minX);
        EXPECT_NEAR(m_db.status.extents.maxX, m_status.extents.maxX + 100, 1e-4);
        // The Y pair stays in screen orientation: the joined box still spans the path's.
        EXPECT_EQ(m_db.status.extents.minY, m_status.extents.minY);
        EXPECT_EQ(m_db.status.extents.maxY, m_status.extents.maxY);
        // The renderer writes into the records while the preview is on show.
        last->visible = 0;
        last->screenX = 1234;
        shown.discard();
    }
    expectUnchanged(m_db, m_before);
    EXPECT_EQ(last->next, nullptr);
    EXPECT_EQ(m_db.status.extents.maxX, m_status.extents.maxX);
}

TEST_F(ModifyAllPreview, KeepingReplacesThePathAndClearsEverySelection) {
    m_reporter.answers = {true};
    std::vector<std::size_t> seenByRedraw;
    const PreviewOutcome outcome =
        previewModifyAll(m_db, relocateRequest(0, 0, -3), m_table, m_reporter, m_pump,
                         [&] { seenByRedraw.push_back(walkLength(m_db)); });
    EXPECT_EQ(outcome, PreviewOutcome::Kept);
    EXPECT_EQ(m_reporter.messages,
              std::vector<std::string>{"confirm: Do you wish to keep this modification?"});
    // Drawn once with the preview after the path, once more as the new path.
    EXPECT_EQ(seenByRedraw, (std::vector<std::size_t>{2 * m_before.size(), m_before.size()}));
    const std::vector<MoveRecord> after = snapshot(m_db);
    ASSERT_EQ(after.size(), m_before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].selected, 0) << i;
        EXPECT_NEAR(after[i].z, m_before[i].z - 3, 1e-5);
    }
    EXPECT_NEAR(m_db.status.extents.maxZ, m_status.extents.maxZ - 3, 1e-5);
    EXPECT_TRUE(m_db.status.ncLoaded);
}

TEST_F(ModifyAllPreview, AnsweringNoDiscardsIt) {
    m_reporter.answers = {false};
    int redraws = 0;
    EXPECT_EQ(previewModifyAll(m_db, relocateRequest(5, 5, 5), m_table, m_reporter, m_pump,
                               [&] { ++redraws; }),
              PreviewOutcome::Discarded);
    EXPECT_EQ(redraws, 2);
    expectUnchanged(m_db, m_before);
    EXPECT_EQ(m_db.status.extents.maxX, m_status.extents.maxX);
}

int g_chunksLeft = 0;
void* chunksThenNothing(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST_F(ModifyAllPreview, OutOfMemoryLeavesThePathAndSaysSo) {
    // A path longer than the preview's first chunk.
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 0);
    for (int i = 0; i < 5000; ++i)
        path.line(i, 0, 0);
    const std::vector<MoveRecord> before = snapshot(db);
    for (const int chunks : {0, 1}) {
        g_chunksLeft = chunks;
        int redraws = 0;
        EXPECT_EQ(previewModifyAll(
                      db, relocateRequest(1, 0, 0), m_table, m_reporter, m_pump, [&] { ++redraws; },
                      &chunksThenNothing),
                  PreviewOutcome::Failed);
        EXPECT_EQ(redraws, 0);
        expectUnchanged(db, before);
        EXPECT_EQ(m_reporter.lastStatus(), kModifyAllOutOfMemoryStatus);
    }
}

TEST_F(ModifyAllPreview, TheFeedPageShowsNoGeometry) {
    ASSERT_TRUE(beginModifyAll(m_db, m_table, m_reporter));
    ASSERT_EQ(m_table.count(), 3); // 200, 500, 250
    m_table.entry(2).newFeed = 650;
    ModifyAllRequest request;
    request.page = ModifyAllPage::FeedRates;
    m_reporter.messages.clear();
    m_reporter.answers = {false, true};
    EXPECT_EQ(previewModifyAll(m_db, request, m_table, m_reporter, m_pump, {}),
              PreviewOutcome::Discarded);
    expectUnchanged(m_db, m_before);
    EXPECT_EQ(previewModifyAll(m_db, request, m_table, m_reporter, m_pump, {}),
              PreviewOutcome::Kept);
    const std::vector<std::string> expected = {
        "status: you selected to PREVIEW the modification of all feed rates..",
        "confirm: Do you wish to keep this modification?",
        "status: you selected to PREVIEW the modification of all feed rates..",
        "confirm: Do you wish to keep this modification?",
    };
    EXPECT_EQ(m_reporter.messages, expected);
    // Keeping it keeps the feed change.
    for (const MoveRecord* r = m_db.first(); r != nullptr; r = r->next)
        if (r->kind != kKindStartPoint && r->motion != kMotionRapid) {
            EXPECT_NE(r->feed, 500);
        }
    EXPECT_EQ(m_db.status.maxFeed, 650);
}

} // namespace
} // namespace korvix::test
