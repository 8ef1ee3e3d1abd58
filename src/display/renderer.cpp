#include "display/renderer.h"

#include "model/workspace.h"

namespace korvix {
namespace {

constexpr int kOutLeft = 1;
constexpr int kOutRight = 2;
constexpr int kOutAbove = 4;
constexpr int kOutBelow = 8;

inline int outcode(const ViewState& view, PixelPoint p) {
    int code = 0;
    if (p.x < 0)
        code |= kOutLeft;
    else if (p.x > view.width)
        code |= kOutRight;
    if (p.y < 0)
        code |= kOutAbove;
    else if (p.y > view.height)
        code |= kOutBelow;
    return code;
}

// Clears the busy flag and the abort request however the redraw ends.
class RedrawGuard {
public:
    explicit RedrawGuard(RedrawControl& control) : m_control(control) {
        m_control.busy = true;
        m_control.abortRequested = false;
    }
    ~RedrawGuard() { m_control = RedrawControl{}; }
    RedrawGuard(const RedrawGuard&) = delete;
    RedrawGuard& operator=(const RedrawGuard&) = delete;

private:
    RedrawControl& m_control;
};

// The walk sets the pen for every record; passing on only the changes saves millions of
// calls on a big path.
class PenState {
public:
    explicit PenState(Canvas& canvas) : m_canvas(canvas) {}
    void color(Rgb color) {
        if (color != m_color) {
            m_canvas.setPenColor(color);
            m_color = color;
        }
    }
    void style(PenStyle style) {
        if (style != m_style) {
            m_canvas.setPenStyle(style);
            m_style = style;
        }
    }

private:
    static constexpr Rgb kUnknown = 0xFFFFFFFF; // no 0x00BBGGRR colour has a top byte
    Canvas& m_canvas;
    Rgb m_color = kUnknown;
    PenStyle m_style = PenStyle::Solid; // as fullRedraw leaves it
};

void drawSelectionMark(Canvas& canvas, PenState& pen, PixelPoint p) {
    if (!markOnCanvas(canvas, p, 5))
        return;
    pen.color(kSelectionMarkColor);
    // Solid even among dotted moves: a dotted circle this small is all but invisible.
    pen.style(PenStyle::Solid);
    canvas.ellipse(p.x - 5, p.y - 5, p.x + 5, p.y + 5);
}

void drawOptionalStopMark(Canvas& canvas, PenState& pen, PixelPoint p) {
    static constexpr PixelPoint kOctagon[] = {{10, 0},   {10, 4},   {4, 10},  {-4, 10}, {-10, 4},
                                              {-10, -4}, {-4, -10}, {4, -10}, {10, -4}, {10, 0}};
    if (markOnCanvas(canvas, p, 10)) {
        pen.color(kOptionalStopColor);
        canvas.setPenWidth(1);
        canvas.moveTo(p.x + kOctagon[0].x, p.y + kOctagon[0].y);
        for (const PixelPoint& offset : std::span(kOctagon).subspan(1))
            canvas.lineTo(p.x + offset.x, p.y + offset.y);
    }
    canvas.moveTo(p.x, p.y);
}

// The toolpath walk. Returns false when it was stopped by the abort request.
bool drawToolpath(Workspace& ws, Canvas& canvas) {
    const ViewState& view = ws.view;
    const bool reproject = view.reprojection;
    const bool hideRapids = !ws.display.rapidMoves;
    const bool showPoints = ws.display.selectedPoints;
    PenState pen(canvas);
    MoveRecord* const first = ws.database.first();
    // The position carried between records is always the last projected one.
    PixelPoint previous = reproject ? project(view, first->x, first->y, first->z)
                                    : PixelPoint{first->screenX, first->screenY};
    for (MoveRecord* r = first; r != nullptr; r = r->next) {
        if (ws.redraw.abortRequested)
            return false;
        ws.pump.pump();
        PixelPoint here;
        if (reproject) {
            here = project(view, r->x, r->y, r->z);
            r->screenX = here.x;
            r->screenY = here.y;
            if (r->kind != kKindStartPoint)
                r->visible = segmentVisible(view, previous, here) ? 1 : 0;
        } else {
            here = {r->screenX, r->screenY};
        }
        if (hideRapids && r->motion == kMotionRapid)
            r->visible = 0;

        if (r->kind != kKindStartPoint) {
            pen.color(r->color);
            if (r->selected != 0) {
                if (showPoints && endsMove(*r)) {
                    drawSelectionMark(canvas, pen, here);
                    pen.color(r->color);
                }
                pen.style(PenStyle::Dotted);
            } else {
                pen.style(PenStyle::Solid);
            }
            if (r->visible != 0) {
                const bool previousDrawn = r->prev != nullptr && r->prev->visible != 0;
                if (!previousDrawn)
                    canvas.moveTo(previous.x, previous.y);
                // The pen stands at `previous`; a line to where it stands draws nothing,
                // and arc pieces often end on the pixel they start from.
                if (here != previous)
                    canvas.lineTo(here.x, here.y);
            }
        } else {
            canvas.moveTo(here.x, here.y);
            if (r->selected != 0 && showPoints)
                drawSelectionMark(canvas, pen, here);
        }
        if (r->optionalStop != 0 && endsMove(*r))
            drawOptionalStopMark(canvas, pen, here);
        previous = here;
    }
    return true;
}

// The wire-frame walk. Returns false when it was stopped by the abort request.
bool drawWireframe(Workspace& ws, Canvas& canvas) {
    const ViewState& view = ws.view;
    const bool reproject = view.reprojection;
    WireframePoint* const first = ws.wireframe.first();
    PixelPoint previous = reproject ? project(view, first->x, first->y, first->z)
                                    : PixelPoint{first->screenX, first->screenY};
    canvas.setPenStyle(PenStyle::Solid);
    for (WireframePoint* p = first; p != nullptr; p = p->next) {
        if (ws.redraw.abortRequested)
            return false;
        ws.pump.pump();
        PixelPoint here;
        if (reproject) {
            here = project(view, p->x, p->y, p->z);
            p->screenX = here.x;
            p->screenY = here.y;
            if (p->penDown != 0)
                p->visible = segmentVisible(view, previous, here) ? 1 : 0;
        } else {
            here = {p->screenX, p->screenY};
        }
        if (p->penDown == 0) {
            canvas.moveTo(here.x, here.y);
        } else if (p->visible != 0) {
            canvas.setPenColor(p->color);
            if (p->prev == nullptr || p->prev->visible == 0)
                canvas.moveTo(previous.x, previous.y);
            canvas.lineTo(here.x, here.y);
        }
        previous = here;
    }
    return true;
}

} // namespace

bool segmentVisible(const ViewState& view, PixelPoint a, PixelPoint b) {
    // Trivial rejection only: a line that is not wholly on one side is handed to the
    // canvas, which clips it.
    return (outcode(view, a) & outcode(view, b)) == 0;
}

RedrawResult fullRedraw(Workspace& ws, Canvas& canvas) {
    // Commands run from the message pumping of a redraw must not start another one.
    if (ws.redraw.busy)
        return RedrawResult::Busy;
    RedrawGuard guard(ws.redraw);
    ++ws.redraw.drawings;
    canvas.setPenMode(PenMode::Copy);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setPenWidth(1);

    bool complete = true;
    if (ws.display.ncToolpath && ws.database.databaseAllocated() &&
        ws.database.first() != nullptr) {
        complete = drawToolpath(ws, canvas);
        drawAnimatedTool(ws, canvas);
    }
    if (ws.display.wireframe && ws.wireframe.wireframeAllocated() &&
        ws.wireframe.first() != nullptr) {
        complete = drawWireframe(ws, canvas) && complete;
        if (ws.wireframeMark.shown)
            drawWireframeMark(ws.wireframeMark, ws.view, canvas);
    }
    canvas.setPenStyle(PenStyle::Solid);
    drawTrimPolygon(ws.trimPolygon, ws.view, canvas);
    if (ws.overlays.measurement) {
        ws.overlays.measurement(canvas);
        canvas.setPenMode(PenMode::Copy);
        canvas.setPenStyle(PenStyle::Solid);
    }
    if (ws.display.tripod)
        drawTripod(ws.view, ws.display.windowFont, canvas);
    drawScreenTexts(ws.screenTexts, ws.display.windowFont, canvas);
    canvas.flush();

    // An aborted redraw leaves some positions stale, so the next one projects them all.
    if (complete)
        ws.view.reprojection = false;
    return complete ? RedrawResult::Completed : RedrawResult::Aborted;
}

} // namespace korvix
