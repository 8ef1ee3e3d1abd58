#include "ui/numeric_field.h"

#include "model/number_text.h"
#include "model/reporter.h"

#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QList>
#include <QTimer>
#include <algorithm>

namespace korvix::ui {

std::vector<std::string> nonNumericMessages(const QString& text) {
    std::vector<std::string> messages;
    for (const auto code : text.toUcs4()) {
        const auto c = static_cast<char32_t>(code);
        if (c < 0x80) {
            if (!isNumericFieldChar(static_cast<char>(c)))
                messages.push_back(nonNumericMessage(static_cast<char>(c)));
            continue;
        }
        // The shared message names one byte; put the whole character in its place.
        std::string message = nonNumericMessage('#');
        const std::string typed = QString::fromUcs4(&c, 1).toStdString();
        message.replace(message.find("\"#\"") + 1, 1, typed);
        messages.push_back(std::move(message));
    }
    return messages;
}

NumericFieldGuard::NumericFieldGuard(Reporter& reporter, QDialog& dialog)
    : QObject(&dialog), m_reporter(reporter), m_dialog(dialog) {}

void NumericFieldGuard::watch(QLineEdit* field) {
    m_fields.push_back(field);
    field->installEventFilter(this);
}

void NumericFieldGuard::watchStoring(QLineEdit* field, StoreField store) {
    watch(field);
    m_storing.emplace_back(field, std::move(store));
}

void NumericFieldGuard::exempt(QWidget* control) {
    m_exempt.push_back(control);
}

bool NumericFieldGuard::isExempt(const QWidget* widget) const {
    return std::find(m_exempt.begin(), m_exempt.end(), widget) != m_exempt.end();
}

bool NumericFieldGuard::check(QLineEdit* field) {
    for (const auto& [storing, store] : m_storing) {
        if (storing != field)
            continue;
        // A storing field names only its first offending character (as typed, whatever
        // its encoding) and stores nothing.
        const std::vector<std::string> bad = nonNumericMessages(field->text());
        const std::string message = bad.empty() ? store(field->text()) : bad.front();
        if (message.empty())
            return true;
        m_reporter.error(message);
        returnFocus(field);
        return false;
    }
    const std::vector<std::string> messages = nonNumericMessages(field->text());
    if (messages.empty())
        return true;
    for (const std::string& message : messages)
        m_reporter.error(message);
    returnFocus(field);
    return false;
}

void NumericFieldGuard::returnFocus(QLineEdit* field) {
    if (m_dialog.isVisible()) {
        // The error boxes belong to the main window, which closing them activates.
        m_dialog.activateWindow();
        m_returningFocus = true;
        field->setFocus(Qt::OtherFocusReason);
        m_returningFocus = false;
    }
}

bool NumericFieldGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut || m_returningFocus || !m_dialog.isVisible())
        return false;
    // Another window taking the focus (the error box itself, a drop-down list) is no exit
    // from the field.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        isExempt(QApplication::focusWidget()))
        return false;
    auto* field = static_cast<QLineEdit*>(watched);
    if (std::find(m_fields.begin(), m_fields.end(), field) == m_fields.end() ||
        std::find(m_pending.begin(), m_pending.end(), field) != m_pending.end())
        return false;
    // Not inside the focus change itself: a message box opened there would swallow the
    // click that moved the focus.
    m_pending.push_back(field);
    QTimer::singleShot(0, this, [this, field] { runPendingCheck(field); });
    return false;
}

void NumericFieldGuard::runPendingCheck(QLineEdit* field) {
    const auto it = std::find(m_pending.begin(), m_pending.end(), field);
    if (it == m_pending.end())
        return;
    m_pending.erase(it);
    // Once the focus is back on one field, the others left on the way are not complained
    // about now; they are checked when the user leaves them again.
    if (m_dialog.isVisible() && !check(field))
        m_pending.clear();
}

} // namespace korvix::ui
