#pragma once

#include "display/move_description.h"
#include "display/ui/location_dialog_base.h"

class QPushButton;

namespace korvix::ui {

// "Current NC location": everything about the identified move, with buttons that step
// through the toolpath while the main window marks the current record.
class CurrentNcLocationDialog : public LocationDialogBase {
public:
    explicit CurrentNcLocationDialog(QWidget* parent = nullptr);

    void showMove(const NcLocationTexts& texts);
    void enableSteps(bool previous, bool next);

private:
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace korvix::ui
