#include "ui/numeric_field_form.h"

#include "model/reporter.h"
#include "ui/dialog_buttons.h"
#include "ui/numeric_field.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvix::ui {

NumericFieldForm::NumericFieldForm(Reporter& reporter, QWidget* parent)
    : QDialog(parent), m_reporter(reporter), m_guard(new NumericFieldGuard(reporter, *this)) {}

QLineEdit* NumericFieldForm::numericEdit(const char* name, std::string_view text, QWidget* parent) {
    auto* edit =
        new QLineEdit(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), parent);
    edit->setObjectName(name);
    return edit;
}

void NumericFieldForm::finishForm(QVBoxLayout& layout, std::initializer_list<QLineEdit*> fields) {
    const OkCancelButtons buttons = addOkCancelButtons(*this, layout);
    connect(buttons.ok, &QPushButton::clicked, this, [this] { OkButtonClick(); });
    m_fields.assign(fields);
    for (QLineEdit* field : m_fields)
        m_guard->watch(field);
    m_guard->exempt(buttons.ok);
    m_guard->exempt(buttons.cancel);
}

void NumericFieldForm::showEvent(QShowEvent* event) {
    m_guard->cancelPending();
    m_fields.front()->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void NumericFieldForm::OkButtonClick() {
    for (QLineEdit* field : m_fields)
        if (!m_guard->check(field))
            return;
    const Problem problem = valuesProblem();
    if (!problem.message.empty()) {
        m_reporter.error(problem.message);
        activateWindow(); // closing the box activated the main window, its parent
        problem.field->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_guard->cancelPending();
    accept();
}

} // namespace korvix::ui
