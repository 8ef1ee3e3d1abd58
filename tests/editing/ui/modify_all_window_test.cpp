#include "display/ui/window_input.h"
#include "editing/modify_all_fields.h"
#include "editing/modify_all_texts.h"
#include "editing/ui/modify_all_dialog.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace korvix::test {
namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(name);
}
QPushButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(name);
}

// Runs the window's events until `condition` holds (false after five seconds).
bool waitUntil(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 5000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

using DialogStep = std::function<void(ui::ModifyAllDialog&)>;

// Answers the next showing of the dialog with `step` (which presses a button).
void whenShown(DialogStep step) {
    answerNextModal([step](QWidget* widget) {
        auto* dialog = dynamic_cast<ui::ModifyAllDialog*>(widget);
        ASSERT_NE(dialog, nullptr) << widget->objectName().toStdString();
        step(*dialog);
    });
}

// Fills fields of a page (by object name) and presses a button.
DialogStep onPage(ModifyAllPage page, std::vector<std::pair<const char*, QString>> texts,
                  const char* pressed) {
    return [page, texts, pressed](ui::ModifyAllDialog& dialog) {
        dialog.setActivePage(page);
        for (const auto& [name, text] : texts)
            edit(&dialog, name)->setText(text);
        button(&dialog, pressed)->click();
    };
}

std::vector<MoveRecord> recordsOf(const Workspace& ws) {
    std::vector<MoveRecord> records;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        records.push_back(*r);
    return records;
}

struct ModifyAll : ::testing::Test {
    ModifyAll() : window(makeWindow()), ws(window->workspace()) {
        openTestProgram(*window, "edit_mode_path.nc");
        // Each test starts from the design texts (the dialog keeps them between uses).
        dialog().setFields(ModifyAllFields{});
        dialog().setActivePage(kModifyAllDesignPage);
    }
    ui::ModifyAllDialog& dialog() { return ui::ModifyAllDialog::of(*window); }
    void run() { window->action("ModifyAll1")->trigger(); }
    bool onScreen(const MoveRecord& r) const {
        return r.screenX >= 0 && r.screenY >= 0 && r.screenX <= ws.view.width &&
               r.screenY <= ws.view.height;
    }

    std::unique_ptr<ui::Tf> window;
    Workspace& ws;
};

TEST_F(ModifyAll, TheDialogShowsItsPagesDefaultsAndPageTexts) {
    ui::ModifyAllDialog& d = dialog();
    EXPECT_EQ(d.objectName(), "TModifyAllDialog");
    EXPECT_EQ(d.windowTitle(), "Modify All Geometry");
    auto* pages = d.findChild<QTabWidget*>("PageControl1");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 5);
    EXPECT_EQ(d.activePage(), ModifyAllPage::Relocate);
    EXPECT_EQ(d.statusText(), "Press \"OK\" to RELOCATE geometry..");
    for (const ModifyAllPageInfo& info : modifyAllPages()) {
        SCOPED_TRACE(std::string(info.caption));
        const int index = static_cast<int>(info.page);
        EXPECT_EQ(pages->tabText(index), qs(info.caption));
        EXPECT_EQ(pages->widget(index)->objectName(), qs(info.component));
        pages->setCurrentIndex(index);
        EXPECT_EQ(d.statusText(), qs(info.status));
        EXPECT_EQ(d.previewEnabled(), info.page != ModifyAllPage::FeedRates);
    }
    const struct {
        const char* name;
        const char* text;
    } defaults[] = {
        {"RelocateXValueEdit", "0.000"}, {"RelocateYValueEdit", "0.000"},
        {"RelocateZValueEdit", "0.000"}, {"RelocationCopies", "0"},
        {"RotationAngleEdit", "0.000"},  {"RotationXEdit", "0.000"},
        {"RotationYEdit", "0.000"},      {"RotationCopies", "0"},
        {"ScaleFactorEdit", "1.000"},
    };
    for (const auto& f : defaults)
        EXPECT_EQ(edit(&d, f.name)->text(), f.text) << f.name;
    EXPECT_TRUE(edit(&d, "OldFeedRateEdit")->isReadOnly());
    EXPECT_EQ(d.findChild<QCheckBox*>("MirrorXValuesCheckBox")->text(), "Mirror \"X\" Values");
    EXPECT_EQ(d.findChild<QCheckBox*>("MirrorYValuesCheckBox")->text(), "Mirror \"Y\" Values");
    EXPECT_EQ(d.findChild<QCheckBox*>("CopyCheckbox")->text(), "Copy");
    EXPECT_EQ(d.findChild<QLabel*>("FeedColorLabel")->text(), "Color:");
    const struct {
        const char* name;
        const char* caption;
    } buttons[] = {{"PreviewButton", "&Preview"},   {"OkButton", "&Ok"},
                   {"CancelButton", "&Cancel"},     {"ChangeColorButton", "&Change color"},
                   {"PreviousButton", "&Previous"}, {"NextButton", "&Next"}};
    for (const auto& b : buttons)
        EXPECT_EQ(button(&d, b.name)->text(), b.caption) << b.name;
}

TEST(ModifyAllWithoutData, TheCommandOnlyClearsTheStatus) {
    auto window = makeWindow();
    window->setStatusText("something");
    answerNextModal([](QWidget* widget) {
        ADD_FAILURE() << "a dialog opened without data";
        widget->close();
    });
    window->action("ModifyAll1")->trigger();
    EXPECT_EQ(window->statusText(), "");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ModifyAll, CancelSaysSoAndChangesNothing) {
    const std::size_t count = recordsOf(ws).size();
    whenShown(onPage(ModifyAllPage::Relocate, {{"RelocateXValueEdit", "5"}}, "CancelButton"));
    run();
    EXPECT_EQ(window->statusText(), "Modify all geometry command canceled..");
    EXPECT_EQ(recordsOf(ws).size(), count);
    EXPECT_EQ(ws.database.first()->x, 0.0f);
}

TEST_F(ModifyAll, RelocateWithCopiesAppendsThemRefreshesTheStatusWindowAndFitsThePicture) {
    window->action("DisplayNCStatusWindow1")->trigger();
    ASSERT_TRUE(window->statusListBox().isVisible());
    const auto statusLines = [this] {
        QStringList lines;
        for (int i = 0; i < window->statusListBox().count(); ++i)
            lines << window->statusListBox().item(i)->text();
        return lines;
    };
    const QStringList statusBefore = statusLines();
    const std::size_t count = recordsOf(ws).size();
    whenShown(onPage(ModifyAllPage::Relocate,
                     {{"RelocateXValueEdit", "100"}, {"RelocationCopies", "2"}}, "OkButton"));
    run();
    const std::vector<MoveRecord> after = recordsOf(ws);
    // Path and copies all start and end at the highest Z: no retract or approach moves.
    EXPECT_EQ(after.size(), 3 * count);
    EXPECT_FLOAT_EQ(after.back().x, 30.0f + 200.0f); // the slot's end in the second copy
    EXPECT_DOUBLE_EQ(ws.database.status.extents.maxX, 260.0);
    // The copies reach far beyond the old picture: the view now shows all of them.
    for (const MoveRecord& r : after)
        ASSERT_TRUE(onScreen(r)) << r.blockNumber;
    EXPECT_NE(statusLines(), statusBefore);
}

TEST_F(ModifyAll, UnusableFieldsShowTheProblemAndTheDialogAgain) {
    const std::size_t count = recordsOf(ws).size();
    auto shownAgain = std::make_shared<QString>();
    whenShown(onPage(ModifyAllPage::Relocate, {{"RelocateXValueEdit", "1.2.3"}}, "OkButton"));
    const auto message = captureMessageBox();
    whenShown([shownAgain](ui::ModifyAllDialog& d) {
        *shownAgain = edit(&d, "RelocateXValueEdit")->text(); // left as typed
        button(&d, "CancelButton")->click();
    });
    run();
    EXPECT_EQ(*message, "'1.2.3' is not a valid floating point value");
    EXPECT_EQ(*shownAgain, "1.2.3");
    EXPECT_EQ(recordsOf(ws).size(), count);
}

TEST_F(ModifyAll, ADiscardedPreviewPutsBackPathAndViewAKeptOneReplacesThePath) {
    for (MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        r->selected = 1;
    const std::vector<MoveRecord> before = recordsOf(ws);
    const double scale = ws.view.scale;
    struct Seen {
        std::size_t records = 0;
        bool previewOnScreen = false;
        double scale = 0;
        bool previewDotted = true;
    };
    auto seen = std::make_shared<Seen>();
    const auto answer = [this, seen](const char* yesNo) {
        answerNextModal([this, seen, yesNo](QWidget* widget) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "Do you wish to keep this modification?");
            const std::vector<MoveRecord> shown = recordsOf(ws);
            seen->records = shown.size();
            seen->previewOnScreen = onScreen(shown.back());
            seen->scale = ws.view.scale;
            for (std::size_t i = shown.size() / 2; i < shown.size(); ++i)
                seen->previewDotted = seen->previewDotted && shown[i].selected == 1;
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove('&') == yesNo)
                    b->click();
        });
    };
    auto backAgain = std::make_shared<bool>(false);
    whenShown(onPage(ModifyAllPage::Relocate, {{"RelocateXValueEdit", "200"}}, "PreviewButton"));
    answer("No");
    whenShown([this, backAgain, before, scale](ui::ModifyAllDialog& d) {
        // The path and the view are as they were before the preview.
        *backAgain = recordsOf(ws).size() == before.size() && ws.view.scale == scale;
        button(&d, "PreviewButton")->click();
    });
    answer("Yes");
    run();

    EXPECT_TRUE(*backAgain);
    // The declined preview left no step to undo, the kept one did (after the Open).
    EXPECT_EQ(ws.history.undoSteps(), 2u);
    EXPECT_EQ(ws.history.undoCaption(), "Modify all");
    EXPECT_EQ(seen->records, 2 * before.size()); // the preview drawn after the path
    EXPECT_TRUE(seen->previewOnScreen);
    EXPECT_LT(seen->scale, scale); // fitted to show both
    EXPECT_TRUE(seen->previewDotted);
    const std::vector<MoveRecord> kept = recordsOf(ws);
    ASSERT_EQ(kept.size(), before.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        ASSERT_FLOAT_EQ(kept[i].x, before[i].x + 200.0f) << i;
        ASSERT_EQ(kept[i].selected, 0) << i;
    }
    EXPECT_DOUBLE_EQ(ws.database.status.extents.minX, 200.0);
}

TEST(ModifyAllPlaneArcs, RotatingAPathWithAnXzArcIsRefused) {
    auto window2 = makeWindow();
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    ui::openNamedFile(*window2, examplePath("plane_arcs.nc"));
    const std::vector<MoveRecord> before = recordsOf(window2->workspace());
    ASSERT_FALSE(before.empty());
    answerNextModal([](QWidget* widget) {
        auto* d = dynamic_cast<ui::ModifyAllDialog*>(widget);
        ASSERT_NE(d, nullptr);
        d->setActivePage(ModifyAllPage::Rotate);
        edit(d, "RotationAngleEdit")->setText("30");
        button(d, "OkButton")->click();
    });
    const auto message = captureMessageBox();
    window2->action("ModifyAll1")->trigger();
    EXPECT_EQ(*message, qs(kArcOutsideXyPlaneError));
    const std::vector<MoveRecord> after = recordsOf(window2->workspace());
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i)
        ASSERT_EQ(after[i].x, before[i].x) << i;
}

TEST_F(ModifyAll, TheFeedPageStepsThroughTheFeedsAndGivesThemNewValuesAndColours) {
    struct Seen {
        QStringList oldFeeds;
        QString refused;
        bool focusBack = false;
        bool previousAtFirst = true, nextAtLast = true;
    };
    auto seen = std::make_shared<Seen>();
    whenShown([seen](ui::ModifyAllDialog& d) {
        d.setActivePage(ModifyAllPage::FeedRates);
        QLineEdit* oldFeed = edit(&d, "OldFeedRateEdit");
        QLineEdit* newFeed = edit(&d, "NewFeedRateEdit");
        seen->previousAtFirst = button(&d, "PreviousButton")->isEnabled();
        seen->oldFeeds << oldFeed->text();
        while (button(&d, "NextButton")->isEnabled()) {
            button(&d, "NextButton")->click();
            seen->oldFeeds << oldFeed->text();
        }
        seen->nextAtLast = button(&d, "NextButton")->isEnabled();
        button(&d, "PreviousButton")->click(); // back to 250

        // Typed and left for another control: refused with the first offending character.
        d.activateWindow();
        waitUntil([&d] { return d.isActiveWindow(); });
        newFeed->setFocus(Qt::OtherFocusReason);
        newFeed->setText("3x0y");
        newFeed->setModified(true);
        const auto message = captureMessageBox();
        button(&d, "NextButton")->setFocus(Qt::TabFocusReason);
        waitUntil([&] { return !message->isEmpty(); });
        seen->refused = *message;
        waitUntil([&d] { return d.isActiveWindow(); });
        seen->focusBack = d.focusWidget() == newFeed;

        // A good value, stored by Ok on the way out; a new colour for the entry.
        newFeed->setText("300");
        newFeed->setModified(true);
        acceptColor(0x00FF00);
        button(&d, "ChangeColorButton")->click();
        button(&d, "OkButton")->click();
    });
    run();

    EXPECT_EQ(seen->oldFeeds, (QStringList{"100.00", "250.00", "400.00"}));
    EXPECT_FALSE(seen->previousAtFirst);
    EXPECT_FALSE(seen->nextAtLast);
    EXPECT_EQ(seen->refused, "Non-numeric charactor found in input data \"x\"...");
    EXPECT_TRUE(seen->focusBack);
    bool any = false;
    for (const MoveRecord& r : recordsOf(ws)) {
        if (r.blockNumber != 40 && r.blockNumber != 50)
            continue;
        any = true;
        ASSERT_EQ(r.feed, 300.0f) << r.blockNumber;
        ASSERT_EQ(r.color, makeRgb(0, 255, 0)) << r.blockNumber;
    }
    EXPECT_TRUE(any);
    // Entries the user left alone keep their moves' feeds.
    for (const MoveRecord& r : recordsOf(ws))
        if (r.blockNumber == 110) {
            EXPECT_EQ(r.feed, 400.0f);
        }
}

} // namespace
} // namespace korvix::test
