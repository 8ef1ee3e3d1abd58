#include "display/ui/current_wir_location_dialog.h"

#include "display/identify_stepping.h"
#include "ui/main_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvix::ui {

CurrentWirLocationDialog& CurrentWirLocationDialog::of(Tf& window) {
    return window.dialog<CurrentWirLocationDialog>(
        [&window] { return new CurrentWirLocationDialog(&window); });
}

CurrentWirLocationDialog::CurrentWirLocationDialog(QWidget* parent) : LocationDialogBase(parent) {
    setObjectName("TCurrentWirLocationDialog");
    setWindowTitle("Current Wireframe location");

    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const auto& [label, name] :
         {std::pair{"X", "XLocationEdit"}, std::pair{"Y", "YLocationEdit"},
          std::pair{"Z", "ZLocationEdit"}}) {
        auto* caption = new QLabel(label, this);
        QLineEdit* edit = addField(name);
        edit->setMinimumWidth(110);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, 0, Qt::AlignRight);
        grid->addWidget(edit, row, 1);
        ++row;
    }
    m_previous = addStateButton("&Prev point", "PrevPointButton", location_state::kPrevious);
    QPushButton* cancel = addStateButton("&Cancel", "CancelButton", location_state::kCancel);
    m_next = addStateButton("&Next point", "NextPointButton", location_state::kNext);
    QPushButton* middle = addStateButton("&Mid point", "MidPointButton", location_state::kMiddle);
    grid->addWidget(m_previous, 0, 2);
    grid->addWidget(m_next, 1, 2);
    grid->addWidget(middle, 2, 2);
    grid->addWidget(cancel, 3, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void CurrentWirLocationDialog::showPoint(const WireLocationTexts& texts) {
    setFieldText("XLocationEdit", texts.x);
    setFieldText("YLocationEdit", texts.y);
    setFieldText("ZLocationEdit", texts.z);
}

void CurrentWirLocationDialog::enableSteps(bool previous, bool next) {
    m_previous->setEnabled(previous);
    m_next->setEnabled(next);
}

} // namespace korvix::ui
