#include "app/workspace_access.h"
#include "gui_test_support.h"
#include "input/nc_reader.h"
#include "model/ui/tool_definition_dialog.h"
#include "model/ui/tool_number_selection_form.h"
#include "model/ui/window_trace.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <map>

namespace korvix::test {
namespace {

const QString kTwoTools = QString(KORVIX_TEST_DATA_DIR) + "/two_tools.nc";

void readProgram(ui::Tf& window, const QString& path) {
    ASSERT_GT(readNcFile(ncReadTarget(window.workspace()), path.toStdString(), NcReadOptions{}, {}),
              0);
}

// How many moves each tool has.
std::map<int, int> movesPerTool(const Workspace& ws) {
    std::map<int, int> moves;
    for (const MoveRecord* r = ws.database.first()->next; r != nullptr; r = r->next)
        ++moves[r->tool];
    return moves;
}

// Every field of an entry as the dialog shows it.
QStringList entryTexts(const ToolEntry& entry) {
    QStringList texts;
    for (int i = 0; i < kToolFieldCount; ++i)
        texts << QString::fromStdString(toolFieldText(entry, static_cast<ToolField>(i)));
    return texts;
}

QStringList fieldTexts(ui::ToolDefinitionDialog& dialog) {
    QStringList texts;
    for (int i = 0; i < kToolFieldCount; ++i)
        texts << dialog.fieldEdit(static_cast<ToolField>(i)).text();
    return texts;
}

TEST(ToolDefinitionDialog, ShowsItsFieldsInOrderWithTheProgramNumbersInBlue) {
    auto window = makeWindow();
    ui::ToolDefinitionDialog& dialog = ui::ToolDefinitionDialog::of(*window);
    EXPECT_EQ(dialog.objectName(), "TToolDefinitionDialog");
    EXPECT_EQ(dialog.windowTitle(), "Tool Definition(s)");
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    const char* names[] = {"ToolNumberEdit",    "DiameterEdit",        "RadiusEdit",
                           "LengthEdit",        "AngleToXEdit",        "AngleToYEdit",
                           "AngleToZEdit",      "ToolCompNumberEdit",  "SpindleRPMEdit",
                           "ArcResolutionEdit", "NumberOfSectionsEdit"};
    dialog.show();
    int previousTop = -1;
    for (const char* name : names) {
        QLineEdit* field = edit(&dialog, name);
        ASSERT_NE(field, nullptr) << name;
        const bool angle = QString(name).startsWith("AngleTo");
        EXPECT_EQ(field->isEnabled(), !angle) << name;
        const bool blue = QString(name) == "ToolNumberEdit" ||
                          QString(name) == "ToolCompNumberEdit" ||
                          QString(name) == "SpindleRPMEdit";
        EXPECT_EQ(field->palette().color(QPalette::Base) == QColor(Qt::blue), blue) << name;
        // One below the other, in the documented order.
        const int top = field->mapTo(&dialog, QPoint(0, 0)).y();
        EXPECT_GT(top, previousTop) << name;
        previousTop = top;
    }
    EXPECT_EQ(dialog.findChild<QGroupBox*>("GraphicsQualityGroupBox")->title(),
              "Graphics quality parameters");
    EXPECT_TRUE(edit(&dialog, "CurrentToolRecordEdit")->isReadOnly());
    EXPECT_TRUE(edit(&dialog, "ToolRecordCountEdit")->isReadOnly());
    EXPECT_EQ(button(&dialog, "PreviousButton")->text(), "&Previous");
    EXPECT_EQ(button(&dialog, "OkButton")->text(), "&Ok");
    EXPECT_EQ(button(&dialog, "NextButton")->text(), "&Next");
    dialog.accept();
}

TEST(ToolDefinitionDialog, EmptyTableShowsEntryZeroOnly) {
    auto window = makeWindow();
    ui::ToolDefinitionDialog& dialog = ui::ToolDefinitionDialog::of(*window);
    dialog.show();
    EXPECT_EQ(dialog.currentEntry(), 0);
    EXPECT_EQ(edit(&dialog, "CurrentToolRecordEdit")->text(), "0");
    EXPECT_EQ(edit(&dialog, "ToolRecordCountEdit")->text(), "0");
    EXPECT_FALSE(button(&dialog, "NextButton")->isEnabled());
    EXPECT_FALSE(button(&dialog, "PreviousButton")->isEnabled());
    EXPECT_EQ(fieldTexts(dialog), (QStringList{"0", "0.0000", "0.0000", "0.0000", "90.0000",
                                               "90.0000", "0.0000", "0", "0", "3.5000", "11"}));
    dialog.accept();
}

TEST(ToolDefinitionDialog, BrowsesTheEntriesFromOneDownToZero) {
    auto window = makeWindow();
    readProgram(*window, kTwoTools);
    ui::ToolDefinitionDialog& dialog = ui::ToolDefinitionDialog::of(*window);
    dialog.show();
    struct Step {
        const char* button;
        int entry;
        const char* toolNumber;
        const char* rpm;
        bool previous, next;
    };
    const Step steps[] = {
        {nullptr, 1, "1", "2000", true, true},
        {"NextButton", 2, "2", "4500", true, false},
        {"PreviousButton", 1, "1", "2000", true, true},
        {"PreviousButton", 0, "0", "0", false, true},
    };
    for (const Step& step : steps) {
        if (step.button != nullptr)
            button(&dialog, step.button)->click();
        SCOPED_TRACE(step.entry);
        EXPECT_EQ(dialog.currentEntry(), step.entry);
        EXPECT_EQ(edit(&dialog, "CurrentToolRecordEdit")->text(), QString::number(step.entry));
        EXPECT_EQ(edit(&dialog, "ToolRecordCountEdit")->text(), "2");
        EXPECT_EQ(edit(&dialog, "ToolNumberEdit")->text(), step.toolNumber);
        EXPECT_EQ(edit(&dialog, "SpindleRPMEdit")->text(), step.rpm);
        EXPECT_EQ(button(&dialog, "PreviousButton")->isEnabled(), step.previous);
        EXPECT_EQ(button(&dialog, "NextButton")->isEnabled(), step.next);
    }
    dialog.accept();
}

TEST(ToolDefinitionDialog, ChangingToolTwoToSevenRenumbersItsMoves) {
    auto window = makeWindow();
    readProgram(*window, kTwoTools);
    Workspace& ws = window->workspace();
    const std::map<int, int> before = movesPerTool(ws);
    ASSERT_GT(before.at(1), 0);
    ASSERT_GT(before.at(2), 0);

    answerNextModal([](QWidget* widget) {
        button(widget, "NextButton")->click();
        edit(widget, "ToolNumberEdit")->setText("7");
        edit(widget, "DiameterEdit")->setText("6.35");
        button(widget, "OkButton")->click();
    });
    window->action("ToolDefinitions")->trigger();

    EXPECT_FALSE(ui::ToolDefinitionDialog::of(*window).isVisible());
    EXPECT_EQ(ws.tools.entries[2].toolNumber, 7);
    EXPECT_FLOAT_EQ(ws.tools.entries[2].diameter, 6.35f);
    const std::map<int, int> after = movesPerTool(ws);
    EXPECT_EQ(after.count(2), 0u);
    EXPECT_EQ(after.at(7), before.at(2));
    EXPECT_EQ(after.at(1), before.at(1));

    // Opened again, the dialog starts from the new numbers: nothing moves twice.
    answerNextModal([](QWidget* widget) { static_cast<QDialog*>(widget)->reject(); });
    window->action("ToolDefinitions")->trigger();
    EXPECT_EQ(movesPerTool(ws), after);
}

TEST(ToolDefinitionDialog, RefusedTextsKeepTheEntryAndTheDialog) {
    struct Case {
        const char* field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"DiameterEdit", "12,5", "Non-numeric charactor found in input data \",\"..."},
        {"LengthEdit", "7 mm", "Non-numeric charactor found in input data \" \"..."},
        {"RadiusEdit", "", "Radius is empty: enter a number..."},
        {"RadiusEdit", "0.5.", "Radius \"0.5.\" is not valid: enter a number..."},
        {"ToolNumberEdit", "256",
         "Tool number \"256\" is not valid: enter a whole number from 0 to 255..."},
        {"ToolCompNumberEdit", "", "Tool comp # is empty: enter a whole number from 0 to 255..."},
        {"SpindleRPMEdit", "40000",
         "Spindle RPM \"40000\" is not valid: enter a whole number from -32768 to 32767..."},
        {"NumberOfSectionsEdit", "-1",
         "Number of sections \"-1\" is not valid: enter a whole number from 0 to 255..."},
    };
    auto window = makeWindow();
    readProgram(*window, kTwoTools);
    Workspace& ws = window->workspace();
    ui::ToolDefinitionDialog& dialog = ui::ToolDefinitionDialog::of(*window);
    dialog.show();
    const QStringList stored = entryTexts(ws.tools.entries[1]);
    std::map<QString, QString> shown;
    for (const Case& c : cases)
        shown[c.field] = edit(&dialog, c.field)->text();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        for (const char* way : {"NextButton", "OkButton"}) {
            edit(&dialog, c.field)->setText(c.text);
            const auto message = captureMessageBox();
            button(&dialog, way)->click();
            EXPECT_EQ(*message, c.message) << way;
            // Nothing stored, nowhere moved, nothing closed; the text stays to be mended.
            EXPECT_EQ(entryTexts(ws.tools.entries[1]), stored) << way;
            EXPECT_EQ(dialog.currentEntry(), 1) << way;
            EXPECT_TRUE(dialog.isVisible()) << way;
            EXPECT_EQ(edit(&dialog, c.field)->text(), c.text) << way;
        }
        edit(&dialog, c.field)->setText(shown[c.field]);
    }
    // Mended, the value is stored as a 32-bit float and shown with four decimals.
    edit(&dialog, "DiameterEdit")->setText("12.5");
    button(&dialog, "NextButton")->click();
    EXPECT_FLOAT_EQ(ws.tools.entries[1].diameter, 12.5f);
    EXPECT_EQ(dialog.currentEntry(), 2);
    button(&dialog, "PreviousButton")->click();
    EXPECT_EQ(edit(&dialog, "DiameterEdit")->text(), "12.5000");
    dialog.accept();
}

TEST(ToolDefinitionDialog, LeavingAFieldStoresItOrTakesTheUserBack) {
    auto window = makeWindow();
    readProgram(*window, kTwoTools);
    Workspace& ws = window->workspace();
    ui::ToolDefinitionDialog& dialog = ui::ToolDefinitionDialog::of(*window);
    struct Outcome {
        QString message;
        QWidget* focus = nullptr;
    };
    // Types `text` into `field` and tabs to the next field, as a user would; then puts the
    // field back as it was shown and closes the dialog.
    const auto leave = [&](const char* field, const char* next, const QString& text, bool refused) {
        auto outcome = std::make_shared<Outcome>();
        answerNextModal([&dialog, field, next, text, refused, outcome](QWidget*) {
            dialog.activateWindow();
            for (int i = 0; i < 100 && !dialog.isActiveWindow(); ++i)
                QApplication::processEvents(QEventLoop::AllEvents, 10);
            QLineEdit* typed = edit(&dialog, field);
            const QString original = typed->text();
            typed->setFocus(Qt::OtherFocusReason);
            typed->setText(text);
            const auto message = refused ? captureMessageBox() : std::make_shared<QString>();
            edit(&dialog, next)->setFocus(Qt::TabFocusReason);
            std::vector<std::shared_ptr<QString>> expected;
            if (refused)
                expected.push_back(message);
            QWidget* expectedFocus = refused ? typed : edit(&dialog, next);
            whenTrue([&dialog, expected,
                      expectedFocus] { return fieldCheckSettled(dialog, expected, expectedFocus); },
                     [&dialog, typed, original, message, outcome] {
                         outcome->message = *message;
                         // The window may not be active again yet.
                         outcome->focus = dialog.focusWidget();
                         if (!outcome->message.isEmpty())
                             typed->setText(original);
                         button(&dialog, "OkButton")->click();
                     });
        });
        window->action("ToolDefinitions")->trigger();
        return outcome;
    };

    const auto stored = leave("LengthEdit", "ToolCompNumberEdit", "75.5", false);
    EXPECT_FLOAT_EQ(ws.tools.entries[1].length, 75.5f);
    EXPECT_EQ(stored->focus, edit(&dialog, "ToolCompNumberEdit"));

    const auto refused = leave("SpindleRPMEdit", "ArcResolutionEdit", "12 000", true);
    EXPECT_EQ(refused->message, "Non-numeric charactor found in input data \" \"...");
    EXPECT_EQ(refused->focus, edit(&dialog, "SpindleRPMEdit"));
    EXPECT_EQ(ws.tools.entries[1].spindleSpeed, 2000);
}

TEST(ToolNumberSelectionForm, UpDownBrowsesTheTableAndWraps) {
    auto window = makeWindow();
    readProgram(*window, examplePath("multi_tool.nc")); // tools 3, 7, 12
    ui::ToolNumberSelectionForm& form = ui::ToolNumberSelectionForm::of(*window);
    EXPECT_EQ(form.objectName(), "TToolNumberSelectionForm");
    EXPECT_EQ(form.windowTitle(), "Select Tool #");
    EXPECT_EQ(form.findChild<QLabel*>("Label1")->text(), "Tool #");
    EXPECT_EQ(form.toolNumberText(), "0");
    EXPECT_EQ(button(&form, "OkButton")->text(), "&Ok");
    EXPECT_EQ(button(&form, "CancelButton")->text(), "&Cancel");
    form.show();
    EXPECT_EQ(form.upDown().maximum(), 3);
    QToolButton* up = form.findChild<QToolButton*>("UpButton");
    QToolButton* down = form.findChild<QToolButton*>("DownButton");
    QStringList seen;
    for (QToolButton* arrow : {up, up, up, up, down, down}) {
        arrow->click();
        seen << form.toolNumberText();
    }
    EXPECT_EQ(seen, (QStringList{"3", "7", "12", "0", "12", "7"}));
    form.reject();
}

} // namespace
} // namespace korvix::test
