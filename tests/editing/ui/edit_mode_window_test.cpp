#include "display/ui/window_input.h"
#include "display/view_transform.h"
#include "editing/selection_texts.h"
#include "editing/ui/selection_toolbar_buttons.h"
#include "gui_test_support.h"
#include "model/ui/tool_number_selection_form.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>
#include <string>

namespace korvix::test {
namespace {

constexpr QRgb kMarkRed = 0xFF0000;

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A left click on a toolbar button, as the window system delivers it.
void clickButton(QAbstractButton& button) {
    const QPointF centre(button.width() / 2.0, button.height() / 2.0);
    const QPointF global = button.mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&button, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&button, &release);
}

struct EditMode : ::testing::Test {
    EditMode() : window(makeWindow()), ws(window->workspace()) {
        openTestProgram(*window, "edit_mode_path.nc");
        // The axis tripod would cross the pixels the tests look at.
        window->action("DisplayTETRAhead1")->trigger();
        window->action("Modifyportion1")->trigger();
    }

    ui::SelectionToolbar& toolbar() { return ui::SelectionToolbar::of(*window); }
    QToolButton& button(const char* name) {
        QToolButton* b = toolbar().button(name);
        EXPECT_NE(b, nullptr) << name;
        return *b;
    }
    void tap(const char* name) { clickButton(button(name)); }

    // Records by position in the path.
    MoveRecord& record(int index) {
        MoveRecord* r = ws.database.first();
        for (int i = 0; i < index && r != nullptr; ++i)
            r = r->next;
        EXPECT_NE(r, nullptr) << index;
        return *r;
    }
    // The selected flags, one character per record.
    std::string flags() const {
        std::string s;
        for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
            s += r->selected != 0 ? '1' : '0';
        return s;
    }
    // The arc of block N50: the records after the line N40 up to the line N60.
    std::pair<int, int> arcRange() {
        int first = -1, last = -1, i = 0;
        for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next, ++i)
            if (r->blockNumber == 50) {
                if (first < 0)
                    first = i;
                last = i;
            }
        return {first, last};
    }
    PixelPoint screenOf(int index) { return {record(index).screenX, record(index).screenY}; }
    QRgb pixel(PixelPoint p) const {
        return window->drawingArea().image().pixel(p.x, p.y) & 0xFFFFFF;
    }
    // A red pixel on the ring of radius 4 to 6 around `centre`.
    bool markedAt(PixelPoint centre) const {
        const QImage& image = window->drawingArea().image();
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const int d2 = dx * dx + dy * dy;
                if (d2 < 16 || d2 > 36)
                    continue;
                if ((image.pixel(centre.x + dx, centre.y + dy) & 0xFFFFFF) == kMarkRed)
                    return true;
            }
        return false;
    }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

constexpr int kLineN40 = 2; // start, plunge, then the line X40

TEST_F(EditMode, SwapsTheMenusShowsTheToolbarAndKeepsTheSelection) {
    EXPECT_FALSE(window->mainMenu1()->isVisible());
    EXPECT_TRUE(window->mainMenu2()->isVisible());
    ASSERT_TRUE(window->modifyPortionToolbar()->isVisible());
    EXPECT_EQ(window->action("Exit2")->text(), "E&xit");
    EXPECT_EQ(window->action("Exit2")->statusTip(), "Exit edit mode and return to main menu");
    EXPECT_EQ(window->action("Modify1")->text(), "&Modify");
    EXPECT_EQ(window->action("Modify1")->statusTip(), "Modify currently selected data");
    // The toolbar is at the right edge of the window, beside the drawing.
    EXPECT_EQ(window->toolBarArea(window->modifyPortionToolbar()), Qt::RightToolBarArea);
    const ui::DrawingArea& area = window->drawingArea();
    EXPECT_GE(window->modifyPortionToolbar()->mapTo(window.get(), QPoint(0, 0)).x(),
              area.mapTo(window.get(), QPoint(area.width(), 0)).x());

    // The buttons top to bottom, as tabled.
    int previousTop = -1;
    for (const SelectionToolbarButton& entry : kSelectionToolbarButtons) {
        SCOPED_TRACE(std::string(entry.component));
        QToolButton* b = toolbar().button(entry.component);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->size(), QSize(27, 27));
        EXPECT_EQ(b->toolTip(), qs(entry.hint));
        EXPECT_GT(b->mapTo(window.get(), QPoint(0, 0)).y(), previousTop);
        previousTop = b->mapTo(window.get(), QPoint(0, 0)).y();
        if (entry.caption.empty())
            EXPECT_FALSE(b->icon().isNull());
        else
            EXPECT_EQ(b->text(), qs(entry.caption));
        EXPECT_EQ(b->isChecked(), entry.downAtStart);
    }

    record(3).selected = 1;
    const std::string selection = flags();
    window->action("Exit2")->trigger();
    EXPECT_TRUE(window->mainMenu1()->isVisible());
    EXPECT_FALSE(window->mainMenu2()->isVisible());
    EXPECT_FALSE(window->modifyPortionToolbar()->isVisible());
    EXPECT_EQ(flags(), selection);
    window->action("Modifyportion1")->trigger();
    EXPECT_EQ(flags(), selection);
}

TEST_F(EditMode, BoxDraggedWithTheMouseSelectsTheWholeArcDrawnDottedWithCircles) {
    const auto [arcFirst, arcLast] = arcRange();
    ASSERT_GT(arcLast, arcFirst + 10);
    const PixelPoint end = screenOf(arcLast);
    ASSERT_FALSE(markedAt(end));

    tap("BoxSelectionSpeedButton");
    EXPECT_TRUE(button("BoxSelectionSpeedButton").isChecked());
    EXPECT_EQ(window->statusText(), qs(kSelectBoxStatus));
    EXPECT_EQ(window->pointer.mode, PickMode::ZoomWindow);
    EXPECT_TRUE(window->pointer.selectionArmed);

    // A small box around a point in the middle of the arc.
    const PixelPoint middle = screenOf((arcFirst + arcLast) / 2);
    drag(*window, {middle.x - 2, middle.y - 2}, {middle.x + 2, middle.y + 2});

    for (int i = arcFirst; i <= arcLast; ++i)
        ASSERT_EQ(record(i).selected, 1) << i;
    EXPECT_EQ(record(arcFirst - 1).selected, 0);
    EXPECT_EQ(record(arcLast + 1).selected, 0);
    EXPECT_FALSE(button("BoxSelectionSpeedButton").isChecked());
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_FALSE(window->pointer.selectionArmed);
    // A red circle where the arc ends, none where the line before it ends (unselected).
    EXPECT_TRUE(markedAt(end));
    EXPECT_FALSE(markedAt(screenOf(kLineN40)));

    // "Display POINTS during editting" off: the circles go at once, the arc stays dotted.
    window->action("DisplayPOINTSduringeditting1")->trigger();
    EXPECT_FALSE(window->isChecked("DisplayPOINTSduringeditting1"));
    EXPECT_FALSE(markedAt(end));
    window->action("DisplayPOINTSduringeditting1")->trigger();
    EXPECT_TRUE(markedAt(end));
}

TEST_F(EditMode, SelectedMovesAreDottedInTheirColour) {
    const PixelPoint from = screenOf(kLineN40 - 1), to = screenOf(kLineN40);
    ASSERT_EQ(from.y, to.y);
    const auto lit = [&] {
        int count = 0;
        for (int x = from.x + 1; x < to.x - 6; ++x) // clear of the circle at its end
            count += pixel({x, from.y}) == 0xFFFFFF ? 1 : 0;
        return count;
    };
    const int length = to.x - 6 - (from.x + 1);
    ASSERT_EQ(lit(), length);

    tap("IndividualSelectionSpeedButton");
    EXPECT_EQ(window->statusText(), qs(kSelectSingleMoveStatus));
    click(*window, {(from.x + to.x) / 2, from.y + 3});
    EXPECT_EQ(flags().substr(0, 4), "0010");
    EXPECT_NEAR(lit(), length / 2, 1);
    EXPECT_TRUE(markedAt(to));
}

TEST_F(EditMode, BothPointsAlsoMarksTheMoveEndingWhereThePickStarts) {
    tap("BothPointsSpeedButton");
    EXPECT_TRUE(button("BothPointsSpeedButton").isChecked());
    EXPECT_FALSE(button("DestinationPointSpeedButton").isChecked());
    tap("BothPointsSpeedButton"); // group 2 always keeps one button down
    EXPECT_TRUE(button("BothPointsSpeedButton").isChecked());

    tap("IndividualSelectionSpeedButton");
    const PixelPoint from = screenOf(kLineN40 - 1), to = screenOf(kLineN40);
    click(*window, {(from.x + to.x) / 2, from.y});
    EXPECT_EQ(flags().substr(0, 4), "0110");

    // A line dragged across the line N60 marks it and, with both points, the whole arc.
    const auto [arcFirst, arcLast] = arcRange();
    const PixelPoint top = screenOf(arcLast + 1), bottom = screenOf(arcLast);
    tap("LineSelectionSpeedButton");
    EXPECT_EQ(window->statusText(), qs(kSelectLineStatus));
    const int y = (top.y + bottom.y) / 2;
    drag(*window, {bottom.x - 20, y}, {bottom.x + 20, y});
    for (int i = arcFirst; i <= arcLast + 1; ++i)
        ASSERT_EQ(record(i).selected, 1) << i;
    EXPECT_FALSE(button("LineSelectionSpeedButton").isChecked());
}

TEST_F(EditMode, APickThatFindsNothingDisarmsWithoutARedraw) {
    tap("IndividualSelectionSpeedButton");
    const QImage before = window->drawingArea().image().copy();
    record(0).selected = 1; // shows only if something redraws
    // Between the line N40, the arc and the slot, more than 25 pixels from each.
    click(*window, project(ws.view, 35, 20, 0));
    EXPECT_EQ(window->drawingArea().image(), before);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_FALSE(button("IndividualSelectionSpeedButton").isChecked());
    // The instruction stays: the pick says nothing of its own.
    EXPECT_EQ(window->statusText(), qs(kSelectSingleMoveStatus));
}

TEST_F(EditMode, SubtractWhileArmedChangesThePendingPickAndAPickButtonClickedAgainDisarms) {
    tap("AllSelectionSpeedButton");
    EXPECT_EQ(flags(), std::string(flags().size(), '1'));
    EXPECT_FALSE(button("AllSelectionSpeedButton").isChecked());

    tap("BoxSelectionSpeedButton");
    tap("SubtractSelectionSpeedButton");
    EXPECT_EQ(window->statusText(), qs(kSelectionSubtractStatus));
    EXPECT_EQ(window->pointer.pendingSelectionValue, 0);
    EXPECT_FALSE(button("AddSelectionSpeedButton").isChecked());
    const PixelPoint end = screenOf(kLineN40);
    drag(*window, {end.x - 1, end.y - 1}, {end.x + 1, end.y + 1});
    EXPECT_EQ(record(kLineN40).selected, 0);
    EXPECT_EQ(record(kLineN40 + 1).selected, 1);

    // Clicked again while down, a pick button goes up and the mouse is free again.
    tap("LineSelectionSpeedButton");
    EXPECT_TRUE(window->pointer.selectionArmed);
    tap("LineSelectionSpeedButton");
    EXPECT_FALSE(button("LineSelectionSpeedButton").isChecked());
    EXPECT_FALSE(window->pointer.selectionArmed);
    EXPECT_EQ(window->pointer.mode, PickMode::None);

    // Add without an armed pick changes the buttons only.
    tap("AddSelectionSpeedButton");
    EXPECT_EQ(window->statusText(), "");
    EXPECT_TRUE(button("AddSelectionSpeedButton").isChecked());
    EXPECT_FALSE(button("SubtractSelectionSpeedButton").isChecked());

    // "All" with subtract down clears the selection.
    tap("SubtractSelectionSpeedButton");
    tap("AllSelectionSpeedButton");
    EXPECT_EQ(flags(), std::string(flags().size(), '0'));
}

TEST_F(EditMode, RangeButtonsFillUpToAndAfterTheFirstSelection) {
    const auto [arcFirst, arcLast] = arcRange();
    for (int i = arcFirst; i <= arcLast; ++i)
        record(i).selected = 1;
    tap("SelectUpToFPSpeedButton");
    EXPECT_EQ(flags().substr(0, static_cast<std::size_t>(arcLast + 2)),
              std::string(static_cast<std::size_t>(arcLast + 1), '1') + "0");
    EXPECT_FALSE(button("SelectUpToFPSpeedButton").isChecked());

    // "2" after one selection run: everything after it, to the end of the path.
    tap("SelectAfterFPSpeedButton");
    EXPECT_EQ(flags(), std::string(flags().size(), '1'));
    EXPECT_FALSE(button("SelectAfterFPSpeedButton").isChecked());
}

TEST_F(EditMode, ToolNumberSelectsTheMovesOfTheToolTyped) {
    const auto typeTool = [](const QString& text) {
        answerNextModal([text](QWidget* widget) {
            auto* form = dynamic_cast<ui::ToolNumberSelectionForm*>(widget);
            ASSERT_NE(form, nullptr);
            form->findChild<QLineEdit*>("Edit1")->setText(text);
            form->findChild<QPushButton*>("OkButton")->click();
        });
    };
    typeTool("2");
    tap("SpeedButton1");
    std::size_t tool2 = 0;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
        EXPECT_EQ(r->selected, r->tool == 2 ? 1 : 0);
        tool2 += r->tool == 2 ? 1 : 0;
    }
    EXPECT_GE(tool2, 3u);
    EXPECT_FALSE(button("SpeedButton1").isCheckable());

    const std::string before = flags();
    typeTool("2x");
    const auto message = captureMessageBox();
    tap("SpeedButton1");
    EXPECT_EQ(*message, "'2x' is not a valid integer value");
    EXPECT_EQ(flags(), before);

    answerNextModal(
        [](QWidget* widget) { widget->findChild<QPushButton*>("CancelButton")->click(); });
    tap("SubtractSelectionSpeedButton");
    tap("SpeedButton1");
    EXPECT_EQ(flags(), before);
}

TEST_F(EditMode, LeavingEditModeOrArmingAViewPickGivesUpAnArmedSelection) {
    tap("BoxSelectionSpeedButton");
    window->action("Pan1")->trigger();
    EXPECT_EQ(window->pointer.mode, PickMode::Pan);
    EXPECT_FALSE(window->pointer.selectionArmed);
    EXPECT_FALSE(button("BoxSelectionSpeedButton").isChecked());
    // The drag pans; nothing is selected.
    const PixelPoint before = screenOf(kLineN40);
    drag(*window, {200, 200}, {260, 230});
    EXPECT_GT(screenOf(kLineN40).x, before.x);
    EXPECT_EQ(flags().find('1'), std::string::npos);

    tap("IndividualSelectionSpeedButton");
    window->action("Exit2")->trigger();
    EXPECT_FALSE(window->pointer.selectionArmed);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    const PixelPoint from = screenOf(kLineN40 - 1), to = screenOf(kLineN40);
    click(*window, {(from.x + to.x) / 2, from.y});
    EXPECT_EQ(flags().find('1'), std::string::npos);
}

TEST(EditModeWithoutData, CommandsThatActAtOnceOnlyReleaseTheirButton) {
    auto window = makeWindow();
    window->action("Modifyportion1")->trigger();
    ui::SelectionToolbar& toolbar = ui::SelectionToolbar::of(*window);
    // Should a dialog open after all, it is closed so that the test fails instead of hanging.
    answerNextModal([](QWidget* widget) {
        ADD_FAILURE() << "a dialog opened without data";
        widget->close();
    });
    for (const char* name : {"AllSelectionSpeedButton", "SelectUpToFPSpeedButton",
                             "SelectAfterFPSpeedButton", "SpeedButton1"}) {
        clickButton(*toolbar.button(name));
        EXPECT_FALSE(toolbar.isDown(name)) << name;
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << name;
    }
    // A pick can be armed; the drag selects nothing and disarms.
    clickButton(*toolbar.button("BoxSelectionSpeedButton"));
    drag(*window, {10, 10}, {300, 300});
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_FALSE(toolbar.isDown("BoxSelectionSpeedButton"));
}

} // namespace
} // namespace korvix::test
