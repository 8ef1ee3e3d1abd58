#include "display/cursor_readout.h"

#include "model/number_text.h"

namespace korvix {

PlaneView planeViewOf(const ViewState& view) {
    if (view.angleC != 0)
        return PlaneView::None;
    if (view.angleA == 0 && view.angleB == 0)
        return PlaneView::XY;
    if (view.angleA == 90 && view.angleB == 0)
        return PlaneView::XZ;
    if (view.angleA == 90 && view.angleB == -90)
        return PlaneView::YZ;
    return PlaneView::None;
}

std::string cursorReadout(ViewState& view, bool dataLoaded, int x, int y) {
    if (!dataLoaded)
        return {};
    const DrawingPoint p = pixelToDrawing(view, x, y);
    const PlaneView plane = planeViewOf(view);
    if (plane == PlaneView::None)
        return {};
    const char* first = plane == PlaneView::YZ ? "Y = " : "X = ";
    const char* second = plane == PlaneView::XY ? ", Y = " : ", Z = ";
    return first + fixed7(p.u, 4) + second + fixed7(p.v, 4);
}

} // namespace korvix
