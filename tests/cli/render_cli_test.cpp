#include "cli/cli_runner.h"
#include "test_folder.h"

#include <QImage>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace korvix::test {
namespace {

namespace fs = std::filesystem;

const std::string kRectangle = std::string(KORVIX_TEST_DATA_DIR) + "/render_rectangle.nc";

class RenderCli : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return m_folder.path(name); }

    TestFolder m_folder{"korvix_render"};
};

// A 40 x 20 rectangle on a 420 x 220 picture: the drawing area is 418 x 218, the scale
// 10.45 pixels per unit and model (x, y) lands on pixel (10.45 x, 213.5 - 10.45 y).
TEST_F(RenderCli, PngShowsTheToolpathOnBlack) {
    struct Case {
        const char* what;
        std::vector<std::string> extra;
        int x, y;
        QRgb color;
    } cases[] = {
        {"bottom edge, a feed move in white", {}, 209, 213, qRgb(255, 255, 255)},
        {"top edge", {}, 100, 4, qRgb(255, 255, 255)},
        {"right edge", {}, 418, 150, qRgb(255, 255, 255)},
        {"the rapid at Y10 in red", {}, 300, 109, qRgb(255, 0, 0)},
        {"background inside", {}, 209, 160, qRgb(0, 0, 0)},
        {"background right of the area", {}, 419, 150, qRgb(0, 0, 0)},
        {"hidden rapid", {"--no-rapids"}, 300, 109, qRgb(0, 0, 0)},
        {"feed moves stay with rapids hidden", {"--no-rapids"}, 209, 213, qRgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        const std::string out = path("picture.png");
        std::vector<std::string> args = {"render", kRectangle, "-o", out, "--size", "420x220"};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliResult result = runCli(args);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out, out + ": 420 x 220, xy view\n");
        const QImage image(QString::fromStdString(out));
        ASSERT_EQ(image.size(), QSize(420, 220));
        EXPECT_EQ(image.pixel(c.x, c.y) & 0xFFFFFF, c.color & 0xFFFFFF) << c.what;
    }
}

TEST_F(RenderCli, WireframeIsDrawnInItsColour) {
    // Two points of one green polyline along Y = 15 (pixel row 56).
    std::string bytes;
    for (float x : {0.0f, 40.0f}) {
        std::string record(41, '\0');
        record[0] = x == 0 ? 0 : 1; // pen
        record[1] = 1;
        record[2] = 3; // green
        const auto put = [&](int at, float value) {
            const auto bits = std::bit_cast<std::uint32_t>(value);
            for (int i = 0; i < 4; ++i)
                record[static_cast<std::size_t>(at + i)] = static_cast<char>(bits >> (8 * i));
        };
        put(5, x);
        put(9, 15.0f);
        bytes += record;
    }
    const std::string wire = path("outline.dat");
    std::ofstream(wire, std::ios::binary) << bytes;
    const std::string out = path("wire.png");
    const CliResult result =
        runCli({"render", kRectangle, "--wire", wire, "-o", out, "--size", "420x220"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const QImage image(QString::fromStdString(out));
    EXPECT_EQ(image.pixel(200, 56) & 0xFFFFFF, 0x00FF00u);
}

TEST_F(RenderCli, PdfAndMistakes) {
    const std::string pdf = path("page.PDF");
    CliResult result = runCli({"render", kRectangle, "-o", pdf, "--view", "iso2"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::ifstream in(pdf, std::ios::binary);
    std::string head(5, '\0');
    in.read(head.data(), 5);
    EXPECT_EQ(head, "%PDF-");

    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* message;
    } mistakes[] = {
        {{"render", kRectangle}, 2, "no output file given"},
        {{"render", "-o", path("a.png")}, 2, "no input file given"},
        {{"render", kRectangle, "-o", path("a.bmp")}, 2, "must end in .png or .pdf"},
        {{"render", kRectangle, "-o", path("a.png"), "--view", "top"}, 2, "unknown view 'top'"},
        {{"render", kRectangle, "-o", path("a.png"), "--size", "100"}, 2, "--size"},
        {{"render", kRectangle, "-o", path("a.png"), "--size", "8x8"}, 2, "--size"},
        {{"render", path("missing.nc"), "-o", path("a.png")}, 1, "nothing written"},
        {{"render", kRectangle, "-o", path("no/such/folder/a.png")}, 1, "Unable to create file"},
    };
    for (const auto& m : mistakes) {
        result = runCli(m.args);
        EXPECT_EQ(result.exitCode, m.exitCode) << m.message;
        EXPECT_NE(result.err.find(m.message), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(path("a.png")));
}

} // namespace
} // namespace korvix::test
