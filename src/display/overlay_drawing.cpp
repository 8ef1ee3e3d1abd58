// The marks and overlays of the picture: the tool marker and outline, the animated tool,
// the wire-frame identify mark, the trimming polygon, the axis tripod and the screen texts.

#include "display/line_raster.h"
#include "display/renderer.h"
#include "model/workspace.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace korvix {
namespace {

constexpr int kToolMarkerArm = 30;
// The largest outline box drawn through a mask (32 MB): more than the biggest screens.
constexpr std::int64_t kMaxToolMaskPixels = std::int64_t{1} << 23;

} // namespace

void drawToolMarker(Canvas& canvas, const ViewState& view, int x, int y, Rgb color) {
    static constexpr double kAxes[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    if (!markOnCanvas(canvas, {x, y}, kToolMarkerArm))
        return;
    canvas.setPenColor(color);
    // Each axis is one stroke from its negative arm end through the point to its positive
    // arm end: the same six arms, and the point itself is crossed an odd number of times,
    // so it shows in XOR mode as well.
    for (const auto& axis : kAxes) {
        double ax = axis[0], ay = axis[1], az = axis[2];
        rotateForward(view, ax, ay, az);
        // Whole-pixel arm offsets keep the two arms of an axis the same length.
        const int dx = toPixel(kToolMarkerArm * ax);
        const int dy = toPixel(kToolMarkerArm * ay * view.aspect);
        canvas.moveTo(x - dx, y - dy);
        canvas.lineTo(x, y);
        canvas.lineTo(x + dx, y + dy);
    }
}

void projectToolShape(ToolShapeList& shape, const ViewState& view) {
    for (ToolShapePoint* p = shape.head(); p != nullptr; p = p->next) {
        double x = p->x, y = -static_cast<double>(p->y), z = p->z;
        rotateForward(view, x, y, z);
        p->screenX = toPixel(x * view.scale);
        p->screenY = toPixel(y * view.aspect * view.scale);
    }
}

void drawToolShape(Canvas& canvas, const ToolShapeList& shape, int x, int y, Rgb color) {
    // The copies of the profile lie on one another in many views (a ring seen edge-on runs
    // back over itself, two copies mirror each other in a side view), and in XOR every line
    // drawn twice would vanish. So the lines are first laid into a mask of the outline's
    // box on the canvas, and every pixel of the mask is drawn once, as runs along the rows.
    const auto pixelOf = [x, y](const ToolShapePoint& p) {
        return PixelPoint{toPixel(static_cast<double>(x) + p.screenX),
                          toPixel(static_cast<double>(y) + p.screenY)};
    };
    int left = std::numeric_limits<int>::max(), top = left;
    int right = std::numeric_limits<int>::min(), bottom = right;
    for (const ToolShapePoint* p = shape.head(); p != nullptr; p = p->next) {
        const PixelPoint at = pixelOf(*p);
        left = std::min(left, at.x);
        right = std::max(right, at.x);
        top = std::min(top, at.y);
        bottom = std::max(bottom, at.y);
    }
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, canvas.width() - 1);
    bottom = std::min(bottom, canvas.height() - 1);
    if (left > right || top > bottom)
        return;
    const int width = right - left + 1;
    const int height = bottom - top + 1;
    canvas.setPenColor(color);
    if (static_cast<std::int64_t>(width) * height > kMaxToolMaskPixels) {
        // A page far larger than any screen (no XOR there): the lines as they are.
        for (const ToolShapePoint* p = shape.head(); p != nullptr; p = p->next) {
            const PixelPoint at = pixelOf(*p);
            if (p->penDown != 0)
                canvas.lineTo(at.x, at.y);
            else
                canvas.moveTo(at.x, at.y);
        }
        return;
    }
    std::vector<std::uint32_t> mask(static_cast<std::size_t>(width) *
                                    static_cast<std::size_t>(height));
    LineRaster lines(PixelBuffer{mask.data(), width, height, width});
    // Mask coordinates in double: a point far off the canvas is near the int limits.
    const auto maskOf = [left, top](PixelPoint at) {
        return PixelPoint{toPixel(static_cast<double>(at.x) - left),
                          toPixel(static_cast<double>(at.y) - top)};
    };
    PixelPoint pen{};
    for (const ToolShapePoint* p = shape.head(); p != nullptr; p = p->next) {
        const PixelPoint at = maskOf(pixelOf(*p));
        if (p->penDown != 0)
            lines.line(pen.x, pen.y, at.x, at.y);
        pen = at;
    }

    for (int row = 0; row < height; ++row) {
        const std::uint32_t* pixels = mask.data() + static_cast<std::ptrdiff_t>(row) * width;
        for (int column = 0; column < width;) {
            if (pixels[column] == 0) {
                ++column;
                continue;
            }
            const int runStart = column;
            while (column < width && pixels[column] != 0)
                ++column;
            // A line covers its start pixel and stops short of its end: exactly the run.
            canvas.moveTo(left + runStart, top + row);
            canvas.lineTo(left + column, top + row);
        }
    }
}

void drawAnimatedTool(Workspace& ws, Canvas& canvas) {
    AnimationState& tool = ws.animation;
    if (!tool.toolShown || tool.record == nullptr)
        return;
    const int x = tool.record->screenX;
    const int y = tool.record->screenY;
    // The animation erases the tool where it was last drawn, so that place must follow
    // the picture.
    tool.lastX = x;
    tool.lastY = y;
    tool.hidden = outsideDrawingArea(ws.view, x, y);
    if (tool.hidden)
        return;
    // A view that is being projected anew makes the outline's offsets stale as well.
    if (ws.view.reprojection)
        tool.shapeReprojection = true;
    drawToolPicture(ws, canvas, x, y);
}

void drawToolPicture(Workspace& ws, Canvas& canvas, int x, int y) {
    AnimationState& tool = ws.animation;
    canvas.setPenMode(PenMode::Xor);
    canvas.setPenStyle(PenStyle::Solid);
    if (tool.hasShape && ws.toolShape.allocated()) {
        if (tool.shapeReprojection) {
            projectToolShape(ws.toolShape, ws.view);
            tool.shapeReprojection = false;
        }
        drawToolShape(canvas, ws.toolShape, x, y, tool.toolColor);
    } else {
        drawToolMarker(canvas, ws.view, x, y, tool.toolColor);
    }
    canvas.setPenMode(PenMode::Copy);
}

void drawWireframeMark(const WireframeMark& mark, const ViewState& view, Canvas& canvas) {
    const PixelPoint p = project(view, mark.x, mark.y, mark.z);
    canvas.setPenMode(PenMode::Xor);
    canvas.setPenStyle(PenStyle::Solid);
    drawToolMarker(canvas, view, p.x, p.y, mark.color);
    canvas.setPenMode(PenMode::Copy);
}

void drawTrimPolygon(const TrimPolygon& polygon, const ViewState& view, Canvas& canvas) {
    if (polygon.count < 2)
        return;
    const auto pixelOf = [&](int i) {
        const auto& vertex = polygon.vertices[static_cast<std::size_t>(i)];
        return PixelPoint{toPixel(vertex[0] * view.scale + view.originX),
                          toPixel(-vertex[1] * view.aspect * view.scale + view.originY)};
    };
    canvas.setPenColor(kTrimPolygonColor);
    canvas.setPenMode(PenMode::Xor);
    canvas.setPenStyle(PenStyle::Solid);
    const PixelPoint start = pixelOf(0);
    canvas.moveTo(start.x, start.y);
    for (int i = 1; i < polygon.count; ++i) {
        const PixelPoint p = pixelOf(i);
        canvas.lineTo(p.x, p.y);
    }
    if (polygon.active)
        canvas.setPenStyle(PenStyle::Dotted);
    canvas.lineTo(start.x, start.y);
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
}

void drawTripod(const ViewState& view, const FontSpec& windowFont, Canvas& canvas, Rgb color) {
    static constexpr struct {
        double x, y, z;
        const char* letter;
    } kArms[] = {{1, 0, 0, "X"}, {0, -1, 0, "Y"}, {0, 0, 1, "Z"}};
    FontSpec font = windowFont;
    font.color = color;
    canvas.setFont(font);
    canvas.setPenColor(color);
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
    const int arm = view.width / 15;
    const TextExtent x = canvas.textExtent("X");
    const int originX = arm + 2 + x.width / 2;
    const int originY = view.height - (arm + 2) - x.height / 2;
    for (const auto& axis : kArms) {
        double ax = axis.x, ay = axis.y, az = axis.z;
        rotateForward(view, ax, ay, az);
        const int endX = originX + toPixel(arm * ax);
        const int endY = originY + toPixel(arm * ay * view.aspect);
        canvas.moveTo(originX, originY);
        canvas.lineTo(endX, endY);
        const TextExtent letter = canvas.textExtent(axis.letter);
        canvas.text(endX - letter.width / 2, endY - letter.height / 2, axis.letter);
    }
}

void drawScreenTexts(const ScreenTexts& texts, const FontSpec& windowFont, Canvas& canvas) {
    if (texts.entries.empty())
        return;
    canvas.setFont(texts.font);
    for (const ScreenText& entry : texts.entries)
        if (!entry.text.empty())
            canvas.text(entry.x, entry.y, entry.text);
    FontSpec font = windowFont;
    font.color = kWhite;
    canvas.setFont(font);
}

} // namespace korvix
