#pragma once

#include <QDialog>

class QRadioButton;

namespace korvix::ui {

class Tf;

// "Input radius type": how the I, J, K words of the program are to be read. Keeps the last
// choice for the next Open.
class InputRadiusTypeForm : public QDialog {
public:
    // The window's one instance, created at the first call.
    static InputRadiusTypeForm& of(Tf& window);
    explicit InputRadiusTypeForm(QWidget* parent = nullptr);

    bool absoluteCenters() const;
    void setAbsoluteCenters(bool absolute);

private:
    QRadioButton* m_absolute = nullptr;
    QRadioButton* m_incremental = nullptr;
};

} // namespace korvix::ui
