#pragma once

#include "display/move_description.h"
#include "display/ui/location_dialog_base.h"

class QPushButton;

namespace korvix::ui {

class Tf;

// "Current NC location": everything about the identified move, with buttons that step
// through the toolpath while the main window marks the current record.
class CurrentNcLocationDialog : public LocationDialogBase {
public:
    // The window's one instance, created at the first call.
    static CurrentNcLocationDialog& of(Tf& window);
    explicit CurrentNcLocationDialog(QWidget* parent = nullptr);

    void showMove(const NcLocationTexts& texts);
    void enableSteps(bool previous, bool next);

private:
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace korvix::ui
