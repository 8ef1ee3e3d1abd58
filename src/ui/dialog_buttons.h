#pragma once

class QBoxLayout;
class QDialog;
class QPushButton;

namespace korvix::ui {

struct OkCancelButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

// The "&Ok" (default button, "OkButton") and "&Cancel" ("CancelButton") buttons of a dialog,
// right-aligned in a row at the end of `layout`. Cancel rejects the dialog; what Ok does is
// the caller's to connect.
OkCancelButtons addOkCancelButtons(QDialog& dialog, QBoxLayout& layout);

} // namespace korvix::ui
