#include "input/ui/open_command.h"

#include "app/workspace_access.h"
#include "display/display_state.h"
#include "display/ui/status_window_commands.h"
#include "input/nc_reader.h"
#include "input/ui/background_read.h"
#include "input/ui/input_radius_type_form.h"
#include "input/ui/parsing_error_form.h"
#include "input/wireframe_reader.h"
#include "model/number_text.h"
#include "model/read_budget.h"
#include "output/tbf_file.h"
#include "ui/main_window.h"
#include "ui/undo_step.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

namespace korvix::ui {
namespace {

enum class OpenedFrom { Dialog, CommandLine };

// The window's file and colour dialogs of the Open command, kept for the program's life so
// that they keep their folder, filter and colour.
class OpenNcDialog final : public QFileDialog {
public:
    explicit OpenNcDialog(QWidget* parent) : QFileDialog(parent, "Open fIle") {
        setObjectName("OpenNcDialog");
        setOption(QFileDialog::DontUseNativeDialog);
        setFileMode(QFileDialog::ExistingFile);
        setAcceptMode(QFileDialog::AcceptOpen);
        setNameFilters(openDialogFilters());
    }
};

// Each kind of file offers the colour last chosen for that kind: black, the wire-frame
// preset, keeps a wire-frame's own colours but would draw a toolpath black on black.
class ColorDialog1 final : public QColorDialog {
public:
    explicit ColorDialog1(QWidget* parent) : QColorDialog(parent) {
        setObjectName("ColorDialog1");
        setOption(QColorDialog::DontUseNativeDialog);
    }

    bool choose(bool wireframe) {
        QColor& last = wireframe ? m_wireframeColor : m_toolpathColor;
        setCurrentColor(last);
        if (exec() != QDialog::Accepted)
            return false;
        last = currentColor();
        return true;
    }
    QColor& lastColor(bool wireframe) { return wireframe ? m_wireframeColor : m_toolpathColor; }

private:
    QColor m_toolpathColor = Qt::white;
    QColor m_wireframeColor = Qt::black;
};

void cancel(Tf& window) {
    window.setStatusText("Open command canceled...");
}

ColorDialog1& colorDialogOf(Tf& window) {
    return window.dialog<ColorDialog1>([&window] { return new ColorDialog1(&window); });
}

Rgb toRgb(const QColor& color) {
    return makeRgb(color.red(), color.green(), color.blue());
}

// Redraw and status-window refill after any file was read.
void showWhatWasRead(Tf& window) {
    // The fit may have changed, so the picture of the old scale goes first.
    window.eraseWindow();
    window.fullRedraw();
    if (window.isChecked("DisplayNCStatusWindow1") || window.isChecked("DisplayWIRESTATUSwindow1"))
        refillStatusListBox(window);
}

void finishReading(Tf& window, const QString& doneText) {
    window.setStatusText(doneText);
    window.endProgress();
    window.setHourglass(false);
    window.pumpNow();
}

// Reads the program on a worker thread with the loading text, the hourglass and the progress
// shown, and ends with the count text (or the canceled text: nothing has changed then).
// The job keeps what it read until the caller hands it over.
std::unique_ptr<NcReadJob> readWithProgress(Tf& window, const QString& fileName,
                                            const NcReadOptions& options) {
    window.setStatusText("Loading NC file \"" + fileName + "\"...");
    window.setHourglass(true);
    std::unique_ptr<NcReadJob> job = readInBackground(window, fileName, options);
    const NcReadResult& result = job->result();
    if (result.status == NcReadStatus::Canceled)
        finishReading(window, "Open command canceled...");
    else
        finishReading(window, "Total number of blocks read from \"" + fileName +
                                  "\" = " + QString::number(result.blocks) + "...");
    return job;
}

// Joins what the job read to the loaded path, as a read in place would have left it, and
// fits the view to it.
NcReadResult handOver(Tf& window, NcReadJob& job, const QString& fileName) {
    Workspace& ws = window.workspace();
    if (!job.handOver(ncReadTarget(ws))) {
        NcReadResult result;
        result.status = NcReadStatus::OutOfMemory;
        result.message = outOfMemoryText(fileName.toStdString());
        ws.report().error(result.message);
        return result;
    }
    NcReadResult result = job.takeResult();
    const bool readToTheEnd = result.ok() || result.status == NcReadStatus::ReadError;
    if (readToTheEnd && ws.database.databaseAllocated())
        fitAfterRead(ws, ws.database.status.extents);
    return result;
}

void openNcProgram(Tf& window, const QString& fileName, Rgb color, OpenedFrom from) {
    Workspace& ws = window.workspace();
    window.setStatusText("Select which type of arcs to be read...");
    if (InputRadiusTypeForm::of(window).exec() != QDialog::Accepted) {
        cancel(window);
        return;
    }
    window.setChecked("DisplayNCData1", true);
    if (from == OpenedFrom::Dialog)
        window.setChecked("DisplayRAPIDmoves", true);

    const bool wasEmpty = !ws.database.databaseAllocated();
    NcReadOptions options;
    options.absoluteCenters = InputRadiusTypeForm::of(window).absoluteCenters();
    options.lowerCaseWords = ws.reading.lowerCaseWords;
    options.drawColor = color;
    options.firstSourceLine = ws.source.nextLine();
    std::unique_ptr<NcReadJob> job = readWithProgress(window, fileName, options);
    if (job->result().status == NcReadStatus::Canceled)
        return;
    // Arcs read with the wrong centre type make a mass of circles; when they plainly fit the
    // other type, the user may have the file read that way instead. The first reading is
    // still apart from the loaded path and simply goes.
    const NcReadResult& first = job->result();
    if (first.ok() && centresLookSwapped(first.centres, options.absoluteCenters) &&
        ws.report().confirm(
            centreQuestion(first.centres, options.absoluteCenters, fileName.toStdString()))) {
        options.absoluteCenters = !options.absoluteCenters;
        InputRadiusTypeForm::of(window).setAbsoluteCenters(options.absoluteCenters);
        job.reset();
        job = readWithProgress(window, fileName, options);
        if (job->result().status == NcReadStatus::Canceled)
            return;
    }
    UndoStep step(window, "Open " + QFileInfo(fileName).fileName().toStdString());
    NcReadResult result = handOver(window, *job, fileName);
    job.reset();
    if (result.ok() || result.blocks > 0)
        step.commit();
    keepReadText(ws, result);
    window.setCurrentFileName(fileName);
    window.action("Edit2")->setEnabled(wasEmpty);

    if (ws.parseLog.parseErrorFlag) {
        ParsingErrorForm::of(window).setLines(ws.parseLog.lines);
        ParsingErrorForm::of(window).exec();
    }
    showWhatWasRead(window);
}

void openWireframe(Tf& window, const QString& fileName, Rgb color) {
    Workspace& ws = window.workspace();
    window.setStatusText("Loading wire frame file \"" + fileName + "\"...");
    window.setHourglass(true);
    window.pumpNow();
    WireframeReadInfo info;
    const int count =
        readWireframeFile(wireframeReadTarget(ws), fileName.toStdString(), color, &info);
    markViewsStale(ws);
    // A file that could not be read at all leaves the wire-frame read before in memory; it stays
    // on the screen as it was rather than being hidden by a read that did not happen.
    const bool previousKept = !info.message.empty() && ws.wireframe.wireframeAllocated();
    if (!previousKept) {
        window.setChecked("DisplayWIREdata1", count > 0);
        if (count > 0)
            fitToSource(ws, window.isChecked("FittoNCdata"));
    }
    QString left;
    if (info.skippedPoints > 0)
        left = ", " + QString::number(info.skippedPoints) + " not numbers left out";
    finishReading(window, "Total number of points read from \"" + fileName +
                              "\" = " + QString::number(count) + left + "...");
    if (count > 0)
        window.noteRecentFile(fileName);
    showWhatWasRead(window);
}

void openTbfFile(Tf& window, const QString& fileName, Rgb color, OpenedFrom from) {
    Workspace& ws = window.workspace();
    window.setChecked("DisplayNCData1", true);
    if (from == OpenedFrom::Dialog)
        window.setChecked("DisplayRAPIDmoves", true);

    window.setStatusText("Loading TBF file \"" + fileName + "\"...");
    window.setHourglass(true);
    window.beginProgress();
    window.pumpNow();
    const bool wasEmpty = !ws.database.databaseAllocated();
    UndoStep step(window, "Open " + QFileInfo(fileName).fileName().toStdString());
    const TbfReadResult result = readTbfFile(ws.database, fileName.toStdString(), color, &ws.pump);
    if (result.pointCount > 0) {
        step.commit();
        fitAfterRead(ws, ws.database.status.extents);
    }
    finishReading(window, "Total number of blocks read from \"" + fileName +
                              "\" = " + QString::number(result.pointCount) + "...");
    window.setCurrentFileName(fileName);
    window.action("Edit2")->setEnabled(wasEmpty);
    // The count above stays whatever went wrong; the reason is worth a box.
    if (!result.ok)
        ws.report().error(result.message);
    if (result.skippedPoints > 0)
        ws.report().warning(skippedPointsText(result.skippedPoints, fileName.toStdString()));
    showWhatWasRead(window);
}

void openFile(Tf& window, const QString& fileName, OpenedFrom from) {
    const QFileInfo info(fileName);
    if (!info.exists()) {
        cancel(window);
        window.workspace().report().error((fileName + " does not exist...").toStdString());
        return;
    }
    const QString extension = QString::fromStdString(
        upperAscii(info.suffix().isEmpty() ? "" : ("." + info.suffix()).toStdString()));
    ColorDialog1& colors = colorDialogOf(window);
    window.setStatusText("Select drawing color for " +
                         QString::fromStdString(upperAscii(info.fileName().toStdString())) + "...");
    if (!colors.choose(extension == ".WIR")) {
        cancel(window);
        return;
    }
    const Rgb color = toRgb(colors.currentColor());
    if (extension == ".WIR")
        openWireframe(window, fileName, color);
    else if (extension == ".TBF")
        openTbfFile(window, fileName, color, from);
    else
        openNcProgram(window, fileName, color, from);
}

} // namespace

QStringList openDialogFilters() {
    return {"NC file (*)", "Background wireframe (*.WIR *.wir)", "Dedid binary file (*.TBF *.tbf)"};
}

void Open1Click(Tf& window) {
    window.setStatusText("Select a file for input...");
    QFileDialog& dialog =
        window.dialog<OpenNcDialog>([&window] { return new OpenNcDialog(&window); });
    dialog.selectNameFilter(openDialogFilters().front());
    if (!window.currentFileName().isEmpty())
        dialog.selectFile(window.currentFileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        cancel(window);
        return;
    }
    openFile(window, dialog.selectedFiles().front(), OpenedFrom::Dialog);
}

void ReadLowerCaseWordsClick(Tf& window) {
    const bool read = !window.isChecked("ReadLowerCaseWords1");
    window.setChecked("ReadLowerCaseWords1", read);
    window.workspace().reading.lowerCaseWords = read;
}

void openNamedFile(Tf& window, const QString& fileName) {
    openFile(window, QFileInfo(fileName).absoluteFilePath(), OpenedFrom::CommandLine);
}

void openChosenFile(Tf& window, const QString& fileName) {
    openFile(window, QFileInfo(fileName).absoluteFilePath(), OpenedFrom::Dialog);
}

QColor lastOpenColor(Tf& window, bool wireframe) {
    return colorDialogOf(window).lastColor(wireframe);
}

void setLastOpenColor(Tf& window, bool wireframe, const QColor& color) {
    colorDialogOf(window).lastColor(wireframe) = color;
}

} // namespace korvix::ui
