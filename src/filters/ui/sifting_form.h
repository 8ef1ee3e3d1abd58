#pragma once

#include "filters/filter_parameters.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace korvix {
class Reporter;
}

namespace korvix::ui {

class NumericFieldGuard;

// "Point sifting tolerance": how far a point may lie from the move that replaces it, and
// whether rapid moves are sifted too. Keeps its texts between uses (and the settings file
// sets them at start-up).
class SiftingForm : public QDialog {
public:
    explicit SiftingForm(Reporter& reporter, QWidget* parent = nullptr);

    QString toleranceText() const;
    void setToleranceText(const QString& text);
    bool siftRapids() const;
    void setSiftRapids(bool sift);

    // The fields converted and checked; `problem` says what is wrong with them.
    SiftInput input() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OkButtonClick();

    Reporter& m_reporter;
    NumericFieldGuard* m_guard = nullptr;
    QLineEdit* m_tolerance = nullptr;
    QCheckBox* m_siftRapids = nullptr;
};

} // namespace korvix::ui
