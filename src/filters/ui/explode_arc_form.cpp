#include "filters/ui/explode_arc_form.h"

#include "filters/ui/numeric_field_guard.h"
#include "model/reporter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvix::ui {

ExplodeArcForm::ExplodeArcForm(Reporter& reporter, QWidget* parent)
    : QDialog(parent), m_reporter(reporter) {
    setObjectName("TExplodeArcForm");
    setWindowTitle("Arc exploding tolerance");

    auto* label = new QLabel("Chordal deviation tolerance:", this);
    label->setObjectName("Label1");
    m_edit = new QLineEdit(
        QString::fromUtf8(kDefaultExplodeToleranceText.data(),
                          static_cast<qsizetype>(kDefaultExplodeToleranceText.size())),
        this);
    m_edit->setObjectName("Edit1");
    m_edit->setFixedWidth(96);
    label->setBuddy(m_edit);

    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_edit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(field);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_guard = new NumericFieldGuard(reporter, *this);
    m_guard->watch(m_edit);
    m_guard->exempt(ok);
    m_guard->exempt(cancel);
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
    m_guard->cancelPending();
    m_edit->setFocus(Qt::OtherFocusReason);
    m_edit->selectAll();
    QDialog::showEvent(event);
}

void ExplodeArcForm::OkButtonClick() {
    // The form stays open on a tolerance the explosion cannot use, so that the user can mend
    // it.
    if (!m_guard->check(m_edit))
        return;
    const ToleranceInput input = tolerance();
    if (!input.ok()) {
        m_reporter.error(input.problem);
        m_edit->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_guard->cancelPending();
    accept();
}

} // namespace korvix::ui
