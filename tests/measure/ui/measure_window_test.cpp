#include "app/ui/close_commands.h"
#include "display/display_state.h"
#include "display/ui/view_menu_commands.h"
#include "display/ui/window_input.h"
#include "display/view_transform.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "measure/measure_fields.h"
#include "measure/measure_marks.h"
#include "measure/ui/measurement_form.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

// The corners of measure_points.nc, each picked by a click half-way along the move that ends
// there: A (0,0,0), B (10,0,0), C (10,10,0), D (20,10,5), E (30,10,10). C, D and E lie on
// one line.
struct Corner {
    const char* name;
    double clickX, clickY, clickZ;
};
const std::map<char, Corner> kCorners = {
    {'A', {"A", -5, 0, 0}},    {'B', {"B", 5, 0, 0}},     {'C', {"C", 10, 5, 0}},
    {'D', {"D", 15, 10, 2.5}}, {'E', {"E", 25, 10, 7.5}},
};

using Fields = std::map<std::string, std::string>;

struct Measure : ::testing::Test {
    Measure() : window(makeWindow()), ws(window->workspace()) {}
    void SetUp() override { open(pathColor); }

    // Opens the program drawn in `rgb`.
    void open(unsigned rgb) {
        acceptColor(rgb);
        acceptRadiusType(true);
        ui::openNamedFile(*window, QString(KORVIX_TEST_DATA_DIR) + "/measure_points.nc");
    }
    ui::MeasurementForm& form() { return ui::MeasurementForm::of(*window); }
    void start() { window->action("Measure1")->trigger(); }
    void setPage(MeasurePage page) {
        form().findChild<QTabWidget*>("PageControl1")->setCurrentIndex(static_cast<int>(page));
    }
    void setWorkPlane(const char* caption) {
        for (QRadioButton* item : form().findChildren<QRadioButton*>())
            if (item->text() == caption)
                item->click();
    }
    PixelPoint pixelOf(double x, double y, double z) const { return project(ws.view, x, y, z); }
    void pick(char corner) {
        const Corner& c = kCorners.at(corner);
        click(*window, pixelOf(c.clickX, c.clickY, c.clickZ));
    }
    void pickAll(const std::string& corners) {
        for (char corner : corners)
            pick(corner);
    }
    void press(const char* button) {
        QPushButton* b = form().findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr) << button;
        ASSERT_TRUE(b->isEnabled()) << button;
        b->click();
    }
    bool enabled(const char* button) { return form().findChild<QPushButton*>(button)->isEnabled(); }
    void expectFields(const Fields& expected, const std::string& where) {
        for (const auto& [name, text] : expected)
            EXPECT_EQ(form().fieldText(QString::fromStdString(name)).toStdString(), text)
                << where << ", " << name;
    }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
    unsigned pathColor = 0xFFFFFF;
};

const char* const kLockedMenus[] = {"File1",   "Edit2",    "Animate1", "Identify1",
                                    "Levels1", "Options1", "Text1"};

TEST_F(Measure, LocksTheMenusWhileItRunsAndGivesThemBack) {
    EXPECT_EQ(form().objectName(), "TMeasurementForm");
    EXPECT_EQ(form().windowTitle(), "Measurement Form");
    EXPECT_TRUE(form().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form().isModal());

    start();
    // A second "&Measure" while measuring brings the form back without pushing again.
    start();
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(form().measuring());
    EXPECT_EQ(window->statusText(), " Use \"LEFT\" mouse button to select desired geometry...");
    EXPECT_EQ(window->pointer.mode, PickMode::Point);
    for (const char* name : kLockedMenus)
        EXPECT_FALSE(window->action(name)->isEnabled()) << name;
    EXPECT_TRUE(window->action("Measure1")->isEnabled());
    EXPECT_TRUE(window->action("Display1")->isEnabled());

    pickAll("AB");
    // Picks repeat: the pick mode stays armed and no location dialog opened.
    EXPECT_EQ(window->pointer.mode, PickMode::Point);
    EXPECT_EQ(form().fieldText("Edit4"), "10.00000");

    press("CancelButton");
    EXPECT_FALSE(form().isVisible());
    EXPECT_FALSE(form().measuring());
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_EQ(window->statusText(), "");
    for (const char* name : kLockedMenus)
        EXPECT_TRUE(window->action(name)->isEnabled()) << name;
    EXPECT_FALSE(ws.overlays.measurement);
    EXPECT_FALSE(ws.overlays.measureRecord);
    for (const PickSlot& slot : form().session().slots)
        EXPECT_FALSE(slot.valid);

    // Shown again: no slot, no text, "3D space".
    start();
    EXPECT_EQ(form().fieldText("Edit1"), "");
    EXPECT_EQ(form().fieldText("Edit4"), "");
    EXPECT_EQ(form().session().workPlane, WorkPlane::Space3D);
    EXPECT_FALSE(enabled("PreviousButton"));
    EXPECT_FALSE(enabled("NextButton"));
    EXPECT_FALSE(enabled("MidButton"));
}

struct PageCase {
    const char* what;
    MeasurePage page;
    const char* workPlane;
    std::string picks;
    Fields expected;
};

// clang-format off
const PageCase kPageCases[] = {
    {"a right angle", MeasurePage::Angle, "3D space", "ABC",
     {{"Edit1", "0.00000"}, {"Edit4", "10.00000"}, {"Edit8", "10.00000"}, {"Edit16", "90.00000"},
      {"Edit10", "0.00000"}, {"Edit11", "0.00000"}, {"Edit12", "1.00000"},
      {"Edit13", "90.00000"}, {"Edit14", "90.00000"}, {"Edit15", "0.00000"},
      {"Edit17", "90.00000"}, {"Edit18", "180.00000"}, {"Edit19", "180.00000"}}},
    {"a fourth pick replaces point 3", MeasurePage::Angle, "3D space", "ABCD",
     {{"Edit1", "0.00000"}, {"Edit4", "10.00000"}, {"Edit5", "0.00000"},
      {"Edit7", "20.00000"}, {"Edit8", "10.00000"}, {"Edit9", "5.00000"}}},
    {"the XY plane measures at point 1's Z", MeasurePage::Angle, "XY plane", "ABE",
     {{"Edit7", "30.00000"}, {"Edit8", "10.00000"}, {"Edit9", "0.00000"},
      {"Edit16", "153.43490"}}},
    {"a line", MeasurePage::Line, "3D space", "AC",
     {{"Edit20", "0.00000"}, {"Edit23", "10.00000"}, {"Edit24", "10.00000"},
      {"Edit26", "10.00000"}, {"Edit27", "10.00000"}, {"Edit28", "0.00000"},
      {"Edit29", "14.14214"}, {"Edit30", "0.70711"}, {"Edit31", "0.70711"}, {"Edit32", "0.00000"},
      {"Edit33", "14.14214"}, {"Edit34", "10.00000"}, {"Edit35", "10.00000"},
      {"Edit36", "45.00000"}, {"Edit37", "0.00000"}, {"Edit38", "0.00000"},
      {"Edit39", "5.00000"}, {"Edit40", "5.00000"}, {"Edit41", "0.00000"}}},
    {"a third pick replaces point 2", MeasurePage::Line, "3D space", "ACB",
     {{"Edit20", "0.00000"}, {"Edit23", "10.00000"}, {"Edit24", "0.00000"},
      {"Edit29", "10.00000"}}},
    {"two identical points", MeasurePage::Line, "3D space", "BB",
     {{"Edit29", "0.00000"}, {"Edit30", "Error"}, {"Edit31", "Error"}, {"Edit32", "Error"},
      {"Edit33", "0.00000"}, {"Edit36", "Error"}, {"Edit37", "Error"}, {"Edit38", "Error"},
      {"Edit39", "10.00000"}}},
    {"a circle", MeasurePage::Arc, "3D space", "ABC",
     {{"Edit53", "5.00000"}, {"Edit54", "5.00000"}, {"Edit55", "0.00000"},
      {"Edit51", "7.07107"}, {"Edit52", "14.14214"},
      {"Edit56", "0.00000"}, {"Edit57", "0.00000"}, {"Edit58", "1.00000"}}},
    {"a circle in a tilted plane", MeasurePage::Arc, "3D space", "ABD",
     {{"Edit53", "5.00000"}, {"Edit54", "13.00000"}, {"Edit55", "6.50000"},
      {"Edit51", "15.37043"}, {"Edit52", "30.74085"},
      {"Edit56", "0.00000"}, {"Edit57", "-0.44721"}, {"Edit58", "0.89443"}}},
    {"collinear points", MeasurePage::Arc, "3D space", "CDE",
     {{"Edit48", "30.00000"}, {"Edit53", "Error"}, {"Edit54", "Error"}, {"Edit55", "Error"},
      {"Edit51", "Error"}, {"Edit52", "Error"},
      {"Edit56", "Error"}, {"Edit57", "Error"}, {"Edit58", "Error"}}},
};
// clang-format on

TEST_F(Measure, PagesShowTheirMeasurementsOfPickedPoints) {
    // One window through every case: each showing of the form starts afresh.
    for (const PageCase& c : kPageCases) {
        start();
        setPage(c.page);
        setWorkPlane(c.workPlane);
        pickAll(c.picks);
        expectFields(c.expected, c.what);
        press("CancelButton");
    }
}

TEST_F(Measure, PrevAndNextStepTheLastPointAlongThePath) {
    start();
    setPage(MeasurePage::Line);
    pickAll("AB");
    EXPECT_TRUE(enabled("PreviousButton"));
    EXPECT_TRUE(enabled("NextButton"));
    EXPECT_FALSE(enabled("MidButton")); // NC picks have no midpoint to take

    press("NextButton");
    expectFields({{"Edit23", "10.00000"}, {"Edit24", "10.00000"}, {"Edit29", "14.14214"}}, "next");
    press("PreviousButton");
    press("PreviousButton");
    expectFields({{"Edit23", "0.00000"}, {"Edit24", "0.00000"}, {"Edit29", "0.00000"}}, "back");
    press("PreviousButton"); // the start point
    expectFields({{"Edit20", "0.00000"}, {"Edit23", "-10.00000"}, {"Edit29", "10.00000"}},
                 "the start point");
    EXPECT_FALSE(enabled("PreviousButton"));
    EXPECT_TRUE(enabled("NextButton"));
}

TEST_F(Measure, CopyPutsThePageOnTheClipboard) {
    start();
    setPage(MeasurePage::Line);
    pickAll("AC");
    press("CopyButton");
    const QString text = QGuiApplication::clipboard()->text();
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 22);
    EXPECT_TRUE(text.startsWith("Point 1 X = 0.00000\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\n3D-Distance = 14.14214\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\nResulting Angles XY = 45.00000\n")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("Mid Point Z = 0.00000\n")) << text.toStdString();
}

// Pixels of `image` within `reach` pixels across and down of `at` that have `rgb`.
int pixelsAround(const QImage& image, PixelPoint at, QRgb rgb, int reach = 6) {
    int count = 0;
    for (int y = at.y - reach; y <= at.y + reach; ++y)
        for (int x = at.x - reach; x <= at.x + reach; ++x)
            if (image.valid(x, y) && (image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF))
                ++count;
    return count;
}

// A green path without the axis tripod, so that the white and yellow marks and any XOR
// remnant stand out.
struct MeasureMarks : Measure {
    MeasureMarks() {
        pathColor = 0x00FF00;
        window->setChecked("DisplayTETRAhead1", false);
    }
};

TEST_F(MeasureMarks, ComeOffWithoutStrayPixelsAndSurviveRedraws) {
    const QImage before = window->drawingArea().image().copy();
    start();
    pickAll("ABC");
    const QImage marked = window->drawingArea().image().copy();
    const PixelPoint b = pixelOf(10, 0, 0);
    EXPECT_GT(pixelsAround(marked, b, qRgb(255, 255, 255)), 4);   // the circle at point 2
    EXPECT_GT(pixelsAround(marked, b, qRgb(255, 255, 0), 24), 4); // the orientation arms

    // Taking the marks off leaves the picture of the picks' highlights: the path's own
    // colour and black, nothing else.
    window->drawWith([&](Canvas& canvas) { drawMarks(canvas, form().session().shownMarks); });
    const QImage unmarked = window->drawingArea().image();
    int strays = 0;
    for (int y = 0; y < unmarked.height(); ++y)
        for (int x = 0; x < unmarked.width(); ++x) {
            const QRgb now = unmarked.pixel(x, y) & 0xFFFFFF;
            if (now != (before.pixel(x, y) & 0xFFFFFF) && now != 0 && now != 0x00FF00)
                ++strays;
        }
    EXPECT_EQ(strays, 0);
    // Put them back as they were, then let a redraw paint them anew.
    window->drawWith([&](Canvas& canvas) { drawMarks(canvas, form().session().shownMarks); });
    window->action("Redraw1")->trigger();
    EXPECT_GT(pixelsAround(window->drawingArea().image(), b, qRgb(255, 255, 255)), 4);

    press("CancelButton");
    EXPECT_EQ(window->drawingArea().image(), before);
}

TEST_F(Measure, ViewGesturesGiveThePickBack) {
    start();
    pick('A');
    ui::Pan1Click(*window);
    drag(*window, pixelOf(5, 0, 0), {pixelOf(5, 0, 0).x + 40, pixelOf(5, 0, 0).y + 30});
    EXPECT_EQ(window->pointer.mode, PickMode::Point);
    ui::DynamicZoomClick(*window);
    drag(*window, {100, 100}, {100, 140});
    EXPECT_EQ(window->pointer.mode, PickMode::Point);
    pick('B'); // at its new place on the screen
    EXPECT_EQ(form().fieldText("Edit4"), "10.00000");
}

TEST_F(Measure, FreeingTheDataEndsTheMeasurementFirst) {
    start();
    pickAll("AB");
    answerMessageBox("Yes");
    ui::CloseAllClick(*window);
    EXPECT_FALSE(form().measuring());
    EXPECT_FALSE(form().isVisible());
    for (const PickSlot& slot : form().session().slots) {
        EXPECT_FALSE(slot.valid);
        EXPECT_EQ(slot.record, nullptr);
    }
    EXPECT_FALSE(ws.overlays.measureRecord);
    // The menus are back, the stack empty: a new program measures as before.
    for (const char* name : kLockedMenus)
        EXPECT_TRUE(window->action(name)->isEnabled()) << name;
    open(0xFFFFFF);
    start();
    pick('C');
    EXPECT_EQ(form().fieldText("Edit2"), "10.00000");
}

TEST_F(Measure, ClosingTheMainWindowEndsTheMeasurement) {
    start();
    pickAll("AB");
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(form().measuring());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().session().slots[0].record, nullptr);
}

TEST_F(Measure, WireframePicksTakeThePointAndMidHalvesItsSegment) {
    WireframeStore& store = ws.wireframe;
    // Inside the square corner of the toolpath, so that the fitted view shows it.
    const float points[][4] = {{0, 5, 0, 0}, {6, 5, 0, 1}, {6, 8, 4, 1}};
    WireframePoint* last = nullptr;
    for (const auto& p : points) {
        ASSERT_TRUE(last == nullptr ? store.points.createFirst() : store.points.append(last));
        last = last == nullptr ? store.points.head() : last;
        last->x = p[0];
        last->y = p[1];
        last->z = p[2];
        last->penDown = p[3] != 0 ? 1 : 0;
        last->visible = 1;
        last->color = kWhite;
    }
    window->setChecked("DisplayWIREdata1", true);
    markViewsStale(ws);
    window->action("Redraw1")->trigger();
    window->action("IdentifyWIREdata1")->trigger();
    ASSERT_TRUE(window->isChecked("IdentifyWIREdata1"));

    start();
    setPage(MeasurePage::Line);
    click(*window, pixelOf(2, 5, 0)); // on the segment to (6, 5, 0), near its start
    expectFields({{"Edit20", "6.00000"}, {"Edit21", "5.00000"}}, "the point's own coordinates");
    EXPECT_TRUE(enabled("MidButton"));
    press("MidButton");
    expectFields({{"Edit20", "3.00000"}, {"Edit21", "5.00000"}}, "the segment's midpoint");
    press("NextButton");
    expectFields({{"Edit20", "6.00000"}, {"Edit21", "8.00000"}, {"Edit22", "4.00000"}},
                 "the next point");
}

} // namespace
} // namespace korvix::test
