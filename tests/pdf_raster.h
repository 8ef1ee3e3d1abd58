#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace korvix::test {

// True when the tests were built with Qt's PDF module, which rasterises printed pages.
bool canRasterisePdf();

// Every page of a PDF file as an image of `pixelsPerPoint` pixels per point (72 points to the
// inch), on white; no pages when the file cannot be read.
std::vector<QImage> rasterisePdf(const QString& fileName, double pixelsPerPoint);

// Pixels of printed pages: ink that reads as black, pure red, or paper.
bool isBlackInk(QRgb pixel);
bool isRedInk(QRgb pixel);
bool isPaper(QRgb pixel);

// The horizontal bands of rows that hold black ink within the columns [left, right) and the
// rows [top, bottom): each band as its first and last row.
std::vector<std::pair<int, int>> inkBands(const QImage& page, int left, int right, int top,
                                          int bottom);

} // namespace korvix::test
