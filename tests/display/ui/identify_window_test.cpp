#include "display/identify_stepping.h"
#include "display/ui/current_nc_location_dialog.h"
#include "display/ui/current_wir_location_dialog.h"
#include "display/ui/view_menu_commands.h"
#include "display/view_transform.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"
#include "window_input.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <bit>
#include <cmath>
#include <ctime>
#include <fstream>
#include <gtest/gtest.h>
#include <numbers>

namespace korvix::test {
namespace {

using Fields = std::vector<std::string>;

// The NC dialog's fields in their reading order: block, type, X1 Y1 Z1, X2 Y2 Z2, feed,
// distance, tool, centre.
Fields ncFields(const ui::LocationDialogBase& dialog) {
    Fields fields;
    for (const char* name : {"BlockNumberEdit", "MoveTypeEdit", "X1LocationEdit", "Y1LocationEdit",
                             "Z1LocationEdit", "X2LocationEdit", "Y2LocationEdit", "Z2LocationEdit",
                             "FeedRateEdit", "DistanceTraveledEdit", "ToolNumberEdit",
                             "XcLocationEdit", "YcLocationEdit", "ZcLocationEdit"})
        fields.push_back(dialog.fieldText(name).toStdString());
    return fields;
}

const Fields kLineN40 = {
    "N40",     "G01 (Linear)", "0.00000",  "0.00000", "0.00000", "40.00000", "0.00000",
    "0.00000", "250.000",      "40.00000", "3",       "",        "",         ""};
const Fields kArcN50 = {"N50",      "G03 (XY Arc)", "40.00000", "0.00000", "0.00000",
                        "60.00000", "20.00000",     "0.00000",  "250.000", "31.41593",
                        "3",        "40.00000",     "20.00000", "0.00000"};
const Fields kLineN60 = {
    "N60",     "G01 (Linear)", "60.00000", "20.00000", "0.00000", "60.00000", "50.00000",
    "0.00000", "250.000",      "30.00000", "3",        "",        "",         ""};
const Fields kPlungeN30 = {
    "N30",     "G01 (Linear)", "0.00000", "0.00000", "5.00000", "0.00000", "0.00000",
    "0.00000", "100.000",      "5.00000", "3",       "",        "",        ""};
const Fields kStartN20 = {"N20", "G00 (Rapid)", "", "", "", "0.00000", "0.00000", "5.00000", "",
                          "",    "3",           "", "", ""};

struct Identify : ::testing::Test {
    Identify() : window(makeWindow()), ws(window->workspace()) {
        openTestProgram(*window, "identify_path.nc");
    }
    PixelPoint pixelOf(double x, double y, double z) const { return project(ws.view, x, y, z); }
    ui::CurrentNcLocationDialog& ncDialog() { return ui::CurrentNcLocationDialog::of(*window); }
    // A step that checks the fields shown.
    DialogStep expectFields(Fields expected, const char* where) {
        return [expected, where](ui::LocationDialogBase& dialog) {
            EXPECT_EQ(ncFields(dialog), expected) << where;
        };
    }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

TEST_F(Identify, ArmsThePickAndChoosesItsTarget) {
    EXPECT_EQ(ncDialog().objectName(), "TCurrentNcLocationDialog");
    EXPECT_EQ(ncDialog().windowTitle(), "Current NC location");
    EXPECT_EQ(ui::CurrentWirLocationDialog::of(*window).windowTitle(),
              "Current Wireframe location");
    EXPECT_TRUE(ncDialog().windowFlags() & Qt::WindowStaysOnTopHint);

    window->action("Identify1")->trigger();
    EXPECT_EQ(window->statusText(), " Use \"LEFT\" mouse button to select desired geometry...");
    EXPECT_EQ(window->pointer.mode, PickMode::Point);

    // WIREFRAME only while a wire-frame is displayed.
    window->action("IdentifyWIREdata1")->trigger();
    EXPECT_FALSE(window->isChecked("IdentifyWIREdata1"));
    EXPECT_TRUE(window->isChecked("IdentifyNCdata1"));
    window->action("IdentifyNCdata1")->trigger();
    EXPECT_TRUE(window->isChecked("IdentifyNCdata1"));
}

TEST_F(Identify, StraightMoveThenStepsOverTheArcAsOneMove) {
    window->action("Identify1")->trigger();
    const PixelPoint onLine = pixelOf(20, 0, 0);
    bool menusLocked = false;
    whenWaiting(ncDialog(),
                {expectFields(kLineN40, "picked line"),
                 [&](ui::LocationDialogBase&) {
                     menusLocked = !window->action("File1")->isEnabled() &&
                                   !window->action("Identify1")->isEnabled() &&
                                   !window->action("Options1")->isEnabled() &&
                                   window->action("Display1")->isEnabled();
                     EXPECT_TRUE(ws.animation.toolShown);
                 },
                 press("NextMoveButton"), expectFields(kArcN50, "next: the whole arc"),
                 press("NextMoveButton"), expectFields(kLineN60, "next: after the arc"),
                 press("PreviousMoveButton"), expectFields(kArcN50, "back to the arc"),
                 press("PreviousMoveButton"), expectFields(kLineN40, "back over the arc"),
                 press("PreviousMoveButton"), expectFields(kPlungeN30, "the plunge"),
                 press("PreviousMoveButton"), expectFields(kStartN20, "the start point"),
                 [](ui::LocationDialogBase& dialog) {
                     EXPECT_FALSE(
                         dialog.findChild<QPushButton*>("PreviousMoveButton")->isEnabled());
                 },
                 press("CancelButton")});
    click(*window, {onLine.x + 3, onLine.y - 4});

    EXPECT_TRUE(menusLocked);
    EXPECT_TRUE(window->action("File1")->isEnabled()); // unlocked again
    EXPECT_FALSE(ncDialog().isVisible());
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_FALSE(ws.animation.toolShown);
    // The picked point lies on the move, under the click.
    const QString status = window->statusText();
    EXPECT_TRUE(status.startsWith("Picked at X = ")) << status.toStdString();
    EXPECT_TRUE(status.endsWith(", Y = 0.0000, Z = 0.0000")) << status.toStdString();
    const double x = status.mid(14, status.indexOf(',') - 14).toDouble();
    EXPECT_NEAR(x, 20 + 3 / ws.view.scale, 1 / ws.view.scale);
}

TEST_F(Identify, ArcIsShownWholeAndNextReachesItsEnd) {
    window->action("Identify1")->trigger();
    const double angle = -std::numbers::pi / 4;
    const PixelPoint onArc = pixelOf(40 + 20 * std::cos(angle), 20 + 20 * std::sin(angle), 0);
    whenWaiting(ncDialog(), {expectFields(kArcN50, "picked arc"), press("NextMoveButton"),
                             expectFields(kArcN50, "the arc's last piece"), press("NextMoveButton"),
                             expectFields(kLineN60, "after the arc"), press("CancelButton")});
    click(*window, onArc);
    EXPECT_FALSE(ncDialog().isVisible());
}

TEST_F(Identify, NothingNearWritesOntoThePicture) {
    window->action("Identify1")->trigger();
    const QImage before = window->drawingArea().image().copy();
    // Inside the arc, far from every move.
    const PixelPoint empty = pixelOf(45, 15, 0);
    click(*window, empty);
    EXPECT_FALSE(ncDialog().isVisible());
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    // White text appeared in the top rows at the left.
    const QImage after = window->drawingArea().image();
    int changed = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 300; ++x)
            changed += after.pixel(x, y) != before.pixel(x, y) ? 1 : 0;
    EXPECT_GT(changed, 50);

    // A toolpath that is not displayed cannot be picked where it was drawn last.
    const PixelPoint onLine = pixelOf(20, 0, 0);
    window->action("DisplayNCData1")->trigger();
    ASSERT_FALSE(ws.display.ncToolpath);
    window->action("Identify1")->trigger();
    bool opened = false;
    QTimer::singleShot(2000, &ncDialog(), [&] { // a wrong pick must not hang the test
        opened = ncDialog().isVisible();
        ncDialog().setState(location_state::kCancel);
    });
    click(*window, onLine);
    EXPECT_FALSE(opened);
    EXPECT_NE(window->statusText().left(9), "Picked at");
}

TEST_F(Identify, TheWaitingDialogCostsNoProcessorTime) {
    window->action("Identify1")->trigger();
    std::clock_t started = 0;
    double usedSeconds = -1;
    whenWaiting(ncDialog(), {[&](ui::LocationDialogBase&) { started = std::clock(); },
                             [&](ui::LocationDialogBase& dialog) {
                                 // Half a second of waiting, then Cancel.
                                 QTimer::singleShot(500, &dialog, [&, d = &dialog] {
                                     usedSeconds = static_cast<double>(std::clock() - started) /
                                                   CLOCKS_PER_SEC;
                                     d->findChild<QPushButton*>("CancelButton")->click();
                                 });
                             }});
    const PixelPoint onLine = pixelOf(20, 0, 0);
    click(*window, onLine);
    ASSERT_GE(usedSeconds, 0);
    // The test's own 10 ms poller runs meanwhile; a spinning wait would use the whole 0.5 s.
    EXPECT_LT(usedSeconds, 0.15);
}

TEST_F(Identify, ClosingTheWindowCancelsTheDialogFirst) {
    window->action("Identify1")->trigger();
    whenWaiting(ncDialog(), {[&](ui::LocationDialogBase&) { window->close(); }});
    click(*window, pixelOf(20, 0, 0));
    // The loop ended before the data could go; the window closes afterwards.
    EXPECT_FALSE(ncDialog().isVisible());
    EXPECT_TRUE(window->isVisible());
    for (int i = 0; i < 50 && window->isVisible(); ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(ws.database.databaseAllocated());
}

// A wire-frame file: pen flag, visibility and colour index, two unused bytes, X, Y, Z as
// floats, 20 unused bytes and two screen words: 41 bytes a point.
std::string wireframeBytes(const std::vector<std::array<float, 4>>& points) {
    std::string out;
    for (const auto& p : points) {
        out.push_back(static_cast<char>(p[0]));
        out.push_back(1);
        out.push_back(7);
        out.append(2, '\0');
        for (int i = 1; i < 4; ++i) {
            const auto bits = std::bit_cast<std::uint32_t>(p[static_cast<std::size_t>(i)]);
            for (int b = 0; b < 4; ++b)
                out.push_back(static_cast<char>((bits >> (8 * b)) & 0xFF));
        }
        out.append(24, '\0');
    }
    return out;
}

TEST(IdentifyWireframe, StepsPointsAndShowsMidPoints) {
    auto window = makeWindow();
    Workspace& ws = window->workspace();
    QTemporaryDir dir;
    const QString path = dir.path() + "/frame.WIR";
    std::ofstream(path.toStdString(), std::ios::binary) << wireframeBytes(
        {{0, -8, -8, 0}, {1, 8, -8, 0}, {1, 8, 8, 2}, {0, -8, 0, 0}, {1, 0, 0, 0}});
    acceptColor(0xFFFFFF);
    ui::openNamedFile(*window, path);
    ASSERT_TRUE(window->isChecked("DisplayWIREdata1"));
    window->action("IdentifyWIREdata1")->trigger();
    ASSERT_TRUE(window->isChecked("IdentifyWIREdata1"));

    ui::CurrentWirLocationDialog& dialog = ui::CurrentWirLocationDialog::of(*window);
    const auto xyz = [](ui::LocationDialogBase& d) {
        return (d.fieldText("XLocationEdit") + " " + d.fieldText("YLocationEdit") + " " +
                d.fieldText("ZLocationEdit"))
            .toStdString();
    };
    std::vector<std::string> shown;
    const DialogStep record = [&](ui::LocationDialogBase& d) { shown.push_back(xyz(d)); };
    whenWaiting(dialog, {record, press("MidPointButton"), record, press("NextPointButton"), record,
                         press("NextPointButton"), record, press("MidPointButton"), record,
                         [&](ui::LocationDialogBase&) { EXPECT_TRUE(ws.wireframeMark.shown); },
                         press("CancelButton")});
    window->action("Identify1")->trigger();
    click(*window, project(ws.view, 8, 0, 1)); // on the segment (8, -8) - (8, 8)
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "8.00000 8.00000 2.00000",     // the segment's end point
                         "8.00000 0.00000 1.00000",     // its middle
                         "-8.00000 0.00000 0.00000",    // the next point starts a polyline
                         "0.00000 0.00000 0.00000",     //
                         "-4.00000 0.00000 0.00000"})); // middle of the segment to it
    EXPECT_FALSE(ws.wireframeMark.shown);
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
} // namespace korvix::test
