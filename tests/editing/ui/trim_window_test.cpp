#include "display/trim_polygon_input.h"
#include "display/ui/window_input.h"
#include "display/view_transform.h"
#include "editing/trim_messages.h"
#include "editing/trim_parameters.h"
#include "editing/ui/trim_dialog_box.h"
#include "gui_test_support.h"
#include "model/geometry.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace korvix::test {
namespace {

constexpr QRgb kRedPixel = 0xFFFF0000;
constexpr float kHighestZ = 5.0f; // of trim_window_pocket.nc

struct Moved {
    Point3 from, to;
    const MoveRecord* record;
};

std::vector<Moved> movesOf(const GraphicsDatabase& database) {
    std::vector<Moved> moves;
    const MoveRecord* previous = database.first();
    for (const MoveRecord* r = previous->next; r != nullptr; previous = r, r = r->next)
        moves.push_back({{previous->x, previous->y, previous->z}, {r->x, r->y, r->z}, r});
    return moves;
}

bool travelsInXY(const Moved& move) {
    return std::hypot(move.to.x - move.from.x, move.to.y - move.from.y) > 1e-3;
}

// A rapid never moves across the part below the rapid plane, and never goes down.
void expectSafeRapid(const Moved& move) {
    if (travelsInXY(move)) {
        EXPECT_GE(move.from.z, kHighestZ - 1e-4) << move.to.x << ", " << move.to.y;
        EXPECT_GE(move.to.z, kHighestZ - 1e-4) << move.to.x << ", " << move.to.y;
    } else {
        EXPECT_GE(move.to.z, move.from.z) << move.to.x << ", " << move.to.y;
    }
}

QLineEdit* edit(QWidget& dialog, const char* name) {
    QLineEdit* field = dialog.findChild<QLineEdit*>(name);
    EXPECT_NE(field, nullptr) << name;
    return field;
}

void press(QWidget& dialog, const char* name) {
    QPushButton* button = dialog.findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

// Answers the next modal with `step` when it is the trimming dialog, then presses `button`.
// Anything else that opens is rejected so that the test cannot hang on it.
void answerTrimDialog(std::function<void(ui::TTrimDialogBox&)> step,
                      const char* button = "OkButton") {
    answerNextModal([step = std::move(step), button](QWidget* widget) {
        auto* dialog = dynamic_cast<ui::TTrimDialogBox*>(widget);
        if (dialog == nullptr) {
            ADD_FAILURE() << "expected the trimming dialog, got "
                          << widget->objectName().toStdString();
            if (auto* other = qobject_cast<QDialog*>(widget))
                other->reject();
            return;
        }
        EXPECT_EQ(dialog->windowTitle(), "Trimming parameters");
        step(*dialog);
        press(*dialog, button);
    });
}

// Which of the controls that depend on the region could be used when the dialog showed.
struct WindowFieldsSeen {
    bool shown = false;
    std::vector<bool> sidesEnabled;
    bool extentsEnabled = false;
    std::vector<QString> sides;
};

void recordWindowFields(ui::TTrimDialogBox& dialog, WindowFieldsSeen& seen) {
    seen.shown = true;
    for (const char* name : {"LeftEdit", "TopEdit", "RightEdit", "BottomEdit"}) {
        seen.sidesEnabled.push_back(edit(dialog, name)->isEnabled());
        seen.sides.push_back(edit(dialog, name)->text());
    }
    seen.extentsEnabled = dialog.findChild<QPushButton*>("ExtremesButton")->isEnabled();
}

struct TrimWindow : ::testing::Test {
    TrimWindow() : window(makeWindow()), ws(window->workspace()) {
        openTestProgram(*window, "trim_window_pocket.nc");
        recordsBefore = ws.database.records.lastAndCount().second;
    }
    PixelPoint pixelOf(double x, double y, double z = 0) const { return project(ws.view, x, y, z); }
    QImage picture() const { return window->drawingArea().image().copy(); }
    void trigger(const char* item) {
        QAction* action = window->action(item);
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }
    // The picture without the toolpath: the axis sign alone.
    QImage pictureWithoutPath() {
        trigger("DisplayNCData1");
        const QImage empty = picture();
        trigger("DisplayNCData1");
        EXPECT_TRUE(ws.display.ncToolpath);
        return empty;
    }
    // The pixels outside `inside` (a pixel rectangle, edges included) where the picture
    // differs from `empty`.
    int pixelsDrawnOutside(const QRect& inside, const QImage& empty) const {
        const QImage image = picture();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != empty.pixel(x, y) && !inside.contains(x, y))
                    ++count;
        return count;
    }
    int redPixels() const {
        const QImage image = picture();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == kRedPixel ? 1 : 0;
        return count;
    }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
    std::size_t recordsBefore = 0;
};

// A box dragged from its lower right to its upper left corner: the dialog gets the window in
// order, the path is cut to it and reconnected by red rapids at the rapid plane, and nothing
// is drawn outside the box any more.
TEST_F(TrimWindow, BoxDrawnWithTheMouseTrimsThePathToIt) {
    trigger("DrawTrimBox");
    EXPECT_EQ(window->pointer.mode, PickMode::TrimBox);
    EXPECT_EQ(window->statusText().toStdString(), kTrimDrawBoxStatus);

    const PixelPoint from = pixelOf(65, -5), to = pixelOf(25, 45);
    const DrawingPoint a = pixelToDrawing(ws.view, from.x, from.y);
    const DrawingPoint b = pixelToDrawing(ws.view, to.x, to.y);
    const TrimBox box = normalisedTrimBox(a.u, a.v, b.u, b.v);
    ASSERT_GT(box.right - box.left, 30);
    ASSERT_GT(box.top - box.bottom, 30);

    const QImage empty = pictureWithoutPath();
    WindowFieldsSeen seen;
    answerTrimDialog([&](ui::TTrimDialogBox& dialog) { recordWindowFields(dialog, seen); });
    drag(*window, from, to);

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.sidesEnabled, std::vector<bool>(4, true));
    EXPECT_TRUE(seen.extentsEnabled);
    const std::vector<QString> expectedSides = {QString::fromStdString(trimFieldText(box.left)),
                                                QString::fromStdString(trimFieldText(box.top)),
                                                QString::fromStdString(trimFieldText(box.right)),
                                                QString::fromStdString(trimFieldText(box.bottom))};
    EXPECT_EQ(seen.sides, expectedSides);

    EXPECT_EQ(window->statusText().toStdString(), kTrimDoneStatus);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    // The new path starts over the window centre at the primary plane (the highest Z).
    const MoveRecord& start = *ws.database.first();
    EXPECT_NEAR(start.x, (box.left + box.right) / 2, 1e-3);
    EXPECT_NEAR(start.y, (box.bottom + box.top) / 2, 1e-3);
    EXPECT_FLOAT_EQ(start.z, kHighestZ);

    int rapids = 0, cutsBelowZero = 0;
    // Float coordinates of points on the box edges.
    const double slack = 1e-3;
    for (const Moved& move : movesOf(ws.database)) {
        const MoveRecord& r = *move.record;
        EXPECT_EQ(r.kind, kKindStraight);
        EXPECT_GE(r.x, box.left - slack);
        EXPECT_LE(r.x, box.right + slack);
        EXPECT_GE(r.y, box.bottom - slack);
        EXPECT_LE(r.y, box.top + slack);
        if (r.motion == kMotionRapid) {
            ++rapids;
            EXPECT_EQ(r.color, kRapidColor);
            expectSafeRapid(move);
        }
        cutsBelowZero += r.z < 0 ? 1 : 0;
    }
    EXPECT_GE(rapids, 3); // from the start, and between the pieces of both passes
    EXPECT_GT(cutsBelowZero, 4);
    EXPECT_EQ(ws.database.status.extents.maxZ, kHighestZ);

    // The picture is the trimmed path: red rapids, and nothing outside the box.
    const PixelPoint topLeft = pixelOf(box.left, box.top),
                     bottomRight = pixelOf(box.right, box.bottom);
    const QRect inside(QPoint(topLeft.x - 2, topLeft.y - 2),
                       QPoint(bottomRight.x + 2, bottomRight.y + 2));
    EXPECT_EQ(pixelsDrawnOutside(inside, empty), 0);
    EXPECT_GT(redPixels(), 20);
}

// A polygon clicked vertex by vertex, with a box zoom in between that hands the mouse back to
// the polygon, and a first Ok with an unusable field: the polygon waits for the mended field,
// and the path outside it is kept.
TEST_F(TrimWindow, PolygonClickedAroundAZoomAndEnteredTrimsOutsideIt) {
    trigger("Drawpolygon1");
    EXPECT_EQ(window->pointer.mode, PickMode::TrimPolygon);
    EXPECT_EQ(window->statusText().toStdString(), kTrimDrawPolygonStatus);

    // A concave outline over the middle of both passes, in world X, Y.
    const std::vector<Point2> outline = {{30, -10}, {50, -10}, {50, 60}, {40, 20}, {30, 60}};
    std::vector<Point2> vertices;
    const auto clickVertex = [&](const Point2& p) {
        const PixelPoint at = pixelOf(p.x, p.y);
        const DrawingPoint d = pixelToDrawing(ws.view, at.x, at.y);
        vertices.push_back({static_cast<float>(d.u), static_cast<float>(d.v)});
        click(*window, at);
    };
    clickVertex(outline[0]);
    clickVertex(outline[1]);
    EXPECT_EQ(window->statusText().toStdString(), kTrimPolygonInstruction);

    // Zooming onto the whole part by a box changes the view and gives the mouse back.
    const double scaleBefore = ws.view.scale;
    EXPECT_TRUE(pressKey(*window, Qt::Key_B, Qt::NoModifier, "b"));
    drag(*window, pixelOf(-5, 62), pixelOf(85, -12));
    ASSERT_NE(ws.view.scale, scaleBefore);
    EXPECT_EQ(window->pointer.mode, PickMode::TrimPolygon);
    EXPECT_EQ(window->statusText().toStdString(), kTrimPolygonInstruction);
    ASSERT_EQ(ws.trimPolygon.count, 2);
    for (std::size_t i = 2; i < outline.size(); ++i)
        clickVertex(outline[i]);
    ASSERT_EQ(ws.trimPolygon.count, static_cast<int>(outline.size()));

    WindowFieldsSeen seen;
    answerTrimDialog([&](ui::TTrimDialogBox& dialog) {
        recordWindowFields(dialog, seen);
        dialog.findChild<QCheckBox*>("StayInsideTrimWindowCheckBox")->setChecked(false);
        edit(dialog, "PlungeFeedRateEdit")->setText("1.2.3");
    });
    auto message = captureMessageBox();
    int countAtSecondShow = -1;
    answerTrimDialog([&](ui::TTrimDialogBox& dialog) {
        countAtSecondShow = ws.trimPolygon.count;
        EXPECT_FALSE(dialog.findChild<QCheckBox*>("StayInsideTrimWindowCheckBox")->isChecked());
        edit(dialog, "PlungeFeedRateEdit")->setText("150.0");
    });
    EXPECT_TRUE(pressKey(*window, Qt::Key_Return));

    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.sidesEnabled, std::vector<bool>(4, false));
    EXPECT_FALSE(seen.extentsEnabled);
    EXPECT_EQ(seen.sides, std::vector<QString>(4, "0.0"));
    EXPECT_EQ(*message, "'1.2.3' is not a valid floating point value");
    EXPECT_EQ(countAtSecondShow, static_cast<int>(outline.size()));

    EXPECT_EQ(window->statusText().toStdString(), kTrimDoneStatus);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_EQ(ws.trimPolygon.count, 0);
    EXPECT_FALSE(ws.trimPolygon.active);

    // Inside the polygon the tool only travels at the rapid plane; outside it still cuts.
    int cutsOutside = 0;
    for (const Moved& move : movesOf(ws.database)) {
        const Point2 middle{(move.from.x + move.to.x) / 2, (move.from.y + move.to.y) / 2};
        if (move.record->motion == kMotionRapid)
            expectSafeRapid(move);
        if (!travelsInXY(move))
            continue;
        if (pointInPolygon(middle, vertices)) {
            EXPECT_GE(move.from.z, kHighestZ - 1e-4) << middle.x << ", " << middle.y;
            EXPECT_GE(move.to.z, kHighestZ - 1e-4) << middle.x << ", " << middle.y;
        } else if (move.to.z < 0) {
            ++cutsOutside;
        }
    }
    EXPECT_GT(cutsOutside, 6);
    EXPECT_GT(redPixels(), 20);
}

// Where the region comes from decides whether its fields can be used; a cancelled dialog
// leaves the path alone and forgets the polygon.
TEST_F(TrimWindow, DialogOffersTheWindowFieldsOnlyForABoxInThePlanView) {
    struct Case {
        const char* name;
        std::function<void()> start; // ends with the dialog shown (and answered)
        bool fieldsEnabled;
    };
    const Case cases[] = {
        {"parameters", [&] { trigger("ShowTrimParameters"); }, true},
        {"box in the XY view",
         [&] {
             trigger("DrawTrimBox");
             drag(*window, pixelOf(10, 10), pixelOf(40, 30));
         },
         true},
        {"box in an isometric view",
         [&] {
             EXPECT_TRUE(pressKey(*window, Qt::Key_F4));
             trigger("DrawTrimBox");
             drag(*window, pixelOf(10, 10), pixelOf(40, 30));
         },
         false},
        {"polygon",
         [&] {
             EXPECT_TRUE(pressKey(*window, Qt::Key_F1));
             trigger("Drawpolygon1");
             click(*window, pixelOf(10, 10));
             click(*window, pixelOf(40, 10));
             click(*window, pixelOf(25, 30));
             EXPECT_TRUE(pressKey(*window, Qt::Key_Enter));
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFieldsSeen seen;
        answerTrimDialog([&](ui::TTrimDialogBox& dialog) { recordWindowFields(dialog, seen); },
                         "CancelButton");
        c.start();
        ASSERT_TRUE(seen.shown);
        EXPECT_EQ(seen.sidesEnabled, std::vector<bool>(4, c.fieldsEnabled));
        EXPECT_EQ(seen.extentsEnabled, c.fieldsEnabled);
        EXPECT_EQ(window->statusText().toStdString(), kTrimCanceledStatus);
        EXPECT_EQ(ws.database.records.lastAndCount().second, recordsBefore);
        EXPECT_EQ(ws.trimPolygon.count, 0);
        EXPECT_EQ(window->pointer.mode, PickMode::None);
    }
}

// "&Parameters": "&Extents" fills the fields from the path; a window typed with its sides
// swapped is put in order in the dialog; "Limit "Z" travel" lifts the deepest cuts.
TEST_F(TrimWindow, ParametersTrimToTypedWindowAndLimitZ) {
    answerTrimDialog([&](ui::TTrimDialogBox& dialog) {
        press(dialog, "ExtremesButton");
        EXPECT_EQ(edit(dialog, "PrimaryRapidPlaneEdit")->text(), "5.0000");
        EXPECT_EQ(edit(dialog, "SecondaryRapidPlaneEdit")->text(), "5.0000");
        EXPECT_EQ(edit(dialog, "LeftEdit")->text(), "-0.1000");
        EXPECT_EQ(edit(dialog, "TopEdit")->text(), "50.1000");
        EXPECT_EQ(edit(dialog, "RightEdit")->text(), "80.1000");
        EXPECT_EQ(edit(dialog, "BottomEdit")->text(), "-0.1000");
        EXPECT_EQ(edit(dialog, "DeepestZValueEdit")->text(), "-2.1000");
        edit(dialog, "LeftEdit")->setText("80.1");
        edit(dialog, "RightEdit")->setText("-0.1");
        edit(dialog, "DeepestZValueEdit")->setText("-1.5");
        dialog.findChild<QCheckBox*>("LimitZTravelCheckBox")->setChecked(true);
    });
    // While the trim works (and lets events through) the menus are locked under the
    // hourglass; afterwards both are undone.
    bool sawWork = false, sawUnlocked = false, sawNoHourglass = false;
    ws.pump.install([&] {
        if (ws.redraw.busy) // the redraw of the new path comes after
            return;
        sawWork = true;
        for (const char* menu : {"File1", "Edit2", "Levels1", "Options1"})
            sawUnlocked |= window->action(menu)->isEnabled();
        sawNoHourglass |= QApplication::overrideCursor() == nullptr;
    });
    trigger("ShowTrimParameters");
    EXPECT_TRUE(sawWork);
    EXPECT_FALSE(sawUnlocked);
    EXPECT_FALSE(sawNoHourglass);
    EXPECT_TRUE(window->action("Edit2")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    EXPECT_EQ(window->statusText().toStdString(), kTrimDoneStatus);
    ui::TTrimDialogBox& dialog = ui::TTrimDialogBox::of(*window);
    EXPECT_EQ(edit(dialog, "LeftEdit")->text(), "-0.1");
    EXPECT_EQ(edit(dialog, "RightEdit")->text(), "80.1");
    const Extents& e = ws.database.status.extents;
    EXPECT_FLOAT_EQ(e.minX, 0);
    EXPECT_FLOAT_EQ(e.maxX, 80);
    EXPECT_FLOAT_EQ(e.minZ, -1.5);
    EXPECT_FLOAT_EQ(e.maxZ, kHighestZ);
}

// Closing the window while a trim started with the mouse works waits for the trim: the new
// path is complete first, and the window closes afterwards.
TEST_F(TrimWindow, WindowClosedDuringATrimClosesAfterIt) {
    bool closeAsked = false;
    ws.pump.install([&] {
        if (!closeAsked) {
            closeAsked = true;
            window->close();
        }
    });
    trigger("DrawTrimBox");
    answerTrimDialog([](ui::TTrimDialogBox&) {});
    drag(*window, pixelOf(65, -5), pixelOf(25, 45));
    ASSERT_TRUE(closeAsked);
    EXPECT_EQ(window->statusText().toStdString(), kTrimDoneStatus);
    EXPECT_NE(ws.database.records.lastAndCount().second, recordsBefore);
    EXPECT_TRUE(window->isVisible());

    QEventLoop loop;
    whenTrue([&] { return !window->isVisible(); }, [&] { loop.quit(); });
    loop.exec();
    EXPECT_FALSE(window->isVisible());
}

TEST(TrimWindowWithoutData, TrimCommandsDoNothing) {
    auto window = makeWindow();
    auto dialogShown = std::make_shared<bool>(false);
    answerNextModal([dialogShown](QWidget* widget) {
        *dialogShown = true;
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->reject();
    });
    for (const char* item : {"DrawTrimBox", "Drawpolygon1", "ShowTrimParameters"})
        window->action(item)->trigger();
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_FALSE(window->workspace().trimPolygon.active);
    EXPECT_FALSE(*dialogShown);
}

} // namespace
} // namespace korvix::test
