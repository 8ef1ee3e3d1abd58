#pragma once

#include "model/tool_table.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QToolButton;

namespace korvix::ui {

class Tf;

// An up-down control: two arrow buttons over a position in [0, maximum] that wraps around
// at both ends.
class UpDownControl : public QWidget {
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    int position() const { return m_position; }
    int maximum() const { return m_maximum; }
    void setMaximum(int maximum);
    // As `steps` clicks of the arrows (up for positive steps); calls `onStep` after each.
    void stepBy(int steps);

    std::function<void(int position)> onStep;

private:
    int m_position = 0;
    int m_maximum = 0;
};

// "Select Tool #": a tool number, typed or picked by browsing the tool table with the
// up-down control (each click shows the tool number of the entry at its position).
class ToolNumberSelectionForm : public QDialog {
public:
    // The window's one instance, created at the first call.
    static ToolNumberSelectionForm& of(Tf& window);
    explicit ToolNumberSelectionForm(QWidget* parent = nullptr);

    // The table to browse: the up-down runs over its entries 0..count (the count as it is
    // whenever the form is shown).
    void setTable(const ToolTable* table);
    QString toolNumberText() const;
    UpDownControl& upDown() { return *m_upDown; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const ToolTable* m_table = nullptr;
    QLineEdit* m_edit = nullptr;
    UpDownControl* m_upDown = nullptr;
};

} // namespace korvix::ui
