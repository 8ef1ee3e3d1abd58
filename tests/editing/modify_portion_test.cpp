#include "editing/modify_portion.h"
#include "editing/modify_portion_command.h"
#include "editing/modify_portion_fields.h"
#include "editing/modify_portion_texts.h"
#include "editing/path_status_recompute.h"
#include "model/reporter.h"
#include "modify_all_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

std::vector<MoveRecord*> records(GraphicsDatabase& db) {
    std::vector<MoveRecord*> out;
    for (MoveRecord* r = db.first(); r != nullptr; r = r->next)
        out.push_back(r);
    return out;
}

void select(GraphicsDatabase& db, std::initializer_list<std::size_t> indices) {
    const std::vector<MoveRecord*> all = records(db);
    for (const std::size_t i : indices)
        all.at(i)->selected = 1;
}

std::size_t selectedCount(const GraphicsDatabase& db) {
    std::size_t n = 0;
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        n += r->selected;
    return n;
}

// The status block holds what a fresh walk of the path gives.
void expectStatusRecomputed(const GraphicsDatabase& db) {
    const PathStatusFigures figures = pathStatusFigures(db.first());
    EXPECT_EQ(db.status.extents.minX, figures.extents.minX);
    EXPECT_EQ(db.status.extents.maxY, figures.extents.maxY);
    EXPECT_EQ(db.status.extents.minZ, figures.extents.minZ);
    EXPECT_DOUBLE_EQ(db.status.minFeed, figures.minFeed);
    EXPECT_DOUBLE_EQ(db.status.maxFeed, figures.maxFeed);
    EXPECT_DOUBLE_EQ(db.status.cuttingTime, figures.cuttingTime);
}

// buildMixedPath's records: 0 start, 1 plunge, 2 line to (20, 0), 3-6 the quarter arc,
// 7 line to (30, 20), 8-12 the helix, 13 the rapid, 14-16 the XZ arc, 17-19 the YZ arc.
class ModifyPortion : public ::testing::Test {
protected:
    void SetUp() override {
        buildMixedPath(m_db);
        // A stale status block: every operation must leave it recomputed.
        m_db.status.cuttingTime = 12345;
        m_db.status.minFeed = 1;
    }
    GraphicsDatabase m_db;
};

TEST_F(ModifyPortion, DeleteWithNothingSelectedChangesNothingButTheFigures) {
    const std::vector<MoveRecord> before = snapshot(m_db);
    EXPECT_EQ(deleteSelected(m_db).recordsChanged, 0u);
    expectUnchanged(m_db, before);
    expectStatusRecomputed(m_db);
}

TEST_F(ModifyPortion, DeletedArcGoesWholeAndTheNextMoveStartsWhereThePathWas) {
    select(m_db, {3, 4, 5, 6});
    const std::vector<MoveRecord> before = snapshot(m_db);
    const ModifyPortionResult result = deleteSelected(m_db);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.recordsChanged, 4u);
    const std::vector<MoveRecord*> after = records(m_db);
    ASSERT_EQ(after.size(), before.size() - 4);
    // The line to (30, 20) now starts at the end of the line to (20, 0).
    EXPECT_EQ(after[3]->sequence, before[7].sequence);
    EXPECT_EQ(after[3]->prev, after[2]);
    EXPECT_EQ(after[2]->next, after[3]);
    EXPECT_EQ(after[2]->x, 20.0f);
    EXPECT_EQ(selectedCount(m_db), 0u);
    expectStatusRecomputed(m_db);
}

TEST_F(ModifyPortion, DeleteKeepsTheStartRecordAndWholeArcsOnly) {
    // Everything selected: only the start record is left, deselected.
    for (MoveRecord* r : records(m_db))
        r->selected = 1;
    deleteSelected(m_db);
    ASSERT_EQ(records(m_db).size(), 1u);
    EXPECT_EQ(m_db.first()->kind, kKindStartPoint);
    EXPECT_EQ(m_db.first()->selected, 0);
    EXPECT_EQ(m_db.first()->next, nullptr);

    // Half an arc selected: the arc stays as it was, nothing is left selected.
    buildMixedPath(m_db);
    select(m_db, {4, 5, 7});
    const std::size_t count = records(m_db).size();
    EXPECT_EQ(deleteSelected(m_db).recordsChanged, 1u);
    EXPECT_EQ(records(m_db).size(), count - 1);
    expectAnglesMatchPoints(arcGroup(m_db, 0));
    EXPECT_EQ(selectedCount(m_db), 0u);
}

TEST_F(ModifyPortion, FeedChangesTouchOnlySelectedCuttingMoves) {
    // Records 2 and 7 are both fed at 500; only 7 (and the rapid 13) are selected.
    select(m_db, {7, 13});
    FeedRateTable table;
    RecordingReporter reporter;
    ASSERT_TRUE(beginModifyPortion(m_db, table, reporter));
    ASSERT_EQ(table.count(), 1); // the rapid has no entry
    table.entry(1).newFeed = 300;
    table.entry(1).color = 0x123456;
    const ModifyPortionResult result = applySelectedFeedRates(m_db, table);
    EXPECT_EQ(result.recordsChanged, 1u);
    const std::vector<MoveRecord*> after = records(m_db);
    EXPECT_EQ(after[7]->feed, 300.0f);
    EXPECT_EQ(after[7]->color, 0x123456u);
    EXPECT_EQ(after[2]->feed, 500.0f);
    EXPECT_EQ(after[2]->color, kWhite);
    EXPECT_EQ(after[13]->motion, kMotionRapid);
    EXPECT_EQ(selectedCount(m_db), 0u);
    expectStatusRecomputed(m_db);
}

TEST_F(ModifyPortion, RelocatedRecordsMoveWithTheirCentresAndTheLinksStretch) {
    select(m_db, {0, 3, 4, 5, 6});
    const std::vector<MoveRecord> before = snapshot(m_db);
    const ModifyPortionResult result = relocateSelected(m_db, 1, -2, 3);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.recordsChanged, 5u);
    const std::vector<MoveRecord*> after = records(m_db);
    for (const std::size_t i : {0u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(after[i]->x, before[i].x + 1);
        EXPECT_FLOAT_EQ(after[i]->y, before[i].y - 2);
        EXPECT_FLOAT_EQ(after[i]->z, before[i].z + 3);
        EXPECT_FLOAT_EQ(after[i]->centerX, before[i].centerX + 1);
        EXPECT_FLOAT_EQ(after[i]->centerY, before[i].centerY - 2);
        EXPECT_EQ(after[i]->radius, before[i].radius);
        EXPECT_EQ(after[i]->startAngle, before[i].startAngle);
    }
    // The moves before and after the arc end where they did.
    for (const std::size_t i : {1u, 2u, 7u}) {
        EXPECT_EQ(after[i]->x, before[i].x);
        EXPECT_EQ(after[i]->y, before[i].y);
    }
    EXPECT_EQ(selectedCount(m_db), 0u);
    expectStatusRecomputed(m_db);

    // Beyond the stored floats nothing moves.
    buildMixedPath(m_db);
    select(m_db, {2});
    const std::vector<MoveRecord> kept = snapshot(m_db);
    EXPECT_EQ(relocateSelected(m_db, 1e39, 0, 0).status, ModifyAllStatus::OutOfRange);
    expectUnchanged(m_db, kept);
}

TEST_F(ModifyPortion, StartPointFieldsConfirmedAsFilledInMoveNothing) {
    const struct {
        double x, y, z;
    } starts[] = {{0, 0, 10}, {1.234567, -0.0000049, 7.5}, {12345.678, -98765.4321, 0.1}};
    for (const auto& s : starts) {
        SCOPED_TRACE(s.x);
        buildMixedPath(m_db);
        MoveRecord& first = *m_db.first();
        first.x = static_cast<float>(s.x);
        first.y = static_cast<float>(s.y);
        first.z = static_cast<float>(s.z);
        select(m_db, {1});
        const std::vector<MoveRecord> before = snapshot(m_db);
        const StartPointTexts texts = startPointTexts(m_db);
        ModifyPortionFields fields;
        fields.startX = texts.x, fields.startY = texts.y, fields.startZ = texts.z;
        const ModifyPortionFieldsInput input =
            parseModifyPortionFields(ModifyPortionPage::StartPoint, fields);
        ASSERT_TRUE(input.ok()) << input.problem;
        EXPECT_EQ(applyModifyPortion(m_db, input.request, FeedRateTable{}).recordsChanged, 0u);
        expectUnchanged(m_db, before);
    }
    EXPECT_EQ(startPointFieldText(1.234567), "1.23457");
}

TEST_F(ModifyPortion, StartPointMovesAloneWithItsCentreAndKeepsTheSelection) {
    MoveRecord& first = *m_db.first();
    first.centerX = 5, first.centerY = 6, first.centerZ = 7;
    select(m_db, {2});
    const std::vector<MoveRecord> before = snapshot(m_db);
    EXPECT_EQ(relocateStartPoint(m_db, 3, 4, 20).recordsChanged, 1u);
    EXPECT_EQ(first.x, 3.0f);
    EXPECT_EQ(first.y, 4.0f);
    EXPECT_EQ(first.z, 20.0f);
    EXPECT_EQ(first.centerX, 8.0f);
    EXPECT_EQ(first.centerY, 10.0f);
    EXPECT_EQ(first.centerZ, 17.0f);
    const std::vector<MoveRecord> after = snapshot(m_db);
    for (std::size_t i = 1; i < after.size(); ++i)
        EXPECT_EQ(fieldDifferences(after[i], before[i]), "") << i;
    expectStatusRecomputed(m_db);
}

TEST_F(ModifyPortion, OptionalStopsSetAndClearedOnSelectedMoves) {
    for (const bool enable : {true, false}) {
        SCOPED_TRACE(enable);
        buildMixedPath(m_db);
        for (MoveRecord* r : records(m_db))
            r->optionalStop = enable ? 0 : 1;
        select(m_db, {2, 8, 9, 10, 11, 12});
        EXPECT_EQ(setSelectedOptionalStops(m_db, enable).recordsChanged, 6u);
        const std::vector<MoveRecord*> after = records(m_db);
        for (std::size_t i = 0; i < after.size(); ++i) {
            const bool selected = i == 2 || (i >= 8 && i <= 12);
            EXPECT_EQ(after[i]->optionalStop, selected == enable ? 1 : 0) << i;
            EXPECT_EQ(after[i]->selected, 0) << i;
        }
    }
}

class ModifyPortionPreview : public ModifyPortion {
protected:
    RecordingReporter m_reporter;
    MessagePump m_pump;
    FeedRateTable m_table;
};

TEST_F(ModifyPortionPreview, DeleteAndRelocatePreviewsAreSelectedCopiesOfTheResult) {
    select(m_db, {3, 4, 5, 6});
    const std::vector<MoveRecord> before = snapshot(m_db);
    ModifyPortionRequest request;
    request.page = ModifyPortionPage::Delete;
    const ModifyAllPreviewBuild deleted = buildModifyPortionPreview(m_db, request);
    ASSERT_TRUE(deleted.ok());
    EXPECT_EQ(snapshot(deleted.preview).size(), before.size() - 4);

    request.page = ModifyPortionPage::Relocate;
    request.dx = 50;
    const ModifyAllPreviewBuild moved = buildModifyPortionPreview(m_db, request);
    ASSERT_TRUE(moved.ok());
    const std::vector<MoveRecord> copy = snapshot(moved.preview);
    ASSERT_EQ(copy.size(), before.size());
    for (std::size_t i = 0; i < copy.size(); ++i) {
        EXPECT_EQ(copy[i].selected, 1) << i;
        EXPECT_FLOAT_EQ(copy[i].x, before[i].x + (i >= 3 && i <= 6 ? 50 : 0)) << i;
    }
    // Building changes nothing in the path, the selection included.
    expectUnchanged(m_db, before);

    // Other pages build nothing.
    request.page = ModifyPortionPage::OptionalStop;
    const ModifyAllPreviewBuild none = buildModifyPortionPreview(m_db, request);
    EXPECT_TRUE(none.ok());
    EXPECT_FALSE(none.preview.databaseAllocated());
}

TEST_F(ModifyPortionPreview, KeptPreviewReplacesThePathAndDiscardedOneLeavesIt) {
    select(m_db, {7});
    ModifyPortionRequest request;
    request.page = ModifyPortionPage::Delete;
    const std::vector<MoveRecord> before = snapshot(m_db);
    const DatabaseStatus status = m_db.status;

    m_reporter.answers = {false};
    int redraws = 0;
    EXPECT_EQ(previewModifyPortion(m_db, request, m_table, m_reporter, m_pump, [&] { ++redraws; }),
              PreviewOutcome::Discarded);
    EXPECT_EQ(redraws, 2);
    expectUnchanged(m_db, before);
    EXPECT_EQ(m_db.status.cuttingTime, status.cuttingTime);

    m_reporter.answers = {true};
    EXPECT_EQ(previewModifyPortion(m_db, request, m_table, m_reporter, m_pump, {}),
              PreviewOutcome::Kept);
    EXPECT_EQ(snapshot(m_db).size(), before.size() - 1);
    EXPECT_EQ(selectedCount(m_db), 0u);
    EXPECT_TRUE(m_db.status.ncLoaded);
    expectStatusRecomputed(m_db);
    EXPECT_EQ(m_reporter.messages.back(), "confirm: Do you wish to keep this modification?");
}

int g_chunksLeft = 0;
void* chunksThenNothing(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST_F(ModifyPortionPreview, OutOfMemoryLeavesThePathAndSaysSo) {
    select(m_db, {2});
    const std::vector<MoveRecord> before = snapshot(m_db);
    ModifyPortionRequest request;
    request.page = ModifyPortionPage::Relocate;
    g_chunksLeft = 0;
    EXPECT_EQ(
        previewModifyPortion(m_db, request, m_table, m_reporter, m_pump, {}, &chunksThenNothing),
        PreviewOutcome::Failed);
    expectUnchanged(m_db, before);
    EXPECT_EQ(m_reporter.lastStatus(), kModifyPortionOutOfMemoryStatus);
}

TEST(ModifyPortionCommand, WithoutDataOnlyTheStatusTextIsCleared) {
    GraphicsDatabase db;
    FeedRateTable table;
    RecordingReporter reporter;
    EXPECT_FALSE(beginModifyPortion(db, table, reporter));
    EXPECT_EQ(reporter.messages, std::vector<std::string>{"status: "});
    cancelModifyPortion(reporter);
    EXPECT_EQ(reporter.lastStatus(), "Modify a portion of geometry command canceled..");
    ModifyPortionFields fields;
    fields.startX = fields.startZ = "0";
    fields.startY = "1x";
    EXPECT_EQ(parseModifyPortionFields(ModifyPortionPage::StartPoint, fields).problem,
              "Non-numeric charactor found in input data \"x\"...");
}

} // namespace
} // namespace korvix::test
