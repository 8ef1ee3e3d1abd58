#include "filters/ui/fit_arc_form.h"

#include "ui/main_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace korvix::ui {

FitArcForm& FitArcForm::of(Tf& window) {
    return window.dialog<FitArcForm>(
        [&window] { return new FitArcForm(window.reporter(), &window); });
}

FitArcForm::FitArcForm(Reporter& reporter, QWidget* parent) : NumericFieldForm(reporter, parent) {
    setObjectName("TFitArcForm");
    setWindowTitle("Fit arcs through point to point data");

    auto* group = new QGroupBox("Arc fitting parameters", this);
    group->setObjectName("GroupBox1");
    m_tolerance = numericEdit("ChordalTolEdit", kFitArcsToleranceDesignText, group);
    m_maxRadius = numericEdit("MaxRadiusEdit", kFitArcsMaxRadiusDesignText, group);
    m_xyPlaneOnly = new QCheckBox("XY plane only", group);
    m_xyPlaneOnly->setObjectName("XYPlaneOnlyCheckBox");
    auto* toleranceLabel = new QLabel("Chordal tolerance", group);
    toleranceLabel->setObjectName("ChordalTolLabel");
    toleranceLabel->setBuddy(m_tolerance);
    auto* maxRadiusLabel = new QLabel("Maximum radius value ", group);
    maxRadiusLabel->setObjectName("MaxRadiusLabel");
    maxRadiusLabel->setBuddy(m_maxRadius);
    auto* fields = new QFormLayout(group);
    fields->addRow(toleranceLabel, m_tolerance);
    fields->addRow(maxRadiusLabel, m_maxRadius);
    fields->addRow(m_xyPlaneOnly);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    finishForm(*layout, {m_tolerance, m_maxRadius});
}

QString FitArcForm::toleranceText() const {
    return m_tolerance->text();
}
void FitArcForm::setToleranceText(const QString& text) {
    m_tolerance->setText(text);
}
QString FitArcForm::maxRadiusText() const {
    return m_maxRadius->text();
}
void FitArcForm::setMaxRadiusText(const QString& text) {
    m_maxRadius->setText(text);
}
bool FitArcForm::xyPlaneOnly() const {
    return m_xyPlaneOnly->isChecked();
}
void FitArcForm::setXyPlaneOnly(bool only) {
    m_xyPlaneOnly->setChecked(only);
}

FitArcsInput FitArcForm::input() const {
    return parseFitArcsParameters(toleranceText().toStdString(), maxRadiusText().toStdString(),
                                  xyPlaneOnly());
}

NumericFieldForm::Problem FitArcForm::valuesProblem() const {
    const FitArcsInput fields = input();
    if (fields.ok())
        return {};
    // The message names the first field that cannot be used; that one gets the focus.
    const bool toleranceUsable =
        parseFitArcsParameters(toleranceText().toStdString(), kFitArcsMaxRadiusDesignText, false)
            .ok();
    return {fields.problem, toleranceUsable ? m_maxRadius : m_tolerance};
}

} // namespace korvix::ui
