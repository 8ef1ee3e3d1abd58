#pragma once

namespace korvix::ui {

class Tf;

// The Display menu's options and the two animation options that only toggle.
void DisplayNCdata1Click(Tf& window);
void DisplayRAPIDmovesClick(Tf& window);
void DisplayTETRAhead1Click(Tf& window);
void DisplayPOINTSduringeditting1Click(Tf& window);
void DisplayWIREdata1Click(Tf& window);
void DisplayBlockInfoDuringAnimationClick(Tf& window);
void ModifyCOLORSduringanimation1Click(Tf& window);

} // namespace korvix::ui
