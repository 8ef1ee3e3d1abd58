#include "pdf_raster.h"

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <memory>

#ifdef KORVIX_HAVE_QT_PDF
#include <QPdfDocument>
#endif

namespace korvix::test {
namespace {

// The PDF module needs an application object; window tests have one already.
void ensureApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    static int argc = 1;
    static char name[] = "korvix-tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

bool canRasterisePdf() {
#ifdef KORVIX_HAVE_QT_PDF
    return true;
#else
    return false;
#endif
}

std::vector<QImage> rasterisePdf(const QString& fileName, double pixelsPerPoint) {
    std::vector<QImage> pages;
#ifdef KORVIX_HAVE_QT_PDF
    ensureApplication();
    QPdfDocument document;
    if (document.load(fileName) != QPdfDocument::Error::None)
        return pages;
    for (int i = 0; i < document.pageCount(); ++i) {
        const QSize size = (document.pagePointSize(i) * pixelsPerPoint).toSize();
        const QImage rendered = document.render(i, size);
        // Pages come with a transparent background: put them on paper.
        QImage page(rendered.size(), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.drawImage(0, 0, rendered);
        painter.end();
        pages.push_back(page);
    }
#else
    (void)fileName;
    (void)pixelsPerPoint;
#endif
    return pages;
}

// Thin lines come out grey where they fall between two pixels: ink is any clearly darker
// pixel without a colour of its own.
bool isBlackInk(QRgb pixel) {
    const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return high < 190 && high - low < 40;
}

bool isRedInk(QRgb pixel) {
    return qRed(pixel) > 150 && qRed(pixel) - qGreen(pixel) > 80 &&
           qRed(pixel) - qBlue(pixel) > 80;
}

bool isPaper(QRgb pixel) {
    return qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245;
}

std::vector<std::pair<int, int>> inkBands(const QImage& page, int left, int right, int top,
                                          int bottom) {
    std::vector<std::pair<int, int>> bands;
    bool inBand = false;
    for (int y = std::max(0, top); y < std::min(bottom, page.height()); ++y) {
        bool ink = false;
        for (int x = std::max(0, left); x < std::min(right, page.width()) && !ink; ++x)
            ink = isBlackInk(page.pixel(x, y));
        if (ink && !inBand)
            bands.push_back({y, y});
        if (ink)
            bands.back().second = y;
        inBand = ink;
    }
    return bands;
}

} // namespace korvix::test
