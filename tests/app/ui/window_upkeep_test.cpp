// The window keeps its picture, captions and texts true to what is loaded: after an Open, a
// resize, a Close; message boxes stay where the user can see them; a long read can be
// stopped.
#include "../../display/ui/window_input.h"
#include "display/view_transform.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "model/path_builder.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QWindow>
#include <cstring>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

void openExample(ui::Tf& window, const QString& path, unsigned color = 0xFFFFFF) {
    acceptColor(color);
    acceptRadiusType(true);
    ui::openNamedFile(window, path);
}

// A wire-frame file of connected points, drawn in green.
QString writeWireframe(const QTemporaryDir& folder, std::initializer_list<Point3> points) {
    const QString path = folder.filePath("part.wir");
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    bool first = true;
    for (const Point3& p : points) {
        QByteArray record(41, '\0');
        record[0] = static_cast<char>(first ? 0 : 1);
        record[2] = 3;
        const float xyz[3] = {static_cast<float>(p.x), static_cast<float>(p.y),
                              static_cast<float>(p.z)};
        std::memcpy(record.data() + 5, xyz, sizeof xyz); // little-endian host
        file.write(record);
        first = false;
    }
    return path;
}

bool lit(const QImage& image, PixelPoint p) {
    return image.rect().contains(p.x, p.y) && (image.pixel(p.x, p.y) & 0xFFFFFF) != 0;
}

TEST(WindowUpkeep, OpenShowsOnlyTheNewPicture) {
    auto window = makeWindow();
    openExample(*window, examplePath("pocket_absolute.nc"));
    // The appended program changes the fit: nothing of the first picture may stay behind.
    openExample(*window, examplePath("plane_arcs.nc"));
    const QImage afterOpen = window->drawingArea().image().copy();
    window->action("Redraw1")->trigger();
    EXPECT_EQ(afterOpen, window->drawingArea().image());
}

TEST(WindowUpkeep, WireframesGetTheirOwnFitAndColour) {
    auto window = makeWindow();
    QTemporaryDir folder;
    const QString wireframe = writeWireframe(folder, {{200, 0, 0}, {300, 0, 0}, {300, 50, 0}});
    // Black, the wire-frame preset, keeps the file's colours.
    answerNextModal([](QWidget* widget) {
        auto* dialog = qobject_cast<QColorDialog*>(widget);
        EXPECT_EQ(dialog->currentColor(), QColor(Qt::black));
        dialog->accept();
    });
    ui::openNamedFile(*window, wireframe);
    // No toolpath to fit to: the wire-frame fills the picture.
    Workspace& ws = window->workspace();
    EXPECT_TRUE(lit(window->drawingArea().image(), project(ws.view, 250, 0, 0)));

    // The next NC program is offered the toolpath's last colour, not black on black.
    answerNextModal([](QWidget* widget) {
        auto* dialog = qobject_cast<QColorDialog*>(widget);
        EXPECT_EQ(dialog->currentColor(), QColor(Qt::white));
        dialog->accept();
    });
    acceptRadiusType(true);
    ui::openNamedFile(*window, examplePath("pocket_absolute.nc"));
    const MoveRecord* feed = ws.database.first();
    while (feed != nullptr && feed->motion == kMotionRapid)
        feed = feed->next;
    ASSERT_NE(feed, nullptr);
    EXPECT_EQ(feed->color, kWhite);
}

TEST(WindowUpkeep, MessageBoxesOpenAboveStayOnTopDialogs) {
    auto window = makeWindow();
    QDialog onTop(window.get());
    onTop.setWindowFlag(Qt::WindowStaysOnTopHint);
    onTop.show();
    QWidget* owner = nullptr;
    answerNextModal([&owner](QWidget* box) {
        owner = box->parentWidget();
        static_cast<QMessageBox*>(box)->accept();
    });
    window->reporter().information("Zoom window too small...");
    EXPECT_EQ(owner, &onTop);
}

TEST(WindowUpkeep, InstructionsSurviveThePointerLeavingTheMenuBar) {
    auto window = makeWindow();
    openExample(*window, examplePath("pocket_absolute.nc"));
    window->action("Identify1")->trigger();
    const QString instruction = window->statusText();
    ASSERT_FALSE(instruction.isEmpty());
    // What the menu bar sends as the pointer leaves it travels up to the window.
    QStatusTipEvent leaving{QString()};
    QApplication::sendEvent(window->mainMenu1(), &leaving);
    EXPECT_EQ(window->statusText(), instruction);
    QStatusTipEvent hint{"Read a file into memory"};
    QApplication::sendEvent(window->mainMenu1(), &hint);
    EXPECT_EQ(window->statusText(), "Read a file into memory");
}

TEST(WindowUpkeep, EscStopsALongReadAndGivesEverythingBack) {
    auto window = makeWindow();
    openExample(*window, examplePath("pocket_absolute.nc"));
    Workspace& ws = window->workspace();
    const std::size_t recordsBefore = recordsOf(ws.database).size();
    const DatabaseStatus statusBefore = ws.database.status;
    const ViewState viewBefore = ws.view;

    QTemporaryDir folder;
    const QString big = folder.filePath("million.nc");
    ASSERT_TRUE(writeLongProgram(big, 1000000, "F100"));
    bool lockedWhileReading = false;
    bool cancelShown = false;
    whenTrue([&] { return window->reading() && ws.pump.progressDone() > 0; },
             [&] {
                 lockedWhileReading = !window->action("Open1")->isEnabled();
                 auto* cancel = window->findChild<QPushButton*>("CancelButton");
                 cancelShown = cancel != nullptr && cancel->isVisible();
                 pressKey(*window, Qt::Key_Escape);
             });
    openExample(*window, big);
    EXPECT_TRUE(lockedWhileReading);
    EXPECT_TRUE(cancelShown);
    EXPECT_EQ(window->statusText(), "Open command canceled...");
    EXPECT_EQ(recordsOf(ws.database).size(), recordsBefore);
    EXPECT_EQ(ws.database.status.extents.maxX, statusBefore.extents.maxX);
    EXPECT_EQ(ws.database.status.cuttingTime, statusBefore.cuttingTime);
    EXPECT_EQ(ws.view.scale, viewBefore.scale);
    EXPECT_TRUE(window->action("Open1")->isEnabled());
    EXPECT_EQ(window->windowTitle(), "Korvix - pocket_absolute.nc");
}

TEST(WindowUpkeep, ResizingRedrawsAtTheNewSize) {
    auto window = makeWindow();
    openExample(*window, examplePath("pocket_absolute.nc"));
    Workspace& ws = window->workspace();
    // Zoomed in, the pocket runs on beyond the right side of the window.
    window->action("In1")->trigger();
    window->action("In1")->trigger();
    const int oldWidth = window->drawingArea().width();
    const double scale = ws.view.scale;
    window->resize(window->width() + 300, window->height());
    // The strip the window grew by starts black; the redraw fills in the path there.
    const auto pathInNewStrip = [&] {
        const QImage& image = window->drawingArea().image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = oldWidth + 10; x < image.width(); ++x)
                if (lit(image, {x, y}))
                    return true;
        return false;
    };
    bool drawn = false;
    whenTrue(pathInNewStrip, [&] { drawn = true; });
    while (!drawn)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_TRUE(pathInNewStrip());
    EXPECT_EQ(ws.view.scale, scale); // the view transform stays
}

TEST(WindowUpkeep, SmallThingsUsersNotice) {
    auto window = makeWindow();
    // At start-up with no file the axis tripod is drawn in the bottom-left corner.
    const QImage& image = window->drawingArea().image();
    bool tripod = false;
    for (int y = image.height() - 80; y < image.height() && !tripod; ++y)
        for (int x = 0; x < 80 && !tripod; ++x)
            tripod = lit(image, {x, y});
    EXPECT_TRUE(tripod);

    openExample(*window, examplePath("pocket_absolute.nc"));
    // Esc disarms an armed box zoom and its instruction.
    window->action("Box2")->trigger();
    EXPECT_EQ(window->pointer.mode, PickMode::ZoomWindow);
    pressKey(*window, Qt::Key_Escape);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_EQ(window->statusText(), "");
    // A finished box zoom takes its instruction away.
    window->action("Box2")->trigger();
    drag(*window, {100, 100}, {300, 250});
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_EQ(window->statusText(), "");

    // After Close all the caption names no file.
    answerMessageBox("Yes");
    window->action("CloseAll")->trigger();
    EXPECT_EQ(window->windowTitle(), "Korvix");
}

} // namespace
} // namespace korvix::test
