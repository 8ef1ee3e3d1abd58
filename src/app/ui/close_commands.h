#pragma once

namespace korvix::ui {

class Tf;

void Exit1Click(Tf& window);
void CloseAllClick(Tf& window);
void CloseNcClick(Tf& window);

} // namespace korvix::ui
