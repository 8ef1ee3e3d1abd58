#include "filters/ui/sifting_form.h"

#include "ui/main_window.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace korvix::ui {

SiftingForm& SiftingForm::of(Tf& window) {
    return window.dialog<SiftingForm>(
        [&window] { return new SiftingForm(window.reporter(), &window); });
}

SiftingForm::SiftingForm(Reporter& reporter, QWidget* parent) : NumericFieldForm(reporter, parent) {
    setObjectName("TSiftingForm");
    setWindowTitle("Point sifting tolerance");

    m_tolerance = numericEdit("SiftToleranceEdit", kSiftToleranceDesignText, this);
    auto* label = new QLabel("Sift tolerance", this);
    label->setObjectName("SiftToleranceLabel");
    label->setBuddy(m_tolerance);
    m_siftRapids = new QCheckBox("Sift rapid moves (G00)", this);
    m_siftRapids->setObjectName("SiftRapidsCheckBox");

    auto* toleranceRow = new QHBoxLayout;
    toleranceRow->addWidget(label);
    toleranceRow->addWidget(m_tolerance);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toleranceRow);
    layout->addWidget(m_siftRapids);
    finishForm(*layout, {m_tolerance});
}

QString SiftingForm::toleranceText() const {
    return m_tolerance->text();
}
void SiftingForm::setToleranceText(const QString& text) {
    m_tolerance->setText(text);
}
bool SiftingForm::siftRapids() const {
    return m_siftRapids->isChecked();
}
void SiftingForm::setSiftRapids(bool sift) {
    m_siftRapids->setChecked(sift);
}

SiftInput SiftingForm::input() const {
    return parseSiftParameters(toleranceText().toStdString(), siftRapids());
}

NumericFieldForm::Problem SiftingForm::valuesProblem() const {
    return {input().problem, m_tolerance};
}

} // namespace korvix::ui
