#include "display/pick_search.h"
#include "display/plain_view.h"
#include "display/recording_canvas.h"
#include "display/renderer.h"
#include "model/path_builder.h"

#include <gtest/gtest.h>
#include <limits>

namespace korvix::test {
namespace {

// Scale 1, origin (100, 300): model (x, y) is pixel (100 + x, 300 - y). The picks work on
// the positions a real redraw cached.
struct PickFixture : ::testing::Test {
    PickFixture() {
        ws.display.tripod = false;
        setPlainView(ws.view, 1, 100, 300);
    }
    void redraw() {
        RecordingCanvas canvas;
        ASSERT_EQ(fullRedraw(ws, canvas), RedrawResult::Completed);
    }
    int blockOf(PixelPoint click) {
        const MovePick pick = findNearestMove(ws.database, click);
        return pick.record == nullptr ? -1 : pick.record->blockNumber;
    }
    Workspace ws;
    PathBuilder path{ws};
};

TEST_F(PickFixture, ZoomedFarInPositionsAtTheIntLimitsAreSafe) {
    // Zoomed far in, the renderer clamps projected positions to the int range; a pick
    // measures from them without overflowing (the sanitizer build checks it).
    path.start(0, 0);
    path.line(1, 0).last().blockNumber = 7;
    path.line(2, 0).last().blockNumber = 8;
    redraw();
    MoveRecord* first = ws.database.first();
    first->screenX = std::numeric_limits<int>::min();
    first->next->screenX = std::numeric_limits<int>::max();
    first->next->next->screenX = std::numeric_limits<int>::max();
    for (MoveRecord* r = first; r != nullptr; r = r->next)
        r->screenY = 300;
    EXPECT_EQ(blockOf({400, 300}), 7);
}

TEST_F(PickFixture, NearestMoveFollowsThePixelRules) {
    path.start(0, 0).last().blockNumber = 1;
    path.rapid(0, 0, 10).last().blockNumber = 2; // a plunge: no length on the screen
    path.line(100, 0).last().blockNumber = 3;    // pixels (100, 300) - (200, 300)
    path.line(100, 100).last().blockNumber = 4;  // (200, 300) - (200, 200)
    path.line(300, 100).last().blockNumber = 5;  // (200, 200) - (400, 200)
    path.line(300, 150).last().blockNumber = 6;  // (400, 200) - (400, 150)
    redraw();

    const struct {
        PixelPoint click;
        int block; // -1: nothing found
        const char* why;
    } cases[] = {
        {{150, 276}, 3, "24 pixels above the first feed move"},
        {{150, 275}, -1, "exactly 25 pixels is not near"},
        {{150, 324}, 3, "below counts as well"},
        {{100, 300}, 3, "the start of a move (t = 0) belongs to it"},
        {{220, 310}, -1, "beyond the end (t > 1) of every segment within reach"},
        {{190, 250}, 4, "nearer the second move than the third"},
        {{200, 250}, 4, "on the move"},
        {{300, 190}, 5, "the third move"},
        {{210, 210}, 4, "equal distance to two moves: the earlier wins"},
        {{50, 300}, -1, "the start point and the plunge are never picked"},
        {{600, 50}, -1, "far away"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(blockOf(c.click), c.block) << c.why;

    const MovePick pick = findNearestMove(ws.database, {150, 290});
    ASSERT_NE(pick.record, nullptr);
    EXPECT_EQ(pick.from, (PixelPoint{100, 300})); // where the move starts on the screen
    EXPECT_DOUBLE_EQ(pick.distance, 10.0);
}

TEST_F(PickFixture, HiddenRapidsAndUndrawnMovesCannotBePicked) {
    path.start(0, 0);
    path.rapid(100, 0).last().blockNumber = 7;
    path.line(100, 100).last().blockNumber = 8;
    path.line(2000, 100).last().blockNumber = 9;   // reaches out of the drawing area: drawn
    path.line(2000, 2000).last().blockNumber = 10; // wholly right of it: not drawn
    redraw();
    EXPECT_EQ(blockOf({150, 295}), 7);
    EXPECT_EQ(blockOf({700, 205}), 9);
    ws.display.rapidMoves = false;
    redraw();
    EXPECT_EQ(blockOf({150, 295}), -1);
    EXPECT_EQ(blockOf({195, 250}), 8);
}

TEST_F(PickFixture, BendsInsideAnArcBelongToIt) {
    // Pixels (100, 300) - (110, 300) - (120, 290); the click lies outside the bend, beyond
    // the end of the first segment and before the start of the second.
    const PixelPoint outsideBend{113, 308};
    path.start(0, 0);
    path.piece(5, 10, 0).last().blockNumber = 5;
    path.piece(5, 20, 10).last().blockNumber = 5;
    redraw();
    EXPECT_EQ(blockOf(outsideBend), 5);
    EXPECT_EQ(blockOf({128, 290}), -1); // beyond the arc's end: the usual rule

    // The same corner between two moves is no part of either.
    path.start(0, 0);
    path.line(10, 0).last().blockNumber = 6;
    path.line(20, 10).last().blockNumber = 7;
    redraw();
    EXPECT_EQ(blockOf(outsideBend), -1);
}

TEST_F(PickFixture, WireframeSegmentsNeedPenDownAndDrawn) {
    ws.display.wireframe = true;
    NodeList<WireframePoint>& points = ws.wireframe.points;
    ASSERT_TRUE(points.createFirst());
    WireframePoint* p = points.head();
    const auto set = [&](std::uint8_t penDown, float x, float y) {
        p->penDown = penDown;
        p->color = kWhite;
        p->x = x;
        p->y = y;
        p->z = 0;
    };
    set(0, 0, 0);
    ASSERT_TRUE(points.append(p));
    set(1, 100, 0); // segment (100, 300) - (200, 300)
    ASSERT_TRUE(points.append(p));
    set(0, 100, 100); // pen up: no segment to (200, 200)
    ASSERT_TRUE(points.append(p));
    set(1, 200, 100); // segment (200, 200) - (300, 200)
    redraw();

    WirePick pick = findNearestWireSegment(ws.wireframe, {150, 310});
    ASSERT_NE(pick.point, nullptr);
    EXPECT_EQ(pick.point->x, 100.0f);
    EXPECT_EQ(findNearestWireSegment(ws.wireframe, {200, 250}).point, nullptr); // pen up
    pick = findNearestWireSegment(ws.wireframe, {250, 190});
    ASSERT_NE(pick.point, nullptr);
    EXPECT_EQ(pick.point->x, 200.0f);
    EXPECT_EQ(pick.from, (PixelPoint{200, 200}));
}

TEST(PickedModelPoint, DropsTheClickOntoTheMoveInAnyView) {
    ViewState view;
    setPlainView(view, 2, 100, 300);
    // Plain XY: the click's drawing units are model X and Y; the depth follows X here.
    Point3 p = pickedModelPoint(view, {0, 0, 0}, {10, 2, -5}, {100 + 8, 300 - 1});
    EXPECT_NEAR(p.x, 3.94231, 1e-5); // t = (4 * 10 + 0.5 * 2) / 104
    EXPECT_NEAR(p.y, 0.78846, 1e-5);
    EXPECT_NEAR(p.z, -1.97115, 1e-5);

    // A vertical move in the XY view has no length on the screen: its end point.
    p = pickedModelPoint(view, {3, 4, 5}, {3, 4, -1}, {106, 292});
    EXPECT_EQ(p.z, -1.0);
    EXPECT_EQ(p.x, 3.0);

    // XZ view (A = 90): drawing units are X and Z, the depth is Y; a move mostly along Z
    // interpolates its Y by Z.
    setAngles(view, 90, 0, 0);
    const PixelPoint onMove = project(view, 1, 7, -3);
    p = pickedModelPoint(view, {1, 5, 0}, {1, 8, -4.5}, onMove);
    EXPECT_NEAR(p.x, 1.0, 1e-6);
    EXPECT_NEAR(p.z, -3.0, 1e-6);
    EXPECT_NEAR(p.y, 5 + (p.z / -4.5) * 3, 1e-6);

    // An isometric view: a point on the move comes back within a pixel's worth.
    setAngles(view, 45, -35, 30);
    view.scale = 20;
    const Point3 a{-2, 1, 3}, b{6, -4, -1};
    const Point3 target{a.x + 0.3 * (b.x - a.x), a.y + 0.3 * (b.y - a.y), a.z + 0.3 * (b.z - a.z)};
    p = pickedModelPoint(view, a, b, project(view, target.x, target.y, target.z));
    EXPECT_NEAR(p.x, target.x, 0.15);
    EXPECT_NEAR(p.y, target.y, 0.15);
    EXPECT_NEAR(p.z, target.z, 0.15);
}

} // namespace
} // namespace korvix::test
