#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QDialog;
class QLineEdit;
class QWidget;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

// The messages of a numeric dialog field, one per character that cannot be part of a number
// ("Non-numeric charactor found in input data "c"..."), in the order typed. A character
// outside ASCII is named as typed, not byte by byte.
std::vector<std::string> nonNumericMessages(const QString& text);

// The check of a dialog's numeric fields when the user leaves them for another control of
// the dialog: every character that is not "+", "-", "." or a digit is reported in turn, in
// its own error box, the text stays as typed and the focus goes back to the field.
class NumericFieldGuard : public QObject {
public:
    NumericFieldGuard(Reporter& reporter, QDialog& dialog);

    void watch(QLineEdit* field);
    // A field that stores its value when left: `store` takes the text and returns the one
    // message to show (the first offending character, a conversion problem), in which case
    // it stored nothing and the focus goes back; empty when the value was stored.
    using StoreField = std::function<std::string(const QString& text)>;
    void watchStoring(QLineEdit* field, StoreField store);
    // Moving the focus to these controls checks nothing: Ok checks the fields itself and
    // Cancel needs no valid number.
    void exempt(QWidget* control);
    // Reports the field's offending characters (or, for a storing field, stores it); false,
    // with the focus back on the field, when there was a problem.
    bool check(QLineEdit* field);
    // Forgets the checks that have not run yet (the dialog is shown anew or closes).
    void cancelPending() { m_pending.clear(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isExempt(const QWidget* widget) const;
    void runPendingCheck(QLineEdit* field);
    void returnFocus(QLineEdit* field);

    Reporter& m_reporter;
    QDialog& m_dialog;
    std::vector<QLineEdit*> m_fields;
    std::vector<std::pair<QLineEdit*, StoreField>> m_storing;
    std::vector<QWidget*> m_exempt;
    // Fields left whose check waits for the focus change to be over.
    std::vector<QLineEdit*> m_pending;
    // Set while the focus is put back on a field, so that the field it leaves is not
    // checked for that move.
    bool m_returningFocus = false;
};

} // namespace korvix::ui
