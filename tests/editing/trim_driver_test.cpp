#include "editing/trim_driver.h"
#include "editing/trim_messages.h"
#include "editing/trim_test_support.h"
#include "filters/record_fields.h"
#include "model/path_builder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

// A pocket at two depths with an arc, fed in from above by one rapid: every rapid of a
// trimmed copy below the top is a link move.
void buildPocket(GraphicsDatabase& db) {
    PathBuilder path(db, 0, 0, 5);
    path.feed(300).rapid(1, 1, 5).line(1, 1, -1);
    for (int level = 1; level <= 2; ++level) {
        const double z = -1.0 * level;
        path.line(1, 1, z);
        for (int row = 0; row < 5; ++row) {
            const double y = 1 + 2 * row;
            path.line(row % 2 == 0 ? 11 : 1, y, z).line(row % 2 == 0 ? 11 : 1, y + 2, z);
        }
        path.arc(kPlaneXY, 6, 11, z, 5, 0, 180, z, 4).line(1, 1, z);
    }
}

std::vector<MoveRecord> copyOf(const GraphicsDatabase& db) {
    std::vector<MoveRecord> records;
    for (const MoveRecord* r : trimRecords(db))
        records.push_back(*r);
    return records;
}

void expectUnchanged(const GraphicsDatabase& db, const std::vector<MoveRecord>& before) {
    const auto records = trimRecords(db);
    ASSERT_EQ(records.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(fieldDifferences(*records[i], before[i]), "") << i;
}

TEST(TrimDriver, MessagesInOrderAndTotalsRecomputed) {
    GraphicsDatabase db;
    PathBuilder(db, 0, 0, 5).feed(100).line(0, 0, -2).line(8, 0, -2).line(8, 6, -2);
    db.status.extents.negateY();
    TrimDialogFields fields;
    fields.deepestZValue = "-1";
    fields.limitZTravel = true;
    TrimInvocation invocation;
    invocation.boxDrawn = true;
    invocation.corner1 = {4, 8};
    invocation.corner2 = {-1, -1};
    RecordingReporter reporter;
    ASSERT_TRUE(prepareTrimDialog(db, fields, invocation, reporter));
    EXPECT_EQ(fields.left, "-1.0000");
    EXPECT_EQ(fields.top, "8.0000");
    EXPECT_EQ(fields.primaryRapidPlane, "5.0000");
    TrimPolygon polygon;
    MessagePump pump;
    const ViewState view;
    const TrimResult result = runTrim(db, fields, invocation, polygon, view, reporter, pump);
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.zLimited);
    EXPECT_EQ(reporter.messages,
              (std::vector<std::string>{"status: Enter trimming parameters...",
                                        "status: Currently trimming desired geometry...",
                                        "status: Currently limiting \"Z\" travel...",
                                        "status: Currently calculating cut time and travel "
                                        "limits...",
                                        "status: Done trimming..."}));
    // From the window centre to above the old start, which is at the primary plane already
    // (no plunge); the cut down stops at the limit and runs along it to the exit at X = 4.
    expectMoves(db,
                {rapidAt(0, 0, 5), cutTo(0, 0, -1, 100), cutTo(4, 0, -1, 100), rapidAt(4, 0, 5)});
    EXPECT_EQ(result.recordCount, 5u);
    const DatabaseStatus& s = db.status;
    EXPECT_EQ(s.extents.minX, 0);
    EXPECT_EQ(s.extents.maxX, 4);
    EXPECT_EQ(s.extents.trueMinY(), 0);
    EXPECT_EQ(s.extents.trueMaxY(), 3.5);
    EXPECT_EQ(s.extents.minZ, -1);
    EXPECT_EQ(s.extents.maxZ, 5);
    EXPECT_EQ(s.minFeed, 100);
    EXPECT_EQ(s.maxFeed, 100);
    const double rapid = std::hypot(1.5, 3.5) / 250 + 6.0 / 250;
    EXPECT_NEAR(s.cuttingTime, rapid + 6.0 / 100 + 4.0 / 100, 1e-9);
}

TEST(TrimDriver, NoDataCancelAndBadFields) {
    RecordingReporter reporter;
    MessagePump pump;
    const ViewState view;
    TrimDialogFields fields;
    TrimPolygon polygon;
    polygon.add(1, 1);
    {
        GraphicsDatabase empty;
        EXPECT_FALSE(prepareTrimDialog(empty, fields, {}, reporter));
        EXPECT_EQ(runTrim(empty, fields, {}, polygon, view, reporter, pump).outcome,
                  TrimOutcome::NoData);
        EXPECT_TRUE(reporter.messages.empty());
    }
    cancelTrim(polygon, reporter);
    EXPECT_EQ(polygon.count, 0);
    EXPECT_EQ(reporter.lastStatus(), "Trimming function canceled...");

    GraphicsDatabase db;
    buildPocket(db);
    const auto before = copyOf(db);
    fields.primaryRapidPlane = fields.secondaryRapidPlane = "1";
    fields.left = "abc";
    polygon.add(1, 1);
    reporter.messages.clear();
    EXPECT_EQ(runTrim(db, fields, {}, polygon, view, reporter, pump).outcome,
              TrimOutcome::BadParameter);
    EXPECT_EQ(reporter.messages.back(), "error: 'abc' is not a valid floating point value");
    expectUnchanged(db, before);
    // The dialog may come back with the same polygon.
    EXPECT_EQ(polygon.count, 1);
}

int g_chunksLeft = 0;
void* limitedAllocator(std::size_t bytes) {
    if (g_chunksLeft-- <= 0)
        return nullptr;
    return ::operator new(bytes);
}

TEST(TrimDriver, OutOfMemoryLeavesTheOldPath) {
    struct Case {
        int chunks;
        bool limit;
        TrimOutcome outcome;
        const char* message;
    };
    for (const Case& c :
         {Case{0, false, TrimOutcome::OutOfMemory, "error: Error trimming..."},
          Case{1, true, TrimOutcome::LimitOutOfMemory, "error: Error limiting \"Z\"..."}}) {
        SCOPED_TRACE(c.message);
        GraphicsDatabase db;
        buildPocket(db);
        const auto before = copyOf(db);
        const DatabaseStatus status = db.status;
        TrimParameters p = trimParameters(-100, -100, 100, 100);
        p.limitZTravel = c.limit;
        p.deepestZ = -1.5;
        RecordingReporter reporter;
        MessagePump pump;
        g_chunksLeft = c.chunks;
        const TrimResult result =
            trimToolpath(db, p, boxRegion(p), reporter, pump, &limitedAllocator);
        EXPECT_EQ(result.outcome, c.outcome);
        EXPECT_EQ(reporter.messages.back(), c.message);
        expectUnchanged(db, before);
        EXPECT_EQ(db.status.cuttingTime, status.cuttingTime);
    }
}

TEST(TrimDriver, NoRapidLinkPassesBelowThePrimaryPlane) {
    const std::vector<Point2> polygon = {{3, -2}, {14, 4}, {8, 8}, {6, 5}, {-1, 9}};
    struct View {
        const char* name;
        double a, b, c;
    };
    for (const View& v : {View{"xy", 0, 0, 0}, View{"xz", 90, 0, 0}, View{"iso", 45, -35, 30}}) {
        ViewState view;
        setAngles(view, v.a, v.b, v.c);
        for (int variant = 0; variant < 16; ++variant) {
            const bool usePolygon = variant & 1;
            const bool keepInside = variant & 2;
            const bool limit = variant & 4;
            const bool remove = variant & 8;
            SCOPED_TRACE(std::string(v.name) + " variant " + std::to_string(variant));
            GraphicsDatabase db;
            buildPocket(db);
            db.status.extents.negateY();
            TrimDialogFields fields; // planes empty: both at the highest Z, absolute
            fields.stayInsideTrimWindow = keepInside;
            fields.limitZTravel = limit;
            fields.removeWastedMoves = remove;
            fields.deepestZValue = "-1.5";
            TrimInvocation invocation;
            invocation.planView = v.a == 0 && v.b == 0 && v.c == 0;
            invocation.polygon = usePolygon;
            invocation.boxDrawn = !usePolygon;
            invocation.corner1 = {2, -3};
            invocation.corner2 = {7, 6};
            TrimPolygon trimPolygon;
            for (const Point2& p : polygon)
                trimPolygon.add(static_cast<float>(p.x), static_cast<float>(p.y));
            NullReporter reporter;
            MessagePump pump;
            ASSERT_TRUE(prepareTrimDialog(db, fields, invocation, reporter));
            ASSERT_TRUE(runTrim(db, fields, invocation, trimPolygon, view, reporter, pump).ok());
            const double primary = 5;
            for (const MoveRecord* r = db.first()->next; r != nullptr; r = r->next) {
                if (r->motion != kMotionRapid)
                    continue;
                const bool sideways = std::hypot(r->x - r->prev->x, r->y - r->prev->y) > 1e-4;
                EXPECT_GE(r->z, primary - 1e-4) << r->sequence;
                if (sideways) {
                    EXPECT_GE(r->prev->z, primary - 1e-4) << r->sequence;
                }
            }
        }
    }
}

} // namespace
} // namespace korvix::test
