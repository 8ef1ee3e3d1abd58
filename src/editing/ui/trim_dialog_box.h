#pragma once

#include "editing/trim_parameters.h"
#include "ui/numeric_field_form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace korvix::ui {

class Tf;

// "Trimming parameters": the rapid planes, the trimming window, the deepest Z, the plunge
// feed and the arc tolerance. The fields keep their texts between trims; the trim command
// reads them as `TrimDialogFields` and writes back what the trim changed in them. Ok only
// refuses characters that cannot be part of a number: what the trim cannot use is reported
// when it runs, and the command shows the dialog again.
class TTrimDialogBox : public NumericFieldForm {
public:
    // The window's one instance, created at the first call.
    static TTrimDialogBox& of(Tf& window);
    // "&Extents" reads the extents of `database`.
    TTrimDialogBox(Reporter& reporter, const GraphicsDatabase& database, QWidget* parent = nullptr);

    TrimDialogFields fields() const;
    void setFields(const TrimDialogFields& fields);
    // The window fields and "&Extents" can be used only for a box in the plain XY view.
    void setFieldState(const TrimFieldState& state);

    // Both planes at the highest Z, the window just outside the path, the deepest Z just
    // below it.
    void ExtremesButtonClick();

protected:
    Problem valuesProblem() const override { return {}; }

private:
    const GraphicsDatabase& m_database;
    QLineEdit* m_primary = nullptr;
    QLineEdit* m_secondary = nullptr;
    QCheckBox* m_absoluteSecondary = nullptr;
    QLineEdit* m_left = nullptr;
    QLineEdit* m_top = nullptr;
    QLineEdit* m_right = nullptr;
    QLineEdit* m_bottom = nullptr;
    QCheckBox* m_stayInside = nullptr;
    QPushButton* m_extremes = nullptr;
    QLineEdit* m_deepest = nullptr;
    QCheckBox* m_removeWasted = nullptr;
    QCheckBox* m_limitZ = nullptr;
    QLineEdit* m_plungeFeed = nullptr;
    QCheckBox* m_useRapid = nullptr;
    QLineEdit* m_tolerance = nullptr;
};

} // namespace korvix::ui
