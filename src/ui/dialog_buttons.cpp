#include "ui/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace korvix::ui {

OkCancelButtons addOkCancelButtons(QDialog& dialog, QBoxLayout& layout) {
    OkCancelButtons buttons;
    buttons.ok = new QPushButton("&Ok", &dialog);
    buttons.ok->setObjectName("OkButton");
    buttons.ok->setDefault(true);
    buttons.cancel = new QPushButton("&Cancel", &dialog);
    buttons.cancel->setObjectName("CancelButton");
    QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    layout.addLayout(row);
    return buttons;
}

} // namespace korvix::ui
