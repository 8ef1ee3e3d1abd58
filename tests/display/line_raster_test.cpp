#include "display/line_raster.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>
#include <vector>

namespace korvix::test {
namespace {

constexpr std::uint32_t kBlackPixel = 0xFF000000u;

struct Image {
    Image(int w, int h)
        : width(w), height(h), pixels(static_cast<std::size_t>(w * h), kBlackPixel) {}
    PixelBuffer buffer() { return {pixels.data(), width, height, width}; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    std::set<std::pair<int, int>> lit() const {
        std::set<std::pair<int, int>> result;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y) != kBlackPixel)
                    result.insert({x, y});
        return result;
    }
    int width, height;
    std::vector<std::uint32_t> pixels;
};

using Pixels = std::set<std::pair<int, int>>;

TEST(LineRaster, LinesStopShortOfTheirEndPixel) {
    struct Case {
        int x0, y0, x1, y1;
        Pixels expected;
    } cases[] = {
        {2, 5, 7, 5, {{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}}},
        {7, 5, 2, 5, {{7, 5}, {6, 5}, {5, 5}, {4, 5}, {3, 5}}},
        {0, 0, 4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {3, 9, 3, 6, {{3, 9}, {3, 8}, {3, 7}}},
        {0, 0, 4, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}, // half-way rounds up
        {5, 5, 5, 5, {}},                               // no length: nothing
    };
    for (const Case& c : cases) {
        Image image(12, 12);
        LineRaster raster(image.buffer());
        raster.line(c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(image.lit(), c.expected) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
        for (const auto& [x, y] : c.expected)
            EXPECT_EQ(image.at(x, y), 0xFFFFFFFFu); // white, opaque
    }
}

TEST(LineRaster, ClippingNeverMovesAPixel) {
    // Random lines drawn on a 60 x 40 buffer light exactly the pixels they light in the
    // same place of a buffer big enough to hold them whole.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-120, 180);
    Image small(60, 40), big(400, 400);
    for (int trial = 0; trial < 1000; ++trial) {
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = coordinate(random), y1 = coordinate(random);
        std::fill(small.pixels.begin(), small.pixels.end(), kBlackPixel);
        std::fill(big.pixels.begin(), big.pixels.end(), kBlackPixel);
        LineRaster(small.buffer()).line(x0, y0, x1, y1);
        LineRaster(big.buffer()).line(x0 + 150, y0 + 150, x1 + 150, y1 + 150);
        int differing = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                differing += small.at(x, y) != big.at(x + 150, y + 150);
        ASSERT_EQ(differing, 0) << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

TEST(LineRaster, FarEndPointsAreSafe) {
    Image image(20, 10);
    LineRaster raster(image.buffer());
    raster.line(INT_MIN, 5, INT_MAX, 5);
    raster.line(7, INT_MAX, 7, INT_MIN);
    raster.line(INT_MIN, INT_MIN, INT_MAX, INT_MAX); // the diagonal through (0, 0)
    const Pixels lit = image.lit();
    for (int x = 0; x < 20; ++x)
        EXPECT_TRUE(lit.contains({x, 5})) << x;
    for (int y = 0; y < 10; ++y)
        EXPECT_TRUE(lit.contains({7, y})) << y;
    EXPECT_TRUE(lit.contains({3, 3}));
    EXPECT_EQ(lit.size(), 20u + 10u + 10u - 3u); // (7, 5), (5, 5) and (7, 7) are shared
}

TEST(LineRaster, StrokesAreTheSumOfTheirLines) {
    // In XOR every pixel of a stroke flips once: joins are not drawn twice.
    Image image(30, 30);
    LineRaster raster(image.buffer());
    raster.setOp(LineRaster::Op::Xor);
    raster.setColor(0x00FF8000);
    const int points[][2] = {{2, 2}, {20, 2}, {20, 15}, {5, 25}, {5, 10}};
    for (std::size_t i = 1; i < std::size(points); ++i)
        raster.line(points[i - 1][0], points[i - 1][1], points[i][0], points[i][1]);
    int flipped = 0;
    for (std::uint32_t pixel : image.pixels) {
        EXPECT_TRUE(pixel == kBlackPixel || pixel == (kBlackPixel | 0x00FF8000));
        flipped += pixel != kBlackPixel;
    }
    EXPECT_EQ(flipped, 18 + 13 + 15 + 15);

    // Drawn again, it is gone.
    for (std::size_t i = 1; i < std::size(points); ++i)
        raster.line(points[i - 1][0], points[i - 1][1], points[i][0], points[i][1]);
    EXPECT_TRUE(image.lit().empty());
}

TEST(LineRaster, DotsRunOnAlongTheStroke) {
    Image image(20, 4);
    LineRaster raster(image.buffer());
    raster.setDotted(true);
    raster.line(0, 1, 3, 1); // pixels 0, 1, 2: dots at 0 and 2
    raster.line(3, 1, 8, 1); // continues: 3 is off, 4 on, 5 off ...
    raster.line(0, 3, 3, 3);
    const Pixels expected = {{0, 1}, {2, 1}, {4, 1}, {6, 1}, {0, 3}, {2, 3}};
    EXPECT_EQ(image.lit(), expected);
}

TEST(LineRaster, OverlappingDottedMovesKeepOneDotPattern) {
    // The same moves drawn again after strokes of other lengths (a second pass of a pocket):
    // the dots fall on the same pixels, so the gaps stay open. Both axes, both directions.
    const struct {
        int x0, y0, x1, y1;
    } moves[] = {{2, 2, 15, 2}, {15, 2, 15, 14}, {15, 14, 3, 9}, {3, 9, 2, 2}};
    Image once(20, 16), twice(20, 16);
    LineRaster a(once.buffer()), b(twice.buffer());
    a.setDotted(true);
    b.setDotted(true);
    for (const auto& m : moves)
        a.line(m.x0, m.y0, m.x1, m.y1);
    for (const int lead : {1, 2, 3}) {
        b.line(0, 0, lead, 0); // strokes before the pass, of odd and even lengths
        for (const auto& m : moves)
            b.line(m.x0, m.y0, m.x1, m.y1);
    }
    Pixels passes = once.lit();
    passes.insert({0, 0});
    passes.insert({2, 0});
    EXPECT_EQ(twice.lit(), passes);
    // Every other pixel of the first move is lit.
    for (int x = 2; x < 15; ++x)
        EXPECT_EQ(once.at(x, 2) != kBlackPixel, x % 2 == 0) << x;
}

} // namespace
} // namespace korvix::test
