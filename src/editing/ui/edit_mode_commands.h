#pragma once

namespace korvix::ui {

class Tf;

// Edit mode: "Modify &Portion" swaps the main menu for the edit menu and shows the
// selection toolbar; the edit menu's "E&xit" swaps back. Neither touches the selection.
void Modifyportion1Click(Tf& window);
void Exit2Click(Tf& window);

// The selection toolbar's buttons. The three picks arm the mouse (the pick runs at the next
// drag's release); the others act at once on the loaded path.
void IndividualSelectionSpeedButtonClick(Tf& window);
void BoxSelectionSpeedButtonClick(Tf& window);
void LineSelectionSpeedButtonClick(Tf& window);
void AllSelectionSpeedButtonClick(Tf& window);
void SpeedButton1Click(Tf& window); // "T#"
void DestinationPointSpeedButtonClick(Tf& window);
void BothPointsSpeedButtonClick(Tf& window);
void SelectUpToFPSpeedButtonClick(Tf& window);  // "1"
void SelectAfterFPSpeedButtonClick(Tf& window); // "2"
void AddSelectionSpeedButtonClick(Tf& window);
void SubtractSelectionSpeedButtonClick(Tf& window);

} // namespace korvix::ui
