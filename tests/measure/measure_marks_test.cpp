#include "display/recording_canvas.h"
#include "measure/measure_overlay.h"
#include "measure_paths.h"

#include <cmath>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

// The plain XY view at 10 pixels per unit: model (x, y) is pixel (100 + 10x, 300 - 10y).
ViewState plainView() {
    ViewState view;
    setAngles(view, 0, 0, 0);
    view.scale = 10;
    view.originX = 100;
    view.originY = 300;
    view.width = 640;
    view.height = 480;
    return view;
}

using Line = std::vector<PixelPoint>;

struct MarksFixture : ::testing::Test {
    void pickAt(const Point3& p) {
        // Marks follow the effective coordinates, so a wire-frame pick carries any point.
        pickWirePoint(session, *wire[0], p);
    }
    WireframeStore store;
    std::vector<WireframePoint*> wire = buildWireframe(store, {{0, 0, 0, false}});
    MeasureSession session;
    ViewState view = plainView();
};

TEST_F(MarksFixture, AngleMarksCirclesLegsAndTheFrameAtTheVertex) {
    for (const Point3& p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{1, 1, 0}})
        pickAt(p);
    const MarkGeometry geometry = markGeometry(session);
    ASSERT_EQ(geometry.orientation.size(), 1u);
    EXPECT_EQ(geometry.orientation[0].at.x, 1);
    EXPECT_EQ(geometry.orientation[0].directions.size(), 3u);

    const PixelMarks marks = projectMarks(geometry, view);
    EXPECT_EQ(marks.circles, (std::vector<PixelPoint>{{100, 300}, {110, 300}, {110, 290}}));
    EXPECT_EQ(marks.white, (std::vector<Line>{{{100, 300}, {110, 300}}, {{110, 300}, {110, 290}}}));
    // Along the first leg, and across it in the plane; the normal points at the viewer and
    // has no length on the screen.
    EXPECT_EQ(marks.yellow,
              (std::vector<Line>{{{116, 300}, {132, 300}}, {{110, 294}, {110, 278}}}));
}

TEST_F(MarksFixture, IncompleteAndDegeneratePagesMarkOnlyTheirPoints) {
    pickAt({1, 1, 0});
    PixelMarks marks = projectMarks(markGeometry(session), view);
    EXPECT_EQ(marks.circles.size(), 1u);
    EXPECT_TRUE(marks.white.empty());

    // Two picks of one point: one circle (two would cancel out in XOR), nothing else.
    setPage(session, MeasurePage::Line);
    pickAt({1, 1, 0});
    marks = projectMarks(markGeometry(session), view);
    EXPECT_EQ(marks.circles, (std::vector<PixelPoint>{{110, 290}}));
    EXPECT_TRUE(marks.white.empty());
    EXPECT_TRUE(marks.yellow.empty());

    // Collinear points on the arc page: no arc, no centre.
    resetSession(session);
    setPage(session, MeasurePage::Arc);
    for (double x : {0.0, 1.0, 2.0})
        pickAt({x, 0, 0});
    marks = projectMarks(markGeometry(session), view);
    EXPECT_EQ(marks.circles.size(), 3u);
    EXPECT_TRUE(marks.white.empty());
    EXPECT_TRUE(marks.yellow.empty());
}

TEST_F(MarksFixture, ArcMarksTheArcAndItsCentre) {
    setPage(session, MeasurePage::Arc);
    for (const Point3& p : {Point3{1, 0, 0}, Point3{0, 1, 0}, Point3{-1, 0, 0}})
        pickAt(p);
    const PixelMarks marks = projectMarks(markGeometry(session), view);
    ASSERT_EQ(marks.white.size(), 3u);
    const Line& arc = marks.white[0];
    EXPECT_EQ(arc.front(), (PixelPoint{110, 300}));
    EXPECT_EQ(arc.back(), (PixelPoint{90, 300}));
    for (const PixelPoint& p : arc) // the upper half, through (100, 290)
        EXPECT_LE(p.y, 300);
    EXPECT_NE(std::find(arc.begin(), arc.end(), PixelPoint{100, 290}), arc.end());
    EXPECT_EQ(marks.white[1], (Line{{96, 300}, {104, 300}}));
    EXPECT_EQ(marks.white[2], (Line{{100, 296}, {100, 304}}));
    EXPECT_EQ(marks.yellow.size(), 2u); // the normal is seen end on
}

TEST_F(MarksFixture, ErasingDrawsExactlyTheShownMarksAgain) {
    for (const Point3& p : {Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{1, 1, 0}})
        pickAt(p);
    RecordingCanvas canvas;
    showMarks(session, view, canvas);
    const std::vector<std::string> shown = canvas.ops();
    ASSERT_FALSE(shown.empty());
    for (const RecordedCall& call : canvas.calls)
        EXPECT_EQ(call.mode, PenMode::Xor) << call.str();
    EXPECT_EQ(canvas.penMode(), PenMode::Copy);

    // A new pick: the old marks come off first, then the new ones go on.
    canvas.clear();
    eraseMarks(session, canvas);
    EXPECT_EQ(canvas.ops(), shown);
    pickAt({0, 1, 0});
    showMarks(session, view, canvas);
    canvas.clear();
    eraseMarks(session, canvas);
    EXPECT_NE(canvas.ops(), shown);
    canvas.clear();
    eraseMarks(session, canvas); // nothing is on the picture any more
    EXPECT_TRUE(canvas.calls.empty());

    // After a full redraw in another view, the marks are drawn afresh there and erasing
    // later takes off those.
    showMarks(session, view, canvas);
    view.originX = 200;
    canvas.clear();
    redrawMarks(session, view, canvas);
    const std::vector<std::string> redrawn = canvas.ops();
    EXPECT_EQ(canvas.count("ellipse"), 3);
    EXPECT_EQ(canvas.calls.front().str(), "ellipse 195 295 205 305");
    canvas.clear();
    eraseMarks(session, canvas);
    EXPECT_EQ(canvas.ops(), redrawn);
}

TEST_F(MarksFixture, MarksFarOffTheCanvasAreLeftOut) {
    pickAt({1e9, 0, 0});
    pickAt({1e9, 1, 0});
    RecordingCanvas canvas;
    showMarks(session, view, canvas);
    EXPECT_EQ(canvas.count("ellipse"), 0);
    EXPECT_EQ(canvas.count("lineTo"), 0);
}

} // namespace
} // namespace korvix::test
