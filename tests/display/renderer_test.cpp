#include "display/plain_view.h"
#include "display/recording_canvas.h"
#include "display/renderer.h"
#include "model/path_builder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace korvix::test {
namespace {

using Ops = std::vector<std::string>;
const Ops kLines = {"moveTo", "lineTo"};

// A workspace with the overlays that would add calls of their own switched off, and a view
// of scale 1 with the origin at (100, 100) on a 640 x 480 area: model (x, y) is pixel
// (100 + x, 100 - y).
struct RenderFixture : ::testing::Test {
    RenderFixture() {
        ws.display.tripod = false;
        setPlainView(ws.view, 1, 100, 100);
    }
    Ops drawToolpath(const Ops& only = {}) {
        canvas.clear();
        EXPECT_EQ(fullRedraw(ws, canvas), RedrawResult::Completed);
        return canvas.ops(only);
    }
    Workspace ws;
    PathBuilder path{ws};
    RecordingCanvas canvas{640, 480};
};

TEST_F(RenderFixture, StartPointAloneDrawsNoLine) {
    path.start(5, 5);
    EXPECT_EQ(drawToolpath(kLines), (Ops{"moveTo 105 95"}));
}

TEST_F(RenderFixture, MovesAreDrawnFromPenPositionAndPositionsCached) {
    path.start(0, 0);
    path.line(10, 0);
    MoveRecord& last = path.line(10, 20).last();
    // The start point's drawn flag is clear, so the first move begins with a move to it.
    EXPECT_EQ(drawToolpath(kLines),
              (Ops{"moveTo 100 100", "moveTo 100 100", "lineTo 110 100", "lineTo 110 80"}));
    EXPECT_EQ(last.screenX, 110);
    EXPECT_EQ(last.screenY, 80);
    EXPECT_EQ(last.visible, 1);
    EXPECT_FALSE(ws.view.reprojection);

    // Without the reprojection flag the cached positions are drawn as they are.
    last.x = 500;
    EXPECT_EQ(drawToolpath(kLines).back(), "lineTo 110 80");
    ws.view.reprojection = true;
    EXPECT_EQ(drawToolpath(kLines).back(), "lineTo 600 80");
}

TEST_F(RenderFixture, HiddenRapidIsSkippedWithAMove) {
    path.start(0, 0);
    path.rapid(10, 0);
    path.line(10, 10);
    ws.display.rapidMoves = false;
    EXPECT_EQ(drawToolpath(kLines), (Ops{"moveTo 100 100", "moveTo 110 100", "lineTo 110 90"}));
    ws.display.rapidMoves = true;
    ws.view.reprojection = true;
    EXPECT_EQ(drawToolpath(kLines),
              (Ops{"moveTo 100 100", "moveTo 100 100", "lineTo 110 100", "lineTo 110 90"}));
    EXPECT_EQ(canvas.calls[2].color, kRapidColor);
}

TEST_F(RenderFixture, SegmentsWhollyOnOneSideAreRejected) {
    // Pixel x = 100 + model x: -150 and -120 are both left of the area, 700 right of it.
    path.start(-250, 0);
    MoveRecord& bothLeft = path.line(-220, 10).last();
    MoveRecord& across = path.line(600, 10).last();
    MoveRecord& below = path.line(300, -500).last();
    EXPECT_EQ(drawToolpath(kLines),
              (Ops{"moveTo -150 100", "moveTo -120 90", "lineTo 700 90", "lineTo 400 600"}));
    EXPECT_EQ(bothLeft.visible, 0);
    EXPECT_EQ(across.visible, 1);
    EXPECT_EQ(below.visible, 1); // right of the area to below it

    struct Case {
        PixelPoint a, b;
        bool visible;
    } cases[] = {
        {{-5, 10}, {-1, 400}, false},   {{641, 10}, {700, 470}, false},
        {{10, -1}, {600, -9}, false},   {{10, 481}, {20, 900}, false},
        {{-5, -5}, {645, 485}, true},   {{-5, 10}, {0, 10}, true},
        {{640, 480}, {640, 480}, true}, {{-5, 500}, {700, -10}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(segmentVisible(ws.view, c.a, c.b), c.visible)
            << c.a.x << "," << c.a.y << " " << c.b.x << "," << c.b.y;
    }
}

TEST_F(RenderFixture, SelectedMovesAreDottedWithCirclesAtMoveEnds) {
    path.start(0, 0);
    path.line(10, 0).last().selected = 1;
    path.piece(100, 12, 2).last().selected = 1;
    path.piece(100, 14, 6).last().selected = 1;
    path.color(makeRgb(0, 255, 0)).line(20, 6, 0);
    const Ops ops = drawToolpath();
    EXPECT_EQ(ops,
              (Ops{"moveTo 100 100", "ellipse 105 95 115 105", "moveTo 100 100", "lineTo 110 100",
                   "lineTo 112 98", "ellipse 109 89 119 99", "lineTo 114 94", "lineTo 120 94"}));
    const auto& calls = canvas.calls;
    EXPECT_EQ(calls[1].color, kSelectionMarkColor);
    EXPECT_EQ(calls[3].style, PenStyle::Dotted);
    EXPECT_EQ(calls[3].color, kWhite); // the record's colour is restored after the circle
    EXPECT_EQ(calls[4].style, PenStyle::Dotted);
    EXPECT_EQ(calls[5].color, kSelectionMarkColor);
    EXPECT_EQ(calls[5].style, PenStyle::Solid); // a circle among dotted moves
    EXPECT_EQ(calls[6].style, PenStyle::Dotted);
    EXPECT_EQ(calls[7].style, PenStyle::Solid);
    EXPECT_EQ(calls[7].color, makeRgb(0, 255, 0));

    // Without "Display POINTS during editting" the moves stay dotted but get no circles.
    ws.display.selectedPoints = false;
    EXPECT_EQ(drawToolpath(), (Ops{"moveTo 100 100", "moveTo 100 100", "lineTo 110 100",
                                   "lineTo 112 98", "lineTo 114 94", "lineTo 120 94"}));
    EXPECT_EQ(canvas.calls[2].style, PenStyle::Dotted);
}

TEST_F(RenderFixture, SelectedStartPointGetsACircle) {
    path.start(0, 0).last().selected = 1;
    path.line(10, 0);
    EXPECT_EQ(drawToolpath(),
              (Ops{"moveTo 100 100", "ellipse 95 95 105 105", "moveTo 100 100", "lineTo 110 100"}));
}

TEST_F(RenderFixture, OptionalStopOctagonAtTheEndOfItsMove) {
    path.start(0, 0);
    path.piece(100, 5, 5).last().optionalStop = 1; // not the end of its arc: no mark
    path.piece(100, 10, 0).last().optionalStop = 1;
    const Ops ops = drawToolpath();
    const Ops expected = {"moveTo 100 100", "moveTo 100 100", "lineTo 105 95",  "lineTo 110 100",
                          "moveTo 120 100", "lineTo 120 104", "lineTo 114 110", "lineTo 106 110",
                          "lineTo 100 104", "lineTo 100 96",  "lineTo 106 90",  "lineTo 114 90",
                          "lineTo 120 96",  "lineTo 120 100", "moveTo 110 100"};
    EXPECT_EQ(ops, expected);
    EXPECT_EQ(canvas.calls[5].color, kOptionalStopColor);
    EXPECT_EQ(canvas.calls[5].width, 1);
}

TEST_F(RenderFixture, MarksOfPointsFarOffTheAreaAreLeftOut) {
    // Zoomed far in, the far end projects beyond the int range and is clamped; marks around
    // it would not show and must not be offset from the clamped value.
    setPlainView(ws.view, 1e6, 100, 100);
    MoveRecord& start = path.start(0, 0).last();
    start.selected = 1;
    start.optionalStop = 1;
    MoveRecord& far = path.line(1e5f, -1e5f).last();
    far.selected = 1;
    far.optionalStop = 1;
    const Ops ops = drawToolpath();
    EXPECT_EQ(far.screenX, std::numeric_limits<int>::max());
    EXPECT_EQ(far.screenY, std::numeric_limits<int>::max());
    EXPECT_EQ(std::count(ops.begin(), ops.end(), "ellipse 95 95 105 105"), 1);
    EXPECT_EQ(canvas.count("ellipse"), 1);
    EXPECT_EQ(canvas.count("lineTo"), 9 + 1); // the start point's octagon and the move
    EXPECT_EQ(ops.back(), "moveTo 2147483647 2147483647");

    // The same holds for the six-armed marker of the animated tool and identify marks.
    canvas.clear();
    drawToolMarker(canvas, ws.view, far.screenX, far.screenY, kWhite);
    drawToolMarker(canvas, ws.view, -31, 10, kWhite);
    EXPECT_TRUE(canvas.ops().empty());
    drawToolMarker(canvas, ws.view, -30, 10, kWhite);
    EXPECT_EQ(canvas.count("lineTo"), 6);
}

TEST_F(RenderFixture, AbortedRedrawKeepsReprojectionFlag) {
    path.start(0, 0);
    for (int i = 1; i <= 1000; ++i)
        path.line(static_cast<float>(i % 50), static_cast<float>(i / 50));
    MoveRecord* last = ws.database.records.lastAndCount().first;
    int handlerCalls = 0;
    ws.pump.install([&] {
        ++handlerCalls;
        ws.redraw.abortRequested = true; // Esc pressed while the picture is drawn
    });
    canvas.clear();
    EXPECT_EQ(fullRedraw(ws, canvas), RedrawResult::Aborted);
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_TRUE(ws.view.reprojection);
    EXPECT_FALSE(ws.redraw.busy);
    EXPECT_FALSE(ws.redraw.abortRequested);
    EXPECT_LT(canvas.count("lineTo"), 1000);
    EXPECT_EQ(last->screenX, 0); // never reached

    ws.pump.install({});
    EXPECT_EQ(fullRedraw(ws, canvas), RedrawResult::Completed);
    EXPECT_FALSE(ws.view.reprojection);
    EXPECT_EQ(last->screenX, 100 + 1000 % 50);
    EXPECT_EQ(last->screenY, 100 - 1000 / 50);
}

TEST_F(RenderFixture, RedrawIsNotReentered) {
    path.start(0, 0);
    for (int i = 1; i <= 300; ++i)
        path.line(static_cast<float>(i), 0);
    RedrawResult inner = RedrawResult::Completed;
    ws.pump.install([&] { inner = fullRedraw(ws, canvas); });
    EXPECT_EQ(fullRedraw(ws, canvas), RedrawResult::Completed);
    EXPECT_EQ(inner, RedrawResult::Busy);
}

TEST_F(RenderFixture, OptionsSwitchLayersOff) {
    path.start(0, 0);
    path.line(10, 0);
    ws.display.ncToolpath = false;
    EXPECT_TRUE(drawToolpath().empty());
    // Nothing loaded at all draws nothing either, and still clears the flag.
    Workspace empty;
    empty.display.tripod = false;
    RecordingCanvas blank;
    EXPECT_EQ(fullRedraw(empty, blank), RedrawResult::Completed);
    EXPECT_TRUE(blank.calls.empty());
}

TEST_F(RenderFixture, WireframeWalk) {
    ws.display.wireframe = true;
    auto& points = ws.wireframe.points;
    ASSERT_TRUE(points.createFirst());
    WireframePoint* p = points.head();
    const struct {
        std::uint8_t penDown;
        float x, y;
        Rgb color;
    } data[] = {{0, 0, 0, kWhite},    {1, 10, 0, 0x0000FF}, {1, 10, 10, 0x0000FF},
                {0, -300, 0, kWhite}, {1, -250, 5, kWhite}, {1, 20, 5, 0x00FF00}};
    for (std::size_t i = 0; i < std::size(data); ++i) {
        if (i > 0) {
            ASSERT_TRUE(points.append(p));
        }
        p->penDown = data[i].penDown;
        p->x = data[i].x;
        p->y = data[i].y;
        p->color = data[i].color;
    }
    // A pen-up point's drawn flag stays clear, so the first pen-down point moves to it.
    EXPECT_EQ(drawToolpath(),
              (Ops{"moveTo 100 100", "moveTo 100 100", "lineTo 110 100", "lineTo 110 90",
                   "moveTo -200 100", "moveTo -150 95", "lineTo 120 95"}));
    EXPECT_EQ(canvas.calls[2].color, 0x0000FFu);
    EXPECT_EQ(canvas.calls[6].color, 0x00FF00u);

    ws.display.wireframe = false;
    EXPECT_TRUE(drawToolpath().empty());
}

TEST_F(RenderFixture, TripodArmsFollowTheView) {
    ws.display.tripod = true;
    // L = 640 div 15 = 42; "X" measures 8 x 13: origin (42 + 2 + 4, 480 - 44 - 6).
    EXPECT_EQ(drawToolpath(), (Ops{"moveTo 48 430", "lineTo 90 430", "text 86 424 X",
                                   "moveTo 48 430", "lineTo 48 388", "text 44 382 Y",
                                   "moveTo 48 430", "lineTo 48 430", "text 44 424 Z"}));
    EXPECT_EQ(canvas.calls[0].color, kWhite);
}

TEST_F(RenderFixture, AnimatedToolIsDrawnInXorAtItsRecord) {
    path.start(0, 0);
    MoveRecord& target = path.line(10, 0).last();
    ws.animation.toolShown = true;
    ws.animation.record = &target;
    ws.animation.lastX = -1;
    const Ops ops = drawToolpath();
    // The toolpath, then the marker's three axes through (110, 100), 30 pixels each way.
    const Ops expected = {"moveTo 100 100", "moveTo 100 100", "lineTo 110 100", "moveTo 80 100",
                          "lineTo 110 100", "lineTo 140 100", "moveTo 110 70",  "lineTo 110 100",
                          "lineTo 110 130", "moveTo 110 100", "lineTo 110 100", "lineTo 110 100"};
    EXPECT_EQ(ops, expected);
    EXPECT_EQ(canvas.calls[2].mode, PenMode::Copy);
    EXPECT_EQ(canvas.calls[3].mode, PenMode::Xor);
    EXPECT_EQ(canvas.penMode(), PenMode::Copy);
    EXPECT_EQ(ws.animation.lastX, 110);
    EXPECT_FALSE(ws.animation.hidden);

    // Off the drawing area the tool is hidden rather than drawn.
    target.x = 1000;
    ws.view.reprojection = true;
    EXPECT_EQ(drawToolpath().size(), 3u);
    EXPECT_TRUE(ws.animation.hidden);
}

TEST_F(RenderFixture, ToolShapeIsDrawnFromItsProjectedOffsets) {
    path.start(0, 0);
    ws.animation.toolShown = true;
    ws.animation.record = ws.database.first();
    ws.animation.hasShape = true;
    auto& shape = ws.toolShape;
    ASSERT_TRUE(shape.createFirst());
    ToolShapePoint* p = shape.head();
    p->x = 0;
    p->y = 0;
    ASSERT_TRUE(shape.append(p));
    p->penDown = 1;
    p->x = 3;
    p->y = 4;
    ws.view.scale = 2;
    // The line from (100, 100) to (106, 92), drawn pixel run by pixel run along the rows.
    const Ops line = {"moveTo 105 93", "lineTo 106 93", "moveTo 105 94",  "lineTo 106 94",
                      "moveTo 104 95", "lineTo 105 95", "moveTo 103 96",  "lineTo 104 96",
                      "moveTo 102 97", "lineTo 103 97", "moveTo 102 98",  "lineTo 103 98",
                      "moveTo 101 99", "lineTo 102 99", "moveTo 100 100", "lineTo 101 100"};
    Ops expected = {"moveTo 100 100"}; // the toolpath's start point
    expected.insert(expected.end(), line.begin(), line.end());
    EXPECT_EQ(drawToolpath(), expected);
    EXPECT_FALSE(ws.animation.shapeReprojection);

    // Back over the same line and on along the row: every pixel is drawn once, so that the
    // outline stays whole in XOR where its lines lie on one another. The way back starts
    // on (106, 92) and takes a pixel beside the first line in rows 94 and 98.
    ASSERT_TRUE(shape.append(p));
    p->penDown = 1;
    ASSERT_TRUE(shape.append(p));
    p->penDown = 1;
    p->x = 5;
    ws.animation.shapeReprojection = true;
    EXPECT_EQ(
        drawToolpath(),
        (Ops{"moveTo 100 100", "moveTo 106 92", "lineTo 107 92", "moveTo 105 93", "lineTo 106 93",
             "moveTo 104 94", "lineTo 106 94", "moveTo 104 95", "lineTo 105 95", "moveTo 103 96",
             "lineTo 104 96", "moveTo 102 97", "lineTo 103 97", "moveTo 101 98", "lineTo 103 98",
             "moveTo 101 99", "lineTo 102 99", "moveTo 100 100", "lineTo 110 100"}));
}

TEST_F(RenderFixture, TrimPolygonAndOverlayHooks) {
    TrimPolygon& polygon = ws.trimPolygon;
    polygon.add(0, 0);
    EXPECT_TRUE(drawToolpath().empty()); // one vertex: nothing
    polygon.add(20, 0);
    polygon.add(20, 10);
    polygon.active = true;
    int measured = 0;
    ws.overlays.measurement = [&](Canvas& c) {
        ++measured;
        c.setPenMode(PenMode::Xor);
    };
    ws.screenTexts.entries.push_back({5, 6, "PART1.NC"});
    const Ops ops = drawToolpath();
    EXPECT_EQ(ops, (Ops{"moveTo 100 100", "lineTo 120 100", "lineTo 120 90", "lineTo 100 100",
                        "text 5 6 PART1.NC"}));
    EXPECT_EQ(canvas.calls[1].mode, PenMode::Xor);
    EXPECT_EQ(canvas.calls[1].color, kTrimPolygonColor);
    EXPECT_EQ(canvas.calls[2].style, PenStyle::Solid);
    EXPECT_EQ(canvas.calls[3].style, PenStyle::Dotted); // the closing edge while drawing
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(canvas.calls[4].mode, PenMode::Copy);
    EXPECT_EQ(canvas.font(), ws.display.windowFont); // texts return to the window font

    polygon.active = false;
    drawToolpath();
    EXPECT_EQ(canvas.calls[3].style, PenStyle::Solid);
}

TEST(ToolMarker, ArmsFollowTheRotation) {
    ViewState view;
    setAngles(view, 90, 0, 0); // XZ: model Y points into the screen
    RecordingCanvas canvas;
    drawToolMarker(canvas, view, 50, 60, kWhite);
    const Ops ops = canvas.ops();
    ASSERT_EQ(ops.size(), 9u);
    EXPECT_EQ(ops[0], "moveTo 20 60");
    EXPECT_EQ(ops[2], "lineTo 80 60");
    EXPECT_EQ(ops[3], "moveTo 50 60"); // Y seen end-on
    EXPECT_EQ(ops[5], "lineTo 50 60");
    EXPECT_EQ(ops[6], "moveTo 50 90"); // Z: 30 pixels down and up
    EXPECT_EQ(ops[8], "lineTo 50 30");
}

} // namespace
} // namespace korvix::test
