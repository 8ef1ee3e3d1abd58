#pragma once

#include <functional>

namespace korvix::ui {

// Runs the window's events until `keepWaiting` turns false. Sleeps in the event loop
// between events, so a dialog waiting for its buttons costs no processor time.
void waitWhile(const std::function<bool()>& keepWaiting);

} // namespace korvix::ui
