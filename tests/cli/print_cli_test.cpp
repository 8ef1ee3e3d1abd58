#include "cli/cli_runner.h"
#include "pdf_raster.h"
#include "test_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

const std::string kRectangle = std::string(KORVIX_TEST_DATA_DIR) + "/render_rectangle.nc";

// The printed A4 page: 10 mm margins, looked at with 1.5 pixels per point.
constexpr double kScale = 1.5;
constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kPageWidth = 210 * kPointsPerMm;
constexpr double kPageHeight = 297 * kPointsPerMm;
constexpr double kMargin = 10 * kPointsPerMm;
// The 40 x 20 rectangle fills the printable width; it sits in the middle of the height
// above the banner.
constexpr double kUnit = (kPageWidth - 2 * kMargin) / 40;

// Image column of a model X of the rectangle's file.
int columnOf(double x) {
    return static_cast<int>((kMargin + x * kUnit) * kScale);
}

// The row of the rectangle's top edge (Y20) down the middle of the page.
int topEdgeRow(const QImage& page) {
    const int middle = columnOf(20);
    const auto bands = inkBands(page, middle, middle + 1, 0, page.height() / 2);
    return bands.empty() ? -1 : bands.front().first;
}

// Image row of a model Y on a page whose top edge lies at `top`.
int rowOf(int top, double y) {
    return top + static_cast<int>((20 - y) * kUnit * kScale);
}

class PrintCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!canRasterisePdf())
            GTEST_SKIP() << "built without Qt's PDF module: printed pages cannot be looked at";
    }
    std::string path(const std::string& name) const { return m_folder.path(name); }

    std::vector<QImage> print(const std::vector<std::string>& extra, const char* name = "p.pdf") {
        const std::string out = path(name);
        std::vector<std::string> args = {"print", kRectangle, "-o", out};
        args.insert(args.end(), extra.begin(), extra.end());
        const CliResult result = runCli(args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return rasterisePdf(QString::fromStdString(out), kScale);
    }

    TestFolder m_folder{"korvix_print"};
};

TEST_F(PrintCli, WhiteMovesPrintBlackOnWhitePaper) {
    const std::vector<QImage> pages = print({"--status", "none"});
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    // Down the middle column: the top and the bottom edge in black, the rapid at Y10 in red,
    // paper between them. The page keeps the view's proportions.
    const int middle = columnOf(20);
    const int top = topEdgeRow(page);
    const auto bands = inkBands(page, middle, middle + 1, 0, page.height() * 3 / 4);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[0].first, top);
    EXPECT_NEAR(bands[1].first, rowOf(top, 0), 3);
    // The drawing is centred on the page above the banner's line.
    const double centre = (bands[0].first + bands[1].first) / 2.0 / kScale;
    EXPECT_LT(centre, kPageHeight / 2);
    EXPECT_GT(centre, kPageHeight / 2 - 20);
    bool red = false;
    for (int y = rowOf(top, 10) - 3; y <= rowOf(top, 10) + 3; ++y)
        red = red || isRedInk(page.pixel(middle, y));
    EXPECT_TRUE(red) << "the rapid keeps its colour";
    EXPECT_TRUE(isPaper(page.pixel(middle, rowOf(top, 15))));
    EXPECT_TRUE(isPaper(page.pixel(5, 5))) << "the paper is white, not the screen's black";
    // The left and right edges at the ends of the printable width.
    bool left = false, right = false;
    for (int dx = -3; dx <= 3; ++dx) {
        left = left || isBlackInk(page.pixel(columnOf(0) + dx, rowOf(top, 15)));
        right = right || isBlackInk(page.pixel(columnOf(40) + dx, rowOf(top, 15)));
    }
    EXPECT_TRUE(left);
    EXPECT_TRUE(right);
}

TEST_F(PrintCli, StatusOptionsDecideTheLinesAboveTheBanner) {
    // Below the drawing at the left of the page: the tripod, then the text lines.
    const struct {
        const char* status;
        std::size_t bands; // the tripod, the status block's lines and the banner
    } cases[] = {{"none", 2}, {"nc", 7}, {"wire", 3}};
    for (const auto& c : cases) {
        const std::vector<QImage> pages = print({"--status", c.status});
        ASSERT_EQ(pages.size(), 1u);
        const QImage& page = pages[0];
        const auto bands =
            inkBands(page, 0, page.width() * 3 / 5, rowOf(topEdgeRow(page), 0) + 10, page.height());
        EXPECT_EQ(bands.size(), c.bands) << c.status;
        ASSERT_FALSE(bands.empty());
        // The banner's line ends within one line of the page's printable bottom.
        EXPECT_GT(bands.back().second, (kPageHeight - kMargin - 20) * kScale) << c.status;
    }
}

TEST_F(PrintCli, TextsAndTheSetupSheet) {
    // On a 420 x 220 screen model (10, 15) is at pixel (104, 56).
    const auto region = [](const QImage& page) {
        int ink = 0;
        const int row = rowOf(topEdgeRow(page), 15);
        for (int y = row + 1; y < row + 12; ++y)
            for (int x = columnOf(10) + 1; x < columnOf(10) + 60; ++x)
                ink += isBlackInk(page.pixel(x, y)) ? 1 : 0;
        return ink;
    };
    const std::vector<QImage> plain = print({"--size", "420x220"}, "plain.pdf");
    const std::vector<QImage> labelled =
        print({"--size", "420x220", "--text", "104,56,PART 1, OP 10", "--setup-sheet"}, "l.pdf");
    ASSERT_EQ(plain.size(), 1u);
    ASSERT_EQ(labelled.size(), 2u);
    EXPECT_EQ(region(plain[0]), 0);
    EXPECT_GT(region(labelled[0]), 20) << "the text starts where its drawing point prints";
    // The setup sheet: the title, extents and tool table at the top, the banner at the foot.
    const QImage& sheet = labelled[1];
    const auto bands = inkBands(sheet, 0, sheet.width(), 0, sheet.height());
    EXPECT_GE(bands.size(), 12u);
    EXPECT_LT(bands.front().first, 60 * kScale);
    EXPECT_GT(bands.back().second, (kPageHeight - kMargin - 20) * kScale);
}

TEST(PrintCliMistakes, AreReportedAndWriteNothing) {
    TestFolder folder("korvix_print_mistakes");
    const std::string pdf = folder.path("a.pdf");
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    } mistakes[] = {
        {{"print", kRectangle}, 2, "no output file given"},
        {{"print", "-o", pdf}, 2, "no input file given"},
        {{"print", kRectangle, "-o", folder.path("a.png")}, 2, "must end in .pdf"},
        {{"print", kRectangle, "-o", pdf, "--status", "both"}, 2, "unknown status block 'both'"},
        {{"print", kRectangle, "-o", pdf, "--text", "10,20"}, 2, "is not X,Y,STRING"},
        {{"print", kRectangle, "-o", pdf, "--text", "a,20,X"}, 2, "whole pixels"},
        {{"print", kRectangle, "-o", pdf, "--view", "top"}, 2, "unknown view 'top'"},
        {{"print", folder.path("missing.nc"), "-o", pdf}, 1, "nothing written"},
        {{"print", kRectangle, "-o", folder.path("no/such/folder/a.pdf")}, 1, "Unable to create file"},
    };
    for (const auto& m : mistakes) {
        const CliResult result = runCli(m.args);
        EXPECT_EQ(result.exitCode, m.exitCode) << m.message;
        EXPECT_NE(result.err.find(m.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(pdf));
}

} // namespace
} // namespace korvix::test
