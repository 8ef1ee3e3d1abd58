#pragma once

#include <QDialog>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;
class QVBoxLayout;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

class NumericFieldGuard;

// What the filter forms share: numeric fields checked when the user leaves them, an Ok and a
// Cancel button below them, and an Ok that keeps the form open until the values are usable,
// so that the user can mend them.
class NumericFieldForm : public QDialog {
protected:
    NumericFieldForm(Reporter& reporter, QWidget* parent);

    // A field named `name` showing `text`.
    static QLineEdit* numericEdit(const char* name, std::string_view text, QWidget* parent);

    // Puts the button row at the end of `layout` and watches `fields`, the first of which
    // gets the focus when the form is shown.
    void finishForm(QVBoxLayout& layout, std::initializer_list<QLineEdit*> fields);

    // Why the values cannot be used (empty when they can) and the field to mend.
    struct Problem {
        std::string message;
        QLineEdit* field = nullptr;
    };
    virtual Problem valuesProblem() const = 0;

    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();

    Reporter& m_reporter;
    NumericFieldGuard* m_guard = nullptr;
    std::vector<QLineEdit*> m_fields;
};

} // namespace korvix::ui
