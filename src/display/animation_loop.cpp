#include "display/animation_loop.h"

#include "display/animation_clock.h"
#include "display/animation_tool_shape.h"
#include "display/identify_cursor.h"
#include "display/renderer.h"
#include "model/number_text.h"
#include "model/workspace.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvix {
namespace {

PixelPoint pixelOf(const MoveRecord& r) {
    return {r.screenX, r.screenY};
}

bool toolpathDrawn(const Workspace& ws) {
    return ws.display.ncToolpath && ws.database.databaseAllocated();
}

// Moves the tool picture to a pixel and lets the step delay pass.
void stopAt(Workspace& ws, AnimationHost& host, PixelPoint at) {
    if (animatedToolMoveDraws(ws, at.x, at.y))
        host.draw([&](Canvas& canvas) { moveAnimatedToolTo(ws, canvas, at.x, at.y); });
    else
        placeAnimatedTool(ws, at.x, at.y);
    host.afterStep(ws.animation.stepDelayMs);
}

void slide(Workspace& ws, AnimationHost& host, PixelPoint from, PixelPoint to) {
    const SlideStops stops(from, to);
    const SlideStops::Range shown = stops.stopsOnArea(ws.view.width, ws.view.height);
    for (std::int64_t k = shown.first; k <= shown.last; ++k) {
        stopAt(ws, host, stops.at(k));
        if (animationStopRequested(ws))
            return;
    }
    stopAt(ws, host, to);
}

// The tool's outline for the record's tool, or none for the six-armed marker. After the
// first record the picture changes in place: erased with the old outline, drawn with the
// new one.
void selectTool(Workspace& ws, AnimationHost& host, const MoveRecord& record) {
    AnimationState& tool = ws.animation;
    const auto rebuild = [&] {
        const ToolEntry& entry = animationToolEntry(ws.tools, record.tool);
        tool.hasShape = buildToolShape(entry, ws.toolShape) == ToolShapeResult::Built;
        tool.shapeReprojection = true;
        tool.toolNumber = record.tool;
    };
    if (!animatedToolOnScreen(ws)) {
        rebuild();
        return;
    }
    host.draw([&](Canvas& canvas) {
        drawToolPicture(ws, canvas, tool.lastX, tool.lastY);
        rebuild();
        drawToolPicture(ws, canvas, tool.lastX, tool.lastY);
        canvas.flush();
    });
}

// Paints the move the tool is about to travel white, with the tool lifted off the picture
// meanwhile so that the XOR picture stays whole. Only moves that are drawn are painted.
void paintMove(Workspace& ws, AnimationHost& host, const MoveRecord& record) {
    if (!ws.animation.toolShown || !toolpathDrawn(ws) || record.prev == nullptr ||
        record.kind == kKindStartPoint || record.visible == 0)
        return;
    host.draw([&](Canvas& canvas) {
        const AnimationState& tool = ws.animation;
        const bool onScreen = animatedToolOnScreen(ws);
        if (onScreen)
            drawToolPicture(ws, canvas, tool.lastX, tool.lastY);
        canvas.setPenMode(PenMode::Copy);
        canvas.setPenStyle(PenStyle::Solid);
        canvas.setPenColor(kWhite);
        canvas.moveTo(record.prev->screenX, record.prev->screenY);
        canvas.lineTo(record.screenX, record.screenY);
        if (onScreen)
            drawToolPicture(ws, canvas, tool.lastX, tool.lastY);
        canvas.flush();
    });
}

void resetTool(Workspace& ws) {
    AnimationState& tool = ws.animation;
    tool.toolShown = false;
    tool.hidden = false;
    tool.record = nullptr;
    tool.lastRecord = nullptr;
    tool.hasShape = false;
    tool.toolNumber = -1;
    tool.toolColor = kWhite;
    tool.shapeReprojection = true;
    ws.toolShape.freeAll();
}

} // namespace

SlideStops::SlideStops(PixelPoint from, PixelPoint to) : m_from(from), m_to(to) {
    const double dx = static_cast<double>(to.x) - from.x;
    const double dy = static_cast<double>(to.y) - from.y;
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance > kSlideStepPixels) {
        m_ux = kSlideStepPixels * dx / distance;
        m_uy = kSlideStepPixels * dy / distance;
        // The stops short of the end; a stop that would fall on the end is the end itself.
        m_count = static_cast<std::int64_t>(std::ceil(distance / kSlideStepPixels));
    }
}

PixelPoint SlideStops::at(std::int64_t k) const {
    if (k >= m_count - 1)
        return m_to;
    const double step = static_cast<double>(k + 1);
    return {toPixel(m_from.x + step * m_ux), toPixel(m_from.y + step * m_uy)};
}

SlideStops::Range SlideStops::stopsOnArea(int width, int height) const {
    const Range none{0, -1};
    if (m_count < 2)
        return none;
    // The part [t0, t1] of the move (in steps from `from`) inside the area grown by a pixel.
    double t0 = 0;
    double t1 = static_cast<double>(m_count - 1);
    const double start[2] = {static_cast<double>(m_from.x), static_cast<double>(m_from.y)};
    const double step[2] = {m_ux, m_uy};
    const double high[2] = {width + 1.0, height + 1.0};
    for (int axis = 0; axis < 2; ++axis) {
        const double low = -1.0;
        if (step[axis] == 0) {
            if (start[axis] < low || start[axis] > high[axis])
                return none;
            continue;
        }
        double enter = (low - start[axis]) / step[axis];
        double leave = (high[axis] - start[axis]) / step[axis];
        if (enter > leave)
            std::swap(enter, leave);
        t0 = std::max(t0, enter);
        t1 = std::min(t1, leave);
    }
    if (t0 > t1)
        return none;
    // Stop k lies k + 1 steps along the move.
    const auto first = static_cast<std::int64_t>(std::ceil(t0)) - 1;
    const auto last = static_cast<std::int64_t>(std::floor(t1)) - 1;
    return {std::max<std::int64_t>(first, 0), std::min(last, m_count - 2)};
}

std::string blockInfoText(const MoveRecord& record) {
    std::string text = "N" + std::to_string(record.blockNumber) + " G0" +
                       std::to_string(record.motion) + " X" + fixed7(record.x, 5) + " Y" +
                       fixed7(record.y, 5) + " Z" + fixed7(record.z, 5);
    if (record.motion != kMotionRapid)
        text += " F" + fixed7(record.feed, 2);
    return text;
}

std::string AnimationStatus::text() const {
    const std::string elapsed = "Elapsed " + elapsedClockText(clock.minutes()) + " at 100% feed";
    if (!blockInfo || record == nullptr)
        return " " + elapsed;
    return blockInfoText(*record) + "   " + elapsed;
}

bool animationStopRequested(const Workspace& ws) {
    return ws.animation.stopRequested || ws.redraw.abortRequested;
}

void runAnimation(Workspace& ws, MoveRecord& start, AnimationHost& host) {
    AnimationState& tool = ws.animation;
    ws.redraw.abortRequested = false;
    tool.stopRequested = false;
    resetTool(ws);
    // After an interrupted redraw the cached positions belong to no picture on the screen.
    if (ws.view.reprojection)
        host.draw([&](Canvas& canvas) {
            canvas.erase();
            fullRedraw(ws, canvas);
        });

    AnimationStatus status;
    MachiningClock& clock = status.clock;
    clock.startAt(*ws.database.first(), start);
    MoveRecord* record = &start;
    for (bool first = true; record->next != nullptr && !animationStopRequested(ws); first = false) {
        if (!first) {
            record = record->next;
            clock.advanceTo(*record);
        }
        const AnimationOptions options = host.options();
        if (!first && options.paintPath)
            paintMove(ws, host, *record);
        if (first || record->tool != tool.toolNumber)
            selectTool(ws, host, *record);
        status.record = record;
        status.blockInfo = options.blockInfo;
        host.showStatus(status);
        tool.record = record;
        ws.programText.showMove(*record);
        if (!first && record->kind == kKindStraight)
            slide(ws, host, pixelOf(*tool.lastRecord), pixelOf(*record));
        else
            stopAt(ws, host, pixelOf(*record));
        tool.lastRecord = record;
    }

    host.draw([&](Canvas& canvas) { eraseAnimatedTool(ws, canvas); });
    tool.lastRecord = nullptr;
    tool.hasShape = false;
    ws.toolShape.freeAll();
}

} // namespace korvix
