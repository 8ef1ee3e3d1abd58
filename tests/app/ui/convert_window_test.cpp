// File -> Convert in the window: the three dialogs, a batch with a file twice and a file with
// parse errors, the backups and the verification in the status text.
#include "app/ui/convert_command.h"
#include "gui_test_support.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "output/ui/dir_ctrl_form.h"
#include "ui/main_window.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

void answerDefaultControl() {
    answerNextModal([](QWidget* widget) {
        auto* dialog = dynamic_cast<ui::CNCControlTypeDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->setMachineName("Default");
        QTimer::singleShot(0, dialog,
                           [dialog] { dialog->findChild<QPushButton*>("OkButton")->click(); });
    });
}

// Picks `names` in `folder` with the form's own file name field and Add button, then Start.
void answerFiles(const QString& folder, const QStringList& names) {
    answerNextModal([folder, names](QWidget* widget) {
        auto* form = dynamic_cast<ui::DirCtrlForm*>(widget);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), "Select Files for Conversion");
        form->setBatch({});
        form->setCurrentFolder(folder);
        for (const QString& name : names) {
            form->findChild<QLineEdit*>("FileNameEdit")->setText(name);
            form->findChild<QPushButton*>("AddButton")->click();
        }
        form->findChild<QPushButton*>("SendButton")->click();
    });
}

QString writeProgram(const QTemporaryDir& folder, const char* name, const char* text) {
    QFile file(folder.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    return file.fileName();
}

TEST(ConvertWindow, ConvertsEachFileOfTheBatchKeepingBackupsAndVerifying) {
    QTemporaryDir folder;
    const QString pocket = folder.filePath("pocket.nc");
    ASSERT_TRUE(QFile::copy(examplePath("pocket_absolute.nc"), pocket));
    writeProgram(folder, "bad.nc", "G0 X0 Y0 Z5\nT300\nG1 X10 Y5 Z0 F100\n");
    const QByteArray original = [&] {
        QFile file(pocket);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();

    auto window = makeWindow();
    acceptRadiusType(true);
    answerDefaultControl();
    answerFiles(folder.path(), {"pocket.nc", "bad.nc", "pocket.nc"});
    answerNextModal([](QWidget* log) { static_cast<QDialog*>(log)->accept(); }); // bad.nc
    ui::Convert1Click(*window);

    QFile backup(pocket + ".bak");
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), original);
    EXPECT_TRUE(QFile::exists(folder.filePath("bad.nc.bak")));
    EXPECT_TRUE(QFile::exists(pocket + ".bak.1"));
    EXPECT_EQ(window->statusText(), "Converted 3 of 3 files, all verified...");
    EXPECT_FALSE(window->workspace().database.databaseAllocated());
    EXPECT_FALSE(window->reading());
}

TEST(ConvertWindow, AnEmptyBatchOrACanceledDialogConvertsNothing) {
    QTemporaryDir folder;
    auto window = makeWindow();
    acceptRadiusType(true);
    answerDefaultControl();
    answerFiles(folder.path(), {});
    ui::Convert1Click(*window);
    EXPECT_EQ(window->statusText(), "Select file(s) to be converted...");
    EXPECT_TRUE(QDir(folder.path()).isEmpty());

    acceptRadiusType(true);
    answerNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    ui::Convert1Click(*window);
    EXPECT_EQ(window->statusText(), "Convert command canceled...");
}

} // namespace
} // namespace korvix::test
