#pragma once

#include "display/view_transform.h"
#include "model/view_state.h"

namespace korvix::test {

// A view with all angles 0, scale s and origin (ox, oy) on a W x H drawing area.
inline void setPlainView(ViewState& view, double s, double ox, double oy, int w = 640,
                         int h = 480) {
    setAngles(view, 0, 0, 0);
    view.scale = s;
    view.originX = ox;
    view.originY = oy;
    view.width = w;
    view.height = h;
    view.reprojection = true;
}

} // namespace korvix::test
