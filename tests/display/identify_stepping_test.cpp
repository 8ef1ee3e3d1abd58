#include "display/identify_cursor.h"
#include "display/identify_stepping.h"
#include "display/plain_view.h"
#include "display/recording_canvas.h"
#include "display/renderer.h"
#include "display/trim_polygon_input.h"
#include "model/path_builder.h"

#include <deque>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

// start, line, arc of three pieces, line, arc of two pieces, line: block numbers 1..6.
struct SteppingFixture : ::testing::Test {
    SteppingFixture() {
        ws.display.tripod = false;
        setPlainView(ws.view, 1, 100, 300);
        records.push_back(&path.start(0, 0).last());
        records.push_back(&path.line(10, 0).last());
        for (float x : {12.0f, 14.0f, 16.0f})
            records.push_back(&path.piece(100, x, 1).last());
        records.push_back(&path.line(30, 1).last());
        for (float x : {32.0f, 34.0f})
            records.push_back(&path.piece(200, x, 0).last());
        records.push_back(&path.line(50, 0).last());
        const int blocks[] = {1, 2, 3, 3, 3, 4, 5, 5, 6};
        for (std::size_t i = 0; i < records.size(); ++i)
            records[i]->blockNumber = static_cast<std::uint16_t>(blocks[i]);
        RecordingCanvas canvas;
        fullRedraw(ws, canvas);
    }
    Workspace ws;
    PathBuilder path{ws};
    std::vector<MoveRecord*> records;
};

TEST_F(SteppingFixture, StepsJumpOverArcGroups) {
    const auto index = [&](const MoveRecord* r) {
        for (std::size_t i = 0; i < records.size(); ++i)
            if (records[i] == r)
                return static_cast<int>(i);
        return -1;
    };
    const struct {
        int from, next, previous;
    } cases[] = {
        {0, 1, -1}, // the start point has no predecessor
        {1, 4, 0},  // onto an arc: its last piece
        {2, 4, 1},  // the first piece of an arc: on to its last piece, back before the arc
        {3, 4, 1},  {4, 5, 1},  // the end of an arc: back to the move before it
        {5, 7, 4},              // a line after an arc: back to the arc's end
        {7, 8, 5},  {8, -1, 7}, // the end of the path
    };
    for (const auto& c : cases) {
        EXPECT_EQ(index(nextMove(*records[static_cast<std::size_t>(c.from)])), c.next) << c.from;
        EXPECT_EQ(index(previousMove(*records[static_cast<std::size_t>(c.from)])), c.previous)
            << c.from;
    }
}

// A dialog answered from a script; it records what it was shown.
class ScriptedNcHost : public NcLocationHost {
public:
    explicit ScriptedNcHost(std::deque<int> buttons) : m_buttons(std::move(buttons)) {}
    void enableSteps(bool previous, bool next) override {
        enabled.push_back(std::string(previous ? "P" : "-") + (next ? "N" : "-"));
    }
    int waitForButton() override {
        if (m_buttons.empty())
            return location_state::kCancel;
        const int button = m_buttons.front();
        m_buttons.pop_front();
        return button;
    }
    void draw(const std::function<void(Canvas&)>& paint) override { paint(canvas); }
    void showMove(const NcLocationTexts& texts) override { shown.push_back(texts.blockNumber); }

    std::vector<std::string> enabled;
    std::vector<std::string> shown;
    RecordingCanvas canvas;

private:
    std::deque<int> m_buttons;
};

TEST_F(SteppingFixture, NcLoopFollowsTheButtonsAndMovesTheTool) {
    using namespace location_state;
    ScriptedNcHost host({kNext, kNext, kPrevious, kWaiting, kPrevious, kPrevious, kPrevious, kNext,
                         kNext, kNext, kNext, kNext, kNext, kCancel});
    runNcStepping(ws, *records[2], host);
    using Texts = std::vector<std::string>;
    EXPECT_EQ(host.shown,
              (Texts{"N3", "N3", "N4", "N3", "N2", "N1", "N2", "N3", "N4", "N5", "N6"}));
    // Previous is possible everywhere but at the start; Next everywhere but at the end, where
    // the two further Next presses do nothing.
    EXPECT_EQ(host.enabled.front(), "PN");
    EXPECT_EQ(host.enabled[6], "-N");
    EXPECT_EQ(host.enabled.back(), "P-");
    // The tool sits on the last record shown, drawn in XOR as the six-armed marker.
    EXPECT_EQ(ws.animation.record, records[8]);
    EXPECT_TRUE(ws.animation.toolShown);
    ASSERT_FALSE(host.canvas.calls.empty());
    EXPECT_EQ(host.canvas.calls.back().mode, PenMode::Xor);

    // Each move of the tool erases it where it was: drawn an even number of times in all
    // but at its final place.
    RecordingCanvas& canvas = host.canvas;
    canvas.clear();
    eraseAnimatedTool(ws, canvas);
    EXPECT_FALSE(ws.animation.toolShown);
    EXPECT_EQ(canvas.count("lineTo"), 6); // the marker's six arms, erased once
    canvas.clear();
    eraseAnimatedTool(ws, canvas);
    EXPECT_TRUE(canvas.calls.empty()); // nothing left to erase
}

class ScriptedWireHost : public WireLocationHost {
public:
    explicit ScriptedWireHost(std::deque<int> buttons) : m_buttons(std::move(buttons)) {}
    void enableSteps(bool, bool) override {}
    int waitForButton() override {
        if (m_buttons.empty())
            return location_state::kCancel;
        const int button = m_buttons.front();
        m_buttons.pop_front();
        return button;
    }
    void draw(const std::function<void(Canvas&)>& paint) override { paint(canvas); }
    void showPoint(const WireLocationTexts& texts) override {
        shown.push_back(texts.x + " " + texts.y);
    }
    std::vector<std::string> shown;
    RecordingCanvas canvas;

private:
    std::deque<int> m_buttons;
};

TEST(WireStepping, MidPointUsesTheDrawnSegment) {
    Workspace ws;
    ws.display.wireframe = true;
    setPlainView(ws.view, 1, 100, 300);
    NodeList<WireframePoint>& points = ws.wireframe.points;
    ASSERT_TRUE(points.createFirst());
    WireframePoint* p = points.head();
    std::vector<WireframePoint*> all;
    const struct {
        std::uint8_t penDown;
        float x, y;
    } data[] = {{0, 0, 0}, {1, 10, 0}, {0, 20, 20}, {1, 30, 20}};
    for (const auto& d : data) {
        if (!all.empty()) {
            ASSERT_TRUE(points.append(p));
        }
        p->penDown = d.penDown;
        p->x = d.x;
        p->y = d.y;
        all.push_back(p);
    }
    // A polyline's first point uses the segment to its successor.
    EXPECT_EQ(wireMidPoint(*all[0])->x, 5.0);
    EXPECT_EQ(wireMidPoint(*all[1])->x, 5.0);
    EXPECT_EQ(wireMidPoint(*all[2])->x, 25.0); // pen up: the segment to its successor
    EXPECT_EQ(wireMidPoint(*all[3])->x, 25.0);

    using namespace location_state;
    ScriptedWireHost host({kMiddle, kNext, kMiddle, kPrevious, kCancel});
    runWireStepping(ws, *all[1], host);
    EXPECT_EQ(host.shown,
              (std::vector<std::string>{"10.00000 0.00000", "5.00000 0.00000", "20.00000 20.00000",
                                        "25.00000 20.00000", "10.00000 0.00000"}));
    EXPECT_TRUE(ws.wireframeMark.shown);
    EXPECT_EQ(ws.wireframeMark.x, 10.0);
    host.canvas.clear();
    eraseWireframeMark(ws, host.canvas);
    EXPECT_FALSE(ws.wireframeMark.shown);
    EXPECT_EQ(host.canvas.count("lineTo"), 6);
}

TEST(TrimPolygonInput, VerticesKeysAndTheLimit) {
    Workspace ws;
    setPlainView(ws.view, 2, 100, 300);
    RecordingCanvas canvas;
    beginTrimPolygon(ws);
    addTrimPolygonPoint(ws, canvas, {100, 300});
    EXPECT_EQ(canvas.count("lineTo"), 0); // one vertex draws nothing
    addTrimPolygonPoint(ws, canvas, {120, 280});
    ASSERT_EQ(ws.trimPolygon.count, 2);
    EXPECT_FLOAT_EQ(ws.trimPolygon.vertices[1][0], 10.0f); // drawing units, v upwards
    EXPECT_FLOAT_EQ(ws.trimPolygon.vertices[1][1], 10.0f);

    for (int i = 2; i < TrimPolygon::kMaxVertices; ++i)
        addTrimPolygonPoint(ws, canvas, {100 + i, 300});
    ASSERT_EQ(ws.trimPolygon.count, TrimPolygon::kMaxVertices);
    canvas.clear();
    addTrimPolygonPoint(ws, canvas, {400, 400}); // the 251st click
    EXPECT_EQ(ws.trimPolygon.count, TrimPolygon::kMaxVertices);
    EXPECT_EQ(canvas.count("moveTo"), 2); // erased and drawn again
    EXPECT_NE(ws.trimPolygon.vertices.back()[0], 150.0f);

    EXPECT_TRUE(deleteLastTrimPolygonPoint(ws, canvas));
    EXPECT_EQ(ws.trimPolygon.count, TrimPolygon::kMaxVertices - 1);
    EXPECT_TRUE(clearTrimPolygon(ws, canvas));
    EXPECT_EQ(ws.trimPolygon.count, 0);
    EXPECT_FALSE(deleteLastTrimPolygonPoint(ws, canvas)); // fewer than 2
    EXPECT_FALSE(clearTrimPolygon(ws, canvas));
    EXPECT_TRUE(cancelTrimPolygon(ws, canvas));
    EXPECT_FALSE(ws.trimPolygon.active);
    EXPECT_FALSE(cancelTrimPolygon(ws, canvas)); // Esc with no polygon
    EXPECT_FALSE(finishTrimPolygon(ws, canvas));
}

} // namespace
} // namespace korvix::test
