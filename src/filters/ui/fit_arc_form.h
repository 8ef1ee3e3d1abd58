#pragma once

#include "filters/filter_parameters.h"
#include "ui/numeric_field_form.h"

class QCheckBox;

namespace korvix::ui {

class Tf;

// "Fit arcs through point to point data": the chordal tolerance, the largest radius a fitted
// arc may have and whether only XY arcs are fitted. Keeps its texts between uses (and the
// settings file sets them at start-up).
class FitArcForm : public NumericFieldForm {
public:
    // The window's one instance, created at the first call.
    static FitArcForm& of(Tf& window);
    explicit FitArcForm(Reporter& reporter, QWidget* parent = nullptr);

    QString toleranceText() const;
    void setToleranceText(const QString& text);
    QString maxRadiusText() const;
    void setMaxRadiusText(const QString& text);
    bool xyPlaneOnly() const;
    void setXyPlaneOnly(bool only);

    // The fields converted and checked; `problem` says what is wrong with them.
    FitArcsInput input() const;

protected:
    Problem valuesProblem() const override;

private:
    QLineEdit* m_tolerance = nullptr;
    QLineEdit* m_maxRadius = nullptr;
    QCheckBox* m_xyPlaneOnly = nullptr;
};

} // namespace korvix::ui
