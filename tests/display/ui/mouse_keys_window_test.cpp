#include "display/trim_polygon_input.h"
#include "display/ui/mouse_handlers.h"
#include "display/ui/view_menu_commands.h"
#include "display/view_commands.h"
#include "gui_test_support.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"
#include "window_input.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

constexpr QRgb kRed = 0xFFFF0000;

struct Window : ::testing::Test {
    Window() : window(makeWindow()), ws(window->workspace()) {
        openTestProgram(*window, "identify_path.nc");
    }
    QRgb pixel(PixelPoint p) const { return window->drawingArea().image().pixel(p.x, p.y); }
    QImage picture() const { return window->drawingArea().image().copy(); }
    PixelPoint pixelOf(double x, double y, double z) const { return project(ws.view, x, y, z); }
    // Half-widths of the window box.
    std::pair<double, double> halfWidths() const {
        return {(ws.view.windowBox.xmax - ws.view.windowBox.xmin) / 2,
                (ws.view.windowBox.ymax - ws.view.windowBox.ymin) / 2};
    }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

TEST_F(Window, BoxZoomFitsTheDrawnBoxWithAnXorRubberBand) {
    EXPECT_TRUE(pressKey(*window, Qt::Key_B, Qt::NoModifier, "b"));
    EXPECT_EQ(window->pointer.mode, PickMode::ZoomWindow);
    EXPECT_EQ(window->statusText(), "Draw box around area you wish to zoom in on...");

    const PixelPoint from{200, 150}, first{300, 250}, to{420, 330};
    ViewState before = ws.view;
    const DrawingPoint a = pixelToDrawing(before, from.x, from.y);
    const DrawingPoint b = pixelToDrawing(before, to.x, to.y);
    const QImage original = picture();

    mousePress(*window, from);
    mouseMove(*window, first, Qt::LeftButton);
    // The band's right edge at the first point is red; the next move takes it away again.
    const auto edgeIsRed = [&] {
        return pixel({first.x - 1, 200}) == kRed || pixel({first.x, 200}) == kRed;
    };
    ASSERT_EQ(original.pixel(first.x - 1, 200), 0xFF000000u);
    ASSERT_EQ(original.pixel(first.x, 200), 0xFF000000u);
    EXPECT_TRUE(edgeIsRed());
    mouseMove(*window, to, Qt::LeftButton);
    EXPECT_FALSE(edgeIsRed());
    mouseRelease(*window, to);

    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_NEAR(ws.view.windowBox.xmin, a.u, 1e-9);
    EXPECT_NEAR(ws.view.windowBox.xmax, b.u, 1e-9);
    EXPECT_NEAR(ws.view.windowBox.ymin, -a.v, 1e-9);
    EXPECT_NEAR(ws.view.windowBox.ymax, -b.v, 1e-9);
    EXPECT_GT(ws.view.scale, before.scale * 2);
}

TEST_F(Window, BoxReleasedOnItsPressRowIsTooSmall) {
    pressKey(*window, Qt::Key_B, Qt::ShiftModifier, "B");
    const WindowBox box = ws.view.windowBox;
    const QImage original = picture();
    auto message = captureMessageBox();
    drag(*window, {100, 100}, {300, 100});
    EXPECT_EQ(*message, "Zoom window too small...");
    EXPECT_EQ(ws.view.windowBox.xmin, box.xmin);
    EXPECT_EQ(ws.view.windowBox.ymax, box.ymax);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    // The rubber band went with the drag.
    EXPECT_EQ(picture(), original);
}

TEST_F(Window, DragPanMovesThePictureWithTheMouse) {
    window->action("Pan1")->trigger();
    EXPECT_EQ(window->statusText(), "Drag line in direction you wish to pan...");
    const PixelPoint from = pixelOf(40, 0, 0);
    const PixelPoint to{from.x - 120, from.y - 80};
    drag(*window, from, to);
    const PixelPoint after = pixelOf(40, 0, 0);
    EXPECT_NEAR(after.x, to.x, 1);
    EXPECT_NEAR(after.y, to.y, 1);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    // The path is drawn at its new place.
    EXPECT_NE(pixel(pixelOf(20, 0, 0)) & 0xFFFFFF, 0u);
}

TEST_F(Window, RightButtonStartsNoDrag) {
    pressKey(*window, Qt::Key_P, Qt::NoModifier, "p");
    const WindowBox box = ws.view.windowBox;
    mousePress(*window, {200, 200}, Qt::RightButton);
    EXPECT_FALSE(window->pointer.buttonDown);
    mouseMove(*window, {300, 300}, Qt::RightButton);
    mouseRelease(*window, {300, 300}, Qt::RightButton);
    EXPECT_EQ(ws.view.windowBox.xmin, box.xmin);
    EXPECT_EQ(window->pointer.mode, PickMode::Pan); // still armed for a left drag
}

TEST_F(Window, CharacterKeysZoomFitRedrawAndArm) {
    const auto [hx, hy] = halfWidths();
    EXPECT_TRUE(pressKey(*window, Qt::Key_Z, Qt::ShiftModifier, "Z"));
    EXPECT_NEAR(halfWidths().first, hx * 1.333, 1e-9);
    EXPECT_EQ(window->statusText(), " \"ZOOMING OUT\"...");
    EXPECT_TRUE(pressKey(*window, Qt::Key_Z, Qt::NoModifier, "z"));
    EXPECT_NEAR(halfWidths().second, hy * 1.333 * 0.75, 1e-9);
    EXPECT_EQ(window->statusText(), " \"ZOOMING IN\"...");
    EXPECT_TRUE(pressKey(*window, Qt::Key_F, Qt::NoModifier, "f"));
    EXPECT_NEAR(halfWidths().first, hx, 1e-9);
    EXPECT_TRUE(pressKey(*window, Qt::Key_R, Qt::ShiftModifier, "R"));
    EXPECT_EQ(window->statusText(), "Redrawing all graphics to screen...");

    // With Ctrl the letters arm the dynamic modes instead.
    const struct {
        int key;
        PickMode mode;
        const char* status;
    } dynamicKeys[] = {
        {Qt::Key_P, PickMode::DynamicPan,
         "Press left mouse button and drag in desired PAN direction..."},
        {Qt::Key_R, PickMode::DynamicRotate,
         "Press left mouse button and move mouse to ROTATE view..."},
        {Qt::Key_Z, PickMode::DynamicZoom,
         "Press left mouse button and move mouse UP and DOWN to ZOOM."},
    };
    for (const auto& k : dynamicKeys) {
        EXPECT_TRUE(pressKey(*window, k.key, Qt::ControlModifier, QString(QChar(k.key - '@'))));
        EXPECT_EQ(window->pointer.mode, k.mode);
        EXPECT_EQ(window->statusText(), k.status);
    }
    EXPECT_NEAR(halfWidths().first, hx, 1e-9); // Ctrl+Z did not zoom

    // Keys of no binding go on to the window's usual handling.
    EXPECT_FALSE(pressKey(*window, Qt::Key_Q, Qt::NoModifier, "q"));
}

TEST_F(Window, ReadoutNamesTheAxesOfThePlaneViews) {
    // The pixel of a model point reads back as that point within a pixel, with the view's
    // two axes named.
    const auto expectReadout = [&](const char* format, double first, double second) {
        const QRegularExpressionMatch match = QRegularExpression(format).match(window->readout());
        ASSERT_TRUE(match.hasMatch()) << window->readout().toStdString();
        const double pixelSize = 1 / ws.view.scale + 0.00005; // and the 4 decimals
        EXPECT_NEAR(match.captured(1).toDouble(), first, pixelSize);
        EXPECT_NEAR(match.captured(2).toDouble(), second, pixelSize);
    };
    mouseMove(*window, pixelOf(40, 10, 0));
    expectReadout("^X = (-?\\d+\\.\\d{4}), Y = (-?\\d+\\.\\d{4})$", 40, 10);

    ASSERT_TRUE(pressKey(*window, Qt::Key_F2));
    EXPECT_EQ(window->statusText(), " \"XZ\" view...");
    EXPECT_EQ(ws.view.angleA, 90);
    mouseMove(*window, pixelOf(20, 0, 2.5));
    expectReadout("^X = (-?\\d+\\.\\d{4}), Z = (-?\\d+\\.\\d{4})$", 20, 2.5);

    ASSERT_TRUE(pressKey(*window, Qt::Key_F3));
    mouseMove(*window, pixelOf(0, 30, 1));
    expectReadout("^Y = (-?\\d+\\.\\d{4}), Z = (-?\\d+\\.\\d{4})$", 30, 1);

    ASSERT_TRUE(pressKey(*window, Qt::Key_F4));
    EXPECT_EQ(window->statusText(), " \"ISOMETRIC\" view #1...");
    mouseMove(*window, {100, 100});
    EXPECT_EQ(window->readout(), "");
}

TEST_F(Window, FunctionKeysTurnTheView) {
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        double a, b, c;
    } views[] = {
        {Qt::Key_F2, Qt::NoModifier, 90, 0, 0},
        {Qt::Key_F3, Qt::NoModifier, 90, -90, 0},
        {Qt::Key_F4, Qt::NoModifier, 45, -35, 30},
        {Qt::Key_F2, Qt::ShiftModifier, 45, 36, -30},
        {Qt::Key_F3, Qt::ShiftModifier, -45, 35, -150},
        {Qt::Key_F4, Qt::ShiftModifier, -45, -36, 150},
        {Qt::Key_F1, Qt::NoModifier, 0, 0, 0},
    };
    for (const auto& v : views) {
        EXPECT_TRUE(pressKey(*window, v.key, v.modifiers));
        EXPECT_EQ(ws.view.angleA, v.a);
        EXPECT_EQ(ws.view.angleB, v.b);
        EXPECT_EQ(ws.view.angleC, v.c);
    }

    // F5..F7 turn by the rotation step, Shift the other way; only with no pick armed.
    pressKey(*window, Qt::Key_F5);
    pressKey(*window, Qt::Key_F6, Qt::ShiftModifier);
    pressKey(*window, Qt::Key_F7);
    EXPECT_EQ(ws.view.angleA, -15);
    EXPECT_EQ(ws.view.angleB, 15);
    EXPECT_EQ(ws.view.angleC, -15);
    window->action("Pan1")->trigger();
    EXPECT_FALSE(pressKey(*window, Qt::Key_F5));
    EXPECT_EQ(ws.view.angleA, -15);

    // Shift+F1 fits whatever the pick mode.
    pressKey(*window, Qt::Key_Z, Qt::NoModifier, "z");
    EXPECT_TRUE(pressKey(*window, Qt::Key_F1, Qt::ShiftModifier));
    EXPECT_EQ(window->statusText(), "Fitting all graphics to current viewport...");

    // F8 asks for the step; its absolute value is taken.
    answerNextModal([](QWidget* widget) {
        auto* box = qobject_cast<QInputDialog*>(widget);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), "New view rotation value");
        EXPECT_EQ(box->labelText(), "Enter new rotation value (IN DEGREES)");
        EXPECT_EQ(box->textValue(), "15.00000");
        box->setTextValue("-7.5");
        box->accept();
    });
    EXPECT_TRUE(pressKey(*window, Qt::Key_F8));
    EXPECT_EQ(ws.view.rotationStep, 7.5);

    // The arrows change the animation's step delay, never below 0.
    pressKey(*window, Qt::Key_Up);
    EXPECT_EQ(ws.animation.stepDelayMs, 0);
    pressKey(*window, Qt::Key_Down);
    pressKey(*window, Qt::Key_Down);
    pressKey(*window, Qt::Key_Up);
    EXPECT_EQ(ws.animation.stepDelayMs, 1);
}

TEST_F(Window, DynamicRotateFollowsTheMouseUntilRelease) {
    pressKey(*window, Qt::Key_R, Qt::ControlModifier, "\x12");
    const PixelPoint press{300, 300};
    mousePress(*window, press);
    mouseMove(*window, {302, 298}, Qt::LeftButton); // 2 pixels: no whole degree yet
    EXPECT_EQ(ws.view.angleA, 0);
    mouseMove(*window, {330, 240}, Qt::LeftButton);
    EXPECT_EQ(ws.view.angleA, 20); // one degree per three pixels up
    EXPECT_EQ(ws.view.angleB, 10); // and per three pixels to the right
    mouseMove(*window, {296, 300}, Qt::LeftButton);
    EXPECT_EQ(ws.view.angleA, 0);
    EXPECT_EQ(ws.view.angleB, -1);
    mouseRelease(*window, {296, 300});
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_EQ(window->statusText(), "");
    // The drag is over: moving on changes nothing.
    mouseMove(*window, {100, 100});
    EXPECT_EQ(ws.view.angleB, -1);
}

TEST_F(Window, DynamicPanAndZoomStepWithEveryMove) {
    pressKey(*window, Qt::Key_P, Qt::ControlModifier, "\x10");
    const PixelPoint start = pixelOf(40, 0, 0);
    mousePress(*window, start);
    mouseMove(*window, {start.x + 30, start.y}, Qt::LeftButton);
    mouseMove(*window, {start.x + 60, start.y + 20}, Qt::LeftButton);
    mouseRelease(*window, {start.x + 60, start.y + 20});
    EXPECT_NEAR(pixelOf(40, 0, 0).x, start.x + 60, 2);
    EXPECT_NEAR(pixelOf(40, 0, 0).y, start.y + 20, 2);

    const auto [hx, hy] = halfWidths();
    pressKey(*window, Qt::Key_Z, Qt::ControlModifier, "\x1a");
    mousePress(*window, {300, 300});
    mouseMove(*window, {300, 290}, Qt::LeftButton); // up: in
    mouseMove(*window, {300, 280}, Qt::LeftButton);
    EXPECT_NEAR(halfWidths().first, hx * 0.95 * 0.95, 1e-9);
    mouseMove(*window, {300, 285}, Qt::LeftButton); // down: out
    mouseRelease(*window, {300, 285});
    EXPECT_NEAR(halfWidths().second, hy * 0.95 * 0.95 * 1.05, 1e-9);
}

TEST_F(Window, TrimmingPolygonIsDrawnEditedAndAbandoned) {
    ui::armTrimPolygon(*window, "Use left mouse button to draw polygon around desired GEOMETRY...");
    const QImage original = picture();
    for (int i = 0; i < TrimPolygon::kMaxVertices; ++i)
        click(*window, {100 + (i % 50) * 8, 100 + (i / 50) * 40});
    ASSERT_EQ(ws.trimPolygon.count, TrimPolygon::kMaxVertices);
    const float lastU = ws.trimPolygon.vertices.back()[0];
    click(*window, {600, 500}); // the 251st click adds nothing
    EXPECT_EQ(ws.trimPolygon.count, TrimPolygon::kMaxVertices);
    EXPECT_EQ(ws.trimPolygon.vertices.back()[0], lastU);
    EXPECT_EQ(window->statusText().toStdString(), kTrimPolygonInstruction);
    EXPECT_EQ(pixel({104, 100}), kRed); // the first edge

    EXPECT_TRUE(pressKey(*window, Qt::Key_D, Qt::NoModifier, "d"));
    EXPECT_EQ(ws.trimPolygon.count, TrimPolygon::kMaxVertices - 1);
    EXPECT_TRUE(pressKey(*window, Qt::Key_D, Qt::ShiftModifier, "D"));
    EXPECT_EQ(ws.trimPolygon.count, 0);
    EXPECT_EQ(picture(), original); // every XOR line taken away again
    EXPECT_FALSE(pressKey(*window, Qt::Key_D, Qt::NoModifier, "d"));

    click(*window, {100, 100});
    click(*window, {200, 100});
    EXPECT_TRUE(pressKey(*window, Qt::Key_Escape));
    EXPECT_EQ(window->statusText().toStdString(), kTrimCanceledText);
    EXPECT_EQ(window->pointer.mode, PickMode::None);
    EXPECT_EQ(ws.trimPolygon.count, 0);
    EXPECT_EQ(picture(), original);
}

} // namespace
} // namespace korvix::test
