#include "display/animation_loop.h"
#include "display/ui/animate_commands.h"
#include "display/view_transform.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"
#include "ui/wait_while.h"
#include "window_input.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <ctime>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

struct Animation : ::testing::Test {
    Animation() : window(makeWindow()), ws(window->workspace()) {}

    void openExample(const char* name) {
        acceptColor(0xFFFFFF);
        acceptRadiusType(true);
        ui::openNamedFile(*window, examplePath(name));
        ASSERT_TRUE(ws.database.databaseAllocated());
    }
    // Gives the tools of multi_tool.nc their sizes, as the tool definitions dialog would.
    void defineTools() {
        const float sizes[][3] = {{6, 3, 20}, {8.5f, 0, 40}, {12, 2, 30}};
        ASSERT_EQ(ws.tools.count, 3);
        for (int i = 0; i < 3; ++i) {
            ToolEntry& entry = ws.tools.entries[static_cast<std::size_t>(i) + 1];
            entry.diameter = sizes[i][0];
            entry.radius = sizes[i][1];
            entry.length = sizes[i][2];
        }
    }
    bool running() const { return ui::animationRunning(*window); }
    bool toolShown() const { return running() && ws.animation.toolShown; }
    // Runs the window's events while `action` runs from them once `condition` holds, until
    // `finished` holds (or the harness gives up on the condition and runs `action` anyway).
    void whileAnimating(std::function<bool()> condition, std::function<void()> action,
                        std::function<bool()> finished) {
        bool acted = false;
        whenTrue(std::move(condition), [&] {
            action();
            acted = true;
        });
        ui::waitWhile([&] { return !acted || !finished(); });
    }
    QImage picture() const { return window->drawingArea().image().copy(); }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

TEST_F(Animation, WithoutDataOrWithTheWireframeSwitchNothingStarts) {
    window->action("aLL1")->trigger();
    EXPECT_EQ(window->statusText(), ui::kAnimationNoNcData);
    window->action("Startingatpickedposiion1")->trigger();
    EXPECT_EQ(window->statusText(), ui::kAnimationNoNcData);
    EXPECT_EQ(window->pointer.mode, PickMode::None);

    openTestProgram(*window, "identify_path.nc");
    window->setChecked("IdentifyWIREdata1", true);
    const auto message = captureMessageBox();
    window->action("Startingatpickedposiion1")->trigger();
    EXPECT_EQ(*message, ui::kIdentifyNcSwitchNotSet);
    EXPECT_FALSE(ws.animation.startPending);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
}

TEST_F(Animation, AllRunsWithTheMenusLockedAndEscEndsIt) {
    openExample("multi_tool.nc");
    defineTools();
    const QImage before = picture();
    ws.animation.stepDelayMs = 20;
    window->action("aLL1")->trigger();
    bool locked = false;
    bool toolVisible = false;
    QString status;
    whileAnimating([&] { return toolShown() && ws.animation.hasShape; },
                   [&] {
                       locked = !window->action("File1")->isEnabled() &&
                                !window->action("Animate1")->isEnabled() &&
                                !window->action("Options1")->isEnabled() &&
                                window->action("Display1")->isEnabled();
                       toolVisible = picture() != before;
                       status = window->statusText();
                       pressKey(*window, Qt::Key_Escape);
                   },
                   [&] { return !running(); });
    EXPECT_TRUE(locked);
    EXPECT_TRUE(toolVisible);
    EXPECT_TRUE(status.startsWith("N")) << status.toStdString();
    EXPECT_TRUE(status.contains("Elapsed 0:")) << status.toStdString();
    EXPECT_TRUE(window->action("File1")->isEnabled());
    EXPECT_FALSE(ws.animation.stepping);
    EXPECT_FALSE(ws.animation.toolShown);
    // The tool went with the animation, and nothing else changed.
    EXPECT_EQ(picture(), before);
}

TEST_F(Animation, ArrowsSetTheDelayThatEveryStopWaits) {
    openTestProgram(*window, "identify_path.nc");
    for (int i = 0; i < 5; ++i)
        pressKey(*window, Qt::Key_Down);
    EXPECT_EQ(ws.animation.stepDelayMs, 5);
    pressKey(*window, Qt::Key_Up);
    EXPECT_EQ(ws.animation.stepDelayMs, 4);
    for (int i = 0; i < 6; ++i)
        pressKey(*window, Qt::Key_Up);
    EXPECT_EQ(ws.animation.stepDelayMs, 0);
    for (int i = 0; i < 5; ++i)
        pressKey(*window, Qt::Key_Down);

    // The stops the tool makes over this path, from the pixels it was drawn at.
    std::int64_t stops = 1;
    for (const MoveRecord* r = ws.database.first()->next; r != nullptr; r = r->next)
        stops +=
            r->kind == kKindStraight
                ? SlideStops({r->prev->screenX, r->prev->screenY}, {r->screenX, r->screenY}).count()
                : 1;
    QElapsedTimer clock;
    clock.start();
    window->action("aLL1")->trigger();
    // The block line shows once the animation has run (it may run to its end at once).
    ui::waitWhile([&] { return !window->statusText().contains("Elapsed") || running(); });
    // Never shorter than the waits; a busy machine may make it longer.
    EXPECT_GE(clock.elapsed(), stops * 5);
}

TEST_F(Animation, LongDelayCostsNoProcessorTime) {
    openTestProgram(*window, "identify_path.nc");
    ws.animation.stepDelayMs = 400;
    window->action("aLL1")->trigger();
    std::clock_t started = 0;
    double usedSeconds = -1;
    bool measured = false;
    whenTrue([&] { return toolShown(); },
             [&] {
                 started = std::clock();
                 QTimer::singleShot(600, window.get(), [&] {
                     usedSeconds = static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC;
                     measured = true;
                     pressKey(*window, Qt::Key_Escape);
                 });
             });
    ui::waitWhile([&] { return !measured || running(); });
    ASSERT_GE(usedSeconds, 0);
    // The harness's 10 ms poller runs meanwhile; a spinning wait would use the whole time.
    EXPECT_LT(usedSeconds, 0.2);
}

TEST_F(Animation, PickedPositionStartsAtThePickedMovesPredecessor) {
    openTestProgram(*window, "identify_path.nc");
    window->action("Startingatpickedposiion1")->trigger();
    EXPECT_EQ(window->statusText(), ui::kAnimationPickInstruction);
    EXPECT_EQ(window->pointer.mode, PickMode::Point);
    // Long enough a wait at the first stop for the harness to see it there.
    ws.animation.stepDelayMs = 300;

    int firstBlock = -1;
    QString firstStatus;
    bool done = false;
    whenTrue([&] { return running() && ws.animation.record != nullptr; },
             [&] {
                 firstBlock = ws.animation.record->blockNumber;
                 firstStatus = window->statusText();
                 pressKey(*window, Qt::Key_Escape);
                 done = true;
             });
    // On the N40 line: the animation begins where that move begins, at N30's end.
    const PixelPoint onLine = project(ws.view, 20, 0, 0);
    click(*window, onLine);
    ui::waitWhile([&] { return !done || running(); });
    EXPECT_EQ(firstBlock, 30);
    EXPECT_TRUE(firstStatus.startsWith("N30 G01 X0.00000 Y0.00000 Z0.00000 F100.00"))
        << firstStatus.toStdString();
    EXPECT_FALSE(ws.animation.startPending);
    EXPECT_FALSE(ws.animation.toolShown);
}

TEST_F(Animation, ALaterCommandTakesOverAWaitingPick) {
    openTestProgram(*window, "identify_path.nc");
    // A pick that found nothing leaves the start waiting: Identify's pick is its own.
    window->action("Startingatpickedposiion1")->trigger();
    click(*window, project(ws.view, 45, 15, 0)); // inside the arc, far from every move
    EXPECT_TRUE(ws.animation.startPending);
    window->action("Identify1")->trigger();
    EXPECT_FALSE(ws.animation.startPending);
    EXPECT_EQ(window->pointer.mode, PickMode::Point);

    window->action("Startingatpickedposiion1")->trigger();
    window->action("aLL1")->trigger();
    EXPECT_FALSE(ws.animation.startPending);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    ui::waitWhile([&] { return !window->statusText().contains("Elapsed") || running(); });
}

TEST_F(Animation, ViewCommandEndsItAndLeavesACleanPicture) {
    openExample("multi_tool.nc");
    defineTools();
    ws.animation.stepDelayMs = 20;
    window->action("aLL1")->trigger();
    whileAnimating([&] { return toolShown(); }, [&] { pressKey(*window, Qt::Key_F4); },
                   [&] { return !running(); });
    EXPECT_FALSE(ws.animation.toolShown);
    const QImage after = picture();
    window->eraseWindow();
    window->fullRedraw();
    EXPECT_EQ(picture(), after);
}

TEST_F(Animation, ClosingTheWindowEndsItFirst) {
    openExample("multi_tool.nc");
    ws.animation.stepDelayMs = 20;
    window->action("aLL1")->trigger();
    whileAnimating([&] { return toolShown(); }, [&] { window->close(); },
                   [&] { return !running() && !window->isVisible(); });
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(ws.database.databaseAllocated());
}

TEST_F(Animation, CloseAllEndsItFirstAndThenAsks) {
    openExample("multi_tool.nc");
    ws.animation.stepDelayMs = 20;
    window->action("aLL1")->trigger();
    whileAnimating([&] { return toolShown(); },
                   [&] {
                       answerMessageBox("Yes");
                       window->action("CloseAll")->trigger();
                   },
                   [&] { return !running() && !ws.database.databaseAllocated(); });
    EXPECT_EQ(window->statusText(), "All data has been removed from graphics database...");
    EXPECT_TRUE(window->action("File1")->isEnabled());
}

} // namespace
} // namespace korvix::test
