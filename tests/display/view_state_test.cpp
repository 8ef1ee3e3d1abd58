#include "display/plain_view.h"
#include "display/view_commands.h"
#include "display/view_transform.h"
#include "model/path_builder.h"

#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace korvix::test {
namespace {

constexpr StandardView kAllViews[] = {StandardView::XY,   StandardView::XZ,   StandardView::YZ,
                                      StandardView::Iso1, StandardView::Iso2, StandardView::Iso3,
                                      StandardView::Iso4};

TEST(ViewTransform, ProjectionTruncatesTowardsZero) {
    struct Case {
        double x, y;
        PixelPoint expected;
    } cases[] = {
        {3, 4, {130, 160}},        // the plain case
        {3.07, 4, {130, 160}},     // 130.7 is truncated, not rounded
        {-10.57, 20.57, {-5, -5}}, // -5.7 becomes -5 (towards zero), not -6
        {0, 0, {100, 200}},
    };
    ViewState view;
    setPlainView(view, 10, 100, 200);
    for (const Case& c : cases) {
        const PixelPoint p = project(view, c.x, c.y, 0);
        EXPECT_EQ(p, c.expected) << c.x << ", " << c.y;
    }
}

TEST(ViewTransform, PixelsOutsideTheIntRangeAreClamped) {
    EXPECT_EQ(toPixel(1e300), INT_MAX);
    EXPECT_EQ(toPixel(-1e300), INT_MIN);
    EXPECT_EQ(toPixel(std::numeric_limits<double>::infinity()), INT_MAX);
    EXPECT_EQ(toPixel(std::nan("")), 0);
    EXPECT_EQ(toPixel(2147483646.9), 2147483646);
    EXPECT_EQ(toPixel(-2147483648.5), INT_MIN);

    ViewState view;
    setPlainView(view, 1e12, 0, 0);
    EXPECT_EQ(project(view, 1e3, -1e3, 0), (PixelPoint{INT_MAX, INT_MAX}));
}

TEST(ViewTransform, InverseUndoesForwardInEveryStandardView) {
    const double points[][3] = {{3, 4, 5}, {-12.5, 0.25, 7}, {0, 0, -30}, {1e4, -2e3, 0.001}};
    for (StandardView v : kAllViews) {
        ViewState view;
        const StandardViewAngles angles = standardViewAngles(v);
        setAngles(view, angles.a, angles.b, angles.c);
        for (const auto& p : points) {
            double x = p[0], y = p[1], z = p[2];
            rotateForward(view, x, y, z);
            rotateInverse(view, x, y, z);
            const double tolerance =
                1e-12 * (1 + std::fabs(p[0]) + std::fabs(p[1]) + std::fabs(p[2]));
            EXPECT_NEAR(x, p[0], tolerance) << standardViewStatus(v);
            EXPECT_NEAR(y, p[1], tolerance) << standardViewStatus(v);
            EXPECT_NEAR(z, p[2], tolerance) << standardViewStatus(v);
        }
    }
}

TEST(ViewTransform, PlaneViewsMapPixelsBackToModelCoordinates) {
    // In the XZ view u, v are X and Z; in the YZ view Y and Z (Y running to the right).
    struct Case {
        StandardView view;
        double x, y, z;
        double u, v;
    } cases[] = {
        {StandardView::XY, 12, 7, -3, 12, 7},
        {StandardView::XZ, 12, 7, -3, 12, -3},
        {StandardView::YZ, 12, 7, -3, 7, -3},
    };
    for (const Case& c : cases) {
        Workspace ws;
        ws.view.width = 800;
        ws.view.height = 600;
        ws.database.status.extents = {-20, 20, -20, 20, -20, 20};
        setStandardView(ws, c.view);
        const PixelPoint p = project(ws.view, c.x, c.y, c.z);
        const DrawingPoint d = pixelToDrawing(ws.view, p.x, p.y);
        const double pixel = 1 / ws.view.scale;
        EXPECT_NEAR(d.u, c.u, pixel) << standardViewStatus(c.view);
        EXPECT_NEAR(d.v, c.v, pixel) << standardViewStatus(c.view);
        EXPECT_EQ(ws.view.lastU, d.u);
        EXPECT_EQ(ws.view.lastV, d.v);
    }
}

// Hand-computed pixels of box corners: a rotation with a consistent sign error still maps
// pixels back to the right points, so the round trip above cannot catch it.
TEST(ViewTransform, BoxCornersLandOnKnownPixels) {
    struct Case {
        StandardView view;
        double x, y, z;
        PixelPoint pixel;
    } cases[] = {
        // In the YZ view Y runs to the right and Z upwards.
        {StandardView::YZ, 100, 0, 20, {0, 140}},
        {StandardView::YZ, 0, 0, 0, {0, 460}},
        {StandardView::YZ, 50, 50, 0, {800, 459}},
        // Isometric view 1 looks down from X-, Y-, Z+: the far corner at X 0 Y 50 is high up.
        {StandardView::Iso1, 0, 50, 20, {265, 7}},
        {StandardView::Iso1, 100, 0, 0, {534, 592}},
        {StandardView::Iso1, 0, 0, 0, {0, 284}},
        // Isometric view 3 looks from the opposite side.
        {StandardView::Iso3, 100, 0, 20, {265, 7}},
        {StandardView::Iso3, 0, 50, 0, {534, 592}},
    };
    for (const Case& c : cases) {
        Workspace ws;
        ws.view.width = 800;
        ws.view.height = 600;
        ws.database.status.extents = {0, 100, -50, 0, 0, 20}; // Y pair held negated
        setStandardView(ws, c.view);
        const PixelPoint p = project(ws.view, c.x, c.y, c.z);
        // One pixel of slack: corners on the edge truncate either way.
        EXPECT_NEAR(p.x, c.pixel.x, 1) << standardViewStatus(c.view) << " " << c.x << "," << c.y;
        EXPECT_NEAR(p.y, c.pixel.y, 1) << standardViewStatus(c.view) << " " << c.x << "," << c.y;
    }
}

TEST(ViewFit, FittedBoxTouchesTwoOppositeSides) {
    ViewState view;
    view.width = 200;
    view.height = 200;
    // 100 x 50 model units; the Y pair is held negated.
    fitToExtents(view, {0, 100, -50, 0, 0, 0});
    EXPECT_DOUBLE_EQ(view.scale, 2.0);
    EXPECT_EQ(project(view, 0, 0, 0), (PixelPoint{0, 150}));
    EXPECT_EQ(project(view, 100, 50, 0), (PixelPoint{200, 50}));
    EXPECT_DOUBLE_EQ(view.windowBox.xmin, 0);
    EXPECT_DOUBLE_EQ(view.windowBox.ymin, -50);
    EXPECT_DOUBLE_EQ(view.windowBox.xmax, 100);
    EXPECT_DOUBLE_EQ(view.windowBox.ymax, 0);
    EXPECT_TRUE(view.reprojection);
}

TEST(ViewFit, DegenerateBoxes) {
    // A flat path seen edge-on: the height is 0, the width alone gives the scale and the
    // path is a horizontal line through the middle.
    Workspace ws;
    ws.view.width = 400;
    ws.view.height = 300;
    ws.database.status.extents = {0, 40, -30, 0, 5, 5};
    setStandardView(ws, StandardView::XZ);
    // (The rounded degree constant leaves cos 90 a few 1e-12 off zero, so the line may
    // straddle the middle row by one pixel.)
    EXPECT_NEAR(ws.view.scale, 10.0, 1e-9);
    EXPECT_NEAR(project(ws.view, 0, 0, 5).y, 150, 1);
    EXPECT_NEAR(project(ws.view, 40, 30, 5).y, 150, 1);
    EXPECT_EQ(project(ws.view, 0, 30, 5).x, 0);
    EXPECT_EQ(project(ws.view, 40, 0, 5).x, 400);

    // A single point: scale 0, everything on the origin, pixels map back to the point.
    ws.database.status.extents = {7, 7, -3, -3, 1, 1};
    setStandardView(ws, StandardView::XY);
    EXPECT_EQ(ws.view.scale, 0);
    EXPECT_EQ(project(ws.view, 7, 3, 1), (PixelPoint{200, 150}));
    EXPECT_EQ(project(ws.view, -500, 900, 1), (PixelPoint{200, 150}));
    const DrawingPoint d = pixelToDrawing(ws.view, 13, 250);
    EXPECT_DOUBLE_EQ(d.u, 7);
    EXPECT_DOUBLE_EQ(d.v, 3);

    // A box that cannot be shown never spreads NaN into the transform.
    ws.database.status.extents = {0, std::numeric_limits<double>::infinity(), 0, 1, 0, 1};
    fitView(ws);
    EXPECT_TRUE(std::isfinite(ws.view.originX));
    EXPECT_TRUE(std::isfinite(ws.view.originY));
}

TEST(ViewZoom, ZoomInThenOutDoesNotQuiteRestoreTheBox) {
    ViewState view;
    view.width = 640;
    view.height = 480;
    fitToRectangle(view, -10, -20, 30, 40);
    zoomView(view, kZoomInFactor);
    EXPECT_DOUBLE_EQ(view.windowBox.xmax - view.windowBox.xmin, 40 * 0.75);
    zoomView(view, kZoomOutFactor);
    EXPECT_NEAR((view.windowBox.xmax - view.windowBox.xmin) / 40, 0.99975, 1e-12);
    EXPECT_NEAR((view.windowBox.ymax - view.windowBox.ymin) / 60, 0.99975, 1e-12);
    EXPECT_NEAR(view.windowBox.xmin + view.windowBox.xmax, 20, 1e-9); // same centre
}

TEST(ViewZoom, WindowZoomNeedsWidthAndHeight) {
    ViewState view;
    setPlainView(view, 10, 100, 200);
    view.windowBox = {1, 2, 3, 4};
    const PixelPoint press{150, 150};
    for (PixelPoint release : {press, PixelPoint{150, 300}, PixelPoint{400, 150}}) {
        EXPECT_EQ(zoomToWindow(view, press, release), WindowZoomResult::TooSmall);
        EXPECT_DOUBLE_EQ(view.scale, 10);
        EXPECT_DOUBLE_EQ(view.windowBox.xmax, 3);
    }
    // An unordered drag (from bottom-right to top-left) zooms onto the same rectangle.
    ASSERT_EQ(zoomToWindow(view, {420, 360}, {100, 200}), WindowZoomResult::Zoomed);
    EXPECT_DOUBLE_EQ(view.windowBox.xmin, 0);
    EXPECT_DOUBLE_EQ(view.windowBox.xmax, 32);
    EXPECT_DOUBLE_EQ(view.windowBox.ymin, 0);
    EXPECT_DOUBLE_EQ(view.windowBox.ymax, 16);
    EXPECT_DOUBLE_EQ(view.scale, 20); // 640 / 32
}

TEST(ViewPan, PictureFollowsTheMouse) {
    Workspace ws;
    ws.view.width = 640;
    ws.view.height = 480;
    ws.database.status.extents = {0, 100, -100, 0, 0, 0};
    setStandardView(ws, StandardView::Iso1);
    const PixelPoint before = project(ws.view, 30, 40, 0);
    panView(ws.view, {100, 100}, {160, 70});
    const PixelPoint after = project(ws.view, 30, 40, 0);
    EXPECT_NEAR(after.x - before.x, 60, 1);
    EXPECT_NEAR(after.y - before.y, -30, 1);
}

TEST(ViewRotation, DynamicRotationTurnsOneDegreePerThreePixels) {
    struct Case {
        PixelPoint current;
        double a, b;
    } cases[] = {
        {{100, 98}, 10, 20},  // 2 pixels up: 2 div 3 = 0
        {{100, 104}, 9, 20},  // 4 pixels down: -4 div 3 = -1
        {{107, 100}, 10, 22}, // 7 pixels right: +2
        {{95, 109}, 7, 19},   // -5 div 3 = -1, -9 div 3 = -3
    };
    for (const Case& c : cases) {
        Workspace ws;
        ws.view.width = 300;
        ws.view.height = 300;
        setAngles(ws.view, 10, 20, 30);
        saveRotationBase(ws.view);
        dynamicRotateStep(ws, {100, 100}, c.current);
        EXPECT_EQ(ws.view.angleA, c.a);
        EXPECT_EQ(ws.view.angleB, c.b);
        EXPECT_EQ(ws.view.angleC, 30);
    }
}

TEST(ViewRotation, RotationKeysAndStep) {
    ViewState view;
    setAngles(view, 0, 0, 0);
    rotateByStep(view, RotationAxis::A, -1);
    rotateByStep(view, RotationAxis::C, +1);
    rotateByStep(view, RotationAxis::C, +1);
    EXPECT_EQ(view.angleA, -15);
    EXPECT_EQ(view.angleB, 0);
    EXPECT_EQ(view.angleC, 30);
    EXPECT_EQ(rotationStepText(view), "15.00000");

    std::string error;
    EXPECT_TRUE(setRotationStepFromText(view, "-7.5", error));
    EXPECT_EQ(view.rotationStep, 7.5);
    EXPECT_FALSE(setRotationStepFromText(view, "ab", error));
    EXPECT_EQ(error, "'ab' is not a valid floating point value");
    EXPECT_EQ(view.rotationStep, 7.5);
}

TEST(StandardViews, AnglesAndStatusTexts) {
    struct Case {
        const char* name;
        double a, b, c;
        const char* status;
    } cases[] = {
        {"xy", 0, 0, 0, " \"XY\" view..."},
        {"xz", 90, 0, 0, " \"XZ\" view..."},
        {"yz", 90, -90, 0, " \"YZ\" view..."},
        {"iso1", 45, -35, 30, " \"ISOMETRIC\" view #1..."},
        {"iso2", 45, 36, -30, " \"ISOMETRIC\" view #2..."},
        {"iso3", -45, 35, -150, " \"ISOMETRIC\" view #3..."},
        {"iso4", -45, -36, 150, " \"ISOMETRIC\" view #4..."},
    };
    for (const Case& c : cases) {
        StandardView view{};
        ASSERT_TRUE(standardViewFromName(c.name, view)) << c.name;
        const StandardViewAngles angles = standardViewAngles(view);
        EXPECT_EQ(angles.a, c.a) << c.name;
        EXPECT_EQ(angles.b, c.b) << c.name;
        EXPECT_EQ(angles.c, c.c) << c.name;
        EXPECT_EQ(standardViewStatus(view), c.status);
    }
    StandardView unused{};
    EXPECT_FALSE(standardViewFromName("top", unused));
}

} // namespace
} // namespace korvix::test
