#pragma once

#include "display/view_transform.h"

#include <cstdint>
#include <string>

namespace korvix {

// The views in which drawing units are two model coordinates.
enum class PlaneView : std::uint8_t { None, XY, XZ, YZ };

// XY: all angles 0; XZ: A = 90, B = 0, C = 0; YZ: A = 90, B = -90, C = 0. Angles are
// compared exactly, as the rotation keys reach them in exact steps.
PlaneView planeViewOf(const ViewState& view);

// The first status panel for the cursor at pixel (x, y): "X = u, Y = v" in the XY view,
// "X = u, Z = v" in XZ and "Y = u, Z = v" in YZ, 4 decimals; empty in any other view or
// when no data is loaded. Maps the pixel (the view keeps the mapped point).
std::string cursorReadout(ViewState& view, bool dataLoaded, int x, int y);

} // namespace korvix
