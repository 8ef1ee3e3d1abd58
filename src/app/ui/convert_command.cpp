#include "app/ui/convert_command.h"

#include "app/ui/close_commands.h"
#include "display/display_state.h"
#include "display/ui/animate_commands.h"
#include "input/ui/input_radius_type_form.h"
#include "input/ui/parsing_error_form.h"
#include "output/convert_file.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "output/ui/dir_ctrl_form.h"
#include "ui/main_window.h"

#include <QFileInfo>
#include <set>
#include <vector>

namespace korvix::ui {
namespace {

constexpr const char* kCanceledText = "Convert command canceled...";

ConvertOptions convertOptionsOf(Tf& window) {
    const CNCControlTypeDialog& control = CNCControlTypeDialog::of(window);
    ConvertOptions options;
    options.absoluteCenters = InputRadiusTypeForm::of(window).absoluteCenters();
    options.lowerCaseWords = window.workspace().reading.lowerCaseWords;
    options.write.controlName = control.machineName().toStdString();
    options.write.machinesFolder = control.machinesFolder();
    options.write.startingText = control.startingText().toStdString();
    options.write.programNumber = control.programNumber().value_or(0);
    return options;
}

// The reader and writer of one file report their progress through a pump of their own,
// which turns it into progress over the whole batch. A stop asked for meanwhile waits for
// the end of the file (the window's pump keeps it), so no file is left half converted.
struct BatchProgress {
    MessagePump& window;
    std::uint64_t before = 0;
    std::uint64_t total = 0;
    MessagePump file;

    explicit BatchProgress(MessagePump& windowPump) : window(windowPump) {
        file.install([this] {
            window.setProgress(before + file.progressDone(), total);
            window.pumpNow();
        });
    }
};

void runBatch(Tf& window, const QStringList& batch) {
    Workspace& ws = window.workspace();
    const ConvertOptions options = convertOptionsOf(window);
    BatchProgress progress(ws.pump);
    // Bytes count as progress; an empty file still counts as one step.
    std::vector<std::uint64_t> sizes;
    for (const QString& file : batch) {
        sizes.push_back(static_cast<std::uint64_t>(std::max<qint64>(QFileInfo(file).size(), 1)));
        progress.total += sizes.back();
    }

    window.beginProgress();
    ws.pump.clearCancel();
    QStringList differing;
    std::set<std::string> formatMessagesShown;
    int converted = 0;
    qsizetype done = 0;
    for (const QString& file : batch) {
        if (ws.pump.cancelRequested())
            break;
        window.setStatusText("Converting " + file + "...");
        window.pumpNow();
        const ConvertTarget target{{ws.database, ws.tools, ws.parseLog, progress.file, ws.report()},
                                   ws.machine};
        const ConvertFileResult result =
            convertFileInPlace(target, file.toStdString(), options,
                               [&ws](const Extents& extents) { fitAfterRead(ws, extents); });
        if (ws.parseLog.parseErrorFlag) {
            ParsingErrorForm::of(window).setLines(ws.parseLog.lines);
            ParsingErrorForm::of(window).exec();
        }
        // A machine format's warnings are the same for every file: one box each.
        std::vector<FormatMessage> fresh;
        for (const FormatMessage& message : result.write.messages)
            if (formatMessagesShown.insert(message.text).second)
                fresh.push_back(message);
        showFormatMessages(ws.report(), fresh);
        if (result.converted)
            ++converted;
        if (result.converted && !result.sameAsOriginal())
            differing.append(QFileInfo(file).fileName());
        window.setStatusText(
            QString::fromStdString(conversionStatusText(file.toStdString(), result)));
        window.pumpNow();
        ws.database.records.freeAll();
        ws.database.status = DatabaseStatus{};
        clearToolTable(ws.tools);
        progress.before += sizes[static_cast<std::size_t>(done)];
        ++done;
    }
    const bool stopped = done < batch.size();
    ws.pump.clearCancel();
    window.endProgress();
    markViewsStale(ws);

    if (!differing.isEmpty())
        ws.report().warning(("The written programs of these files differ from their "
                             "originals; check them before machining (the originals are "
                             "kept as .bak files):\n" +
                             differing.join("\n"))
                                .toStdString());
    if (stopped)
        window.setStatusText("Convert command stopped after " + QString::number(done) + " of " +
                             QString::number(batch.size()) + " files...");
    else if (batch.size() > 1 || !differing.isEmpty())
        window.setStatusText("Converted " + QString::number(converted) + " of " +
                             QString::number(batch.size()) + " files" +
                             (differing.isEmpty() ? QString(", all verified")
                                                  : ", " + QString::number(differing.size()) +
                                                        " differ from their originals") +
                             "...");
}

} // namespace

void Convert1Click(Tf& window) {
    // The animation walks the records that the conversion replaces: it ends first.
    if (animationRunning(window)) {
        endAnimationThen(window, [&window] { Convert1Click(window); });
        return;
    }
    window.eraseWindow();
    clearLoadedData(window, true);
    window.setHourglass(false);

    window.setStatusText("Select which type of arcs to be read...");
    if (InputRadiusTypeForm::of(window).exec() != QDialog::Accepted) {
        window.setStatusText(kCanceledText);
        return;
    }
    window.setStatusText("Select CNC control type for output files...");
    if (CNCControlTypeDialog::of(window).exec() != QDialog::Accepted) {
        window.setStatusText(kCanceledText);
        return;
    }
    window.setStatusText("Select file(s) to be converted...");
    if (DirCtrlForm::of(window).exec() != QDialog::Accepted) {
        window.setStatusText(kCanceledText);
        return;
    }
    window.setHourglass(true);
    runBatch(window, DirCtrlForm::of(window).batch());
    window.setHourglass(false);
}

} // namespace korvix::ui
