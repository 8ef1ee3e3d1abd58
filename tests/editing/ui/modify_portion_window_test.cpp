#include "display/ui/window_input.h"
#include "editing/modify_portion_fields.h"
#include "editing/modify_portion_texts.h"
#include "editing/ui/modify_portion_dialog.h"
#include "gui_test_support.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <memory>

namespace korvix::test {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

using DialogStep = std::function<void(ui::ModifyPortionDialog&)>;

void whenShown(DialogStep step) {
    answerNextModal([step](QWidget* widget) {
        auto* dialog = dynamic_cast<ui::ModifyPortionDialog*>(widget);
        ASSERT_NE(dialog, nullptr) << widget->objectName().toStdString();
        step(*dialog);
    });
}

struct ModifyPortionWindow : ::testing::Test {
    ModifyPortionWindow() : window(makeWindow()), ws(window->workspace()) {
        openTestProgram(*window, "edit_mode_path.nc");
        window->action("Modifyportion1")->trigger();
    }
    void selectTool(int tool) {
        for (MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
            r->selected = r->tool == tool ? 1 : 0;
    }
    std::size_t count(int tool = -1) const {
        std::size_t n = 0;
        for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
            n += tool < 0 || r->tool == tool ? 1 : 0;
        return n;
    }
    std::size_t selected() const {
        std::size_t n = 0;
        for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
            n += r->selected;
        return n;
    }
    void run() { window->action("Modify1")->trigger(); }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

TEST_F(ModifyPortionWindow, PagesThenAPreviewedDeleteThenOptionalStops) {
    ui::ModifyPortionDialog& d = ui::ModifyPortionDialog::of(*window);
    EXPECT_EQ(d.windowTitle(), "Modify Selected Geometry");
    EXPECT_EQ(d.statusText(), qs(kModifyPortionDesignStatus));
    auto* pages = d.findChild<QTabWidget*>("PageControl1");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 5);
    for (const ModifyPortionPageInfo& info : modifyPortionPages()) {
        SCOPED_TRACE(std::string(info.caption));
        const int index = static_cast<int>(info.page);
        EXPECT_EQ(pages->tabText(index), qs(info.caption));
        EXPECT_EQ(pages->widget(index)->objectName(), qs(info.component));
        pages->setCurrentIndex(index);
        EXPECT_EQ(d.statusText(), qs(info.status));
        EXPECT_EQ(d.previewEnabled(), info.previewEnabled);
    }

    // Delete the moves of tool 2 through a kept preview.
    selectTool(2);
    const std::size_t all = count(), secondTool = count(2);
    ASSERT_GT(secondTool, 0u);
    const StartPointTexts start = startPointTexts(ws.database);
    auto startShown = std::make_shared<QString>();
    auto previewLength = std::make_shared<std::size_t>(0);
    whenShown([startShown](ui::ModifyPortionDialog& dialog) {
        *startShown = dialog.findChild<QLineEdit*>("StartPointXValueEdit")->text() + " " +
                      dialog.findChild<QLineEdit*>("StartPointZValueEdit")->text();
        dialog.setActivePage(ModifyPortionPage::Delete);
        dialog.findChild<QPushButton*>("PreviewButton")->click();
    });
    answerNextModal([this, previewLength](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        *previewLength = count();
        for (QAbstractButton* b : box->buttons())
            if (b->text().remove('&') == "Yes")
                b->click();
    });
    run();
    EXPECT_EQ(*startShown, QString::fromStdString(start.x + " " + start.z));
    EXPECT_EQ(*previewLength, all + all - secondTool); // the preview drawn after the path
    EXPECT_EQ(count(), all - secondTool);
    EXPECT_EQ(count(2), 0u);
    EXPECT_EQ(selected(), 0u);

    // Optional stops on tool 1 with "&Ok".
    selectTool(1);
    whenShown([](ui::ModifyPortionDialog& dialog) {
        dialog.setActivePage(ModifyPortionPage::OptionalStop);
        dialog.findChild<QRadioButton*>("EnableOptionalStopsRadioButton")->setChecked(true);
        dialog.findChild<QPushButton*>("OkButton")->click();
    });
    run();
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        EXPECT_EQ(r->optionalStop, r->tool == 1 ? 1 : 0);
    EXPECT_EQ(selected(), 0u);

    // Cancel says so.
    whenShown([](ui::ModifyPortionDialog& dialog) {
        dialog.findChild<QPushButton*>("CancelButton")->click();
    });
    run();
    EXPECT_EQ(window->statusText(), qs(kModifyPortionCanceledStatus));
}

} // namespace
} // namespace korvix::test
