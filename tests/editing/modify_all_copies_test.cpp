#include "editing/modify_all.h"
#include "editing/modify_all_copies.h"
#include "editing/path_status_recompute.h"
#include "modify_all_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

ModifyAllRequest relocateRequest(double dx, double dy, double dz, int copies) {
    ModifyAllRequest request;
    request.page = ModifyAllPage::Relocate;
    request.relocate = {dx, dy, dz, copies};
    return request;
}

// Starts at Z 1, climbs to its highest point (Z 5), cuts at Z -1 with a quarter arc and
// ends down there: every copy needs a retract and an approach.
void buildLowEndedPath(GraphicsDatabase& db) {
    PathBuilder path(db, 0, 0, 1);
    path.rapid(0, 0, 5).tool(3).feed(100).line(0, 0, -1).line(10, 0, -1);
    path.arc(kPlaneXY, 10, 10, -1, 10, 270, 0, -1, 3); // to (20, 10)
    path.line(20, 20, -1);
}

void expectRedRapid(const MoveRecord& r, double x, double y, double z) {
    EXPECT_EQ(r.kind, kKindStraight);
    EXPECT_EQ(r.motion, kMotionRapid);
    EXPECT_EQ(r.color, kRapidColor);
    EXPECT_EQ(r.plane, kPlaneXY);
    EXPECT_EQ(r.visible, 1);
    EXPECT_EQ(r.selected, 0);
    EXPECT_EQ(r.optionalStop, 0);
    EXPECT_EQ(r.feed, 0);
    EXPECT_NEAR(r.x, x, 1e-5);
    EXPECT_NEAR(r.y, y, 1e-5);
    EXPECT_NEAR(r.z, z, 1e-5);
}

TEST(ModifyAllRelocate, WithoutCopiesEveryRecordMoves) {
    GraphicsDatabase db;
    buildMixedPath(db);
    recomputePathStatus(db);
    const DatabaseStatus statusBefore = db.status;
    const std::vector<MoveRecord> before = snapshot(db);
    const ModifyAllResult result = applyGeometryChange(db, relocateRequest(1.5, -2, 3, 0));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.recordsAdded, 0u);
    const std::vector<MoveRecord> after = snapshot(db);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
        SCOPED_TRACE(i);
        MoveRecord expected = before[i];
        expected.x = static_cast<float>(expected.x + 1.5);
        expected.y = static_cast<float>(expected.y - 2.0);
        expected.z = static_cast<float>(expected.z + 3.0);
        if (isArcPiece(expected)) {
            expected.centerX = static_cast<float>(expected.centerX + 1.5);
            expected.centerY = static_cast<float>(expected.centerY - 2.0);
            expected.centerZ = static_cast<float>(expected.centerZ + 3.0);
        }
        // Radius, angles, direction, numbers and flags stay.
        EXPECT_EQ(fieldDifferences(after[i], expected), "");
    }
    // The box moves with the path (the Y pair is held negated).
    const Extents& box = db.status.extents;
    EXPECT_NEAR(box.minX, statusBefore.extents.minX + 1.5, 1e-5);
    EXPECT_NEAR(box.maxX, statusBefore.extents.maxX + 1.5, 1e-5);
    EXPECT_NEAR(box.trueMinY(), statusBefore.extents.trueMinY() - 2, 1e-5);
    EXPECT_NEAR(box.trueMaxY(), statusBefore.extents.trueMaxY() - 2, 1e-5);
    EXPECT_NEAR(box.minZ, statusBefore.extents.minZ + 3, 1e-5);
    EXPECT_NEAR(box.maxZ, statusBefore.extents.maxZ + 3, 1e-5);
    EXPECT_NEAR(db.status.cuttingTime, statusBefore.cuttingTime, 1e-6);
}

TEST(ModifyAllRelocate, TwoCopiesAreReachedThroughRedRapidsAtTheHighestZ) {
    GraphicsDatabase db;
    buildLowEndedPath(db);
    recomputePathStatus(db);
    const double timeOfOne = db.status.cuttingTime;
    const std::vector<MoveRecord> before = snapshot(db);
    const MoveRecord tail = before.back();

    const ModifyAllResult result = applyGeometryChange(db, relocateRequest(30, 0, 0, 2));
    ASSERT_TRUE(result.ok());
    const std::vector<MoveRecord> after = snapshot(db);
    const std::size_t n = before.size();
    // Per copy: a retract, an approach and the n records.
    ASSERT_EQ(result.recordsAdded, 2 * (n + 2));
    ASSERT_EQ(after.size(), n + 2 * (n + 2));
    for (std::size_t i = 0; i < n; ++i)
        EXPECT_EQ(fieldDifferences(after[i], before[i]), "") << "the path itself stays, " << i;

    std::int32_t sequence = tail.sequence;
    std::uint16_t block = tail.blockNumber;
    std::size_t at = n;
    for (int k = 1; k <= 2; ++k) {
        SCOPED_TRACE(k);
        const double dx = 30.0 * k;
        const MoveRecord& end = after[at - 1];
        const MoveRecord& retract = after[at];
        expectRedRapid(retract, end.x, end.y, 5);
        EXPECT_EQ(retract.tool, end.tool);
        EXPECT_EQ(retract.sequence, ++sequence);
        EXPECT_EQ(retract.blockNumber, ++block);
        const MoveRecord& approach = after[at + 1];
        expectRedRapid(approach, dx, 0, 5);
        EXPECT_EQ(approach.sequence, ++sequence);
        EXPECT_EQ(approach.blockNumber, ++block);
        at += 2;
        // The copy: every record shifted, the start point turned into a red rapid, a new
        // sequence and block number per block of the source, arc pieces kept together.
        for (std::size_t i = 0; i < n; ++i, ++at) {
            SCOPED_TRACE(i);
            const MoveRecord& source = before[i];
            const MoveRecord& copy = after[at];
            const bool newBlock = i == 0 || source.sequence != before[i - 1].sequence;
            if (newBlock) {
                ++sequence;
                ++block;
            }
            EXPECT_EQ(copy.sequence, sequence);
            EXPECT_EQ(copy.blockNumber, block);
            EXPECT_NEAR(copy.x, source.x + dx, 1e-5);
            EXPECT_EQ(copy.y, source.y);
            EXPECT_EQ(copy.z, source.z);
            EXPECT_EQ(copy.kind, i == 0 ? kKindStraight : source.kind);
            EXPECT_EQ(copy.motion, i == 0 ? kMotionRapid : source.motion);
            EXPECT_EQ(copy.color, i == 0 ? kRapidColor : source.color);
            EXPECT_EQ(copy.feed, source.feed);
            EXPECT_EQ(copy.tool, source.tool);
            if (isArcPiece(source)) {
                EXPECT_NEAR(copy.centerX, source.centerX + dx, 1e-5);
                EXPECT_EQ(copy.radius, source.radius);
                EXPECT_EQ(copy.startAngle, source.startAngle);
            }
        }
    }
    // The extents cover all three, the time is three paths plus the connecting rapids.
    EXPECT_NEAR(db.status.extents.maxX, 20 + 60, 1e-5);
    EXPECT_GT(db.status.cuttingTime, 3 * timeOfOne);
    for (const MoveRecord* r = db.first(); r != nullptr; r = r->next)
        if (r->next != nullptr) {
            ASSERT_EQ(r->next->prev, r);
        }
}

TEST(ModifyAllRelocate, CopiesClimbWithTheirOffsetAndNumbersStartAgainAfter32767) {
    GraphicsDatabase db;
    buildLowEndedPath(db);
    db.records.lastAndCount().first->blockNumber = 32766;
    ASSERT_TRUE(applyGeometryChange(db, relocateRequest(30, 0, 2, 2)).ok());
    const std::vector<MoveRecord> after = snapshot(db);
    const std::size_t n = 8;
    ASSERT_EQ(after.size(), n + 2 * (n + 2));
    EXPECT_EQ(after[n].blockNumber, 32767);     // retract
    EXPECT_EQ(after[n + 1].blockNumber, 1);     // approach
    EXPECT_EQ(after[n + 2].blockNumber, 2);     // the copied start point
    expectRedRapid(after[n], 20, 20, 5);        // up to the highest Z of the path
    expectRedRapid(after[n + 1], 30, 0, 5 + 2); // above the first copy's start
    // Before the second copy the tool leaves the first copy's end at Z 1 for the highest Z
    // so far (the first copy's), then goes to the second copy's own height.
    const std::size_t second = n + 2 + n;
    EXPECT_NEAR(after[second - 1].z, -1 + 2, 1e-5);
    expectRedRapid(after[second], 50, 20, 7);
    expectRedRapid(after[second + 1], 60, 0, 5 + 4);
    EXPECT_NEAR(after[second + 2].z, 1 + 4, 1e-5);
}

TEST(ModifyAllRelocate, NoRetractOrApproachWhenAlreadyAtTheHighestZ) {
    GraphicsDatabase db;
    PathBuilder path(db, 0, 0, 5);
    path.feed(100).line(10, 0, 5).line(10, 10, 5);
    const ModifyAllResult result = applyGeometryChange(db, relocateRequest(0, 20, 0, 1));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.recordsAdded, 3u);
    const std::vector<MoveRecord> after = snapshot(db);
    ASSERT_EQ(after.size(), 6u);
    // The copied start point itself leads to the copy.
    EXPECT_EQ(after[3].kind, kKindStraight);
    EXPECT_EQ(after[3].motion, kMotionRapid);
    EXPECT_EQ(after[3].color, kRapidColor);
    EXPECT_EQ(after[3].y, 20);
}

int g_chunksLeft = 0;
void* chunksThenNothing(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST(ModifyAllRelocate, OutOfMemoryWhileCopyingLeavesThePathAsItWasAndUsable) {
    GraphicsDatabase db;
    db.records = NodeList<MoveRecord>(&chunksThenNothing, 64);
    g_chunksLeft = 1;
    buildLowEndedPath(db);
    recomputePathStatus(db);
    const DatabaseStatus status = db.status;
    const std::vector<MoveRecord> before = snapshot(db);

    // Ten copies need more than the one chunk of 64 records the list may have.
    const ModifyAllResult failed = applyGeometryChange(db, relocateRequest(30, 0, 0, 10));
    EXPECT_EQ(failed.status, ModifyAllStatus::OutOfMemory);
    EXPECT_EQ(failed.recordsAdded, 0u);
    expectUnchanged(db, before);
    EXPECT_EQ(db.records.lastAndCount().first->next, nullptr);
    EXPECT_EQ(db.status.extents.maxX, status.extents.maxX);
    EXPECT_EQ(db.status.cuttingTime, status.cuttingTime);

    // The records given back serve the next command.
    const ModifyAllResult one = applyGeometryChange(db, relocateRequest(30, 0, 0, 1));
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(db.records.lastAndCount().second, before.size() * 2 + 2);
    ASSERT_TRUE(applyGeometryChange(db, relocateRequest(1, 1, 1, 0)).ok());
}

TEST(ModifyAllCopies, NumberingStartsAgainAtOne) {
    MoveRecord tail{};
    tail.sequence = 2147483646;
    tail.blockNumber = 32767;
    CopyNumbering numbers(tail);
    numbers.advance();
    EXPECT_EQ(numbers.sequence(), 2147483647);
    EXPECT_EQ(numbers.blockNumber(), 1);
    numbers.advance();
    EXPECT_EQ(numbers.sequence(), 1);
    EXPECT_EQ(numbers.blockNumber(), 2);
    // A block number past 32767 read from an N word starts again at 1 too.
    tail.blockNumber = 60000;
    CopyNumbering high(tail);
    high.advance();
    EXPECT_EQ(high.blockNumber(), 1);
}

} // namespace
} // namespace korvix::test
