#include "app/print_page.h"
#include "app/screen_text.h"
#include "app/ui/print_command.h"
#include "display/ui/window_input.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "pdf_raster.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace korvix::test {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Opens the rectangle of tests/data under another name, drawn in `color`.
void openRectangleAs(ui::Tf& window, const QTemporaryDir& dir, const QString& name,
                     unsigned color) {
    const QString path = dir.filePath(name);
    QFile::remove(path);
    ASSERT_TRUE(QFile::copy(QString(KORVIX_TEST_DATA_DIR) + "/render_rectangle.nc", path));
    acceptColor(color);
    acceptRadiusType(true);
    ui::openNamedFile(window, path);
}

// The box around the white pixels of the picture above the tripod's corner.
QRect whiteBox(ui::Tf& window) {
    const QImage& image = window.drawingArea().image();
    QRect box;
    for (int y = 0; y < image.height() - 130; ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

void pressEscapeIn(QWidget& widget) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&widget, &escape);
}

// Text mode on, the mouse to `at`, the space bar: the entry field opens there.
void startText(ui::Tf& window, PixelPoint at) {
    window.action("AddText1")->trigger();
    mouseMove(window, at);
    pressKey(window, Qt::Key_Space, Qt::NoModifier, " ");
}

TEST(ScreenTextWindow, FirstTextIsTheFileNameAndKeepsItsPixelWhenZoomed) {
    auto window = makeWindow();
    QTemporaryDir dir;
    // Green moves, so that the only white above the tripod is the text.
    openRectangleAs(*window, dir, "part1.nc", 0x00FF00);
    window->action("AddText1")->trigger();
    EXPECT_TRUE(window->isChecked("AddText1"));
    EXPECT_EQ(window->statusText(), toQString(kAddTextStatus));

    mouseMove(*window, {100, 50});
    EXPECT_TRUE(pressKey(*window, Qt::Key_Space, Qt::NoModifier, " "));
    QLineEdit& entry = window->textEntry();
    EXPECT_TRUE(entry.isVisible());
    EXPECT_EQ(entry.text(), "PART1.NC");
    EXPECT_EQ(entry.pos(), QPoint(100, 50));
    EXPECT_EQ(entry.width(), window->workspace().view.width - 100);
    EXPECT_EQ(window->statusText(), toQString(kTextEntryStatus));

    pressEscapeIn(entry);
    EXPECT_FALSE(entry.isVisible());
    EXPECT_EQ(window->statusText(), "");
    EXPECT_FALSE(window->isChecked("AddText1"));
    const ScreenTexts& texts = window->workspace().screenTexts;
    ASSERT_EQ(texts.entries.size(), 1u);
    EXPECT_EQ(texts.entries[0].x, 100);
    EXPECT_EQ(texts.entries[0].y, 50);
    EXPECT_EQ(texts.entries[0].text, "PART1.NC");
    const QRect drawn = whiteBox(*window);
    ASSERT_FALSE(drawn.isEmpty()) << "the text is drawn";
    EXPECT_GE(drawn.left(), 100);
    EXPECT_LE(drawn.left(), 106);
    EXPECT_GE(drawn.top(), 50);
    EXPECT_LE(drawn.top(), 60);

    window->action("In1")->trigger();
    EXPECT_EQ(whiteBox(*window), drawn) << "texts belong to the screen, not the model";
    EXPECT_EQ(texts.entries[0].x, 100);
    EXPECT_EQ(texts.entries[0].y, 50);

    // The second text starts empty.
    startText(*window, {200, 120});
    EXPECT_EQ(entry.text(), "");
    pressEscapeIn(entry);
    EXPECT_EQ(texts.entries.size(), 2u);
}

TEST(ScreenTextWindow, AddTwiceLeavesAnEmptyEntryThatDrawsNothing) {
    auto window = makeWindow();
    QTemporaryDir dir;
    openRectangleAs(*window, dir, "rect.nc", 0xFFFFFF);
    window->action("Redraw1")->trigger();
    const QImage before = window->drawingArea().image().copy();
    window->action("AddText1")->trigger();
    window->action("AddText1")->trigger();
    EXPECT_FALSE(window->isChecked("AddText1"));
    const ScreenTexts& texts = window->workspace().screenTexts;
    ASSERT_EQ(texts.entries.size(), 1u);
    EXPECT_EQ(texts.entries[0].text, "");
    window->action("Redraw1")->trigger();
    EXPECT_EQ(window->drawingArea().image(), before);
    // Keys are view keys again: "z" zooms in.
    const double scale = window->workspace().view.scale;
    pressKey(*window, Qt::Key_Z, Qt::NoModifier, "z");
    EXPECT_GT(window->workspace().view.scale, scale);
}

TEST(ScreenTextWindow, TheHundredAndFirstTextIsRefused) {
    auto window = makeWindow();
    window->workspace().screenTexts.entries.resize(100);
    const auto message = captureMessageBox();
    window->action("AddText1")->trigger();
    EXPECT_EQ(*message, toQString(kTooManyTextsMessage));
    EXPECT_FALSE(window->isChecked("AddText1"));
    EXPECT_EQ(window->workspace().screenTexts.entries.size(), 100u);

    // Clear makes room again.
    window->action("Clear1")->trigger();
    EXPECT_TRUE(window->workspace().screenTexts.entries.empty());
    window->action("AddText1")->trigger();
    EXPECT_TRUE(window->isChecked("AddText1"));
}

TEST(ScreenTextWindow, ClearRemovesTheTextsFromThePicture) {
    auto window = makeWindow();
    QTemporaryDir dir;
    openRectangleAs(*window, dir, "rect.nc", 0x00FF00);
    startText(*window, {150, 60});
    window->textEntry().setText("OP 10");
    pressEscapeIn(window->textEntry());
    ASSERT_FALSE(whiteBox(*window).isEmpty());
    startText(*window, {150, 90});
    window->action("Clear1")->trigger();
    EXPECT_TRUE(window->workspace().screenTexts.entries.empty());
    EXPECT_FALSE(window->textEntry().isVisible());
    EXPECT_FALSE(window->isChecked("AddText1"));
    EXPECT_TRUE(whiteBox(*window).isEmpty());
}

TEST(ScreenTextWindow, TheChosenFontIsTakenWhenATextIsFinished) {
    auto window = makeWindow();
    QFont chosen("DejaVu Serif");
    chosen.setPointSize(24);
    answerNextModal([chosen](QWidget* widget) {
        if (auto* dialog = qobject_cast<QFontDialog*>(widget)) {
            dialog->setCurrentFont(chosen);
            dialog->accept();
        }
    });
    window->action("Font1")->trigger();
    QLineEdit& entry = window->textEntry();
    EXPECT_EQ(entry.font().pointSize(), 24);
    startText(*window, {50, 50});
    entry.setText("BIG");
    pressEscapeIn(entry);
    const FontSpec& font = window->workspace().screenTexts.font;
    EXPECT_EQ(font.family, entry.font().family().toStdString());
    EXPECT_EQ(font.pixelHeight, QFontInfo(entry.font()).pixelSize());
    EXPECT_FALSE(font.bold);
}

// Answers the next print dialog as a user printing to a PDF file: "Print to File (PDF)" with
// the file name typed into its field. `checkWhileOpen` runs while the dialog shows.
void answerPrintToPdf(const QString& file, std::function<void()> checkWhileOpen = {}) {
    answerNextModal([file, checkWhileOpen](QWidget* widget) {
        if (checkWhileOpen)
            checkWhileOpen();
        auto* dialog = dynamic_cast<ui::PrintDialog1*>(widget);
        if (dialog == nullptr)
            return;
        if (auto* printers = dialog->findChild<QComboBox*>("printers")) {
            const int toFile = printers->findText("Print to File (PDF)");
            if (toFile >= 0)
                printers->setCurrentIndex(toFile);
        }
        if (auto* name = dialog->findChild<QLineEdit*>("filename"))
            name->setText(file);
        dialog->accept();
    });
}

// Prints through the print dialog to a PDF file.
void printToPdf(ui::Tf& window, const QString& file, std::function<void()> checkWhileOpen = {}) {
    answerPrintToPdf(file, std::move(checkWhileOpen));
    window.action("Print1")->trigger();
}

TEST(PrintWindow, AZoomedViewPrintsItsWindowBlackOnWhite) {
    if (!canRasterisePdf())
        GTEST_SKIP() << "built without Qt's PDF module: printed pages cannot be looked at";
    auto window = makeWindow();
    QTemporaryDir dir;
    openRectangleAs(*window, dir, "rect.nc", 0xFFFFFF);
    window->action("In1")->trigger();
    bool menusLocked = false;
    const QString file = dir.filePath("page.pdf");
    printToPdf(*window, file, [&] {
        menusLocked = !window->action("File1")->isEnabled() &&
                      !window->action("Text1")->isEnabled() &&
                      !window->action("Options1")->isEnabled();
    });
    EXPECT_TRUE(menusLocked);
    EXPECT_EQ(window->statusText(), toQString(kPrintDoneStatus));
    EXPECT_TRUE(window->action("File1")->isEnabled()) << "the menus come back";
    EXPECT_TRUE(window->action("Text1")->isEnabled());

    const std::vector<QImage> pages = rasterisePdf(file, 1.0);
    ASSERT_EQ(pages.size(), 1u);
    const QImage& page = pages[0];
    EXPECT_TRUE(isPaper(page.pixel(2, 2)));
    // The rapid at Y10 runs through the middle of the window from one side of the page to the
    // other, in red.
    int rapidRow = -1;
    for (int y = 0; y < page.height() && rapidRow < 0; ++y)
        if (isRedInk(page.pixel(page.width() / 2, y)))
            rapidRow = y;
    ASSERT_GE(rapidRow, 0);
    int redLeft = page.width(), redRight = -1;
    for (int x = 0; x < page.width(); ++x)
        if (isRedInk(page.pixel(x, rapidRow + 1)) || isRedInk(page.pixel(x, rapidRow))) {
            redLeft = std::min(redLeft, x);
            redRight = std::max(redRight, x);
        }
    // The white top and bottom edges print black; zoomed in by 0.75 the window shows 30 of the
    // rectangle's 40 units across, so its 20 units of height are two thirds of the width.
    const int middle = page.width() / 2;
    const auto edges = inkBands(page, middle, middle + 1, 0, page.height() * 4 / 5);
    ASSERT_EQ(edges.size(), 2u);
    const double ratio =
        static_cast<double>(edges[1].first - edges[0].first) / (redRight - redLeft);
    EXPECT_NEAR(ratio, 2.0 / 3.0, 0.03);
    // The sides of the rectangle lie outside the window: between the edges nothing is black.
    const int between = (edges[0].second + rapidRow) / 2;
    for (int x = 0; x < page.width(); ++x)
        ASSERT_FALSE(isBlackInk(page.pixel(x, between))) << "at x " << x;
}

TEST(PrintWindow, CancelOrASetupSheet) {
    auto window = makeWindow();
    QTemporaryDir dir;
    openRectangleAs(*window, dir, "rect.nc", 0xFFFFFF);
    answerNextModal([](QWidget* widget) {
        if (auto* dialog = qobject_cast<QDialog*>(widget))
            dialog->reject();
    });
    window->action("Print1")->trigger();
    EXPECT_EQ(window->statusText(), toQString(kPrintCanceledStatus));
    EXPECT_TRUE(window->action("File1")->isEnabled());

    // A printer that cannot be started is no success.
    answerPrintToPdf(dir.filePath("no/such/folder/page.pdf"));
    const auto message = captureMessageBox();
    window->action("Print1")->trigger();
    EXPECT_TRUE(message->contains("could not be started")) << message->toStdString();
    EXPECT_EQ(window->statusText(), toQString(kPrintCanceledStatus));
    EXPECT_TRUE(window->action("File1")->isEnabled());

    if (!canRasterisePdf())
        return;
    ui::PrintDialog1::of(*window).setupSheetCheckBox().setChecked(true);
    const QString file = dir.filePath("sheet.pdf");
    printToPdf(*window, file);
    EXPECT_EQ(rasterisePdf(file, 0.5).size(), 2u);
    EXPECT_TRUE(ui::PrintDialog1::of(*window).setupSheetCheckBox().isChecked())
        << "the choice stays for the next print";
}

} // namespace
} // namespace korvix::test
