#pragma once

namespace korvix::ui {

class Tf;

// Edit → "&Fit arcs": asks for the fitting parameters, replaces point-to-point runs by arcs
// and shows the result.
void Fitarcs1Click(Tf& window);

} // namespace korvix::ui
