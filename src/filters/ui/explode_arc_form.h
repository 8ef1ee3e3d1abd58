#pragma once

#include "filters/explode_arcs.h"
#include "ui/numeric_field_form.h"

namespace korvix::ui {

class Tf;

// "Arc exploding tolerance": the chordal deviation the arcs may stray from their chords. The
// field is checked character by character when the user leaves it; Ok keeps the form open
// until the tolerance is usable.
class ExplodeArcForm : public NumericFieldForm {
public:
    // The window's one instance, created at the first call.
    static ExplodeArcForm& of(Tf& window);
    explicit ExplodeArcForm(Reporter& reporter, QWidget* parent = nullptr);

    QString toleranceText() const;
    void setToleranceText(const QString& text);
    // The field converted and checked.
    ToleranceInput tolerance() const;

protected:
    void showEvent(QShowEvent* event) override;
    Problem valuesProblem() const override;

private:
    QLineEdit* m_edit = nullptr;
};

} // namespace korvix::ui
