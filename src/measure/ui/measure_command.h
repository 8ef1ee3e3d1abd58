#pragma once

namespace korvix::ui {

class Tf;

// "&Measure": opens the measurement window and arms the repeated point pick; a measurement
// already running only gets its window back and its pick armed again.
void Measure1Click(Tf& window);

// For commands about to free or rebuild the toolpath or the wire-frame: ends a running
// measurement first, so that no pick slot is left pointing at freed records.
void endMeasurement(Tf& window);

} // namespace korvix::ui
