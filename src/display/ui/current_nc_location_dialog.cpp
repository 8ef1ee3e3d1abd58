#include "display/ui/current_nc_location_dialog.h"

#include "display/identify_stepping.h"
#include "ui/main_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace korvix::ui {

CurrentNcLocationDialog& CurrentNcLocationDialog::of(Tf& window) {
    return window.dialog<CurrentNcLocationDialog>(
        [&window] { return new CurrentNcLocationDialog(&window); });
}

CurrentNcLocationDialog::CurrentNcLocationDialog(QWidget* parent) : LocationDialogBase(parent) {
    setObjectName("TCurrentNcLocationDialog");
    setWindowTitle("Current NC location");

    auto* grid = new QGridLayout;
    const auto place = [&](const char* label, const char* name, int row, int column,
                           bool highlighted = false, int span = 1) {
        auto* caption = new QLabel(label, this);
        QLineEdit* edit = addField(name, highlighted);
        caption->setBuddy(edit);
        grid->addWidget(caption, row, column * 2, Qt::AlignRight);
        grid->addWidget(edit, row, column * 2 + 1, 1, span);
    };
    place("Block Number", "BlockNumberEdit", 0, 0, true);
    place("Move Type", "MoveTypeEdit", 0, 1, false, 3);
    place("X1", "X1LocationEdit", 1, 0);
    place("Y1", "Y1LocationEdit", 2, 0);
    place("Z1", "Z1LocationEdit", 3, 0);
    place("X2", "X2LocationEdit", 1, 1, true);
    place("Y2", "Y2LocationEdit", 2, 1, true);
    place("Z2", "Z2LocationEdit", 3, 1, true);
    place("Feed", "FeedRateEdit", 1, 2);
    place("Dist", "DistanceTraveledEdit", 2, 2);
    place("Tool", "ToolNumberEdit", 3, 2);
    place("Xc", "XcLocationEdit", 4, 0);
    place("Yc", "YcLocationEdit", 4, 1);
    place("Zc", "ZcLocationEdit", 4, 2);
    for (int column = 1; column < 6; column += 2)
        grid->setColumnMinimumWidth(column, 96);

    m_previous = addStateButton("&Previous move", "PreviousMoveButton", location_state::kPrevious);
    QPushButton* cancel = addStateButton("&Cancel", "CancelButton", location_state::kCancel);
    m_next = addStateButton("&Next move", "NextMoveButton", location_state::kNext);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(cancel);
    buttons->addWidget(m_next);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CurrentNcLocationDialog::showMove(const NcLocationTexts& texts) {
    setFieldText("BlockNumberEdit", texts.blockNumber);
    setFieldText("MoveTypeEdit", texts.moveType);
    setFieldText("X1LocationEdit", texts.x1);
    setFieldText("Y1LocationEdit", texts.y1);
    setFieldText("Z1LocationEdit", texts.z1);
    setFieldText("X2LocationEdit", texts.x2);
    setFieldText("Y2LocationEdit", texts.y2);
    setFieldText("Z2LocationEdit", texts.z2);
    setFieldText("FeedRateEdit", texts.feed);
    setFieldText("DistanceTraveledEdit", texts.distance);
    setFieldText("ToolNumberEdit", texts.tool);
    setFieldText("XcLocationEdit", texts.xc);
    setFieldText("YcLocationEdit", texts.yc);
    setFieldText("ZcLocationEdit", texts.zc);
}

void CurrentNcLocationDialog::enableSteps(bool previous, bool next) {
    m_previous->setEnabled(previous);
    m_next->setEnabled(next);
}

} // namespace korvix::ui
