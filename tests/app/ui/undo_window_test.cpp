// Edit -> Undo and Redo in the window: three commands taken back and done again through the
// menu items and their keys, and Close all ending the history.
#include "filters/ui/fit_arc_form.h"
#include "filters/ui/sifting_form.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "model/record_fields.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

std::vector<RecordFields> recordsOf(const ui::Tf& window) {
    return pathFields(window.workspace().database);
}

TEST(UndoWindow, FitArcsSiftAndOpenAreTakenBackAndDoneAgain) {
    auto window = makeWindow();
    QAction* undo = window->action("Undo1");
    QAction* redo = window->action("Redo1");
    EXPECT_FALSE(undo->isEnabled());

    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    ui::openNamedFile(*window, examplePath("surface_3d.nc"));
    window->syncUndoItems();
    const std::vector<RecordFields> opened = recordsOf(*window);
    const double cuttingTime = window->workspace().database.status.cuttingTime;
    EXPECT_EQ(undo->text(), "&Undo Open surface_3d.nc");

    answerNextModal([](QWidget* widget) {
        auto* form = dynamic_cast<ui::FitArcForm*>(widget);
        ASSERT_NE(form, nullptr);
        form->setToleranceText("0.01");
        form->findChild<QPushButton*>("OkButton")->click();
    });
    window->action("Fitarcs1")->trigger();
    const std::vector<RecordFields> fitted = recordsOf(*window);
    ASSERT_NE(fitted, opened);
    answerNextModal([](QWidget* form) {
        ASSERT_NE(dynamic_cast<ui::SiftingForm*>(form), nullptr);
        form->findChild<QPushButton*>("OkButton")->click();
    });
    window->action("Sift1")->trigger();
    EXPECT_EQ(undo->text(), "&Undo Sift points");

    // The keys reach the window once it is active again after the dialogs and no command
    // holds its menus; on a busy machine either may come a little later.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return QApplication::activeWindow() == window.get() &&
                   QApplication::activeModalWidget() == nullptr && undo->isEnabled();
        },
        20000));
    QTest::keyClick(window.get(), Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_TRUE(recordsOf(*window) == fitted);
    EXPECT_EQ(window->statusText(), "Sift points undone...");
    undo->trigger();
    EXPECT_TRUE(recordsOf(*window) == opened);
    EXPECT_EQ(window->workspace().database.status.cuttingTime, cuttingTime);
    EXPECT_EQ(redo->text(), "&Redo Fit arcs");
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(recordsOf(*window) == fitted);
    undo->trigger();
    undo->trigger();
    EXPECT_FALSE(window->workspace().database.databaseAllocated());
    EXPECT_FALSE(undo->isEnabled());
    redo->trigger();
    EXPECT_TRUE(recordsOf(*window) == opened);

    answerMessageBox("Yes");
    window->action("CloseAll")->trigger();
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
}

} // namespace
} // namespace korvix::test
