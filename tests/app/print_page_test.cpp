#include "app/print_page.h"
#include "display/recording_canvas.h"
#include "display/status_text.h"
#include "display/view_commands.h"
#include "display/view_transform.h"
#include "model/path_builder.h"
#include "model/workspace.h"

#include <gtest/gtest.h>
#include <set>

namespace korvix::test {
namespace {

// RecordingCanvas measures text as 13 pixels high: a line is 18 printer pixels.
constexpr int kLine = RecordingCanvas::kCharHeight + 5;

// A 40 x 20 rectangle in white at Z-1 with a red rapid across it at Y10, shown in the XY view.
void rectangle(Workspace& ws) {
    PathBuilder path(ws);
    path.start(0, 0, 5);
    path.line(0, 0, -1);
    path.line(40, 0, -1);
    path.line(40, 20, -1);
    path.line(0, 20, -1);
    path.line(0, 0, -1);
    path.rapid(0, 10, 5);
    path.rapid(40, 10, 5);
    ws.view.width = 640;
    ws.view.height = 480;
    setStandardView(ws, StandardView::XY);
}

// The page's view: the window fitted above the foot lines (the banner and any status lines)
// and half a line clear of them.
ViewState drawingView(const Workspace& ws, int width, int height, int footLines) {
    return printerView(ws.view, width, height - footLines * kLine - kLine / 2);
}

std::vector<RecordedCall> textCalls(const RecordingCanvas& canvas) {
    std::vector<RecordedCall> texts;
    for (const RecordedCall& call : canvas.calls)
        if (call.op == "text")
            texts.push_back(call);
    return texts;
}

TEST(PrintPage, PrinterTransformFitsTheWindowBoxToThePage) {
    const struct {
        const char* what;
        WindowBox box;
        double aspect;
        double scale, originX, originY;
    } cases[] = {
        {"wide box: the width decides", {0, 0, 40, 20}, 1.0, 20, 0, 300},
        {"no height: the width alone", {0, 5, 40, 5}, 1.0, 20, 0, 400},
        {"a point: scale 0, centred", {3, 4, 3, 4}, 1.0, 0, 400, 500},
        {"stretched rows", {0, 0, 40, 20}, 2.0, 20, 0, 100},
        {"tall box: the height decides", {-10, -50, 10, 50}, 1.0, 10, 400, 500},
    };
    for (const auto& c : cases) {
        ViewState screen;
        screen.aspect = c.aspect;
        screen.width = 640;
        screen.height = 480;
        fitToRectangle(screen, c.box.xmin, c.box.ymin, c.box.xmax, c.box.ymax);
        const ViewState page = printerView(screen, 800, 1000);
        EXPECT_DOUBLE_EQ(page.scale, c.scale) << c.what;
        EXPECT_DOUBLE_EQ(page.originX, c.originX) << c.what;
        EXPECT_DOUBLE_EQ(page.originY, c.originY) << c.what;
        EXPECT_EQ(screen.width, 640) << "the screen's view is left alone";
    }
}

TEST(PrintPage, WhiteMovesPrintBlackAndEveryMoveIsPrinted) {
    Workspace ws;
    rectangle(ws);
    // Options of the screen that do not apply on paper.
    ws.display.rapidMoves = false;
    ws.display.ncToolpath = false;
    ws.display.tripod = false;
    RecordingCanvas canvas(800, 1000);
    printDrawingPage(ws, PrintJob{}, canvas);
    std::set<Rgb> colors;
    int lines = 0;
    for (const RecordedCall& call : canvas.calls)
        if (call.op == "lineTo") {
            colors.insert(call.color);
            ++lines;
        }
    EXPECT_EQ(colors, (std::set<Rgb>{kBlack, kRapidColor}));
    EXPECT_EQ(lines, 6); // four edges (the plunge is a point in XY) and two rapids
    // The rectangle fills the page's width: model (40, 0) lands on the right edge.
    const PixelPoint corner = project(drawingView(ws, 800, 1000, 1), 40, 0, 0);
    EXPECT_EQ(corner, (PixelPoint{800, 686}));
    const std::string line = "lineTo 800 " + std::to_string(corner.y);
    EXPECT_NE(std::find_if(canvas.calls.begin(), canvas.calls.end(),
                           [&](const RecordedCall& c) { return c.str() == line; }),
              canvas.calls.end());
}

TEST(PrintPage, AZoomedViewPrintsOnlyItsWindow) {
    Workspace ws;
    rectangle(ws);
    ws.display.tripod = false;
    // The window around the corner at the origin: 10 x 10 units fill the 800 pixel width.
    fitToRectangle(ws.view, -5, -5, 5, 5);
    RecordingCanvas canvas(800, 1000);
    printDrawingPage(ws, PrintJob{}, canvas);
    const std::vector<std::string> lines = canvas.ops({"moveTo", "lineTo"});
    // The bottom edge runs from the corner in the middle of the drawing (973 pixels high above
    // the banner) off the right side, cut just outside the page; the far corners never reach
    // the printer, and nothing runs into the banner's line.
    const auto at = std::find(lines.begin(), lines.end(), "lineTo 816 486");
    ASSERT_NE(at, lines.end());
    EXPECT_EQ(*(at - 1), "moveTo 400 486");
    for (const RecordedCall& call : canvas.calls)
        if (call.op == "moveTo" || call.op == "lineTo") {
            EXPECT_GE(call.a, -16) << call.str();
            EXPECT_LE(call.a, 816) << call.str();
            EXPECT_GE(call.b, -16) << call.str();
            EXPECT_LE(call.b, 973) << call.str();
        }
}

TEST(PrintPage, NothingToDrawForAStartPointAlone) {
    Workspace ws;
    PathBuilder(ws).start(1, 2, 3);
    ws.display.tripod = false;
    RecordingCanvas canvas(800, 1000);
    printDrawingPage(ws, PrintJob{}, canvas);
    EXPECT_EQ(canvas.count("lineTo"), 0);
}

TEST(PrintPage, StatusBlockStandsOnTheBannerAtTheFoot) {
    Workspace ws;
    rectangle(ws);
    ws.display.tripod = false;
    ws.database.status.cuttingTime = 125.9;
    const std::string banner =
        "Korvix  rect.nc  2024-05-01 10:30  Approximate cutting time = 2 hours, 5 minutes";
    const std::vector<std::string> nc = ncStatusLines(ws.database);
    const struct {
        const char* what;
        PrintStatusBlock block;
        bool wireframe;
        std::vector<std::string> lines; // from the top down, the banner last
    } cases[] = {
        {"both status options off: only the banner", PrintStatusBlock::None, false, {banner}},
        {"NC block", PrintStatusBlock::Nc, false, {nc[0], nc[1], nc[2], nc[3], nc[4], banner}},
        {"wire-frame block without data",
         PrintStatusBlock::Wireframe,
         false,
         {" No Wire data currently loaded...", banner}},
        {"wire-frame block: three axis lines",
         PrintStatusBlock::Wireframe,
         true,
         {" (X) Min = -2.00000 Max = 2.00000 Delta = 4.00000 Center = 0.00000",
          " (Y) Min = -3.00000 Max = 3.00000 Delta = 6.00000 Center = 0.00000",
          " (Z) Min = 0.00000 Max = 1.00000 Delta = 1.00000 Center = 0.50000", banner}},
    };
    for (const auto& c : cases) {
        if (c.wireframe) {
            ASSERT_TRUE(ws.wireframe.points.createFirst());
            ws.wireframe.extents = {-2, 2, 3, -3, 0, 1}; // Y pair held negated
        } else {
            ws.wireframe.points.freeAll();
        }
        PrintJob job;
        job.statusBlock = c.block;
        job.fileName = "/home/nc/rect.nc";
        job.dateTime = "2024-05-01 10:30";
        RecordingCanvas canvas(800, 1000);
        printDrawingPage(ws, job, canvas);
        const std::vector<RecordedCall> texts = textCalls(canvas);
        ASSERT_EQ(texts.size(), c.lines.size()) << c.what;
        const int top = 1000 - static_cast<int>(c.lines.size()) * kLine;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, c.lines[i]) << c.what;
            EXPECT_EQ(texts[i].a, 1) << c.what;
            EXPECT_EQ(texts[i].b, top + static_cast<int>(i) * kLine) << c.what;
            EXPECT_EQ(texts[i].color, kBlack) << c.what;
        }
    }
}

TEST(PrintPage, TripodStandsAboveTheFootTexts) {
    Workspace ws;
    rectangle(ws);
    setStandardView(ws, StandardView::Iso1); // arms point down as well as up
    PrintJob job;
    job.statusBlock = PrintStatusBlock::Nc;
    RecordingCanvas canvas(800, 1000);
    printDrawingPage(ws, job, canvas);
    const int blockTop = 1000 - 6 * kLine;
    int tripodLetters = 0;
    for (const RecordedCall& call : canvas.calls) {
        if (call.op == "text" && (call.text == "X" || call.text == "Y" || call.text == "Z")) {
            ++tripodLetters;
            EXPECT_LE(call.b + RecordingCanvas::kCharHeight, blockTop) << call.str();
        }
    }
    EXPECT_EQ(tripodLetters, 3);
}

TEST(PrintPage, ScreenTextsLandWhereTheirDrawingPointPrints) {
    Workspace ws;
    rectangle(ws);
    ws.display.tripod = false;
    // On the 640 x 480 screen the rectangle's centre is at pixel (320, 240) and the top-left
    // corner of the screen is the drawing point (0, 25).
    ASSERT_EQ(project(ws.view, 20, 10, 0), (PixelPoint{320, 240}));
    ws.screenTexts.entries = {{320, 240, "MIDDLE"}, {0, 0, "TOP LEFT"}, {5, 5, ""}};
    ws.screenTexts.font = FontSpec{"Serif", 15, true, false, kWhite};
    PrintJob job;
    job.dotsPerPixel = 2.0;
    // A wide page, where the height decides the scale.
    RecordingCanvas canvas(1000, 400);
    printDrawingPage(ws, job, canvas);
    const std::vector<RecordedCall> texts = textCalls(canvas);
    ASSERT_EQ(texts.size(), 3u) << "the banner and two texts; the empty one draws nothing";
    const ViewState page = drawingView(ws, 1000, 400, 1);
    const PixelPoint middle = project(page, 20, 10, 0);
    EXPECT_EQ(middle, (PixelPoint{500, 186}));
    EXPECT_EQ(texts[1].str(), "text 500 186 MIDDLE");
    // (0, 25) would print above the page: it is kept a line down.
    const PixelPoint topLeft = projectedToPixel(page, 0, -25);
    ASSERT_LT(topLeft.y, kLine);
    EXPECT_EQ(texts[2].str(),
              "text " + std::to_string(topLeft.x) + " " + std::to_string(kLine) + " TOP LEFT");
    EXPECT_EQ(texts[2].color, kBlack);
    // The window's font at printer size is in force afterwards.
    EXPECT_EQ(canvas.font().family, "");
    EXPECT_EQ(canvas.font().pixelHeight, 2 * FontSpec{}.pixelHeight);
}

TEST(PrintPage, BannerNamesTheFileWithoutItsFolder) {
    EXPECT_EQ(bannerText("C:\\NC\\PART1.NC", "2024-05-01 10:30", 59.99),
              "Korvix  PART1.NC  2024-05-01 10:30  Approximate cutting time = 0 hours, 59 minutes");
    EXPECT_EQ(bannerText("", "2024-05-01 10:30", 0.5),
              "Korvix  2024-05-01 10:30  Approximate cutting time = 0 hours, 0 minutes");
}

TEST(PrintPage, SetupSheetIsASecondPage) {
    Workspace ws;
    rectangle(ws);
    const struct {
        bool setupSheet;
        bool pageStarts;
        int pages;
        int newPages;
    } cases[] = {{false, true, 1, 0}, {true, true, 2, 1}, {true, false, 1, 1}};
    for (const auto& c : cases) {
        PrintJob job;
        job.setupSheet = c.setupSheet;
        RecordingCanvas canvas(800, 1000);
        int newPages = 0;
        const int pages = printDocument(ws, job, canvas, [&] {
            ++newPages;
            return c.pageStarts;
        });
        EXPECT_EQ(pages, c.pages);
        EXPECT_EQ(newPages, c.newPages);
    }
}

} // namespace
} // namespace korvix::test
