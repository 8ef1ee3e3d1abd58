#pragma once

#include "model/undo_history.h"

#include <optional>
#include <string>

namespace korvix::ui {

class Tf;

// The state of the toolpath before a command changes it. Created just before the change and
// committed once the change stands; a step that is not committed (the command failed, the
// user declined its preview) leaves the history as it was.
class UndoStep {
public:
    UndoStep(Tf& window, std::string caption);
    UndoStep(const UndoStep&) = delete;
    UndoStep& operator=(const UndoStep&) = delete;

    // The change stands: it can be undone, or, when its snapshot did not fit, the status
    // bar says that it cannot.
    void commit();

private:
    Tf& m_window;
    std::string m_caption;
    std::optional<PathSnapshot> m_before;
    bool m_committed = false;
};

} // namespace korvix::ui
