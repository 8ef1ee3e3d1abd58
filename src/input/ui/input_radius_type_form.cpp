#include "input/ui/input_radius_type_form.h"

#include "ui/dialog_buttons.h"
#include "ui/main_window.h"

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace korvix::ui {

InputRadiusTypeForm& InputRadiusTypeForm::of(Tf& window) {
    return window.dialog<InputRadiusTypeForm>(
        [&window] { return new InputRadiusTypeForm(&window); });
}

InputRadiusTypeForm::InputRadiusTypeForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TInputRadiusTypeForm");
    setWindowTitle("Input radius type");
    m_absolute = new QRadioButton("Absolute center points", this);
    m_absolute->setObjectName("AbsoluteButton");
    m_absolute->setChecked(true);
    m_incremental = new QRadioButton("Incremental center points", this);
    m_incremental->setObjectName("IncrementalButton");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_absolute);
    layout->addWidget(m_incremental);
    const OkCancelButtons buttons = addOkCancelButtons(*this, *layout);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
}

bool InputRadiusTypeForm::absoluteCenters() const {
    return m_absolute->isChecked();
}

void InputRadiusTypeForm::setAbsoluteCenters(bool absolute) {
    (absolute ? m_absolute : m_incremental)->setChecked(true);
}

} // namespace korvix::ui
