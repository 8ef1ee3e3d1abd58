#include "ui/undo_step.h"

#include "ui/main_window.h"

namespace korvix::ui {

UndoStep::UndoStep(Tf& window, std::string caption)
    : m_window(window), m_caption(std::move(caption)) {
    Workspace& ws = window.workspace();
    m_before = ws.history.snapshotBefore(ws.database, ws.tools);
}

void UndoStep::commit() {
    if (m_committed)
        return;
    m_committed = true;
    const bool undoable = m_before.has_value();
    m_window.workspace().history.commit(m_caption, std::move(m_before));
    if (!undoable)
        m_window.setStatusText(QString::fromStdString(
            m_caption + " cannot be undone: the toolpath is larger than the memory kept for "
                        "undoing..."));
    m_window.syncUndoItems();
}

} // namespace korvix::ui
