#include "output/ui/save_file_name.h"

#include "ui/main_window.h"

#include <QFileDialog>
#include <QFileInfo>

namespace korvix::ui {
namespace {

QFileDialog& saveDialog(Tf& window, const char* objectName, const QString& title) {
    if (auto* existing = window.findChild<QFileDialog*>(objectName))
        return *existing;
    auto* dialog = new QFileDialog(&window, title);
    dialog->setObjectName(objectName);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question goes through the reporter, like every other question.
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    return *dialog;
}

} // namespace

QString askSaveFileName(Tf& window, const char* objectName, const QString& title) {
    QFileDialog& dialog = saveDialog(window, objectName, title);
    if (!window.currentFileName().isEmpty())
        dialog.selectFile(window.currentFileName());
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString fileName = dialog.selectedFiles().front();
        if (!QFileInfo::exists(fileName))
            return fileName;
        const QString question = "File \"" + fileName + "\" already exists. Ok to replace it?";
        if (window.workspace().report().confirm(question.toStdString()))
            return fileName;
    }
}

} // namespace korvix::ui
