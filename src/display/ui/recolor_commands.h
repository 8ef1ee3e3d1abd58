#pragma once

namespace korvix::ui {

class Tf;

// Options → "Modify COLORS by FEED rate" / "by TOOL number".
void ModifyCOLORSbyFEEDrate1Click(Tf& window);
void ModifyCOLORSbyTOOLnumber1Click(Tf& window);

} // namespace korvix::ui
