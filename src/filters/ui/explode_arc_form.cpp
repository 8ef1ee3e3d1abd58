#include "filters/ui/explode_arc_form.h"

#include "ui/main_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace korvix::ui {

ExplodeArcForm& ExplodeArcForm::of(Tf& window) {
    return window.dialog<ExplodeArcForm>(
        [&window] { return new ExplodeArcForm(window.reporter(), &window); });
}

ExplodeArcForm::ExplodeArcForm(Reporter& reporter, QWidget* parent)
    : NumericFieldForm(reporter, parent) {
    setObjectName("TExplodeArcForm");
    setWindowTitle("Arc exploding tolerance");

    auto* label = new QLabel("Chordal deviation tolerance:", this);
    label->setObjectName("Label1");
    m_edit = numericEdit("Edit1", kDefaultExplodeToleranceText, this);
    m_edit->setFixedWidth(96);
    label->setBuddy(m_edit);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_edit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addSpacing(6);
    finishForm(*layout, {m_edit});
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString ExplodeArcForm::toleranceText() const {
    return m_edit->text();
}

void ExplodeArcForm::setToleranceText(const QString& text) {
    m_edit->setText(text);
}

ToleranceInput ExplodeArcForm::tolerance() const {
    return parseExplodeTolerance(toleranceText().toStdString());
}

void ExplodeArcForm::showEvent(QShowEvent* event) {
    m_edit->selectAll();
    NumericFieldForm::showEvent(event);
}

NumericFieldForm::Problem ExplodeArcForm::valuesProblem() const {
    return {tolerance().problem, m_edit};
}

} // namespace korvix::ui
