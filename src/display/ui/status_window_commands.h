#pragma once

namespace korvix::ui {

class Tf;

// The two status-window options: at most one is checked; the list shows while one is.
void DisplayNcSTATUSwindow1Click(Tf& window);
void DisplayWIRESTATUSwindow1Click(Tf& window);

// Refills the status list box from the loaded data.
void refillStatusListBox(Tf& window);

} // namespace korvix::ui
