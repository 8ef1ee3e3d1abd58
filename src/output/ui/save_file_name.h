#pragma once

#include <QString>

namespace korvix::ui {

class Tf;

// Asks for the name of a file to save in a file dialog titled `title` (made at its first use
// as a child of the window named `objectName`, and kept, so that it opens where the user
// saved last), proposing the current file name. An existing file is replaced only after a
// Yes to the overwrite question; a No brings the dialog back for another name. Empty when
// the user cancels.
QString askSaveFileName(Tf& window, const char* objectName, const QString& title);

} // namespace korvix::ui
