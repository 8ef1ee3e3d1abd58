#include "app/workspace_access.h"
#include "display/cursor_readout.h"
#include "display/identify_marks.h"
#include "display/move_description.h"
#include "display/plain_view.h"
#include "display/recording_canvas.h"
#include "display/view_transform.h"
#include "filters/reverse_path.h"
#include "input/nc_reader.h"
#include "model/path_builder.h"
#include "test_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

// Gives every piece of an arc group its arc fields, as the reader leaves them.
void makeArc(MoveRecord& piece, std::uint8_t plane, int motion, Point3 centre, float radius,
             float startAngle, float endAngle) {
    piece.plane = plane;
    piece.motion = static_cast<std::uint8_t>(motion);
    piece.centerX = static_cast<float>(centre.x);
    piece.centerY = static_cast<float>(centre.y);
    piece.centerZ = static_cast<float>(centre.z);
    piece.radius = radius;
    piece.startAngle = startAngle;
    piece.endAngle = endAngle;
}

std::vector<std::string> fields(const NcLocationTexts& t) {
    return {t.blockNumber, t.moveType, t.x1,       t.y1,   t.z1, t.x2, t.y2,
            t.z2,          t.feed,     t.distance, t.tool, t.xc, t.yc, t.zc};
}

TEST(MoveDescription, StraightMovesRapidsAndTheFirstRecord) {
    Workspace ws;
    PathBuilder path(ws);
    MoveRecord& start = path.start(0, 0, 5).last();
    start.blockNumber = 20;
    start.tool = 3;
    MoveRecord& plunge = path.feed(100).line(0, 0, 0).last();
    plunge.blockNumber = 30;
    plunge.tool = 3;
    MoveRecord& line = path.feed(250).line(40, 0, 0).last();
    line.blockNumber = 40;
    line.tool = 3;
    MoveRecord& rapid = path.rapid(40, -5, 12).last();
    rapid.blockNumber = 65535;
    rapid.tool = 3;

    using Fields = std::vector<std::string>;
    // Block, type, X1 Y1 Z1, X2 Y2 Z2, feed, distance, tool, centre.
    EXPECT_EQ(fields(describeMove(start)), (Fields{"N20", "G00 (Rapid)", "", "", "", "0.00000",
                                                   "0.00000", "5.00000", "", "", "3", "", "", ""}));
    EXPECT_EQ(fields(describeMove(plunge)),
              (Fields{"N30", "G01 (Linear)", "0.00000", "0.00000", "5.00000", "0.00000", "0.00000",
                      "0.00000", "100.000", "5.00000", "3", "", "", ""}));
    EXPECT_EQ(fields(describeMove(line)),
              (Fields{"N40", "G01 (Linear)", "0.00000", "0.00000", "0.00000", "40.00000", "0.00000",
                      "0.00000", "250.000", "40.00000", "3", "", "", ""}));
    EXPECT_EQ(fields(describeMove(rapid)),
              (Fields{"N65535", "G00 (Rapid)", "40.00000", "0.00000", "0.00000", "40.00000",
                      "-5.00000", "12.00000", "", "13.00000", "3", "", "", ""}));
}

TEST(MoveDescription, ArcsAreDescribedWholeFromAnyPiece) {
    Workspace ws;
    PathBuilder path(ws);
    path.start(40, 0, -1);
    // A quarter circle counter-clockwise about (40, 20) from (40, 0) to (60, 20), in three
    // pieces; every piece shows the whole arc.
    MoveRecord* pieces[] = {&path.piece(7, 50, 2.68f, -1).last(),
                            &path.piece(7, 57.3f, 10, -1).last(),
                            &path.piece(7, 60, 20, -1).last()};
    for (MoveRecord* piece : pieces) {
        makeArc(*piece, kPlaneXY, 3, {40, 20, -1}, 20, 270, 0);
        piece->blockNumber = 50;
        piece->feed = 250;
        piece->tool = 3;
    }
    const std::vector<std::string> expected = {
        "N50",      "G03 (XY Arc)", "40.00000", "0.00000", "-1.00000", "60.00000", "20.00000",
        "-1.00000", "250.000",      "31.41593", "3",       "40.00000", "20.00000", "-1.00000"};
    for (MoveRecord* piece : pieces)
        EXPECT_EQ(fields(describeMove(*piece)), expected);
}

TEST(MoveDescription, ArcPlanesAndLongArcs) {
    MoveRecord r{};
    r.kind = kKindArcPiece;
    r.x = 25;
    r.y = 7;
    r.z = 5;
    // XZ: the plane's axes are X and Z, the record's own Y completes the points.
    makeArc(r, kPlaneXZ, 3, {20, 0, 5}, 5, 270, 0);
    NcLocationTexts t = describeMove(r);
    EXPECT_EQ(t.moveType, "G03 (XZ Arc)");
    EXPECT_EQ((std::vector<std::string>{t.x1, t.y1, t.z1, t.x2, t.y2, t.z2}),
              (std::vector<std::string>{"20.00000", "7.00000", "0.00000", "25.00000", "7.00000",
                                        "5.00000"}));
    // YZ: Y and Z, the record's own X; the record ends on its circle at 0 degrees.
    makeArc(r, kPlaneYZ, 2, {0, 10, 0}, -10, 90, 0);
    r.y = 20;
    r.z = 0;
    t = describeMove(r);
    EXPECT_EQ(t.moveType, "G02 (YZ Arc)");
    EXPECT_EQ((std::vector<std::string>{t.x1, t.y1, t.z1, t.x2, t.y2, t.z2}),
              (std::vector<std::string>{"25.00000", "10.00000", "10.00000", "25.00000", "20.00000",
                                        "0.00000"}));
    EXPECT_EQ(t.distance, "15.70796");

    // Three quarters of a circle: the shared arc-length routine gives 0 for 180 degrees or
    // more, the dialog shows the length travelled.
    makeArc(r, kPlaneXY, 3, {0, 0, 0}, 10, 0, 270);
    EXPECT_NEAR(arcTravel(r), 47.12389, 1e-5);
    makeArc(r, kPlaneXY, 2, {0, 0, 0}, -10, 0, 270);
    EXPECT_NEAR(arcTravel(r), 15.70796, 1e-5);
}

// A helix starts where the tool stood before it and ends at its last piece, in every plane,
// whichever piece is picked; reversed, it runs between the same two points the other way.
TEST(MoveDescription, HelixRunsFromTheRecordBeforeItToItsLastPiece) {
    struct Case {
        const char* program;
        std::vector<std::string> start, end; // X, Y, Z
    };
    const Case cases[] = {
        {"G17\nG0 X10. Y0. Z0.\nG1 Z-1. F100.\nG3 X0. Y10. Z-3. I0. J0.\n",
         {"10.00000", "0.00000", "-1.00000"},
         {"0.00000", "10.00000", "-3.00000"}},
        {"G18\nG0 X10. Y0. Z0.\nG1 Y-1. F100.\nG2 X0. Z10. Y-3. I0. K0.\n",
         {"10.00000", "-1.00000", "0.00000"},
         {"0.00000", "-3.00000", "10.00000"}},
        {"G19\nG0 X0. Y10. Z0.\nG1 X-1. F100.\nG3 Y0. Z10. X-3. J0. K0.\n",
         {"-1.00000", "10.00000", "0.00000"},
         {"-3.00000", "0.00000", "10.00000"}},
    };
    TestFolder folder("korvix-identify-helix");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        const std::string file = folder.path("helix.nc");
        std::ofstream(file) << c.program;
        Workspace ws;
        ASSERT_TRUE(readNcProgram(ncReadTarget(ws), file, NcReadOptions{}, {}).ok());
        for (const bool reversed : {false, true}) {
            SCOPED_TRACE(reversed ? "reversed" : "as read");
            if (reversed) {
                ASSERT_TRUE(reverseCutDirection(ws.database));
            }
            int pieces = 0;
            for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
                if (!isArcPiece(*r))
                    continue;
                ++pieces;
                const NcLocationTexts t = describeMove(*r);
                EXPECT_EQ((std::vector<std::string>{t.x1, t.y1, t.z1}), reversed ? c.end : c.start);
                EXPECT_EQ((std::vector<std::string>{t.x2, t.y2, t.z2}), reversed ? c.start : c.end);
                EXPECT_EQ(t.distance, "15.70796");
            }
            EXPECT_GT(pieces, 10);
        }
    }
}

TEST(MoveDescription, PickedAtAndWireframeTexts) {
    EXPECT_EQ(pickedAtText({12.34567, -0.00001, 1234567.8}),
              "Picked at X = 12.3457, Y = 0.0000, Z = 1234568.0000");
    const WireLocationTexts w = describePoint({1.5, -2.25, 1e-6});
    EXPECT_EQ(w.x, "1.50000");
    EXPECT_EQ(w.y, "-2.25000");
    EXPECT_EQ(w.z, "0.00000");
}

TEST(CursorReadout, ThePlaneViewsNameTheirAxes) {
    ViewState view;
    setPlainView(view, 10, 100, 200);
    const struct {
        double a, b, c;
        bool loaded;
        const char* text;
    } cases[] = {
        {0, 0, 0, true, "X = 3.0000, Y = 4.0000"},
        {90, 0, 0, true, "X = 3.0000, Z = 4.0000"},
        {90, -90, 0, true, "Y = 3.0000, Z = 4.0000"},
        {45, -35, 30, true, ""},
        {90, 0, 15, true, ""},
        {0, 0, 0, false, ""},
    };
    for (const auto& c : cases) {
        setAngles(view, c.a, c.b, c.c);
        EXPECT_EQ(cursorReadout(view, c.loaded, 130, 160), c.text) << c.a << " " << c.b;
    }
    EXPECT_EQ(planeViewOf(view), PlaneView::XY);
}

// A highlighted arc is made again from its centre. A flat arc in the XZ or YZ plane keeps its
// own Y or X all along, whatever plane the move before it was in.
TEST(MoveDescription, HighlightedArcStaysOffItsPlaneWhereItIs) {
    struct Case {
        std::uint8_t plane;
        Point3 before, end, centre; // the arc runs from `before` a quarter turn to `end`
        bool offPlaneIsPixelY;      // in the plain XY view: Y shows as the pixel row
        int offPlanePixel;
    };
    const Case cases[] = {
        {kPlaneXZ, {10, 5, 0}, {0, 5, 10}, {0, 5, 0}, true, 95},
        {kPlaneYZ, {5, 10, 0}, {5, 0, 10}, {5, 0, 0}, false, 105},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.plane});
        Workspace ws;
        setPlainView(ws.view, 1, 100, 100); // model (x, y) is pixel (100 + x, 100 - y)
        PathBuilder path(ws);
        path.start(0, 0, 0);
        path.line(static_cast<float>(c.before.x), static_cast<float>(c.before.y),
                  static_cast<float>(c.before.z));
        MoveRecord& piece = path.piece(7, static_cast<float>(c.end.x), static_cast<float>(c.end.y),
                                       static_cast<float>(c.end.z))
                                .last();
        makeArc(piece, c.plane, kMotionCounterClockwise, c.centre, 10, 0, 90);
        RecordingCanvas canvas;
        highlightMove(canvas, ws.view, piece, {0, 0});
        ASSERT_FALSE(canvas.calls.empty());
        for (const RecordedCall& call : canvas.calls)
            EXPECT_EQ(c.offPlaneIsPixelY ? call.b : call.a, c.offPlanePixel) << call.str();
    }
}

} // namespace
} // namespace korvix::test
