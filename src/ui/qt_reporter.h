#pragma once

#include "model/reporter.h"

namespace korvix::ui {

class Tf;

// Status texts go to the second panel of the window's status bar, everything else to
// message boxes (OK, or Yes and No without an icon for questions).
class QtReporter : public Reporter {
public:
    explicit QtReporter(Tf& window) : m_window(window) {}

    void status(std::string_view text) override;
    void information(std::string_view text) override;
    void warning(std::string_view text) override;
    void error(std::string_view text) override;
    bool confirm(std::string_view text) override;

private:
    Tf& m_window;
};

} // namespace korvix::ui
