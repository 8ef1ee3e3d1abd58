// The settings across two lifetimes of the window: the defaults with no file, a dialog value
// and the text font kept, saving on any close, the recent files under File.
#include "app/settings_file.h"
#include "app/ui/settings_commands.h"
#include "filters/ui/sifting_form.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

QString settingsText() {
    QFile file(QString::fromStdString(ui::windowSettingsFile().string()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(Settings, WithNoFileTheDialogsAndMenusShowTheirDefaults) {
    auto window = makeWindow();
    for (const char* item :
         {"DisplayBLOCKInfoduringAnimation", "DisplayPOINTSduringeditting1", "DisplayTETRAhead1"})
        EXPECT_TRUE(window->isChecked(item)) << item;
    EXPECT_FALSE(window->isChecked("DisplayNCStatusWindow1"));
    EXPECT_FALSE(window->isChecked("DisplayWIRESTATUSwindow1"));
    EXPECT_FALSE(window->statusListBox().isVisible());
    EXPECT_EQ(ui::CNCControlTypeDialog::of(*window).programNumberText(), "1");
    EXPECT_EQ(window->statusText(), "");
}

TEST(Settings, ValuesAndFontSurviveARestartAndTheCloseButtonSavesWithoutAsking) {
    {
        auto window = makeWindow();
        ui::SiftingForm::of(*window).findChild<QLineEdit*>("SiftToleranceEdit")->setText("0.02");
        window->setChecked("DisplayTETRAhead1", false);
        window->action("ReadLowerCaseWords1")->trigger();
        QFont font = window->textEntry().font();
        font.setFamily("DejaVu Serif");
        font.setPointSize(17);
        font.setItalic(true);
        window->textEntry().setFont(font);
        // The window's own close button: no question, the settings are written.
        EXPECT_TRUE(window->close());
    }
    const QString text = settingsText();
    EXPECT_TRUE(text.contains("[Point Sifting Tolerance]\nSift tolerance=0.02\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("Display tetrahedran=0\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("Font size=17\n")) << text.toStdString();
    EXPECT_TRUE(text.startsWith("[Arc Input Type]\nAbsolute=1\n\n[CNC Control Type]\n"))
        << text.toStdString();

    auto restarted = makeWindow(Settings::Kept);
    EXPECT_EQ(ui::SiftingForm::of(*restarted).findChild<QLineEdit*>("SiftToleranceEdit")->text(),
              "0.02");
    EXPECT_FALSE(restarted->isChecked("DisplayTETRAhead1"));
    EXPECT_TRUE(restarted->isChecked("ReadLowerCaseWords1"));
    EXPECT_TRUE(restarted->workspace().reading.lowerCaseWords);
    EXPECT_EQ(restarted->textEntry().font().family(), "DejaVu Serif");
    EXPECT_EQ(restarted->textEntry().font().pointSize(), 17);
    EXPECT_TRUE(restarted->textEntry().font().italic());
}

TEST(Settings, AMalformedValueIsReportedOnceAndItsDefaultUsed) {
    {
        auto window = makeWindow();
        window->setChecked("DisplayNCStatusWindow1", true);
        window->close();
    }
    QFile file(QString::fromStdString(ui::windowSettingsFile().string()));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    QString text = QString::fromUtf8(file.readAll());
    text.replace("Display tetrahedran=1", "Display tetrahedran=on");
    file.resize(0);
    file.write(text.toUtf8());
    file.close();

    auto restarted = makeWindow(Settings::Kept);
    EXPECT_TRUE(restarted->isChecked("DisplayTETRAhead1"));
    EXPECT_TRUE(restarted->statusText().contains("\"Display tetrahedran\" holds no valid value"))
        << restarted->statusText().toStdString();
    // A status window saved as shown is shown again.
    EXPECT_TRUE(restarted->isChecked("DisplayNCStatusWindow1"));
    EXPECT_TRUE(restarted->statusListBox().isVisible());
}

TEST(Settings, ARecentFileReopensWithItsKey) {
    const QString program = examplePath("pocket_absolute.nc");
    {
        auto window = makeWindow();
        acceptColor(0xFFFFFF);
        acceptRadiusType(true);
        ui::openNamedFile(*window, program);
        window->close();
    }
    auto restarted = makeWindow(Settings::Kept);
    QAction* recent = restarted->findChild<QAction*>("RecentFile1");
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(recent->statusTip(), program);
    EXPECT_TRUE(restarted->action("File1")->menu()->actions().contains(recent));
    acceptColor(0x00FF00);
    acceptRadiusType(true);
    // The read runs inside the key's command, with the dialogs answered above.
    QTest::keyClick(restarted.get(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_TRUE(restarted->workspace().database.databaseAllocated());
    EXPECT_EQ(restarted->currentFileName(), program);
}

} // namespace
} // namespace korvix::test
