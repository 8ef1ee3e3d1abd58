#include "filters/ui/sifting_form.h"

#include "filters/ui/numeric_field_guard.h"
#include "model/reporter.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvix::ui {

SiftingForm::SiftingForm(Reporter& reporter, QWidget* parent)
    : QDialog(parent), m_reporter(reporter) {
    setObjectName("TSiftingForm");
    setWindowTitle("Point sifting tolerance");

    m_tolerance =
        new QLineEdit(QString::fromUtf8(kSiftToleranceDesignText.data(),
                                        static_cast<qsizetype>(kSiftToleranceDesignText.size())),
                      this);
    m_tolerance->setObjectName("SiftToleranceEdit");
    auto* label = new QLabel("Sift tolerance", this);
    label->setObjectName("SiftToleranceLabel");
    label->setBuddy(m_tolerance);
    m_siftRapids = new QCheckBox("Sift rapid moves (G00)", this);
    m_siftRapids->setObjectName("SiftRapidsCheckBox");

    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* toleranceRow = new QHBoxLayout;
    toleranceRow->addWidget(label);
    toleranceRow->addWidget(m_tolerance);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(toleranceRow);
    layout->addWidget(m_siftRapids);
    layout->addLayout(buttons);

    m_guard = new NumericFieldGuard(reporter, *this);
    m_guard->watch(m_tolerance);
    m_guard->exempt(ok);
    m_guard->exempt(cancel);
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

void SiftingForm::showEvent(QShowEvent* event) {
    m_guard->cancelPending();
    m_tolerance->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void SiftingForm::OkButtonClick() {
    // The dialog stays open on a tolerance the sifter cannot use, so that the user can mend
    // it.
    if (!m_guard->check(m_tolerance))
        return;
    const SiftInput fields = input();
    if (!fields.ok()) {
        m_reporter.error(fields.problem);
        activateWindow(); // closing the box activated the main window, its parent
        m_tolerance->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_guard->cancelPending();
    accept();
}

} // namespace korvix::ui
