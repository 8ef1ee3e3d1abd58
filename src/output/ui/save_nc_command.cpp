#include "output/ui/save_nc_command.h"

#include "app/workspace_access.h"
#include "model/reporter.h"
#include "output/nc_writer.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "output/ui/save_file_name.h"
#include "output/write_result.h"
#include "ui/main_window.h"

namespace korvix::ui {
namespace {

constexpr const char* kCanceledText = "Save command canceled...";

} // namespace

void Save1Click(Tf& window) {
    Workspace& ws = window.workspace();
    if (!ws.database.databaseAllocated()) {
        window.setStatusText(kNothingToSaveText);
        return;
    }
    CNCControlTypeDialog& control = CNCControlTypeDialog::of(window);
    if (control.exec() != QDialog::Accepted) {
        window.setStatusText(kCanceledText);
        return;
    }
    window.setStatusText("Enter name for which to save this file under...");
    const QString fileName = askSaveFileName(window, "SaveNcDialog", "Save NC-file");
    if (fileName.isEmpty()) {
        window.setStatusText(kCanceledText);
        return;
    }

    window.setHourglass(true);
    window.setStatusText("Saving as " + fileName + "...");
    window.pumpNow();
    NcWriteOptions options;
    options.controlName = control.machineName().toStdString();
    options.machinesFolder = control.machinesFolder();
    options.startingText = control.startingText().toStdString();
    // The dialog accepts only a number.
    options.programNumber = control.programNumber().value_or(0);
    const NcWriteResult result = writeNcFile(ncWriteSource(ws), fileName.toStdString(), options);
    window.setHourglass(false);

    showFormatMessages(ws.report(), result.messages);
    if (result.outcome == NcWriteOutcome::IoError || result.outcome == NcWriteOutcome::BadValue)
        ws.report().error(result.message);
    window.setStatusText((result.ok() ? "Finished saving " : "Unable to save ") + fileName + "...");
}

} // namespace korvix::ui
