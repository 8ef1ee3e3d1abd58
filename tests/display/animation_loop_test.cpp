#include "display/animation_loop.h"
#include "display/display_state.h"
#include "display/plain_view.h"
#include "display/recording_canvas.h"
#include "display/renderer.h"
#include "model/path_builder.h"
#include "pixel_canvas.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

using Stops = std::vector<PixelPoint>;

// Runs the animation against any canvas and remembers where the tool stopped, how long
// each stop waited and what the status panel showed.
template <class CanvasType> class TestHost final : public AnimationHost {
public:
    TestHost(Workspace& ws, CanvasType& canvas) : m_ws(ws), m_canvas(canvas) {}

    void draw(const std::function<void(Canvas&)>& paint) override {
        ++draws;
        paint(m_canvas);
    }
    AnimationOptions options() override { return optionsToUse; }
    void showStatus(const AnimationStatus& status) override { statuses.push_back(status.text()); }
    void afterStep(int delayMs) override {
        stops.push_back({m_ws.animation.lastX, m_ws.animation.lastY});
        delays.push_back(delayMs);
        if (onStep)
            onStep(stops.size());
    }

    AnimationOptions optionsToUse;
    std::function<void(std::size_t)> onStep;
    Stops stops;
    std::vector<int> delays;
    std::vector<std::string> statuses;
    int draws = 0;

private:
    Workspace& m_ws;
    CanvasType& m_canvas;
};

// Model (x, y) is pixel (100 + x, 100 - y) on a 640 x 480 area.
struct AnimationFixture : ::testing::Test {
    AnimationFixture() {
        ws.display.tripod = false;
        setPlainView(ws.view, 1, 100, 100);
    }
    // Draws the path so that the records carry their pixels, as on the screen.
    template <class CanvasType> void drawPicture(CanvasType& canvas) {
        canvas.erase();
        ASSERT_EQ(fullRedraw(ws, canvas), RedrawResult::Completed);
    }
    void defineTool(int toolNumber, float diameter, float radius = 0, float length = 20) {
        ToolTable& tools = ws.tools;
        ToolEntry& entry = tools.entries[++tools.count];
        entry.toolNumber = static_cast<std::uint8_t>(toolNumber);
        entry.diameter = diameter;
        entry.radius = radius;
        entry.length = length;
    }

    Workspace ws;
    PathBuilder path{ws};
};

struct SlideCase {
    const char* name;
    PixelPoint to; // from (0, 0)
    Stops stops;
};

TEST(SlideStops, EveryTenPixelsShortOfTheEndThenTheEnd) {
    const SlideCase cases[] = {
        {"35 pixels", {35, 0}, {{10, 0}, {20, 0}, {30, 0}, {35, 0}}},
        {"a stop on the end is the end", {30, 0}, {{10, 0}, {20, 0}, {30, 0}}},
        {"ten pixels or less: the end", {0, -10}, {{0, -10}}},
        {"short", {3, 4}, {{3, 4}}},
        {"3-4-5 diagonal", {-30, 40}, {{-6, 8}, {-12, 16}, {-18, 24}, {-24, 32}, {-30, 40}}},
        {"no move", {0, 0}, {{0, 0}}},
    };
    for (const SlideCase& c : cases) {
        const SlideStops stops({0, 0}, c.to);
        Stops got;
        for (std::int64_t k = 0; k < stops.count(); ++k)
            got.push_back(stops.at(k));
        EXPECT_EQ(got, c.stops) << c.name;
    }
}

TEST(SlideStops, OnlyStopsOnTheAreaAreKept) {
    struct Case {
        PixelPoint from, to;
        std::int64_t shownAtMost;
    };
    // A 640 x 480 area; moves that cross it, run beside it or start and end far away.
    const Case cases[] = {{{-5000, 50}, {9000, 60}, 66},  {{320, 240}, {320, 2000000000}, 25},
                          {{-100, -100}, {700, 580}, 82}, {{100, 100}, {600, 400}, 59},
                          {{-50, 500}, {700, 500}, 0},    {{2000, -3000}, {2000, 3000}, 0}};
    const auto onArea = [](PixelPoint p) {
        return p.x >= 0 && p.y >= 0 && p.x <= 640 && p.y <= 480;
    };
    for (const Case& c : cases) {
        const SlideStops stops(c.from, c.to);
        const SlideStops::Range range = stops.stopsOnArea(640, 480);
        const std::int64_t shown = std::max<std::int64_t>(0, range.last - range.first + 1);
        EXPECT_LE(shown, c.shownAtMost) << c.from.x << " " << c.from.y;
        for (std::int64_t k = range.first; k <= range.last; ++k) {
            const PixelPoint p = stops.at(k);
            EXPECT_TRUE(p.x >= -1 && p.y >= -1 && p.x <= 641 && p.y <= 481) << k;
        }
        // Every stop left out shows nothing (checked where the stops can be counted).
        if (stops.count() >= 100000)
            continue;
        for (std::int64_t k = 0; k + 1 < stops.count(); ++k) {
            if (k < range.first || k > range.last) {
                EXPECT_FALSE(onArea(stops.at(k))) << k;
            }
        }
    }
}

TEST_F(AnimationFixture, StraightMovesSlideArcPiecesAndStartPointsJump) {
    path.start(0, 0);
    path.line(35, 0);
    path.piece(7, 40, 5);
    path.piece(7, 35, 10);
    path.line(35, 10); // no distance: one stop where the tool already is
    RecordingCanvas canvas;
    drawPicture(canvas);
    TestHost host(ws, canvas);
    runAnimation(ws, *ws.database.first(), host);
    EXPECT_EQ(host.stops, (Stops{{100, 100},
                                 {110, 100},
                                 {120, 100},
                                 {130, 100},
                                 {135, 100},
                                 {140, 95},
                                 {135, 90},
                                 {135, 90}}));
    EXPECT_FALSE(ws.animation.toolShown);
    EXPECT_EQ(ws.animation.record, nullptr);
}

TEST_F(AnimationFixture, StepDelayIsWaitedAtEveryStop) {
    path.start(0, 0);
    path.line(35, 0);
    path.line(35, 5);
    RecordingCanvas canvas;
    drawPicture(canvas);
    ws.animation.stepDelayMs = 5; // five Down arrows
    TestHost host(ws, canvas);
    runAnimation(ws, *ws.database.first(), host);
    EXPECT_EQ(host.delays, std::vector<int>(6, 5));
}

TEST_F(AnimationFixture, ToolOfNoDiameterIsTheSixArmedMarker) {
    defineTool(3, 0);
    defineTool(4, 10, 0, 20);
    path.start(0, 0).last().tool = 3;
    path.line(5, 0).last().tool = 3;
    RecordingCanvas canvas;
    drawPicture(canvas);
    TestHost host(ws, canvas);
    host.onStep = [&](std::size_t) { EXPECT_FALSE(ws.animation.hasShape); };
    canvas.clear();
    runAnimation(ws, *ws.database.first(), host);

    RecordingCanvas marker;
    drawToolMarker(marker, ws.view, 100, 100, kWhite);
    ASSERT_GE(canvas.calls.size(), marker.calls.size());
    for (std::size_t i = 0; i < marker.calls.size(); ++i) {
        EXPECT_EQ(canvas.calls[i].str(), marker.calls[i].str());
        EXPECT_EQ(canvas.calls[i].mode, PenMode::Xor);
    }

    // The same path with a tool of diameter 10: its outline, not the marker.
    for (MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        r->tool = 4;
    canvas.clear();
    host.onStep = [&](std::size_t) { EXPECT_TRUE(ws.animation.hasShape); };
    runAnimation(ws, *ws.database.first(), host);
    EXPECT_NE(canvas.calls.front().str(), marker.calls.front().str());
    EXPECT_FALSE(ws.toolShape.allocated()); // the outline goes with the animation
}

// Whatever the tool does, the picture it moves over is the same afterwards: every picture
// of the tool is erased with the very outline it was drawn with.
TEST_F(AnimationFixture, PictureIsWholeAfterToolChangesAndTripsOffTheArea) {
    defineTool(1, 12, 3, 25);
    defineTool(2, 0);
    defineTool(3, 8, 4, 30);
    path.start(0, 0).last().tool = 1;
    path.line(60, 0).last().tool = 1;
    path.line(60, 40).last().tool = 2;
    path.rapid(900, 40).last().tool = 2; // off the area to the right
    path.line(-300, 50).last().tool = 3; // back across it and off to the left
    path.line(20, 20).last().tool = 3;
    path.piece(9, 30, 30).last().tool = 1;
    ws.animation.toolShown = false;
    PixelCanvas canvas(640, 480);
    drawPicture(canvas);
    const std::vector<std::uint32_t> before = canvas.pixels();

    TestHost host(ws, canvas);
    std::size_t changedStops = 0;
    host.onStep = [&](std::size_t) { changedStops += canvas.pixels() != before ? 1 : 0; };
    runAnimation(ws, *ws.database.first(), host);
    EXPECT_EQ(canvas.pixels(), before);
    EXPECT_GT(changedStops, host.stops.size() / 2); // the tool was to be seen meanwhile
    // Far off the area the tool waits at no stop of its own.
    EXPECT_LT(host.stops.size(), 250u);

    // Stopped half-way, it is erased as well.
    host.onStep = [&](std::size_t count) {
        if (count == 12)
            ws.animation.stopRequested = true;
    };
    host.stops.clear();
    runAnimation(ws, *ws.database.first(), host);
    EXPECT_EQ(host.stops.size(), 12u);
    EXPECT_EQ(canvas.pixels(), before);
}

TEST_F(AnimationFixture, ViewCommandEndsItEvenThoughItsRedrawClearsTheAbort) {
    path.start(0, 0);
    path.line(100, 0);
    path.line(100, 100);
    RecordingCanvas canvas;
    drawPicture(canvas);
    TestHost host(ws, canvas);
    host.onStep = [&](std::size_t count) {
        if (count != 3)
            return;
        // What a view command does from the event loop: ask, change, redraw.
        requestRedrawAbort(ws);
        ws.view.reprojection = true;
        canvas.erase();
        fullRedraw(ws, canvas);
        EXPECT_FALSE(ws.redraw.abortRequested);
    };
    runAnimation(ws, *ws.database.first(), host);
    EXPECT_EQ(host.stops.size(), 3u);
    EXPECT_FALSE(ws.animation.toolShown);
}

TEST_F(AnimationFixture, StatusShowsTheBlockAndTheTimeSoFar) {
    path.start(0, 0, 5).last().blockNumber = 20;
    MoveRecord& plunge = path.feed(100).line(0, 0, 0).last();
    plunge.blockNumber = 30;
    MoveRecord& line = path.feed(250).line(-35, 0, 0).last();
    line.blockNumber = 40;
    MoveRecord& rapid = path.rapid(-35, 0, 25).last();
    rapid.blockNumber = 50;
    RecordingCanvas canvas;
    drawPicture(canvas);
    TestHost host(ws, canvas);
    runAnimation(ws, *ws.database.first(), host);
    // 5 / 100 min = 3 s; 35 / 250 min = 8.4 s; 25 at the rapid rate 250: 6 s.
    EXPECT_EQ(host.statuses,
              (std::vector<std::string>{
                  "N20 G00 X0.00000 Y0.00000 Z5.00000   Elapsed 0:00:00 at 100% feed",
                  "N30 G01 X0.00000 Y0.00000 Z0.00000 F100.00   Elapsed 0:00:03 at 100% feed",
                  "N40 G01 X-35.00000 Y0.00000 Z0.00000 F250.00   Elapsed 0:00:11 at 100% feed",
                  "N50 G00 X-35.00000 Y0.00000 Z25.00000   Elapsed 0:00:17 at 100% feed"}));

    host.statuses.clear();
    host.optionsToUse.blockInfo = false;
    runAnimation(ws, line, host);
    EXPECT_EQ(host.statuses, (std::vector<std::string>{" Elapsed 0:00:11 at 100% feed",
                                                       " Elapsed 0:00:17 at 100% feed"}));
}

TEST_F(AnimationFixture, ModifyColorsPaintsEveryDrawnMoveWhite) {
    const Rgb blue = makeRgb(0, 0, 255);
    path.start(0, 0);
    path.color(blue).line(50, 0, 0);
    path.rapid(50, 50);
    path.color(blue).line(0, 50, 0);
    ws.display.rapidMoves = false;
    PixelCanvas canvas(640, 480);
    drawPicture(canvas);
    TestHost host(ws, canvas);
    host.optionsToUse.paintPath = true;
    runAnimation(ws, *ws.database.first(), host);

    constexpr std::uint32_t kWhitePixel = 0xFFFFFFFFu;
    for (int x = 101; x < 150; ++x) {
        EXPECT_EQ(canvas.pixel(x, 100), kWhitePixel) << "first move, x " << x;
        EXPECT_EQ(canvas.pixel(x, 50), kWhitePixel) << "last move, x " << x;
    }
    // The hidden rapid stays hidden.
    for (int y = 51; y < 100; ++y)
        EXPECT_EQ(canvas.pixel(150, y), PixelCanvas::kBlackPixel) << "rapid, y " << y;
}

TEST_F(AnimationFixture, PathOfOneRecordShowsNothing) {
    path.start(3, 3);
    RecordingCanvas canvas;
    drawPicture(canvas);
    TestHost host(ws, canvas);
    runAnimation(ws, *ws.database.first(), host);
    EXPECT_TRUE(host.stops.empty());
    EXPECT_FALSE(ws.animation.toolShown);
}

} // namespace
} // namespace korvix::test
