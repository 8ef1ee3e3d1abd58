#include "app/ui/settings_commands.h"
#include "app/workspace_access.h"
#include "display/identify_marks.h"
#include "display/program_text.h"
#include "display/ui/current_nc_location_dialog.h"
#include "display/ui/program_text_pane.h"
#include "display/ui/program_text_view.h"
#include "display/view_transform.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "test_folder.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"
#include "window_input.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <filesystem>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

void waitForLink(ui::ProgramTextPane& pane) {
    QEventLoop loop;
    whenTrue([&pane] { return !pane.linkPending(); }, [&loop] { loop.quit(); });
    loop.exec();
}

struct ProgramTextPane : ::testing::Test {
    ProgramTextPane() : window(makeWindow()), ws(window->workspace()) {}
    ui::ProgramTextPane& pane() { return ui::ProgramTextPane::of(*window); }
    ui::ProgramTextView& view() { return pane().view(); }
    void open(const QString& path) {
        acceptColor(0xFFFFFF);
        acceptRadiusType(true);
        ui::openNamedFile(*window, path);
    }
    std::size_t rowOfLine(std::uint32_t line) const {
        return ws.source.rowOf(ws.source.indexOf(0, line)).value_or(0);
    }
    // A click on the row as the user makes it: scrolled into sight first.
    void clickRow(std::size_t row) {
        view().setCurrentRow(row);
        const int y = static_cast<int>(row - view().firstVisibleRow()) * view().rowHeight() +
                      view().rowHeight() / 2;
        const QPointF at(40, y);
        QMouseEvent press(QEvent::MouseButtonPress, at, view().viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view().viewport(), &press);
    }
    void key(int code) {
        QKeyEvent event(QEvent::KeyPress, code, Qt::NoModifier);
        QApplication::sendEvent(&view(), &event);
    }
    QImage picture() const { return window->drawingArea().image().copy(); }
    // Until the chosen row has been linked to the picture.
    void settle() { waitForLink(pane()); }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

TEST_F(ProgramTextPane, F9ShowsThePaneAndItsCloseButtonUnchecksTheItem) {
    EXPECT_FALSE(pane().isVisible());
    window->action("DisplayPROGRAMtext1")->trigger();
    EXPECT_TRUE(pane().isVisible());
    EXPECT_TRUE(window->isChecked("DisplayPROGRAMtext1"));
    EXPECT_EQ(window->action("DisplayPROGRAMtext1")->shortcut(), QKeySequence("F9"));
    pane().close();
    EXPECT_FALSE(window->isChecked("DisplayPROGRAMtext1"));
}

TEST_F(ProgramTextPane, ClickingLine40HighlightsTheMoveThatLineMakes) {
    // Shown first: the picture is drawn once at the size the pane leaves it.
    window->action("DisplayPROGRAMtext1")->trigger();
    open(examplePath("pocket_absolute.nc"));
    ASSERT_EQ(ws.source.files().size(), 1u);
    const QImage before = picture();
    MoveRecord* move = moveOfSourceLine(ws.database, ws.source.indexOf(0, 40));
    ASSERT_NE(move, nullptr);
    ASSERT_TRUE(isArcPiece(*move)); // "G3 X8. Y3. I8. J8."

    clickRow(rowOfLine(40));
    settle();
    EXPECT_EQ(window->statusText(), QString::fromStdString(moveStatusText(*move, ws.source)));
    // The arc is drawn over black and dotted: pixels changed, all on the arc.
    const QImage highlighted = picture();
    const std::vector<PixelPoint> arc = movePixels(ws.view, *move, {});
    QRect around;
    for (const PixelPoint& p : arc)
        around |= QRect(p.x - 1, p.y - 1, 3, 3);
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != highlighted.pixel(x, y)) {
                ++changed;
                EXPECT_TRUE(around.contains(x, y)) << x << "," << y;
            }
    EXPECT_GT(changed, 3);

    // Up to a comment line: it makes no move, and the highlight comes off again.
    key(Qt::Key_Home);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    settle();
    EXPECT_EQ(view().currentRow(), std::optional<std::size_t>(rowOfLine(3)));
    EXPECT_EQ(window->statusText(), "Line 3 makes no move...");
    EXPECT_EQ(picture(), before);
}

TEST_F(ProgramTextPane, IdentifyAndStepsScrollThePaneToTheMovesLine) {
    window->action("DisplayPROGRAMtext1")->trigger();
    open(QString(KORVIX_TEST_DATA_DIR) + "/identify_path.nc");
    // Far down the text first, so that the line must be scrolled into sight.
    view().setCurrentRow(ws.source.rowCount() - 1);
    std::vector<std::optional<std::size_t>> rows;
    const auto note = [&](ui::LocationDialogBase&) { rows.push_back(view().currentRow()); };
    whenWaiting(ui::CurrentNcLocationDialog::of(*window),
                {note, press("NextMoveButton"), note, press("NextMoveButton"), note,
                 press("CancelButton")});
    window->action("Identify1")->trigger();
    const PixelPoint onLine = project(ws.view, 20, 0, 0); // N40 X40.
    click(*window, {onLine.x, onLine.y - 2});
    // N40 is line 8, the arc N50 line 9, N60 line 10.
    EXPECT_EQ(rows,
              (std::vector<std::optional<std::size_t>>{rowOfLine(8), rowOfLine(9), rowOfLine(10)}));
    EXPECT_LE(view().firstVisibleRow(), rowOfLine(10));
    EXPECT_LT(rowOfLine(10), view().firstVisibleRow() + view().visibleRows());
}

TEST_F(ProgramTextPane, FindAndGoToLineMoveTheCurrentLine) {
    // Shown first: the picture is drawn once at the size the pane leaves it.
    window->action("DisplayPROGRAMtext1")->trigger();
    open(examplePath("pocket_absolute.nc"));
    pane().goToLine(40);
    EXPECT_EQ(view().currentRow(), std::optional<std::size_t>(rowOfLine(40)));
    ASSERT_TRUE(pane().findNext("corner radius"));
    EXPECT_EQ(view().currentRow(), std::optional<std::size_t>(rowOfLine(3))); // wrapped round
    EXPECT_FALSE(pane().findNext("no such text"));
}

TEST(ProgramTextPaneSettings, SideAndShownSurviveARestart) {
    {
        auto window = makeWindow();
        window->action("DisplayPROGRAMtext1")->trigger();
        window->addDockWidget(Qt::LeftDockWidgetArea, &ui::ProgramTextPane::of(*window));
        EXPECT_TRUE(window->close());
    }
    const std::string text = fileText(ui::windowSettingsFile());
    EXPECT_TRUE(contains(text, "Program text side=1\n")) << text;
    EXPECT_TRUE(contains(text, "Display program text=1\n")) << text;
    EXPECT_TRUE(contains(text, "Program text floating=0\n")) << text;

    auto restarted = makeWindow(Settings::Kept);
    ui::ProgramTextPane& pane = ui::ProgramTextPane::of(*restarted);
    EXPECT_TRUE(restarted->isChecked("DisplayPROGRAMtext1"));
    EXPECT_FALSE(pane.isHidden());
    EXPECT_EQ(restarted->dockWidgetArea(&pane), Qt::LeftDockWidgetArea);
}

// The pane draws only what is in sight: on a program of a million lines opening it and going
// to the last line takes no longer than on a short one.
TEST(ProgramTextPaneBig, OpensOnAMillionLinesAndJumpsToTheLastLineQuickly) {
    const QString python = QStandardPaths::findExecutable("python3");
    const std::filesystem::path generator = KORVIX_BIG_PROGRAM_GENERATOR;
    if (python.isEmpty() || !std::filesystem::exists(generator))
        GTEST_SKIP() << "python3 or the program generator is missing";
    TestFolder folder("korvix_pane_big");
    const std::string path = folder.path("big1m.nc");
    QProcess make;
    make.start(python, {QString::fromStdString(generator.string()), "--lines", "1000000", "--seed",
                        "1", "-o", QString::fromStdString(path)});
    ASSERT_TRUE(make.waitForFinished(120000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();

    auto window = makeWindow();
    Workspace& ws = window->workspace();
    NcReadOptions options;
    options.firstSourceLine = ws.source.nextLine();
    NcReadResult read = readNcProgram(ncReadTarget(ws), path, options, {});
    ASSERT_TRUE(read.ok());
    keepReadText(ws, read);
    ASSERT_EQ(ws.source.files()[0].lineCount(), 1000000u);

    ui::ProgramTextPane& pane = ui::ProgramTextPane::of(*window);
    QElapsedTimer clock;
    clock.start();
    window->action("DisplayPROGRAMtext1")->trigger();
    pane.goToLine(1000000);
    pane.view().viewport()->repaint();
    // From one end to the other and back, painted each time.
    QScrollBar& bar = *pane.view().verticalScrollBar();
    for (int value : {0, bar.maximum() / 2, bar.maximum(), 0, bar.maximum()}) {
        bar.setValue(value);
        pane.view().viewport()->repaint();
    }
    const qint64 elapsed = clock.elapsed();
    RecordProperty("pane_ms", static_cast<int>(elapsed));
    EXPECT_LT(elapsed, 300);
    EXPECT_EQ(pane.view().currentRow(), std::optional<std::size_t>(ws.source.rowCount() - 1));
    EXPECT_EQ(bar.value(), bar.maximum());

    // Linking the line to the picture (once the pane is painted) reports on it in the status
    // bar. The pane's appearance also narrowed the picture, whose redraw may run first.
    waitForLink(pane);
    EXPECT_EQ(window->statusText(), "Line 1000000 makes no move..."); // "%"
    pane.goToLine(999997); // "G0 Z50." four lines before the end
    waitForLink(pane);
    const MoveRecord* move = moveOfSourceLine(ws.database, ws.source.indexOf(0, 999997));
    ASSERT_NE(move, nullptr);
    EXPECT_EQ(window->statusText(), QString::fromStdString(moveStatusText(*move, ws.source)));

    // The lookup walks the path once, then finds lines at once until the path changes.
    SourceLineMoves moves;
    clock.restart();
    EXPECT_EQ(moves.find(ws.database, ws.source.indexOf(0, 999997)), move);
    RecordProperty("first_lookup_ms", static_cast<int>(clock.elapsed()));
    clock.restart();
    EXPECT_EQ(moves.find(ws.database, ws.source.indexOf(0, 999997)), move);
    EXPECT_NE(moves.find(ws.database, ws.source.indexOf(0, 500000)), nullptr);
    EXPECT_LT(clock.elapsed(), 50);
}

} // namespace
} // namespace korvix::test
