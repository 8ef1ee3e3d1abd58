#include "filters/ui/fit_arc_form.h"

#include "filters/ui/numeric_field_guard.h"
#include "model/reporter.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvix::ui {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* numericEdit(const char* name, std::string_view designText, QWidget* parent) {
    auto* edit = new QLineEdit(toQString(designText), parent);
    edit->setObjectName(name);
    return edit;
}

} // namespace

FitArcForm::FitArcForm(Reporter& reporter, QWidget* parent)
    : QDialog(parent), m_reporter(reporter) {
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

    auto* ok = new QPushButton("&Ok", this);
    ok->setObjectName("OkButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelButton");
    connect(ok, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    m_guard = new NumericFieldGuard(reporter, *this);
    m_guard->watch(m_tolerance);
    m_guard->watch(m_maxRadius);
    m_guard->exempt(ok);
    m_guard->exempt(cancel);
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

void FitArcForm::showEvent(QShowEvent* event) {
    m_guard->cancelPending();
    m_tolerance->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void FitArcForm::OkButtonClick() {
    // The dialog stays open on a value the fitter cannot use, so that the user can mend it.
    if (!m_guard->check(m_tolerance) || !m_guard->check(m_maxRadius))
        return;
    const FitArcsInput fields = input();
    if (!fields.ok()) {
        m_reporter.error(fields.problem);
        // The message names the first field that cannot be used; that one gets the focus.
        const bool toleranceUsable = parseFitArcsParameters(toleranceText().toStdString(),
                                                            kFitArcsMaxRadiusDesignText, false)
                                         .ok();
        activateWindow(); // closing the box activated the main window, its parent
        (toleranceUsable ? m_maxRadius : m_tolerance)->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_guard->cancelPending();
    accept();
}

} // namespace korvix::ui
