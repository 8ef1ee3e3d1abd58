#include "app/home_folder.h"
#include "app/workspace_access.h"
#include "gui_test_support.h"
#include "input/nc_reader.h"
#include "input/ui/open_command.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "output/write_result.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

void openExample(ui::Tf& window, const char* name, bool absoluteCenters = true) {
    acceptColor(0xFFFFFF);
    acceptRadiusType(absoluteCenters);
    ui::openNamedFile(window, examplePath(name));
}

ui::CNCControlTypeDialog* controlDialog(QWidget* widget) {
    return dynamic_cast<ui::CNCControlTypeDialog*>(widget);
}

QPushButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(name);
}

// Fills the "CNC Control Type" dialog and presses Ok. The click comes from a timer so that
// message boxes it opens can be answered from the queue too.
void answerControlType(const QString& machine, const QString& programNumber = "1",
                       const QString& startingText = "") {
    answerNextModal([=](QWidget* widget) {
        auto* dialog = controlDialog(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->setMachineName(machine);
        dialog->setProgramNumberText(programNumber);
        dialog->setStartingText(startingText);
        QTimer::singleShot(0, dialog, [dialog] { button(dialog, "OkButton")->click(); });
    });
}

// Types `path` into the "Save NC-file" dialog and accepts it; `statusSeen` gets the status
// text shown while the dialog is open.
void answerSaveFile(const QString& path, ui::Tf& window, QString* statusSeen = nullptr) {
    answerNextModal([path, &window, statusSeen](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Save NC-file");
        if (statusSeen != nullptr)
            *statusSeen = window.statusText();
        // As a user going to the folder and typing the name over the proposed one.
        dialog->selectFile(path);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(path).fileName());
        static_cast<QDialog*>(dialog)->accept();
    });
}

void rejectNextDialog() {
    answerNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
}

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return QString::fromUtf8(file.readAll());
}

void writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// One move as the toolpath shows it: an arc group counts once, by its end and centre.
struct Move {
    int motion;
    int tool;
    double x, y, z, cx, cy, cz, feed;
};

std::vector<Move> movesOf(const Workspace& ws) {
    std::vector<Move> moves;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
        if (!endsMove(*r))
            continue;
        const bool arc = isArcPiece(*r);
        moves.push_back({r->motion, r->tool, r->x, r->y, r->z, arc ? r->centerX : 0.0,
                         arc ? r->centerY : 0.0, arc ? r->centerZ : 0.0,
                         r->motion == 0 ? 0.0 : r->feed});
    }
    return moves;
}

void expectSameMoves(const std::vector<Move>& expected, const std::vector<Move>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const Move& e = expected[i];
        const Move& a = actual[i];
        EXPECT_EQ(e.motion, a.motion) << "move " << i;
        EXPECT_EQ(e.tool, a.tool) << "move " << i;
        const double coords[][2] = {{e.x, a.x},   {e.y, a.y},   {e.z, a.z},
                                    {e.cx, a.cx}, {e.cy, a.cy}, {e.cz, a.cz}};
        for (const auto& pair : coords)
            EXPECT_NEAR(pair[0], pair[1], 0.0006) << "move " << i;
        EXPECT_NEAR(e.feed, a.feed, 0.06) << "move " << i;
    }
}

std::vector<Move> readBack(const QString& path, bool absoluteCenters = true) {
    Workspace ws;
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    readNcFile(ncReadTarget(ws), path.toStdString(), options, {});
    return movesOf(ws);
}

QStringList bundledNames() {
    QStringList names;
    for (const BundledFile& file : bundledMachineFormats())
        names << QString::fromUtf8(file.name.data(), static_cast<qsizetype>(file.name.size()));
    names.sort();
    return names;
}

TEST(SaveNc, DefaultFormatReadsBackAsTheSameMoves) {
    const struct {
        const char* example;
        bool absoluteCenters;
    } cases[] = {{"pocket_absolute.nc", true},
                 {"pocket_incremental.nc", false},
                 {"multi_tool.nc", true},
                 {"plane_arcs.nc", true}};
    for (const auto& [example, absoluteCenters] : cases) {
        SCOPED_TRACE(example);
        auto window = makeWindow();
        openExample(*window, example, absoluteCenters);
        QTemporaryDir folder;
        const QString path = folder.filePath("out.nc");
        QString statusWhileAsking;
        answerControlType("Default", "42");
        answerSaveFile(path, *window, &statusWhileAsking);
        window->action("Save1")->trigger();

        EXPECT_EQ(statusWhileAsking, "Enter name for which to save this file under...");
        EXPECT_EQ(window->statusText(), "Finished saving " + path + "...");
        EXPECT_TRUE(readText(path).startsWith("O42\n"));
        expectSameMoves(movesOf(window->workspace()), readBack(path));
    }
}

TEST(SaveNc, ControlTypeDialogListsDefaultAndTheMachinesFolder) {
    auto window = makeWindow();
    ui::CNCControlTypeDialog& dialog = ui::CNCControlTypeDialog::of(*window);
    EXPECT_EQ(dialog.objectName(), "TCNCControlTypeDialog");
    EXPECT_EQ(dialog.windowTitle(), "CNC Control Type");
    EXPECT_EQ(dialog.programNumberText(), "1");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("StartingTextGroupBox")->title(),
              "Starting text (OPTIONAL)");
    EXPECT_NE(dialog.findChild<QLineEdit*>("StartingTextEdit"), nullptr);
    EXPECT_EQ(button(&dialog, "OkButton")->text(), "&Ok");
    EXPECT_EQ(button(&dialog, "CancelButton")->text(), "&Cancel");

    // The bundled formats were installed into the empty machines folder at start.
    const QString folder = QString::fromStdString(machinesFolder().string());
    EXPECT_EQ(dialog.machinesFolder(), machinesFolder());
    QStringList installed = QDir(folder).entryList({"*.DNC"}, QDir::Files, QDir::Name);
    EXPECT_EQ(installed, bundledNames());
    ASSERT_GE(installed.size(), 4);

    auto* combo = dialog.findChild<QComboBox*>("MachineChoiceComboBox");
    ASSERT_NE(combo, nullptr);
    const auto listed = [combo] {
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    };
    // Each drop-down looks at the folder again: a format copied in meanwhile is listed, one
    // removed meanwhile is gone, and a choice that vanished falls back to "Default".
    const QString extra = folder + "/MY_LATHE.DNC";
    QFile::copy(folder + "/" + installed.front(), extra);
    combo->showPopup();
    combo->hidePopup();
    QStringList withExtra = bundledNames() << "MY_LATHE.DNC";
    withExtra.sort();
    EXPECT_EQ(listed(), QStringList{"Default"} + withExtra);
    dialog.setMachineName("MY_LATHE.DNC");
    QFile::remove(extra);
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(listed(), QStringList{"Default"} + bundledNames());
    EXPECT_EQ(dialog.machineName(), "Default");

    // An empty choice (no setting yet) shows "Default" when the dialog opens; a kept choice
    // stays.
    for (const QString& choice : {QString(), installed.back()}) {
        dialog.setMachineName(choice);
        QString shown;
        answerNextModal([&shown](QWidget* widget) {
            shown = controlDialog(widget)->machineName();
            controlDialog(widget)->reject();
        });
        dialog.exec();
        EXPECT_EQ(shown, choice.isEmpty() ? "Default" : choice);
    }
}

TEST(SaveNc, WritesWithEveryBundledFormat) {
    auto window = makeWindow();
    openExample(*window, "pocket_absolute.nc");
    QTemporaryDir folder;
    for (const QString& format : bundledNames()) {
        SCOPED_TRACE(format.toStdString());
        const QString path = folder.filePath(format + ".nc");
        answerControlType(format, "7", "(POCKET FOR FIXTURE 2)");
        answerSaveFile(path, *window);
        window->action("Save1")->trigger();
        EXPECT_EQ(window->statusText(), "Finished saving " + path + "...");
        const QString text = readText(path);
        EXPECT_TRUE(text.startsWith("(POCKET FOR FIXTURE 2)\n")) << text.left(80).toStdString();
        EXPECT_GT(text.count('\n'), 20);
    }
    // The ISO-style format numbers its program as O0007, and its output reads back as the
    // same toolpath (its start and end lines move nothing).
    const QString isoMill = folder.filePath("ISO_MILL.DNC.nc");
    EXPECT_TRUE(readText(isoMill).contains("\nO0007\n"));
    expectSameMoves(movesOf(window->workspace()), readBack(isoMill));
}

TEST(SaveNc, ProgramNumberMustBeANumber) {
    struct Case {
        QString text;
        QStringList messages;
    };
    const Case cases[] = {
        {"1c", {"Non-numeric charactor found in input data \"c\"..."}},
        {"x2y",
         {"Non-numeric charactor found in input data \"x\"...",
          "Non-numeric charactor found in input data \"y\"..."}},
        // A character outside ASCII is named whole, not byte by byte.
        {QString::fromUtf8("1\u00b5"),
         {QString::fromUtf8("Non-numeric charactor found in input data \"\u00b5\"...")}},
        {"1.2.3", {"'1.2.3' is not a valid floating point value"}},
        {"", {"'' is not a valid floating point value"}},
    };
    auto window = makeWindow();
    openExample(*window, "pocket_absolute.nc");
    QTemporaryDir folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        bool stayedOpen = false;
        QString textAfter;
        answerNextModal([&](QWidget* widget) {
            auto* dialog = controlDialog(widget);
            dialog->setProgramNumberText(c.text);
            QTimer::singleShot(0, dialog, [&, dialog] {
                button(dialog, "OkButton")->click();
                stayedOpen = dialog->isVisible();
                textAfter = dialog->programNumberText();
                button(dialog, "CancelButton")->click();
            });
        });
        std::vector<std::shared_ptr<QString>> shown;
        for (qsizetype i = 0; i < c.messages.size(); ++i)
            shown.push_back(captureMessageBox());
        window->action("Save1")->trigger();
        for (qsizetype i = 0; i < c.messages.size(); ++i)
            EXPECT_EQ(*shown[static_cast<std::size_t>(i)], c.messages[i]);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(textAfter, c.text); // left as typed
        EXPECT_EQ(window->statusText(), "Save command canceled...");
    }
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    ui::CNCControlTypeDialog::of(*window).setProgramNumberText("1");
}

TEST(SaveNc, LeavingTheProgramNumberFieldChecksIt) {
    auto window = makeWindow();
    ui::CNCControlTypeDialog& dialog = ui::CNCControlTypeDialog::of(*window);
    auto* number = dialog.findChild<QLineEdit*>("ProgramNumberEdit");
    auto* starting = dialog.findChild<QLineEdit*>("StartingTextEdit");
    QWidget* focusAfter = nullptr;
    std::shared_ptr<QString> shown;
    answerNextModal([&](QWidget*) {
        // A focus change counts as leaving the field only inside the active window.
        dialog.activateWindow();
        for (int i = 0; i < 100 && !dialog.isActiveWindow(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        number->setFocus(Qt::OtherFocusReason);
        dialog.setProgramNumberText("12#");
        starting->setFocus(Qt::TabFocusReason);
        // The check runs once the focus change is over.
        whenTrue([&] { return fieldCheckSettled(dialog, {shown}, number); },
                 [&] {
                     focusAfter = dialog.focusWidget();
                     dialog.reject();
                 });
    });
    shown = captureMessageBox();
    dialog.exec();
    EXPECT_EQ(*shown, "Non-numeric charactor found in input data \"#\"...");
    EXPECT_EQ(focusAfter, number);
    EXPECT_EQ(dialog.programNumberText(), "12#");
    dialog.setProgramNumberText("1");
}

TEST(SaveNc, OverwriteQuestion) {
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "Yes" : "No");
        auto window = makeWindow();
        openExample(*window, "pocket_absolute.nc");
        QTemporaryDir folder;
        const QString path = folder.filePath("keep.nc");
        writeText(path, "KEEP ME\n");
        answerControlType("Default");
        answerSaveFile(path, *window);
        QString question;
        answerNextModal([&question, replace](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_NE(box, nullptr);
            question = box->text();
            box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        // After No the save dialog comes back for another name; cancel it.
        if (!replace)
            rejectNextDialog();
        window->action("Save1")->trigger();

        EXPECT_EQ(question, "File \"" + path + "\" already exists. Ok to replace it?");
        if (replace) {
            EXPECT_EQ(window->statusText(), "Finished saving " + path + "...");
            EXPECT_TRUE(readText(path).startsWith("O1\n"));
        } else {
            EXPECT_EQ(window->statusText(), "Save command canceled...");
            EXPECT_EQ(readText(path), "KEEP ME\n");
        }
    }
}

TEST(SaveNc, CancelOrNothingToSaveWritesNothing) {
    auto window = makeWindow();
    // Nothing in memory: no dialog at all.
    window->action("Save1")->trigger();
    EXPECT_EQ(window->statusText(), QString(kNothingToSaveText));

    openExample(*window, "pocket_absolute.nc");
    QTemporaryDir folder;
    // Cancel in the control-type dialog, then in the file dialog.
    rejectNextDialog();
    window->action("Save1")->trigger();
    EXPECT_EQ(window->statusText(), "Save command canceled...");
    answerControlType("Default");
    rejectNextDialog();
    window->action("Save1")->trigger();
    EXPECT_EQ(window->statusText(), "Save command canceled...");
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(SaveNc, MissingMachineFormatWritesNothing) {
    auto window = makeWindow();
    openExample(*window, "pocket_absolute.nc");
    QTemporaryDir folder;
    const QString path = folder.filePath("out.nc");
    answerControlType("GONE.DNC");
    answerSaveFile(path, *window);
    const auto shown = captureMessageBox();
    window->action("Save1")->trigger();
    EXPECT_EQ(*shown, "Machine format file \"" +
                          QString::fromStdString((machinesFolder() / "GONE.DNC").string()) +
                          "\" does not exist...");
    EXPECT_EQ(window->statusText(), "Unable to save " + path + "...");
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
}

TEST(SaveNc, StartsEvenWhenTheMachinesFolderCannotBeMade) {
    const QByteArray home = qgetenv("KORVIX_HOME");
    QTemporaryDir folder;
    const QString blocker = folder.filePath("not_a_folder");
    writeText(blocker, "x");
    qputenv("KORVIX_HOME", blocker.toUtf8());
    auto window = makeWindow();
    qputenv("KORVIX_HOME", home);
    EXPECT_TRUE(window->statusText().startsWith("Unable to create folder \"" + blocker))
        << window->statusText().toStdString();
    EXPECT_TRUE(window->isVisible());
}

} // namespace
} // namespace korvix::test
