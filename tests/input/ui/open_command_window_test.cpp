// Open offers to read a program again when its arcs fit the other centre type, reads on a
// worker thread while the window stays usable, and the Options menu reads lower-case words.

#include "gui_test_support.h"
#include "input/ui/input_radius_type_form.h"
#include "input/ui/open_command.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

const QString kData = KORVIX_TEST_DATA_DIR;

std::size_t recordCount(const Workspace& ws) {
    return ws.database.databaseAllocated() ? ws.database.records.lastAndCount().second : 0;
}

void open(ui::Tf& window, const QString& name, bool absoluteCenters) {
    acceptColor(0xFFFFFF);
    acceptRadiusType(absoluteCenters);
    ui::openNamedFile(window, kData + "/" + name);
}

TEST(OpenCommandWindow, YesToTheCentreQuestionReadsTheProgramAgainTheOtherWay) {
    // What a fresh incremental read of the program makes, for comparison.
    auto reference = makeWindow();
    open(*reference, "cam_incremental_arcs.nc", false);
    const std::size_t incrementalCount = recordCount(reference->workspace());
    const QString countText = reference->statusText();

    auto window = makeWindow();
    open(*window, "r_arcs.nc", true);
    Workspace& ws = window->workspace();
    const std::size_t before = recordCount(ws);
    ASSERT_GT(before, 0u);

    auto question = std::make_shared<QString>();
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    answerNextModal([question](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        *question = box->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text().remove('&') == "Yes")
                button->click();
    });
    const QString path = kData + "/cam_incremental_arcs.nc";
    ui::openNamedFile(*window, path);

    EXPECT_EQ(*question, "4 of 4 arcs in \"" + path +
                             "\" do not fit absolute center points; the program looks like it "
                             "uses incremental center points. Read it again with incremental "
                             "center points?");
    // The first file stays, the second is there once, read the incremental way.
    EXPECT_EQ(recordCount(ws), before + incrementalCount);
    const Extents& e = ws.database.status.extents;
    EXPECT_NEAR(e.minX, 0.0, 0.001);
    EXPECT_NEAR(e.maxX, 90.0, 0.001);
    EXPECT_FALSE(ui::InputRadiusTypeForm::of(*window).absoluteCenters());
    EXPECT_EQ(window->statusText(), countText);
}

// Counts the paint events of a widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

TEST(OpenCommandWindow, TheWindowStaysUsableWhileAProgramIsReadAndCancelGivesNothingBack) {
    auto window = makeWindow();
    open(*window, "r_arcs.nc", true);
    Workspace& ws = window->workspace();
    const std::size_t recordsBefore = recordCount(ws);
    const QString titleBefore = window->windowTitle();

    QTemporaryDir folder;
    const QString big = folder.filePath("long.nc");
    ASSERT_TRUE(writeLongProgram(big, 2000000));
    // While the file is read: the event loop turns, the picture is painted, the loaded path
    // is untouched, the menus are locked; then Cancel is clicked.
    PaintCounter painted;
    window->drawingArea().installEventFilter(&painted);
    int turnsWhileReading = 0;
    QTimer heartbeat;
    heartbeat.setInterval(2);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        if (window->reading())
            ++turnsWhileReading;
    });
    heartbeat.start();
    bool pathUntouched = false;
    bool locked = false;
    whenTrue([&] { return window->reading() && ws.pump.progressDone() > 0; },
             [&] {
                 painted.paints = 0;
                 window->drawingArea().update();
                 whenTrue([&] { return painted.paints > 0 && turnsWhileReading >= 5; },
                          [&] {
                              pathUntouched = recordCount(ws) == recordsBefore;
                              locked = !window->action("Open1")->isEnabled() &&
                                       !window->action("Exit1")->isEnabled();
                              window->findChild<QPushButton*>("CancelButton")->click();
                          });
             });
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    ui::openNamedFile(*window, big);
    EXPECT_GT(painted.paints, 0);
    EXPECT_GE(turnsWhileReading, 5);
    EXPECT_TRUE(pathUntouched);
    EXPECT_TRUE(locked);
    EXPECT_EQ(window->statusText(), "Open command canceled...");
    EXPECT_EQ(recordCount(ws), recordsBefore);
    EXPECT_EQ(window->windowTitle(), titleBefore);
    EXPECT_TRUE(window->action("Open1")->isEnabled());
}

TEST(OpenCommandWindow, ReadLowerCaseWordsIsAnOption) {
    auto window = makeWindow();
    QAction* option = window->action("ReadLowerCaseWords1");
    ASSERT_NE(option, nullptr);
    EXPECT_FALSE(option->isChecked());
    // Nothing is read, and the log says why.
    auto log = std::make_shared<QString>();
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    answerNextModal([log](QWidget* widget) {
        if (auto* dialog = qobject_cast<QDialog*>(widget)) {
            *log = dialog->objectName();
            dialog->accept();
        }
    });
    ui::openNamedFile(*window, kData + "/lower_case.nc");
    EXPECT_EQ(*log, "TParsingErrorForm");
    EXPECT_FALSE(window->workspace().database.databaseAllocated());

    ui::ReadLowerCaseWordsClick(*window);
    EXPECT_TRUE(option->isChecked());
    EXPECT_TRUE(window->workspace().reading.lowerCaseWords);
    open(*window, "lower_case.nc", true);
    EXPECT_EQ(recordCount(window->workspace()), 3u);
}

} // namespace
} // namespace korvix::test
