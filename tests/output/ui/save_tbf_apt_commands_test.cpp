#include "filters/ui/explode_arc_form.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "model/ui/tool_definition_dialog.h"
#include "model/ui/window_trace.h"
#include "output/write_result.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

void openProgram(ui::Tf& window, const QString& path) {
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    ui::openNamedFile(window, path);
}

struct Point {
    float x, y, z;
    std::uint8_t motion;
    float feed;
    bool operator==(const Point&) const = default;
};

std::vector<Point> pointsOf(const Workspace& ws) {
    std::vector<Point> points;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        points.push_back({r->x, r->y, r->z, r->motion, r->motion == kMotionRapid ? 0 : r->feed});
    return points;
}

int arcPieces(const Workspace& ws) {
    int pieces = 0;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        pieces += isArcPiece(*r) ? 1 : 0;
    return pieces;
}

// Answers the next save dialog with `path`, noting its title and the status shown meanwhile.
void answerSaveDialog(const QString& path, ui::Tf& window, QString* title = nullptr,
                      QString* statusMeanwhile = nullptr) {
    answerNextModal([=, &window](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        if (title != nullptr)
            *title = dialog->windowTitle();
        if (statusMeanwhile != nullptr)
            *statusMeanwhile = window.statusText();
        // As a user types a name: the proposed file is no longer selected.
        dialog->selectFile(path);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
}

void answerExplodeForm(bool ok) {
    answerNextModal([ok](QWidget* widget) {
        auto* form = dynamic_cast<ui::ExplodeArcForm*>(widget);
        ASSERT_NE(form, nullptr);
        button(form, ok ? "OkButton" : "CancelButton")->click();
    });
}

QStringList fileLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

TEST(SaveTbfAptCommands, WithoutDataNothingIsAsked) {
    auto window = makeWindow();
    for (const char* item : {"SaveTBFfile1", "SaveAptfile1"}) {
        EXPECT_FALSE(opensAModal([&] { window->action(item)->trigger(); })) << item;
        EXPECT_EQ(window->statusText(), kNothingToSaveText) << item;
    }
}

TEST(SaveTbfAptCommands, SavedTbfOpensAsTheSamePath) {
    QTemporaryDir folder;
    const QString path = folder.filePath("BOSS.TBF");
    auto window = makeWindow();
    openProgram(*window, examplePath("plane_arcs.nc"));
    Workspace& ws = window->workspace();
    ASSERT_GT(arcPieces(ws), 0);

    StatusRecorder status(*window);
    QString title;
    answerSaveDialog(path, *window, &title);
    answerExplodeForm(true);
    window->action("SaveTBFfile1")->trigger();

    EXPECT_EQ(title, "Save TBF-file");
    const QStringList expected = {"Enter name for which to save this file under...",
                                  "Saving as " + path + "...", "Finished saving " + path + "..."};
    EXPECT_EQ(status.texts, expected);
    // The explosion stays: the window shows the path that was written.
    EXPECT_EQ(arcPieces(ws), 0);
    const std::vector<Point> saved = pointsOf(ws);

    answerMessageBox("Yes");
    window->action("CloseNc")->trigger();
    ASSERT_FALSE(ws.database.databaseAllocated());

    acceptColor(0x00FF00); // no arc-type question for a TBF file
    ui::openNamedFile(*window, path);
    EXPECT_EQ(window->statusText(), "Total number of blocks read from \"" + path +
                                        "\" = " + QString::number(saved.size()) + "...");
    EXPECT_EQ(pointsOf(ws), saved);
    EXPECT_EQ(window->currentFileName(), path);
    EXPECT_TRUE(window->isChecked("DisplayNCData1"));
    EXPECT_TRUE(window->action("Edit2")->isEnabled());
    const MoveRecord* feed = ws.database.first();
    while (feed != nullptr && feed->motion != kMotionLinear)
        feed = feed->next;
    ASSERT_NE(feed, nullptr);
    EXPECT_EQ(feed->color, makeRgb(0, 255, 0));
}

TEST(SaveTbfAptCommands, OverwriteQuestionAnsweredNoLeavesTheFileAlone) {
    QTemporaryDir folder;
    const QString path = folder.filePath("KEEP.TBF");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    auto window = makeWindow();
    openProgram(*window, examplePath("multi_tool.nc"));

    QString question;
    answerSaveDialog(path, *window);
    answerNextModal([&question](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        question = box->text();
        box->button(QMessageBox::No)->click();
    });
    // The No brings the dialog back for another name; the user gives up.
    answerNextModal([](QWidget* widget) { static_cast<QDialog*>(widget)->reject(); });
    window->action("SaveTBFfile1")->trigger();

    EXPECT_EQ(question, "File \"" + path + "\" already exists. Ok to replace it?");
    EXPECT_EQ(window->statusText(), "Save command canceled...");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "precious");
}

TEST(SaveTbfAptCommands, SaveAptChecksTheToolsThenWritesTheExplodedPath) {
    QTemporaryDir folder;
    const QString path = folder.filePath("pocket.apt");
    auto window = makeWindow();
    openProgram(*window, examplePath("pocket_absolute.nc"));
    Workspace& ws = window->workspace();
    ASSERT_GT(arcPieces(ws), 0);

    QString statusWithTools, statusWithFileDialog, title;
    answerNextModal([&](QWidget* widget) {
        auto* dialog = dynamic_cast<ui::ToolDefinitionDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        statusWithTools = window->statusText();
        edit(dialog, "DiameterEdit")->setText("0.5");
        edit(dialog, "RadiusEdit")->setText("0.25");
        edit(dialog, "LengthEdit")->setText("3");
        dialog->reject(); // however it is closed, the values are kept and the save goes on
    });
    answerSaveDialog(path, *window, &title, &statusWithFileDialog);
    answerExplodeForm(true);
    window->action("SaveAptfile1")->trigger();

    EXPECT_EQ(statusWithTools,
              "Please verify that tool DIAMETER, RADIUS and LENGTH are all correct...");
    EXPECT_EQ(statusWithFileDialog, "Enter name for which to save this \"APT\" file under...");
    EXPECT_EQ(title, "Save APT-file");
    EXPECT_EQ(window->statusText(), "Finished saving " + path + "...");
    EXPECT_EQ(arcPieces(ws), 0);

    const QStringList lines = fileLines(path);
    ASSERT_GT(lines.size(), 8);
    EXPECT_EQ(lines[0], "CUTTER/0.5000,0.2500,0.0000,0.2500,0.000,0.000,3.0000");
    EXPECT_EQ(lines[1], "TOOLNO/1");
    EXPECT_EQ(lines[2], "SPINDL/RPM,2500");
    EXPECT_EQ(lines[3], "SPINDL/ON");
    EXPECT_EQ(lines[4], "RAPID");
    EXPECT_EQ(lines[5], "FROM/30.0000,20.0000,25.0000");
    // One FROM or GOTO per record of the exploded path.
    EXPECT_EQ(lines.filter(QRegularExpression("^(FROM|GOTO)/")).size(),
              static_cast<qsizetype>(pointsOf(ws).size()));
    EXPECT_TRUE(lines.contains("FEDRAT/IPM,150.0000"));
}

TEST(SaveTbfAptCommands, CancelledExplosionWritesNothing) {
    QTemporaryDir folder;
    auto window = makeWindow();
    openProgram(*window, examplePath("plane_arcs.nc"));
    Workspace& ws = window->workspace();
    const std::vector<Point> before = pointsOf(ws);
    struct Case {
        const char* item;
        const char* fileName;
        bool toolDialogFirst;
    };
    for (const Case& c :
         {Case{"SaveAptfile1", "arcs.apt", true}, Case{"SaveTBFfile1", "ARCS.TBF", false}}) {
        SCOPED_TRACE(c.item);
        const QString path = folder.filePath(c.fileName);
        if (c.toolDialogFirst)
            answerNextModal([](QWidget* widget) { static_cast<QDialog*>(widget)->accept(); });
        answerSaveDialog(path, *window);
        answerExplodeForm(false);
        window->action(c.item)->trigger();
        EXPECT_EQ(window->statusText(), "Save command canceled...");
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(pointsOf(ws), before);
    }
}

TEST(SaveTbfAptCommands, BrokenTbfFilesOpenWithoutHarm) {
    QTemporaryDir folder;
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    // A header claiming a million points with one short record behind it, and a file too short
    // for any header.
    QByteArray claim(12, '\0');
    claim[0] = 1;
    claim[4] = 0x40;
    claim[5] = 0x42;
    claim[6] = 0x0F;
    claim[8] = 24;
    const Case cases[] = {{"CLAIM.TBF", claim + QByteArray(50, '\0')}, {"TINY.tbf", "abc"}};
    auto window = makeWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(c.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        acceptColor(0xFFFFFF);
        ui::openNamedFile(*window, path);
        EXPECT_EQ(window->statusText(), "Total number of blocks read from \"" + path + "\" = 0...");
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

} // namespace
} // namespace korvix::test
