// The marks and overlays of the picture: the tool marker and outline, the animated tool,
// the wire-frame identify mark, the trimming polygon, the axis tripod and the screen texts.

#include "model/workspace.h"
#include "display/renderer.h"

namespace korvix {
namespace {

constexpr int kToolMarkerArm = 30;

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
    canvas.setPenColor(color);
    for (const ToolShapePoint* p = shape.head(); p != nullptr; p = p->next) {
        const int px = toPixel(static_cast<double>(x) + p->screenX);
        const int py = toPixel(static_cast<double>(y) + p->screenY);
        if (p->penDown != 0)
            canvas.lineTo(px, py);
        else
            canvas.moveTo(px, py);
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
