#pragma once

#include "filters/explode_arcs.h"

#include <QDialog>

class QLineEdit;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

class NumericFieldGuard;

// "Arc exploding tolerance": the chordal deviation the arcs may stray from their chords. The
// field is checked character by character when the user leaves it; Ok keeps the form open
// until the tolerance is usable.
class ExplodeArcForm : public QDialog {
public:
    explicit ExplodeArcForm(Reporter& reporter, QWidget* parent = nullptr);

    QString toleranceText() const;
    void setToleranceText(const QString& text);
    // The field converted and checked.
    ToleranceInput tolerance() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();

    Reporter& m_reporter;
    QLineEdit* m_edit = nullptr;
    NumericFieldGuard* m_guard = nullptr;
};

} // namespace korvix::ui
