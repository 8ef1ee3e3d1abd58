#pragma once

#include "display/move_description.h"
#include "display/ui/location_dialog_base.h"

class QPushButton;

namespace korvix::ui {

class Tf;

// "Current Wireframe location": the coordinates of the identified wire-frame point, with
// buttons that step from point to point or show a segment's middle.
class CurrentWirLocationDialog : public LocationDialogBase {
public:
    // The window's one instance, created at the first call.
    static CurrentWirLocationDialog& of(Tf& window);
    explicit CurrentWirLocationDialog(QWidget* parent = nullptr);

    void showPoint(const WireLocationTexts& texts);
    void enableSteps(bool previous, bool next);

private:
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace korvix::ui
