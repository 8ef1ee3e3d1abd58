#include "output/ui/save_tbf_apt_commands.h"

#include "display/display_state.h"
#include "filters/explode_arcs.h"
#include "filters/ui/explode_arcs_command.h"
#include "filters/ui/filter_redraw.h"
#include "model/ui/tool_definition_dialog.h"
#include "output/apt_writer.h"
#include "output/tbf_file.h"
#include "output/ui/save_file_name.h"
#include "output/write_result.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

namespace korvix::ui {
namespace {

constexpr const char* kCanceledText = "Save command canceled...";

enum class PointFormat { Tbf, Apt };

// Both formats carry points only: the same frame serves them, around their own writer.
void savePointFile(Tf& window, PointFormat format) {
    Workspace& ws = window.workspace();
    if (!ws.database.databaseAllocated()) {
        window.setStatusText(kNothingToSaveText);
        return;
    }
    const bool apt = format == PointFormat::Apt;
    if (apt) {
        // The cutter statements come from the tool table: a last look at it. However the
        // dialog is closed, the save goes on.
        window.setStatusText(
            "Please verify that tool DIAMETER, RADIUS and LENGTH are all correct...");
        ToolDefinitionDialog::of(window).exec();
        window.setStatusText("Enter name for which to save this \"APT\" file under...");
    } else {
        window.setStatusText("Enter name for which to save this file under...");
    }
    const QString fileName = apt ? askSaveFileName(window, "SaveAptDialog", "Save APT-file")
                                 : askSaveFileName(window, "SaveTbfDialog", "Save TBF-file");
    if (fileName.isEmpty()) {
        window.setStatusText(kCanceledText);
        return;
    }

    const bool arcs = hasArcs(ws.database);
    double tolerance = kDefaultExplodeTolerance;
    if (arcs) {
        const std::optional<double> chosen = askExplodeTolerance(window);
        if (!chosen) {
            window.setStatusText(kCanceledText);
            return;
        }
        tolerance = *chosen;
    }

    window.setHourglass(true);
    window.setStatusText("Saving as " + fileName + "...");
    window.pumpNow();
    const std::string path = fileName.toStdString();
    // The writers explode the arcs of the toolpath itself.
    UndoStep step(window, apt ? "Save Apt" : "Save TBF");
    const WriteResult result = apt ? writeAptFile(ws.database, ws.tools, path, tolerance, &ws.pump)
                                   : writeTbfFile(ws.database, path, tolerance, &ws.pump);
    window.setHourglass(false);

    // The explosion stays in the database even when the file could not be written; the
    // views must show the path as it now is.
    if (arcs && !hasArcs(ws.database)) {
        step.commit();
        markViewsStale(ws);
        redrawFilteredPath(window);
    }
    if (!result.ok) {
        ws.report().error(result.message);
        window.setStatusText(kCanceledText);
        return;
    }
    window.setStatusText("Finished saving " + fileName + "...");
}

} // namespace

void SaveTBFfile1Click(Tf& window) {
    savePointFile(window, PointFormat::Tbf);
}

void SaveAptfile1Click(Tf& window) {
    savePointFile(window, PointFormat::Apt);
}

} // namespace korvix::ui
