#pragma once

namespace korvix::ui {

class Tf;

// The popup menu's view commands and the fit-source options.
void XY1Click(Tf& window);
void XZ1Click(Tf& window);
void YZ1Click(Tf& window);
void Iso1Click(Tf& window);
void ISO2Click(Tf& window);
void ISO3Click(Tf& window);
void ISO4Click(Tf& window);
void Fit1Click(Tf& window);
void In1Click(Tf& window);
void Out1Click(Tf& window);
void Redraw1Click(Tf& window);
// These arm a pick mode; the mouse does the rest.
void Pan1Click(Tf& window);
void Box2Click(Tf& window);
void DynamicPanClick(Tf& window);
void DynamicZoomClick(Tf& window);
void DynamicRotateClick(Tf& window);
void FittoNCdataClick(Tf& window);
void FittoWIREdataClick(Tf& window);

} // namespace korvix::ui
