#include "display/pointer_input.h"

namespace korvix {

RubberBand rubberBandOf(PickMode mode) {
    switch (mode) {
    case PickMode::Pan:
        return RubberBand::Line;
    case PickMode::ZoomWindow:
    case PickMode::TrimBox:
        return RubberBand::Box;
    default:
        return RubberBand::None;
    }
}

bool pointerPressed(PointerState& state, PixelPoint at, bool leftButton) {
    if (!leftButton || state.mode == PickMode::TrimPolygon)
        return false;
    state.buttonDown = true;
    state.press = at;
    state.last = at;
    return true;
}

PointerDecision pointerMoved(PointerState& state, PixelPoint at, const PointerContext& context) {
    PointerDecision decision;
    decision.mode = state.mode;
    decision.press = state.press;
    decision.previous = state.last;
    decision.to = at;
    state.lastMouse = at;
    if (!state.buttonDown)
        return decision;
    if (rubberBandOf(state.mode) != RubberBand::None) {
        decision.action = PointerAction::MoveBand;
        state.last = at;
    } else if (isDynamicMode(state.mode) && !context.measurementActive) {
        // Rotation measures from the press point; pan and zoom step from the last point,
        // which the window moves on once the step has been drawn (a step asked for while a
        // redraw runs only stops that redraw and must be asked for again).
        decision.action = PointerAction::DynamicStep;
    }
    return decision;
}

namespace {

void disarmSelection(PointerState& state) {
    state.selectionArmed = false;
    state.pendingSelectionValue = 0;
}

// After a pan, a window zoom or a dynamic view change the polygon being drawn (it stays on
// the screen and Enter still trims with it), or the running measurement, gets the mouse
// back: a measurement left without its pick would sit there taking no more points.
PickMode modeAfterViewPick(const PointerContext& context) {
    if (context.polygonActive)
        return PickMode::TrimPolygon;
    return context.measurementActive ? PickMode::Point : PickMode::None;
}

void decideDragEnd(PointerState& state, PointerDecision& decision, const PointerContext& context) {
    const PickMode mode = state.mode;
    if (mode == PickMode::TrimBox) {
        decision.action = PointerAction::TrimBox;
        state.mode = PickMode::None;
        disarmSelection(state);
        return;
    }
    if (state.selectionArmed) {
        decision.action = PointerAction::SelectionPick;
        decision.value = state.pendingSelectionValue;
        state.mode = PickMode::None;
        disarmSelection(state);
        return;
    }
    if (isDynamicMode(mode)) {
        decision.action = PointerAction::EndDynamic;
        state.mode = modeAfterViewPick(context);
        return;
    }
    if (!context.dataLoaded) {
        state.mode = PickMode::None;
        return;
    }
    switch (mode) {
    case PickMode::Point:
        decision.action = PointerAction::PointPick;
        if (!context.measurementActive)
            state.mode = PickMode::None;
        break;
    case PickMode::Pan:
        decision.action = PointerAction::Pan;
        state.mode = modeAfterViewPick(context);
        break;
    case PickMode::ZoomWindow:
        decision.action = PointerAction::ZoomWindow;
        state.mode = modeAfterViewPick(context);
        break;
    default:
        state.mode = PickMode::None;
        break;
    }
}

} // namespace

PointerDecision pointerReleased(PointerState& state, PixelPoint at, bool leftButton,
                                const PointerContext& context) {
    PointerDecision decision;
    decision.mode = state.mode;
    decision.press = state.press;
    decision.previous = state.last;
    decision.to = at;
    if (state.buttonDown) {
        state.buttonDown = false;
        decision.eraseBand = rubberBandOf(state.mode) != RubberBand::None;
        decideDragEnd(state, decision, context);
        return decision;
    }
    if (leftButton && state.mode == PickMode::TrimPolygon)
        decision.action = PointerAction::PolygonVertex;
    return decision;
}

void xorRubberBand(Canvas& canvas, PickMode mode, PixelPoint from, PixelPoint to) {
    const RubberBand band = rubberBandOf(mode);
    if (from == to || band == RubberBand::None)
        return;
    canvas.setPenColor(kRubberBandColor);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenMode(PenMode::Xor);
    if (band == RubberBand::Line) {
        canvas.moveTo(from.x, from.y);
        canvas.lineTo(to.x, to.y);
    } else {
        canvas.rectangle(from.x, from.y, to.x, to.y);
    }
    canvas.setPenMode(PenMode::Copy);
    canvas.flush();
}

bool disarmViewPick(PointerState& state) {
    if (state.buttonDown || state.selectionArmed ||
        (state.mode != PickMode::Pan && state.mode != PickMode::ZoomWindow))
        return false;
    state.mode = PickMode::None;
    return true;
}

} // namespace korvix
