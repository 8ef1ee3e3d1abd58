#pragma once

namespace korvix::ui {

class Tf;

// File → "Save &TBF": asks for a file name and writes the toolpath as a TBF binary point
// file, exploding its arcs first (the explosion stays).
void SaveTBFfile1Click(Tf& window);

// File → "Save &Apt": lets the user check the tool dimensions, asks for a file name and
// writes the toolpath as an APT cutter-location text, exploding its arcs first.
void SaveAptfile1Click(Tf& window);

} // namespace korvix::ui
