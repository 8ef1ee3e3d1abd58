#include "display/ui/location_dialog_base.h"

#include "display/identify_stepping.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

namespace korvix::ui {

LocationDialogBase::LocationDialogBase(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
}

QLineEdit* LocationDialogBase::field(const QString& objectName) const {
    return findChild<QLineEdit*>(objectName);
}

QString LocationDialogBase::fieldText(const QString& objectName) const {
    const QLineEdit* edit = field(objectName);
    return edit != nullptr ? edit->text() : QString();
}

QLineEdit* LocationDialogBase::addField(const char* objectName, bool highlighted) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    if (highlighted)
        edit->setStyleSheet("QLineEdit { background: rgb(0, 0, 255); color: white; }");
    return edit;
}

QPushButton* LocationDialogBase::addStateButton(const char* caption, const char* objectName,
                                                int state) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(objectName);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, state] { m_state = state; });
    return button;
}

void LocationDialogBase::setFieldText(const char* objectName, const std::string& text) {
    if (QLineEdit* edit = field(objectName))
        edit->setText(QString::fromStdString(text));
}

void LocationDialogBase::closeEvent(QCloseEvent* event) {
    m_state = location_state::kCancel;
    QDialog::closeEvent(event);
}

void LocationDialogBase::hideEvent(QHideEvent* event) {
    // Nothing could answer a hidden dialog.
    if (m_state == location_state::kWaiting)
        m_state = location_state::kCancel;
    QDialog::hideEvent(event);
}

void LocationDialogBase::reject() {
    m_state = location_state::kCancel;
    QDialog::reject();
}

} // namespace korvix::ui
