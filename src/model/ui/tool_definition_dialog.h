#pragma once

#include "model/tool_definitions.h"

#include <QDialog>
#include <array>
#include <cstdint>

class QLineEdit;
class QPushButton;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

class Tf;

// "Tool Definition(s)": the tool table entry by entry (entry 0 included), each field stored
// when the user leaves it. Closing renumbers the moves of every tool whose number changed.
class ToolDefinitionDialog : public QDialog {
public:
    // The window's one instance, created at the first call.
    static ToolDefinitionDialog& of(Tf& window);
    ToolDefinitionDialog(ToolTable& tools, GraphicsDatabase& database, Reporter& reporter,
                         QWidget* parent = nullptr);

    int currentEntry() const { return m_current; }
    QLineEdit& fieldEdit(ToolField field) const;

    // Every way of closing stores the field being edited first; a value that cannot be
    // stored keeps the dialog open.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void display();
    // Stores a field the user changed. False when its text was refused: the message has
    // been shown, nothing was stored and the user is back in the field.
    bool commitField(ToolField field);
    bool commitAll();
    void step(int delta);

    ToolTable& m_tools;
    GraphicsDatabase& m_database;
    Reporter& m_reporter;
    std::array<QLineEdit*, kToolFieldCount> m_fields{};
    std::array<QString, kToolFieldCount> m_shown; // what display() put there
    QLineEdit* m_recordEdit = nullptr;
    QLineEdit* m_countEdit = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    int m_current = 0;
    // The tool numbers of entries 0..count when the dialog opened.
    std::array<std::uint8_t, ToolTable::kMaxTools + 1> m_openedNumbers{};
    int m_openedEntries = 0;
};

// Options → "Tool definitions": the dialog, modally.
void ToolDefinitionsClick(Tf& window);

} // namespace korvix::ui
