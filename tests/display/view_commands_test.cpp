#include "display/display_commands.h"
#include "display/display_state.h"
#include "display/recording_canvas.h"
#include "display/view_commands.h"
#include "model/path_builder.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

struct CommandFixture : ::testing::Test {
    CommandFixture() {
        ws.reporter = &reporter;
        ws.display.tripod = false;
        ws.view.width = 400;
        ws.view.height = 300;
        path.start(0, 0);
        path.line(40, 30);
        ws.wireframe.extents = {100, 140, -130, -100, 0, 0};
    }
    Workspace ws;
    RecordingReporter reporter;
    RecordingCanvas canvas{400, 300};
    PathBuilder path{ws};
};

TEST_F(CommandFixture, ViewCommandsEraseReportChangeAndRedraw) {
    struct Case {
        void (*run)(Workspace&, Canvas&);
        const char* status;
    } cases[] = {
        {[](Workspace& w, Canvas& c) { standardViewCommand(w, c, StandardView::Iso3); },
         " \"ISOMETRIC\" view #3..."},
        {[](Workspace& w, Canvas& c) { fitCommand(w, c); },
         "Fitting all graphics to current viewport..."},
        {[](Workspace& w, Canvas& c) { zoomInCommand(w, c); }, " \"ZOOMING IN\"..."},
        {[](Workspace& w, Canvas& c) { zoomOutCommand(w, c); }, " \"ZOOMING OUT\"..."},
        {[](Workspace& w, Canvas& c) { redrawCommand(w, c); },
         "Redrawing all graphics to screen..."},
    };
    for (const Case& c : cases) {
        canvas.clear();
        reporter.messages.clear();
        c.run(ws, canvas);
        ASSERT_FALSE(canvas.calls.empty()) << c.status;
        EXPECT_EQ(canvas.calls.front().op, "erase") << c.status;
        EXPECT_EQ(canvas.count("lineTo"), 1) << c.status;
        EXPECT_EQ(reporter.lastStatus(), c.status);
        EXPECT_FALSE(ws.view.reprojection);
        EXPECT_FALSE(ws.redraw.abortRequested);
    }
    EXPECT_EQ(ws.view.angleC, -150);
}

TEST_F(CommandFixture, ViewCommandDuringARedrawOnlyAsksItToStop) {
    fitCommand(ws, canvas);
    const double scale = ws.view.scale;
    ws.redraw.busy = true; // as seen from a handler run by the redraw's message pumping
    canvas.clear();
    reporter.messages.clear();
    zoomInCommand(ws, canvas);
    standardViewCommand(ws, canvas, StandardView::XZ);
    redrawCommand(ws, canvas);
    EXPECT_TRUE(ws.redraw.abortRequested);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(ws.view.scale, scale);
    EXPECT_EQ(ws.view.angleA, 0);
}

TEST_F(CommandFixture, WindowZoomCommandReportsATooSmallBox) {
    fitCommand(ws, canvas);
    canvas.clear();
    const double scale = ws.view.scale;
    EXPECT_EQ(windowZoomCommand(ws, canvas, {10, 10}, {10, 200}), WindowZoomResult::TooSmall);
    EXPECT_TRUE(canvas.calls.empty());
    EXPECT_EQ(ws.view.scale, scale);
    EXPECT_EQ(windowZoomCommand(ws, canvas, {0, 0}, {200, 150}), WindowZoomResult::Zoomed);
    EXPECT_NEAR(ws.view.scale, scale * 2, 1e-9);
    EXPECT_EQ(canvas.calls.front().op, "erase");
}

TEST_F(CommandFixture, FitSourceFollowsTheWireframeSwitch) {
    // No wire-frame loaded: the switch does nothing.
    EXPECT_FALSE(fitToWireDataCommand(ws, canvas));
    ASSERT_TRUE(ws.wireframe.points.createFirst());
    EXPECT_FALSE(fitToWireDataCommand(ws, canvas)); // not displayed
    ws.display.wireframe = true;
    EXPECT_TRUE(fitToWireDataCommand(ws, canvas));
    EXPECT_EQ(ws.view.fitSource, FitSource::Wireframe);
    EXPECT_NEAR(ws.view.windowBox.xmin, 100, 1e-9);
    EXPECT_FALSE(fitToWireDataCommand(ws, canvas)); // already the source: no Fit

    // Hiding the wire-frame returns the fit to the toolpath.
    EXPECT_TRUE(toggleWireframeCommand(ws, canvas));
    EXPECT_FALSE(ws.display.wireframe);
    EXPECT_EQ(ws.view.fitSource, FitSource::NcToolpath);
    EXPECT_NEAR(ws.view.windowBox.xmin, 0, 1e-9);
    EXPECT_FALSE(fitToNcDataCommand(ws, canvas));

    // Without a toolpath, fitting to it would show the empty default box: the wire-frame it is.
    ws.database.records.freeAll();
    fitCommand(ws, canvas);
    EXPECT_NEAR(ws.view.windowBox.xmin, 100, 1e-9);
    fitToSource(ws, true);
    EXPECT_NEAR(ws.view.windowBox.xmin, 100, 1e-9);
}

TEST_F(CommandFixture, DisplayToggles) {
    fitCommand(ws, canvas);
    canvas.clear();
    toggleRapidMovesCommand(ws, canvas);
    EXPECT_FALSE(ws.display.rapidMoves);
    EXPECT_EQ(canvas.calls.front().op, "erase");

    toggleSelectedPointsCommand(ws);
    EXPECT_FALSE(ws.display.selectedPoints);

    canvas.clear();
    toggleTripodCommand(ws, canvas);
    EXPECT_TRUE(ws.display.tripod);
    EXPECT_EQ(canvas.count("text"), 3);

    canvas.clear();
    toggleNcToolpathCommand(ws, canvas);
    EXPECT_FALSE(ws.display.ncToolpath);
    EXPECT_EQ(canvas.count("lineTo"), 3); // the tripod alone
    EXPECT_EQ(reporter.lastStatus(), "Fitting all graphics to current viewport...");
}

} // namespace
} // namespace korvix::test
