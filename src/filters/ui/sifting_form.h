#pragma once

#include "filters/filter_parameters.h"
#include "ui/numeric_field_form.h"

class QCheckBox;

namespace korvix::ui {

class Tf;

// "Point sifting tolerance": how far a point may lie from the move that replaces it, and
// whether rapid moves are sifted too. Keeps its texts between uses (and the settings file
// sets them at start-up).
class SiftingForm : public NumericFieldForm {
public:
    // The window's one instance, created at the first call.
    static SiftingForm& of(Tf& window);
    explicit SiftingForm(Reporter& reporter, QWidget* parent = nullptr);

    QString toleranceText() const;
    void setToleranceText(const QString& text);
    bool siftRapids() const;
    void setSiftRapids(bool sift);

    // The fields converted and checked; `problem` says what is wrong with them.
    SiftInput input() const;

protected:
    Problem valuesProblem() const override;

private:
    QLineEdit* m_tolerance = nullptr;
    QCheckBox* m_siftRapids = nullptr;
};

} // namespace korvix::ui
