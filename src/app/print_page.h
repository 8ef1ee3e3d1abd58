#pragma once

#include "model/canvas.h"
#include "model/view_state.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

struct Workspace;

inline constexpr std::string_view kSelectPrinterStatus = "Please select desired printer...";
inline constexpr std::string_view kPrintCanceledStatus = "Print command canceled...";
inline constexpr std::string_view kPrintSendingStatus = "Sending screen image to printer...";
inline constexpr std::string_view kPrintDoneStatus = "Done sending screen image to printer...";

// Which status block goes onto the page: the one of the status window that is switched on.
enum class PrintStatusBlock : std::uint8_t { None, Nc, Wireframe };

// What the printout shows besides the model and the view.
struct PrintJob {
    PrintStatusBlock statusBlock = PrintStatusBlock::None;
    bool setupSheet = false; // a second page with the tools and the program's extents
    std::string fileName;    // the last file read, named in the banner
    std::string dateTime;    // the local date and time, as the banner shows them
    // Printer pixels per screen pixel: fonts, which are sized in screen pixels, and the pen
    // grow by this much, so that the page reads like the screen.
    double dotsPerPixel = 1.0;
};

// The screen's view moved onto a page of pageWidth x pageHeight printer pixels: the same
// angles and aspect, with the window box fitted to the page as the screen fit does.
ViewState printerView(const ViewState& screen, int pageWidth, int pageHeight);

// Where a pixel of the screen lands on the page: through the drawing units of the screen
// view, then through the page's view. Truncated towards zero.
PixelPoint screenPixelOnPage(const ViewState& screen, const ViewState& page, PixelPoint pixel);

// A screen font at printer size, in black.
FontSpec printerFont(const FontSpec& font, double dotsPerPixel);
// The height of "M" in the canvas's current font, plus 5 printer pixels.
int printLineHeight(Canvas& canvas);
// Lines about 0.2 mm wide whatever the printer's resolution.
int printPenWidth(double dotsPerPixel);

// "Korvix  FILE  DATE TIME  Approximate cutting time = H hours, M minutes"; FILE is the
// name without its folder, and empty parts are left out.
std::string bannerText(std::string_view fileName, std::string_view dateTime, double cuttingTime);

// The lines of the chosen status block: the NC block (five lines) or the three axis lines of
// the wire-frame, or the one line that says there is no such data; none for None.
std::vector<std::string> printStatusLines(const Workspace& ws, PrintStatusBlock block);

// The drawing page: the whole toolpath in its colours (white printed black, rapids included,
// whatever the Display options say), the wire-frame when it is displayed, the axis tripod,
// the status block, the banner at the foot and the screen texts, on the canvas (a page of
// canvas.width() x canvas.height() printer pixels, already white). The view is fitted with
// printerView to the page above the status block and the banner, half a line clear of them.
void printDrawingPage(Workspace& ws, const PrintJob& job, Canvas& canvas);

// Every page of the job: the drawing, then the setup sheet when asked for. `newPage` ends
// the page and starts a fresh white one; when it fails the document ends there. Returns the
// number of pages printed.
int printDocument(Workspace& ws, const PrintJob& job, Canvas& canvas,
                  const std::function<bool()>& newPage);

} // namespace korvix
