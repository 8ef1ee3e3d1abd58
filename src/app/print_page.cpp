#include "app/print_page.h"

#include "app/screen_text.h"
#include "app/setup_sheet.h"
#include "display/renderer.h"
#include "display/status_text.h"
#include "display/view_transform.h"
#include "model/workspace.h"

#include <algorithm>
#include <cmath>

namespace korvix {
namespace {

// A point of the page before it is truncated to a pixel.
struct PagePoint {
    double x = 0, y = 0;
};

PagePoint projectOnPage(const ViewState& page, double x, double y, double z) {
    double px = x, py = -y, pz = z;
    rotateForward(page, px, py, pz);
    return {px * page.scale + page.originX, py * page.aspect * page.scale + page.originY};
}

// Liang-Barsky: cuts the segment to the box; false when nothing of it is inside.
bool clipToBox(PagePoint& a, PagePoint& b, double left, double top, double right, double bottom) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(dx) || !std::isfinite(dy))
        return false;
    double t0 = 0, t1 = 1;
    const auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        const double r = q / p;
        if (p < 0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!edge(-dx, a.x - left) || !edge(dx, right - a.x) || !edge(-dy, a.y - top) ||
        !edge(dy, bottom - a.y))
        return false;
    const PagePoint start{a.x + t0 * dx, a.y + t0 * dy};
    b = {a.x + t1 * dx, a.y + t1 * dy};
    a = start;
    return true;
}

// White moves are the default on the black screen; on paper they would vanish.
Rgb printColor(Rgb color) {
    return color == kWhite ? kBlack : color;
}

// Draws the segments of a walk in the drawing's part of the page (width x height). Moves run
// off the page when the view is zoomed in; they are cut a little outside it, so that a point
// far away never reaches the printer as a coordinate it cannot hold, and right at the foot
// of the drawing, where the texts of the page begin.
class PagePen {
public:
    PagePen(Canvas& canvas, int width, int height)
        : m_canvas(canvas), m_left(-kMargin), m_top(-kMargin), m_right(width + kMargin),
          m_bottom(height) {}

    void color(Rgb color) {
        if (color != m_color) {
            m_canvas.setPenColor(printColor(color));
            m_color = color;
        }
    }
    void line(PagePoint from, PagePoint to) {
        if (!clipToBox(from, to, m_left, m_top, m_right, m_bottom))
            return;
        const PixelPoint a{toPixel(from.x), toPixel(from.y)};
        const PixelPoint b{toPixel(to.x), toPixel(to.y)};
        if (a == b)
            return; // a point on the page, as a plunge in the XY view: nothing to draw
        if (!m_placed || m_at != a)
            m_canvas.moveTo(a.x, a.y);
        m_canvas.lineTo(b.x, b.y);
        m_at = b;
        m_placed = true;
    }

private:
    static constexpr double kMargin = 16;
    static constexpr Rgb kNoColor = 0xFFFFFFFF;
    Canvas& m_canvas;
    double m_left, m_top, m_right, m_bottom;
    Rgb m_color = kNoColor;
    PixelPoint m_at;
    bool m_placed = false;
};

void printToolpath(const GraphicsDatabase& database, const ViewState& page, PagePen& pen,
                   MessagePump& pump) {
    const MoveRecord* first = database.first();
    if (first == nullptr || first->next == nullptr)
        return;
    PagePoint previous = projectOnPage(page, first->x, first->y, first->z);
    for (const MoveRecord* r = first->next; r != nullptr; r = r->next) {
        pump.pump();
        const PagePoint here = projectOnPage(page, r->x, r->y, r->z);
        if (r->kind != kKindStartPoint) {
            pen.color(r->color);
            pen.line(previous, here);
        }
        previous = here;
    }
}

void printWireframe(const WireframeStore& wireframe, const ViewState& page, PagePen& pen,
                    MessagePump& pump) {
    const WireframePoint* first = wireframe.first();
    if (first == nullptr || first->next == nullptr)
        return;
    PagePoint previous = projectOnPage(page, first->x, first->y, first->z);
    for (const WireframePoint* p = first->next; p != nullptr; p = p->next) {
        pump.pump();
        const PagePoint here = projectOnPage(page, p->x, p->y, p->z);
        if (p->penDown != 0) {
            pen.color(p->color);
            pen.line(previous, here);
        }
        previous = here;
    }
}

void printScreenTexts(const Workspace& ws, const ViewState& page, const PrintJob& job,
                      int lineHeight, Canvas& canvas) {
    canvas.setFont(printerFont(ws.screenTexts.font, job.dotsPerPixel));
    for (const ScreenText& entry : ws.screenTexts.entries) {
        if (entry.text.empty())
            continue;
        const PixelPoint at = screenPixelOnPage(ws.view, page, {entry.x, entry.y});
        canvas.text(std::max(at.x, 1), std::max(at.y, lineHeight), entry.text);
    }
}

} // namespace

ViewState printerView(const ViewState& screen, int pageWidth, int pageHeight) {
    ViewState page = screen;
    page.width = pageWidth;
    page.height = pageHeight;
    const WindowBox& box = screen.windowBox;
    fitToRectangle(page, box.xmin, box.ymin, box.xmax, box.ymax);
    return page;
}

PixelPoint screenPixelOnPage(const ViewState& screen, const ViewState& page, PixelPoint pixel) {
    ViewState mapping = screen; // the mapping notes its last result in the view
    const DrawingPoint drawing = pixelToDrawing(mapping, pixel.x, pixel.y);
    return projectedToPixel(page, drawing.u, -drawing.v);
}

FontSpec printerFont(const FontSpec& font, double dotsPerPixel) {
    FontSpec scaled = font;
    scaled.pixelHeight =
        std::max(1, static_cast<int>(std::lround(font.pixelHeight * std::max(dotsPerPixel, 0.0))));
    scaled.color = kBlack;
    scaled.opaque = false;
    return scaled;
}

int printLineHeight(Canvas& canvas) {
    return canvas.textExtent("M").height + 5;
}

int printPenWidth(double dotsPerPixel) {
    // 0.2 mm at 96 screen pixels per inch is 0.756 screen pixels.
    return std::max(1, static_cast<int>(std::lround(dotsPerPixel * 0.756)));
}

std::string bannerText(std::string_view fileName, std::string_view dateTime, double cuttingTime) {
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::string_view name =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    const HoursMinutes time = cuttingTimeHoursMinutes(cuttingTime);
    std::string banner = "Korvix";
    for (const std::string_view part : {name, dateTime})
        if (!part.empty()) {
            banner += "  ";
            banner += part;
        }
    banner += "  Approximate cutting time = " + std::to_string(time.hours) + " hours, " +
              std::to_string(time.minutes) + " minutes";
    return banner;
}

std::vector<std::string> printStatusLines(const Workspace& ws, PrintStatusBlock block) {
    switch (block) {
    case PrintStatusBlock::Nc:
        return statusWindowLines(ws, false);
    case PrintStatusBlock::Wireframe:
        // The page shows the three axis lines without the block's heading.
        if (wireframeDataLoaded(ws))
            return extentsStatusLines(ws.wireframe.extents);
        return statusWindowLines(ws, true);
    case PrintStatusBlock::None:
        break;
    }
    return {};
}

void printDrawingPage(Workspace& ws, const PrintJob& job, Canvas& canvas) {
    const int pageWidth = canvas.width();
    const int pageHeight = canvas.height();
    // The foot of the page, from the bottom up: the banner and the status block above it.
    // The drawing gets the page above them, so that no move runs through their lines (on the
    // screen the status window has a place of its own, below the drawing).
    const FontSpec font = printerFont(ws.display.windowFont, job.dotsPerPixel);
    canvas.setFont(font);
    const int lineHeight = printLineHeight(canvas);
    const std::vector<std::string> status = printStatusLines(ws, job.statusBlock);
    const int blockTop = pageHeight - static_cast<int>(status.size() + 1) * lineHeight;
    const int drawingHeight = std::max(1, blockTop - lineHeight / 2);
    const ViewState page = printerView(ws.view, pageWidth, drawingHeight);

    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(printPenWidth(job.dotsPerPixel));
    {
        PagePen pen(canvas, pageWidth, drawingHeight);
        if (ncDataLoaded(ws))
            printToolpath(ws.database, page, pen, ws.pump);
        if (ws.display.wireframe && wireframeDataLoaded(ws))
            printWireframe(ws.wireframe, page, pen, ws.pump);
    }
    // The tripod in the bottom-left corner of the drawing, as on the screen.
    if (ws.display.tripod) {
        drawTripod(page, font, canvas, kBlack);
        canvas.setFont(font);
    }
    int y = blockTop;
    for (const std::string& line : status) {
        canvas.text(1, y, line);
        y += lineHeight;
    }
    canvas.text(1, pageHeight - lineHeight,
                bannerText(job.fileName, job.dateTime, ws.database.status.cuttingTime));

    if (!ws.screenTexts.entries.empty()) {
        printScreenTexts(ws, page, job, lineHeight, canvas);
        canvas.setFont(font);
    }
    canvas.flush();
}

int printDocument(Workspace& ws, const PrintJob& job, Canvas& canvas,
                  const std::function<bool()>& newPage) {
    printDrawingPage(ws, job, canvas);
    if (!job.setupSheet || !newPage())
        return 1;
    return 1 + printSetupSheet(ws, job, canvas, newPage);
}

} // namespace korvix
