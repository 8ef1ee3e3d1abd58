#include "app/workspace_access.h"
#include "display/levels_dialog_state.h"
#include "display/ui/levels_display_dialog.h"
#include "display/ui/window_input.h"
#include "gui_test_support.h"
#include "input/nc_reader.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <tuple>

namespace korvix::test {
namespace {

using LevelsStep = std::function<void(ui::LevelsDisplayDialog&)>;

// Runs the steps one by one, each once the levels dialog waits for a button with its
// picture drawn. Should it still wait five seconds after the last step, Cancel is pressed so
// that no test hangs.
void whenLevelsWaiting(ui::Tf& window, ui::LevelsDisplayDialog& dialog,
                       std::vector<LevelsStep> steps) {
    struct Script {
        std::vector<LevelsStep> steps;
        std::size_t next = 0;
        int quietTicks = 0;
    };
    auto script = std::make_shared<Script>(Script{std::move(steps)});
    auto* timer = new QTimer(&dialog);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, &dialog, [&window, timer, script, d = &dialog] {
        const bool waiting = d->isVisible() && d->state() == levels_state::kWaiting &&
                             !window.redrawRunning() &&
                             QApplication::activeModalWidget() == nullptr;
        const bool stepsLeft = script->next < script->steps.size();
        if (waiting && stepsLeft) {
            script->quietTicks = 0;
            script->steps[script->next++](*d);
            return;
        }
        if (!stepsLeft && !d->isVisible()) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (++script->quietTicks < 500)
            return;
        ADD_FAILURE() << "the levels dialog script did not finish";
        d->setState(levels_state::kCancel);
        timer->stop();
        timer->deleteLater();
    });
    timer->start();
}

LevelsStep pressButton(const char* name) {
    return [name](ui::LevelsDisplayDialog& dialog) {
        QPushButton* button = dialog.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(button->isEnabled()) << name;
        button->click();
    };
}

LevelsStep setLevelsDisplayed(const char* count) {
    return [count](ui::LevelsDisplayDialog& dialog) {
        dialog.findChild<QLineEdit*>("NumberLevelsDisplayedEdit")->setText(count);
    };
}

// "top..bottom UD": the levels on display and which steps are open.
std::string shown(const ui::LevelsDisplayDialog& dialog) {
    const auto on = [&](const char* name) {
        return dialog.findChild<QPushButton*>(name)->isEnabled();
    };
    return (dialog.fieldText("Level1Edit") + ".." + dialog.fieldText("Level2Edit")).toStdString() +
           " " + (on("UpButton") ? "U" : "-") + (on("DownButton") ? "D" : "-");
}

LevelsStep expectShown(std::string expected, std::string where) {
    return [expected, where](ui::LevelsDisplayDialog& dialog) {
        EXPECT_EQ(shown(dialog), expected) << where;
    };
}

// Every record's address and fields, and the status block.
struct Snapshot {
    std::vector<const MoveRecord*> addresses;
    std::vector<std::tuple<int, float, float, float, int, std::uint16_t>> fields;
    DatabaseStatus status;
};
Snapshot snapshotOf(const GraphicsDatabase& database) {
    Snapshot s;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        s.addresses.push_back(r);
        s.fields.emplace_back(r->kind, r->x, r->y, r->z, r->sequence, r->blockNumber);
    }
    s.status = database.status;
    return s;
}
void expectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_EQ(a.addresses, b.addresses);
    EXPECT_EQ(a.fields, b.fields);
    EXPECT_EQ(a.status.extents.minX, b.status.extents.minX);
    EXPECT_EQ(a.status.extents.maxY, b.status.extents.maxY);
    EXPECT_EQ(a.status.extents.minZ, b.status.extents.minZ);
    EXPECT_EQ(a.status.extents.maxZ, b.status.extents.maxZ);
    EXPECT_EQ(a.status.cuttingTime, b.status.cuttingTime);
    EXPECT_EQ(a.status.minFeed, b.status.minFeed);
    EXPECT_EQ(a.status.maxFeed, b.status.maxFeed);
    EXPECT_EQ(a.status.ncLoaded, b.status.ncLoaded);
}

std::set<float> depthsOf(const GraphicsDatabase& database) {
    std::set<float> depths;
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next)
        depths.insert(r->z);
    return depths;
}

int litPixels(const QImage& image) {
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += (image.pixel(x, y) & 0xFFFFFF) != 0 ? 1 : 0;
    return lit;
}

struct Levels : ::testing::Test {
    Levels() : window(makeWindow()), ws(window->workspace()) {}
    ui::LevelsDisplayDialog& dialog() { return ui::LevelsDisplayDialog::of(*window); }
    void run() { window->action("Levels1")->trigger(); }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

const char* const kLockedMenus[] = {"Open1",    "Save1", "Close1",   "Exit1",     "Levels1",
                                    "Options1", "Edit2", "Animate1", "Identify1", "Measure1"};

TEST_F(Levels, StepsThroughTheLevelsOfARoughingProgramAndGivesItBack) {
    openTestProgram(*window, "levels_roughing.nc");
    const Snapshot program = snapshotOf(ws.database);
    const std::size_t programRecords = program.addresses.size();
    bool locked = false;
    std::shared_ptr<QString> badCount;
    whenLevelsWaiting(
        *window, dialog(),
        {[&](ui::LevelsDisplayDialog& d) {
             EXPECT_EQ(d.windowTitle(), "Display Individual Levels");
             EXPECT_TRUE(d.windowFlags() & Qt::WindowStaysOnTopHint);
             EXPECT_EQ(d.fieldText("UpperLevelEdit"), "10.00020");
             EXPECT_EQ(d.fieldText("LowerLevelEdit"), "-6.00020");
             EXPECT_EQ(d.levelsDisplayed(), "1");
             EXPECT_TRUE(d.clearScreen());
             EXPECT_TRUE(d.fitToGeometry());
             EXPECT_FALSE(d.findChild<QPushButton*>("AppendButton")->isEnabled());
             EXPECT_FALSE(d.fieldText("CuttingTimeEdit").isEmpty());
             locked =
                 window->action("File1")->isEnabled() && window->action("Display1")->isEnabled();
             for (const char* name : kLockedMenus)
                 locked = locked && !window->action(name)->isEnabled();
             // The copies of the first level, down to the plunge that ends it, stand in the
             // program's place.
             EXPECT_LT(snapshotOf(ws.database).addresses.size(), programRecords);
             EXPECT_EQ(depthsOf(ws.database), (std::set<float>{10, 2, -2, -4}));
         },
         expectShown("-2.00000..-2.00000 -D", "the first level"), pressButton("DownButton"),
         expectShown("-4.00000..-4.00000 UD", "the second"), pressButton("DownButton"),
         expectShown("-6.00000..-6.00000 U-", "the last"),
         // Three at once: the current level with the two cut before it.
         setLevelsDisplayed("3"), pressButton("UpButton"),
         expectShown("-2.00000..-4.00000 UD", "up, two of three"), pressButton("DownButton"),
         expectShown("-2.00000..-6.00000 U-", "three levels"),
         [&](ui::LevelsDisplayDialog&) {
             const std::set<float> depths = depthsOf(ws.database);
             for (float z : {-2.0f, -4.0f, -6.0f})
                 EXPECT_EQ(depths.count(z), 1u) << z;
         },
         // A count that is no integer is reported and the display stays.
         setLevelsDisplayed("2.5"),
         [&](ui::LevelsDisplayDialog& d) {
             badCount = captureMessageBox();
             d.findChild<QPushButton*>("UpButton")->click();
         },
         expectShown("-2.00000..-6.00000 U-", "after the bad count"),
         [](ui::LevelsDisplayDialog& d) { d.close(); }});
    run();

    EXPECT_TRUE(locked);
    ASSERT_NE(badCount, nullptr);
    EXPECT_EQ(*badCount, "'2.5' is not a valid integer value");
    EXPECT_FALSE(dialog().isVisible());
    expectSame(snapshotOf(ws.database), program);
    for (const char* name : kLockedMenus)
        EXPECT_TRUE(window->action(name)->isEnabled()) << name;
    // The whole program is on the screen again.
    EXPECT_GT(litPixels(window->drawingArea().image()), 200);
}

TEST_F(Levels, OneLevelLeavesUpAndDnDisabledAndEscCancels) {
    openTestProgram(*window, "identify_path.nc");
    const Snapshot program = snapshotOf(ws.database);
    whenLevelsWaiting(
        *window, dialog(),
        {expectShown("0.00000..0.00000 --", "one level"), [](ui::LevelsDisplayDialog& d) {
             QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(&d, &escape);
         }});
    run();
    EXPECT_FALSE(dialog().isVisible());
    expectSame(snapshotOf(ws.database), program);
}

TEST_F(Levels, WriteSavesOnlyTheDisplayedLevels) {
    openTestProgram(*window, "levels_roughing.nc");
    const Snapshot program = snapshotOf(ws.database);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("level2.nc");
    whenLevelsWaiting(
        *window, dialog(),
        {pressButton("DownButton"),
         [&](ui::LevelsDisplayDialog& d) {
             answerNextModal([](QWidget* widget) {
                 auto* control = dynamic_cast<ui::CNCControlTypeDialog*>(widget);
                 ASSERT_NE(control, nullptr);
                 control->setMachineName("Default");
                 QTimer::singleShot(0, control, [control] {
                     control->findChild<QPushButton*>("OkButton")->click();
                 });
             });
             answerNextModal([path](QWidget* widget) {
                 auto* files = qobject_cast<QFileDialog*>(widget);
                 ASSERT_NE(files, nullptr);
                 files->selectFile(path);
                 files->findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(path).fileName());
                 static_cast<QDialog*>(files)->accept();
             });
             d.findChild<QPushButton*>("WriteButton")->click();
         },
         expectShown("-4.00000..-4.00000 UD", "still the second level after Write"),
         pressButton("CancelButton")});
    run();
    expectSame(snapshotOf(ws.database), program);
    ASSERT_TRUE(QFileInfo::exists(path));

    // Read back: the second level alone, from the end of the move before its first record
    // (the retract to Z 2) down to the plunge into the third, which ends it.
    Workspace reread;
    readNcFile(ncReadTarget(reread), path.toStdString(), NcReadOptions{}, {});
    ASSERT_TRUE(reread.database.databaseAllocated());
    EXPECT_EQ(reread.database.first()->z, 2.0f);
    EXPECT_EQ(depthsOf(reread.database), (std::set<float>{2, -4, -6}));
    EXPECT_EQ(reread.database.status.extents.minZ, -6.0);
}

TEST_F(Levels, ClosingTheMainWindowCancelsFirstAndClosesAfterwards) {
    openTestProgram(*window, "levels_roughing.nc");
    whenLevelsWaiting(*window, dialog(), {pressButton("DownButton"), [&](ui::LevelsDisplayDialog&) {
                                              window->close();
                                          }});
    run();
    EXPECT_FALSE(dialog().isVisible());
    QElapsedTimer clock;
    clock.start();
    while (window->isVisible() && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_FALSE(window->isVisible());
    // The program's records came back before the window freed them.
    EXPECT_FALSE(ws.database.databaseAllocated());
}

TEST_F(Levels, NumberOfLevelsFieldExit) {
    ui::LevelsDisplayDialog& d = dialog();
    QLineEdit* field = d.findChild<QLineEdit*>("NumberLevelsDisplayedEdit");
    field->setText("");
    d.NumberLevelsDisplayedEditExit();
    EXPECT_EQ(field->text(), "1");

    const std::shared_ptr<QString> message = captureMessageBox();
    field->setText("3x");
    d.NumberLevelsDisplayedEditExit();
    EXPECT_EQ(*message, "Non-numeric charactor found in input data \"x\"...");
    EXPECT_EQ(field->text(), "3x");

    // Without NC data the command does nothing.
    run();
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(window->action("Levels1")->isEnabled());
}

} // namespace
} // namespace korvix::test
