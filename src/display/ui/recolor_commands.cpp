#include "display/ui/recolor_commands.h"

#include "display/recolor.h"
#include "display/ui/modify_feed_colors_dialog.h"
#include "ui/main_window.h"

namespace korvix::ui {
namespace {

void recolor(Tf& window, RecolorKey key) {
    Workspace& ws = window.workspace();
    // The table is rebuilt on each use; it only has to outlive the dialog.
    ColorTable table;
    window.setHourglass(true);
    const bool loaded = beginRecolorCommand(ws, key, table);
    window.setHourglass(false);
    if (!loaded)
        return;
    ModifyFeedColorsDialog& dialog = ModifyFeedColorsDialog::of(window);
    const RecolorDialogTexts texts = recolorDialogTexts(key);
    dialog.setTexts(QString::fromUtf8(texts.caption.data(), texts.caption.size()),
                    QString::fromUtf8(texts.label.data(), texts.label.size()));
    dialog.setTable(&table);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    dialog.setTable(nullptr);
    if (accepted)
        window.drawWith([&](Canvas& canvas) { finishRecolorCommand(ws, canvas, key, table); });
}

} // namespace

void ModifyCOLORSbyFEEDrate1Click(Tf& window) {
    recolor(window, RecolorKey::FeedRate);
}

void ModifyCOLORSbyTOOLnumber1Click(Tf& window) {
    recolor(window, RecolorKey::ToolNumber);
}

} // namespace korvix::ui
