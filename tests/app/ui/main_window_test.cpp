#include "app/ui/close_commands.h"
#include "app/workspace_access.h"
#include "display/ui/modify_feed_colors_dialog.h"
#include "display/view_transform.h"
#include "gui_test_support.h"
#include "input/nc_reader.h"
#include "input/ui/open_command.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

// Blocks the reader reports for a file, read on its own.
int blocksOf(const QString& path, bool absoluteCenters = true) {
    Workspace ws;
    NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    return readNcFile(ncReadTarget(ws), path.toStdString(), options, {});
}

// Opens a file as the command line would, answering the colour and arc-type dialogs.
void openExample(ui::Tf& window, const QString& path, unsigned color = 0xFFFFFF) {
    acceptColor(color);
    acceptRadiusType(true);
    ui::openNamedFile(window, path);
}

QStringList statusWindowLines(ui::Tf& window) {
    QStringList lines;
    for (int i = 0; i < window.statusListBox().count(); ++i)
        lines << window.statusListBox().item(i)->text();
    return lines;
}

TEST(MainWindow, StartsWithItsMenusAndAnEmptyPicture) {
    auto window = makeWindow();
    EXPECT_EQ(window->windowTitle(), "Korvix");
    for (const char* name :
         {"File1", "Open1", "Save1", "Close1", "Print1", "Exit1", "Edit2", "Animate1", "Identify1",
          "Levels1", "Measure1", "Options1", "Text1", "XY1", "ISO4", "Box2", "DynamicRotate"})
        EXPECT_NE(window->action(name), nullptr) << name;
    EXPECT_EQ(window->action("Open1")->text(), "&Open");
    EXPECT_EQ(window->action("Open1")->statusTip(), "Read a file into memory");
    EXPECT_TRUE(window->isChecked("DisplayNCData1"));
    EXPECT_TRUE(window->isChecked("DisplayTETRAhead1"));
    EXPECT_FALSE(window->isChecked("DisplayWIREdata1"));
    EXPECT_FALSE(window->action("Optimizefeedrates1")->isEnabled());
    EXPECT_FALSE(window->statusListBox().isVisible());
    // Convert asks for the arc type first; declining it ends the command.
    answerNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    window->action("Convert1")->trigger();
    EXPECT_EQ(window->statusText(), "Convert command canceled...");
}

TEST(MainWindow, OpenNamedFileReadsDrawsAndReports) {
    auto window = makeWindow();
    const QString path = examplePath("pocket_absolute.nc");
    openExample(*window, path);
    const int blocks = blocksOf(path);
    ASSERT_GT(blocks, 0);
    EXPECT_EQ(window->statusText(), "Total number of blocks read from \"" + path +
                                        "\" = " + QString::number(blocks) + "...");
    EXPECT_EQ(window->windowTitle(), "Korvix - pocket_absolute.nc");
    EXPECT_TRUE(window->action("Edit2")->isEnabled());

    // The bottom edge of the pocket (Y = 0, feed, white) is drawn; the corner is background.
    Workspace& ws = window->workspace();
    const QImage& image = window->drawingArea().image();
    const PixelPoint edge = project(ws.view, 30.0, 0.0, -2.0);
    EXPECT_EQ(image.pixel(edge.x, edge.y) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(2, 2) & 0xFFFFFF, 0x000000u);

    // The status window describes the part.
    window->action("DisplayNCStatusWindow1")->trigger();
    EXPECT_TRUE(window->isChecked("DisplayNCStatusWindow1"));
    EXPECT_TRUE(window->statusListBox().isVisible());
    const QStringList lines = statusWindowLines(*window);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], " (X) Min = 0.00000 Max = 60.00000 Delta = 60.00000 Center = 30.00000");
    EXPECT_EQ(lines[1], " (Y) Min = 0.00000 Max = 40.00000 Delta = 40.00000 Center = 20.00000");
    EXPECT_EQ(lines[2], " (Z) Min = -4.00000 Max = 25.00000 Delta = 29.00000 Center = 10.50000");
    EXPECT_TRUE(lines[3].startsWith(" (F) Min = 150.000 Max = 400.000"));
    EXPECT_TRUE(lines[4].startsWith(" Approximate cutting time = 0 hours, "));

    // A second file is appended; the Edit menu is disabled after an appending read.
    openExample(*window, examplePath("plane_arcs.nc"));
    EXPECT_FALSE(window->action("Edit2")->isEnabled());
    EXPECT_EQ(statusWindowLines(*window)[0],
              " (X) Min = 0.00000 Max = 60.00000 Delta = 60.00000 Center = 30.00000");
}

TEST(MainWindow, CancelledOrMissingFilesChangeNothing) {
    auto window = makeWindow();
    answerNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    ui::openNamedFile(*window, examplePath("pocket_absolute.nc"));
    EXPECT_EQ(window->statusText(), "Open command canceled...");
    EXPECT_FALSE(window->workspace().database.databaseAllocated());

    // Cancelling the arc-type question after choosing a colour reads nothing either.
    acceptColor(0xFFFFFF);
    answerNextModal([](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
    ui::openNamedFile(*window, examplePath("pocket_absolute.nc"));
    EXPECT_EQ(window->statusText(), "Open command canceled...");
    EXPECT_FALSE(window->workspace().database.databaseAllocated());

    const auto message = captureMessageBox();
    const QString missing = examplePath("no_such_program.nc");
    ui::openNamedFile(*window, missing);
    EXPECT_EQ(*message, missing + " does not exist...");
    EXPECT_EQ(window->statusText(), "Open command canceled...");
}

TEST(MainWindow, OpenCommandUsesItsFileDialog) {
    auto window = makeWindow();
    const QString path = examplePath("plane_arcs.nc");
    answerNextModal([path](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Open fIle");
        EXPECT_EQ(dialog->nameFilters().size(), 3);
        // Type the name as a user would; the dialog lists its folder asynchronously.
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    acceptColor(0x00FF00);
    acceptRadiusType(true);
    window->action("Open1")->trigger();
    EXPECT_EQ(window->statusText(), "Total number of blocks read from \"" + path +
                                        "\" = " + QString::number(blocksOf(path)) + "...");
    // Feed moves take the chosen colour (0x00BBGGRR), rapids stay red.
    const MoveRecord* feed = window->workspace().database.first();
    while (feed != nullptr && feed->motion != kMotionLinear)
        feed = feed->next;
    ASSERT_NE(feed, nullptr);
    EXPECT_EQ(feed->color, makeRgb(0, 255, 0));
}

TEST(MainWindow, ExitAsksAndThenClosesTheWindow) {
    auto window = makeWindow();
    openExample(*window, examplePath("pocket_absolute.nc"));
    const auto settle = [] {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    };
    answerMessageBox("No");
    window->action("Exit1")->trigger(); // through the menu, as a user runs it
    settle();
    EXPECT_EQ(window->statusText(), "Exit command canceled...");
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->workspace().database.databaseAllocated());

    QString question;
    answerNextModal([&question](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        question = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    window->action("Exit1")->trigger();
    settle();
    EXPECT_EQ(question, "Ok to quit?");
    EXPECT_EQ(window->statusText(), "Verify exiting \"KORVIX\"...");
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->workspace().database.databaseAllocated());
}

// Closing the window while a command waits for the user does not pull its data away; the
// window closes as soon as the command has returned.
TEST(MainWindow, CloseWhileACommandRunsClosesAfterIt) {
    auto window = makeWindow();
    openExample(*window, examplePath("multi_tool.nc"));
    bool stillOpenDuringCommand = false;
    answerNextModal([&](QWidget* widget) {
        window->close();
        stillOpenDuringCommand =
            window->isVisible() && window->workspace().database.databaseAllocated();
        qobject_cast<QMessageBox*>(widget)->button(QMessageBox::No)->click();
    });
    window->action("CloseAll")->trigger();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    EXPECT_TRUE(stillOpenDuringCommand);
    EXPECT_FALSE(window->isVisible());
}

TEST(MainWindow, CloseAllAsksFirst) {
    auto window = makeWindow();
    openExample(*window, examplePath("multi_tool.nc"));
    ASSERT_GT(window->workspace().tools.count, 0);

    answerMessageBox("No");
    ui::CloseAllClick(*window);
    EXPECT_EQ(window->statusText(), "Close command canceled...");
    EXPECT_TRUE(window->workspace().database.databaseAllocated());

    QString statusWhileAsking;
    auto question = std::make_shared<QString>();
    answerNextModal([&, question](QWidget* widget) {
        statusWhileAsking = window->statusText();
        auto* box = qobject_cast<QMessageBox*>(widget);
        *question = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    ui::CloseAllClick(*window);
    EXPECT_EQ(statusWhileAsking, "Verify clearing graphics database...");
    EXPECT_EQ(*question, "Ok to remove all data from memory?");
    EXPECT_EQ(window->statusText(), "All data has been removed from graphics database...");
    EXPECT_FALSE(window->workspace().database.databaseAllocated());
    EXPECT_EQ(window->workspace().tools.count, 0);
    EXPECT_EQ(window->workspace().database.status.cuttingTime, 0.0);

    // With nothing loaded it still asks and reports.
    answerMessageBox("Yes");
    ui::CloseNcClick(*window);
    EXPECT_EQ(window->statusText(), "All NC data has been removed from graphics database...");
}

TEST(MainWindow, StandardViewsReportAndTurnTheView) {
    auto window = makeWindow();
    openExample(*window, examplePath("surface_3d.nc"));
    struct Case {
        const char* item;
        const char* status;
        double a, b, c;
    };
    const Case cases[] = {
        {"XZ1", " \"XZ\" view...", 90, 0, 0},
        {"YZ1", " \"YZ\" view...", 90, -90, 0},
        {"Iso1", " \"ISOMETRIC\" view #1...", 45, -35, 30},
        {"ISO2", " \"ISOMETRIC\" view #2...", 45, 36, -30},
        {"ISO3", " \"ISOMETRIC\" view #3...", -45, 35, -150},
        {"ISO4", " \"ISOMETRIC\" view #4...", -45, -36, 150},
        {"XY1", " \"XY\" view...", 0, 0, 0},
    };
    for (const Case& c : cases) {
        window->action(c.item)->trigger();
        EXPECT_EQ(window->statusText(), c.status);
        EXPECT_EQ(window->workspace().view.angleA, c.a) << c.item;
        EXPECT_EQ(window->workspace().view.angleB, c.b) << c.item;
        EXPECT_EQ(window->workspace().view.angleC, c.c) << c.item;
        EXPECT_FALSE(window->workspace().view.reprojection) << "redraw completed";
    }
    const WindowBox before = window->workspace().view.windowBox;
    window->action("In1")->trigger();
    EXPECT_EQ(window->statusText(), " \"ZOOMING IN\"...");
    EXPECT_LT(window->workspace().view.windowBox.xmax - window->workspace().view.windowBox.xmin,
              before.xmax - before.xmin);
    window->action("Fit1")->trigger();
    EXPECT_EQ(window->statusText(), "Fitting all graphics to current viewport...");
    // A view command while a pick mode is armed does nothing; Box arms the window zoom.
    window->action("Box2")->trigger();
    EXPECT_EQ(window->statusText(), "Draw box around area you wish to zoom in on...");
    window->action("XZ1")->trigger();
    EXPECT_EQ(window->workspace().view.angleA, 0.0);
}

TEST(MainWindow, MenuStateStackRestoresTheMenus) {
    auto window = makeWindow();
    window->pushMenuState();
    for (const char* name : {"File1", "Edit2", "Options1"})
        window->action(name)->setEnabled(false);
    window->pushMenuState();
    window->action("Text1")->setEnabled(false);
    window->popMenuState();
    EXPECT_TRUE(window->action("Text1")->isEnabled());
    EXPECT_FALSE(window->action("File1")->isEnabled());
    window->popMenuState();
    EXPECT_TRUE(window->action("File1")->isEnabled());
    EXPECT_TRUE(window->action("Options1")->isEnabled());
    window->popMenuState(); // nothing left: harmless
    EXPECT_TRUE(window->action("Edit2")->isEnabled());
}

TEST(MainWindow, DisplayOptionsFollowTheirMenuItems) {
    auto window = makeWindow();
    // Without data the NC toolpath option does not toggle.
    window->action("DisplayNCData1")->trigger();
    EXPECT_TRUE(window->isChecked("DisplayNCData1"));
    openExample(*window, examplePath("pocket_absolute.nc"));
    window->action("DisplayRAPIDmoves")->trigger();
    EXPECT_FALSE(window->isChecked("DisplayRAPIDmoves"));
    EXPECT_FALSE(window->workspace().display.rapidMoves);
    window->action("DisplayTETRAhead1")->trigger();
    EXPECT_FALSE(window->workspace().display.tripod);
    window->action("DisplayBLOCKInfoduringAnimation")->trigger();
    EXPECT_FALSE(window->isChecked("DisplayBLOCKInfoduringAnimation"));
    // Only one status window at a time.
    window->action("DisplayNCStatusWindow1")->trigger();
    window->action("DisplayWIRESTATUSwindow1")->trigger();
    EXPECT_FALSE(window->isChecked("DisplayNCStatusWindow1"));
    EXPECT_EQ(statusWindowLines(*window), QStringList{" No Wire data currently loaded..."});
    window->action("DisplayWIRESTATUSwindow1")->trigger();
    EXPECT_FALSE(window->statusListBox().isVisible());
}

TEST(MainWindow, LongRedrawShowsTheHourglass) {
    auto window = makeWindow();
    Workspace& ws = window->workspace();
    bool hourglassWhileDrawing = false;
    window->drawWith([&](Canvas&) {
        ws.redraw.busy = true; // as the renderer marks itself while it walks the path
        QThread::msleep(20);   // longer than the quiet interval of the message pump
        ws.pump.pumpNow();
        const QCursor* cursor = QApplication::overrideCursor();
        hourglassWhileDrawing = cursor != nullptr && cursor->shape() == Qt::WaitCursor;
        ws.redraw.busy = false;
    });
    EXPECT_TRUE(hourglassWhileDrawing);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(MainWindow, WireframeOpensWithItsOwnColours) {
    auto window = makeWindow();
    QTemporaryDir folder;
    const QString path = folder.filePath("part.wir");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const float points[3][3] = {{0, 0, 0}, {10, 0, 0}, {10, 5, 1}};
    for (int i = 0; i < 3; ++i) {
        QByteArray record(41, '\0');
        record[0] = static_cast<char>(i == 0 ? 0 : 1);
        record[2] = 3;                            // green
        memcpy(record.data() + 5, points[i], 12); // little-endian host
        file.write(record);
    }
    file.close();
    answerNextModal([](QWidget* widget) {
        auto* dialog = qobject_cast<QColorDialog*>(widget);
        EXPECT_EQ(dialog->currentColor(), QColor(Qt::black)); // preset for wire-frames
        dialog->accept();
    });
    ui::openNamedFile(*window, path);
    EXPECT_EQ(window->statusText(), "Total number of points read from \"" + path + "\" = 3...");
    EXPECT_TRUE(window->isChecked("DisplayWIREdata1"));
    EXPECT_EQ(window->workspace().wireframe.first()->next->color, makeRgb(0, 255, 0));

    // A wire-frame that cannot be read (here a folder) keeps the one shown before.
    ASSERT_TRUE(QDir(folder.path()).mkdir("unreadable.WIR"));
    const QString unreadable = folder.filePath("unreadable.WIR");
    acceptColor(0);
    const auto error = captureMessageBox();
    ui::openNamedFile(*window, unreadable);
    EXPECT_TRUE(error->contains(unreadable)) << error->toStdString();
    EXPECT_EQ(window->statusText(),
              "Total number of points read from \"" + unreadable + "\" = 0...");
    EXPECT_TRUE(window->isChecked("DisplayWIREdata1"));
    EXPECT_TRUE(window->workspace().wireframe.wireframeAllocated());

    // An empty one replaces it with nothing and hides the wire-frame.
    const QString empty = folder.filePath("empty.wir");
    ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
    acceptColor(0);
    ui::openNamedFile(*window, empty);
    EXPECT_EQ(window->statusText(), "Total number of points read from \"" + empty + "\" = 0...");
    EXPECT_FALSE(window->isChecked("DisplayWIREdata1"));
    EXPECT_FALSE(window->workspace().wireframe.wireframeAllocated());
}

TEST(MainWindow, RecolourByFeedRate) {
    auto window = makeWindow();
    openExample(*window, examplePath("pocket_absolute.nc"));
    answerNextModal([](QWidget* widget) {
        auto* dialog = dynamic_cast<ui::ModifyFeedColorsDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Modify color for each FEED RATE");
        EXPECT_EQ(dialog->currentIndex(), 1);
        EXPECT_EQ(dialog->keyText(), "150.00");
        EXPECT_EQ(dialog->swatchColor(), QColor(Qt::white));
        dialog->findChild<QPushButton*>("NextButton")->click();
        EXPECT_EQ(dialog->keyText(), "400.00");
        // Give the 400 feed blue.
        answerNextModal([](QWidget* colors) {
            static_cast<QColorDialog*>(colors)->setCurrentColor(Qt::blue);
            static_cast<QDialog*>(colors)->accept();
        });
        dialog->findChild<QPushButton*>("ChangeButton")->click();
        EXPECT_EQ(dialog->swatchColor(), QColor(Qt::blue));
        dialog->accept();
    });
    window->action("ModifyCOLORSbyFEEDrate1")->trigger();
    int blue = 0;
    for (const MoveRecord* r = window->workspace().database.first(); r != nullptr; r = r->next)
        if (r->kind != kKindStartPoint && r->motion != kMotionRapid && r->feed > 399.0f) {
            EXPECT_EQ(r->color, makeRgb(0, 0, 255));
            ++blue;
        }
    EXPECT_GT(blue, 0);
}

} // namespace
} // namespace korvix::test
