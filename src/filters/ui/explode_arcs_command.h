#pragma once

#include <optional>

namespace korvix::ui {

class Tf;

// Edit → "&Explode arcs": asks for the chordal tolerance and turns every arc into straight
// moves.
void Explodearcs1Click(Tf& window);

// Shows the "Arc exploding tolerance" form and checks its text. The tolerance, or nothing
// when the user cancelled or the text cannot be used (the reason has then been shown in a
// message box). Used by the commands whose files carry no arcs, too.
std::optional<double> askExplodeTolerance(Tf& window);

} // namespace korvix::ui
