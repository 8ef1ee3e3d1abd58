#include "display/renderer.h"
#include "display/view_commands.h"
#include "model/path_builder.h"
#include "ui/canvas/qt_canvas.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <gtest/gtest.h>
#include <memory>

namespace korvix::test {
namespace {

using ui::QtCanvas;

// Fonts need the application object; the tests run on the offscreen platform.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "qt_canvas_test";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QGuiApplication> m_app;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QImage blackImage(int w = 120, int h = 90) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

int litPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) != 0;
    return n;
}

TEST(QtCanvas, ColoursAreReadAsBlueGreenRed) {
    QImage image = blackImage();
    {
        QtCanvas canvas(image);
        canvas.setPenColor(0x000000FF); // red in 0x00BBGGRR
        canvas.moveTo(10, 10);
        canvas.lineTo(50, 10);
        canvas.setPenColor(0x00FF0000); // blue
        canvas.moveTo(10, 20);
        canvas.lineTo(50, 20);
    }
    EXPECT_EQ(image.pixel(20, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(20, 15), qRgb(0, 0, 0));
}

TEST(QtCanvas, XorOverlaysEraseThemselves) {
    QImage image = blackImage();
    {
        QtCanvas canvas(image);
        canvas.setPenColor(0x00FFFF00);
        canvas.moveTo(0, 45);
        canvas.lineTo(119, 45); // something underneath
    }
    const QImage before = image.copy();
    QtCanvas canvas(image);
    const auto overlay = [&] {
        canvas.setPenMode(PenMode::Xor);
        ViewState view;
        setAngles(view, 45, -35, 30);
        drawToolMarker(canvas, view, 60, 45, kWhite);
        canvas.setPenStyle(PenStyle::Dotted);
        canvas.rectangle(5, 5, 100, 80);
        canvas.setPenStyle(PenStyle::Solid);
        canvas.ellipse(20, 20, 40, 40);
        canvas.setPenMode(PenMode::Copy);
        canvas.flush();
    };
    overlay();
    EXPECT_NE(image, before);
    overlay();
    EXPECT_EQ(image, before);
}

TEST(QtCanvas, PictureDependsOnThePenPathOnly) {
    // The same path as one polyline, as lineTo calls, and as lineTo calls interleaved with
    // pen settings that change nothing: drawn into the image directly (width 1) and
    // collected for QPainter (width 3), solid and dotted.
    const std::vector<PixelPoint> points = {{5, 5},    {40, 12}, {40, 12}, {41, 13},
                                            {-30, 70}, {90, 80}, {60, 2},  {200, 40}};
    for (const int width : {1, 3}) {
        for (const PenStyle style : {PenStyle::Solid, PenStyle::Dotted}) {
            const auto pen = [&](QtCanvas& canvas) {
                canvas.setPenWidth(width);
                canvas.setPenStyle(style);
            };
            QImage a = blackImage(), b = blackImage(), c = blackImage();
            {
                QtCanvas canvas(a);
                pen(canvas);
                canvas.polyline(points);
            }
            {
                QtCanvas canvas(b);
                pen(canvas);
                canvas.moveTo(points[0].x, points[0].y);
                for (std::size_t i = 1; i < points.size(); ++i)
                    canvas.lineTo(points[i].x, points[i].y);
            }
            {
                QtCanvas canvas(c);
                pen(canvas);
                canvas.moveTo(points[0].x, points[0].y);
                for (std::size_t i = 1; i < points.size(); ++i) {
                    canvas.setPenColor(kWhite);
                    pen(canvas);
                    canvas.setPenMode(PenMode::Copy);
                    canvas.lineTo(points[i].x, points[i].y);
                }
            }
            EXPECT_GT(litPixels(a), 100) << width;
            EXPECT_EQ(a, b) << width;
            EXPECT_EQ(a, c) << width;
        }
    }
}

TEST(QtCanvas, PrinterColoursDrawWhiteAsBlackOnWhite) {
    QImage image = blackImage();
    {
        QtCanvas canvas(image, QtCanvas::Colors::Printer);
        canvas.erase();
        canvas.setPenColor(kWhite);
        canvas.moveTo(10, 10);
        canvas.lineTo(50, 10);
        canvas.setPenColor(kRapidColor);
        canvas.moveTo(10, 20);
        canvas.lineTo(50, 20);
    }
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(20, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
}

TEST(QtCanvas, TextIsMeasuredAndDrawn) {
    QImage image = blackImage(200, 60);
    QtCanvas canvas(image);
    const TextExtent x = canvas.textExtent("X");
    const TextExtent wide = canvas.textExtent("XXXX");
    EXPECT_GT(x.width, 0);
    EXPECT_GT(x.height, 5);
    EXPECT_GT(wide.width, 3 * x.width);
    FontSpec font;
    font.pixelHeight = 30;
    canvas.setFont(font);
    EXPECT_GT(canvas.textExtent("X").height, x.height);
    canvas.text(10, 10, "KORVIX");
    canvas.end();
    EXPECT_GT(litPixels(image), 20);
}

TEST(QtCanvas, PdfPageDrawsXorAsCopy) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(96);
        pdf.setPageSize(QPageSize(QSizeF(300, 200), QPageSize::Point));
        QtCanvas canvas(pdf, QtCanvas::Colors::Printer);
        EXPECT_GT(canvas.width(), 0);
        canvas.setPenMode(PenMode::Xor);
        canvas.moveTo(0, 0);
        canvas.lineTo(100, 100);
        canvas.text(5, 5, "X");
    }
    EXPECT_TRUE(buffer.data().startsWith("%PDF"));
}

TEST(QtCanvas, RendersAPathLikeTheWindow) {
    Workspace ws;
    PathBuilder path(ws);
    path.start(0, 0);
    path.line(100, 0);
    path.rapid(100, 50);
    QImage image = blackImage();
    // The drawing area is the client area less two pixels, so the fitted edges show.
    ws.view.width = image.width() - 2;
    ws.view.height = image.height() - 2;
    fitView(ws);
    {
        QtCanvas canvas(image);
        ASSERT_EQ(fullRedraw(ws, canvas), RedrawResult::Completed);
    }
    const PixelPoint mid = project(ws.view, 50, 0, 0);
    EXPECT_EQ(image.pixel(mid.x, mid.y), qRgb(255, 255, 255));
    const PixelPoint rapid = project(ws.view, 100, 25, 0);
    EXPECT_EQ(image.pixel(rapid.x, rapid.y), qRgb(255, 0, 0));
    EXPECT_EQ(rapid.x, image.width() - 2); // the fitted right edge is on the image
}

} // namespace
} // namespace korvix::test
