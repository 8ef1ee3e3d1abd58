#include "app/workspace_access.h"
#include "filters/filter_parameters.h"
#include "filters/record_fields.h"
#include "filters/sift_points.h"
#include "filters/ui/fit_arc_form.h"
#include "filters/ui/reverse_command.h"
#include "filters/ui/sift_command.h"
#include "filters/ui/sifting_form.h"
#include "gui_test_support.h"
#include "input/nc_reader.h"
#include "input/ui/open_command.h"
#include "model/path_builder.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

const QString kContour = QString(KORVIX_TEST_DATA_DIR) + "/fit_contour.nc";

void openFile(ui::Tf& window, const QString& path) {
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    ui::openNamedFile(window, path);
}

QPushButton* button(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(name);
}

QLineEdit* edit(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(name);
}

void answerFitArcs(const QString& tolerance, const QString& maxRadius, bool xyOnly = false) {
    answerNextModal([=](QWidget* widget) {
        auto* form = dynamic_cast<ui::FitArcForm*>(widget);
        ASSERT_NE(form, nullptr);
        form->setToleranceText(tolerance);
        form->setMaxRadiusText(maxRadius);
        form->setXyPlaneOnly(xyOnly);
        button(form, "OkButton")->click();
    });
}

void answerSifting(const QString& tolerance, bool rapids, QString* statusWhileAsked = nullptr,
                   ui::Tf* window = nullptr) {
    answerNextModal([=](QWidget* widget) {
        auto* form = dynamic_cast<ui::SiftingForm*>(widget);
        ASSERT_NE(form, nullptr);
        if (statusWhileAsked != nullptr)
            *statusWhileAsked = window->statusText();
        form->setToleranceText(tolerance);
        form->setSiftRapids(rapids);
        button(form, "OkButton")->click();
    });
}

void cancelNextDialog() {
    answerNextModal([](QWidget* widget) { button(widget, "CancelButton")->click(); });
}

// Clicks Ok (once the message boxes queued behind the current answer can be answered),
// notes whether the dialog stayed open, then cancels it.
void okThenCancel(QDialog* form, bool& stayedOpen) {
    QTimer::singleShot(0, form, [form, &stayedOpen] {
        button(form, "OkButton")->click();
        stayedOpen = form->isVisible();
        button(form, "CancelButton")->click();
    });
}

// The texts of the next `count` message boxes, each answered with OK.
std::vector<std::shared_ptr<QString>> captureMessageBoxes(qsizetype count) {
    std::vector<std::shared_ptr<QString>> shown;
    for (qsizetype i = 0; i < count; ++i)
        shown.push_back(captureMessageBox());
    return shown;
}

void expectShown(const std::vector<std::shared_ptr<QString>>& shown, const QStringList& texts) {
    ASSERT_EQ(shown.size(), static_cast<std::size_t>(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i)
        EXPECT_EQ(*shown[static_cast<std::size_t>(i)], texts[i]);
}

// Every status text the command shows long enough to dispatch messages, with whether the
// hourglass was up at that moment.
struct StatusTrace {
    QStringList texts;
    std::vector<bool> hourglass;
};

std::shared_ptr<StatusTrace> traceStatus(ui::Tf& window) {
    auto trace = std::make_shared<StatusTrace>();
    window.workspace().pump.install([trace, &window] {
        const QString text = window.statusText();
        if (trace->texts.isEmpty() || trace->texts.back() != text) {
            trace->texts << text;
            trace->hourglass.push_back(QApplication::overrideCursor() != nullptr);
        }
    });
    return trace;
}

std::vector<MoveRecord> recordsOf(const Workspace& ws) {
    std::vector<MoveRecord> records;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        records.push_back(*r);
    return records;
}

int pixelsOfColor(const QImage& image, QRgb rgb) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == rgb ? 1 : 0;
    return count;
}

constexpr QRgb kYellow = 0xFFFF00;

TEST(FilterWindowCommands, WithoutDataOnlyTheStatusSaysSo) {
    struct Case {
        const char* item;
        QString status;
    };
    const Case cases[] = {
        {"Fitarcs1", "Warning! No data currently in memory to fit arcs through \"COMMAND "
                     "CANCELED...\""},
        {"Sift1", QString::fromUtf8(ui::kSiftNoDataStatus.data())},
        {"Reversecutdirection1", QString::fromUtf8(ui::kReverseNoDataStatus.data())},
    };
    auto window = makeWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        // A dialog opened by mistake is closed after a while, so that the fault fails the
        // test instead of hanging it; without one the command is over before the timer.
        QTimer strayDialog;
        strayDialog.setSingleShot(true);
        QObject::connect(&strayDialog, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        strayDialog.start(500);
        window->action(c.item)->trigger();
        EXPECT_TRUE(strayDialog.isActive());
        EXPECT_EQ(window->statusText(), c.status);
        EXPECT_FALSE(window->workspace().database.databaseAllocated());
    }
}

TEST(FilterWindowCommands, DialogsStartWithTheirDesignTexts) {
    auto window = makeWindow();
    ui::FitArcForm& fit = ui::FitArcForm::of(*window);
    EXPECT_EQ(fit.objectName(), "TFitArcForm");
    EXPECT_EQ(fit.windowTitle(), "Fit arcs through point to point data");
    EXPECT_EQ(fit.findChild<QGroupBox*>()->title(), "Arc fitting parameters");
    // With no settings file the start-up puts the settings default over the design text.
    EXPECT_EQ(edit(&fit, "ChordalTolEdit")->text(), "0.0012");
    EXPECT_EQ(edit(&fit, "MaxRadiusEdit")->text(), "99.99");
    EXPECT_FALSE(fit.findChild<QCheckBox*>("XYPlaneOnlyCheckBox")->isChecked());
    EXPECT_EQ(fit.findChild<QCheckBox*>("XYPlaneOnlyCheckBox")->text(), "XY plane only");
    EXPECT_EQ(fit.findChild<QLabel*>("MaxRadiusLabel")->text(), "Maximum radius value ");

    ui::SiftingForm& sift = ui::SiftingForm::of(*window);
    EXPECT_EQ(sift.objectName(), "TSiftingForm");
    EXPECT_EQ(sift.windowTitle(), "Point sifting tolerance");
    EXPECT_EQ(edit(&sift, "SiftToleranceEdit")->text(), "0.0005");
    EXPECT_EQ(sift.findChild<QLabel*>("SiftToleranceLabel")->text(), "Sift tolerance");
    EXPECT_EQ(sift.findChild<QCheckBox*>("SiftRapidsCheckBox")->text(), "Sift rapid moves (G00)");
    EXPECT_FALSE(sift.siftRapids());
    for (QWidget* form : {static_cast<QWidget*>(&fit), static_cast<QWidget*>(&sift)}) {
        EXPECT_EQ(button(form, "OkButton")->text(), "&Ok");
        EXPECT_EQ(button(form, "CancelButton")->text(), "&Cancel");
    }
}

TEST(FilterWindowCommands, FitArcsReplacesTheContourAndDrawsTheArcs) {
    auto window = makeWindow();
    openFile(*window, kContour);
    Workspace& ws = window->workspace();
    ASSERT_EQ(pixelsOfColor(window->drawingArea().image(), kYellow), 0);
    window->action("DisplayNCStatusWindow1")->trigger();
    window->statusListBox().addItem("stale");
    ws.database.status.ncLoaded = false;

    const auto trace = traceStatus(*window);
    answerFitArcs("0.01", "99.99");
    window->action("Fitarcs1")->trigger();

    EXPECT_EQ(window->statusText(), "Done fitting arcs... Points removed = 52, Arcs added = 2");
    const QStringList expected = {"Currently fitting arcs through point to point data...",
                                  "Done fitting arcs... Points removed = 52, Arcs added = 2"};
    EXPECT_EQ(trace->texts, expected);
    EXPECT_EQ(trace->hourglass, (std::vector<bool>{true, true}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(ws.database.status.ncLoaded);

    int arcPieces = 0;
    for (const MoveRecord& r : recordsOf(ws))
        arcPieces += r.kind == kKindArcPiece ? 1 : 0;
    EXPECT_GT(arcPieces, 2);
    EXPECT_GT(pixelsOfColor(window->drawingArea().image(), kYellow), 50);
    EXPECT_EQ(window->statusListBox().count(), 5);
    EXPECT_NE(window->statusListBox().item(0)->text(), "stale");
    // The dialog keeps what the user typed for the next time.
    EXPECT_EQ(ui::FitArcForm::of(*window).toleranceText(), "0.01");
}

TEST(FilterWindowCommands, FitArcsXyOnlyLeavesTheSurfaceRowsAsPoints) {
    // The raster rows of the surface curve in XZ: with XY only nothing is fitted.
    struct Case {
        bool xyOnly;
        bool arcsExpected;
    };
    for (const Case c : {Case{true, false}, Case{false, true}}) {
        SCOPED_TRACE(c.xyOnly);
        auto window = makeWindow();
        openFile(*window, examplePath("surface_3d.nc"));
        answerFitArcs("0.01", "99.99", c.xyOnly);
        window->action("Fitarcs1")->trigger();
        EXPECT_EQ(window->statusText().startsWith("Done fitting arcs... Points removed = 0,"),
                  !c.arcsExpected)
            << window->statusText().toStdString();
        EXPECT_EQ(pixelsOfColor(window->drawingArea().image(), kYellow) > 0, c.arcsExpected);
    }
}

TEST(FilterWindowCommands, RefusedFitParametersKeepTheDialogOpenAndChangeNothing) {
    struct Case {
        QString tolerance;
        QString maxRadius;
        QStringList messages;
    };
    const Case cases[] = {
        {"0", "99.99", {"Chordal tolerance must be a number greater than 0..."}},
        {"1.2.3", "99.99", {"Chordal tolerance \"1.2.3\" is not a valid number..."}},
        {"0.01", "-5", {"Maximum radius must be a number greater than 0..."}},
        {"0.01", "", {"Maximum radius \"\" is not a valid number..."}},
        {"1a0b",
         "99.99",
         {"Non-numeric charactor found in input data \"a\"...",
          "Non-numeric charactor found in input data \"b\"..."}},
    };
    auto window = makeWindow();
    openFile(*window, kContour);
    const std::vector<MoveRecord> before = recordsOf(window->workspace());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tolerance.toStdString() + " " + c.maxRadius.toStdString());
        bool stayedOpen = false;
        answerNextModal([&](QWidget* widget) {
            auto* form = dynamic_cast<ui::FitArcForm*>(widget);
            ASSERT_NE(form, nullptr);
            form->setToleranceText(c.tolerance);
            form->setMaxRadiusText(c.maxRadius);
            okThenCancel(form, stayedOpen);
        });
        const auto shown = captureMessageBoxes(c.messages.size());
        window->action("Fitarcs1")->trigger();
        expectShown(shown, c.messages);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(ui::FitArcForm::of(*window).toleranceText(), c.tolerance); // left as typed
        EXPECT_EQ(window->statusText(), "Arc fitting command canceled...");
        const std::vector<MoveRecord> after = recordsOf(window->workspace());
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i)
            ASSERT_EQ(fieldDifferences(before[i], after[i]), "") << i;
    }
    ui::FitArcForm::of(*window).setToleranceText("0.001");
    ui::FitArcForm::of(*window).setMaxRadiusText("99.99");
}

TEST(FilterWindowCommands, FitArcsRefusesADialogClosedWithAnUnusableValue) {
    auto window = makeWindow();
    openFile(*window, kContour);
    const std::size_t count = recordsOf(window->workspace()).size();
    answerNextModal([](QWidget* widget) {
        auto* form = dynamic_cast<ui::FitArcForm*>(widget);
        form->setToleranceText("-1");
        form->accept(); // not through Ok
    });
    const auto shown = captureMessageBox();
    window->action("Fitarcs1")->trigger();
    EXPECT_EQ(*shown, "Chordal tolerance must be a number greater than 0...");
    EXPECT_EQ(window->statusText(), "Arc fitting command canceled...");
    EXPECT_EQ(recordsOf(window->workspace()).size(), count);
}

TEST(FilterWindowCommands, CancelLeavesThePathAlone) {
    struct Case {
        const char* item;
        QString status;
    };
    const Case cases[] = {
        {"Fitarcs1", "Arc fitting command canceled..."},
        {"Sift1", "Sift command has been canceled..."},
    };
    auto window = makeWindow();
    openFile(*window, kContour);
    const std::vector<MoveRecord> before = recordsOf(window->workspace());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        cancelNextDialog();
        window->action(c.item)->trigger();
        EXPECT_EQ(window->statusText(), c.status);
        EXPECT_EQ(recordsOf(window->workspace()).size(), before.size());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

TEST(FilterWindowCommands, SiftRemovesPointsAndReportsTheCount) {
    struct Case {
        const char* file;
        QString tolerance;
        bool rapids;
        // The points the drawing says must go; -1 where only the records gone can tell.
        int expected;
    };
    // sift_runs.nc: of the plunge and X1 to X10 on one line, X1 to X8 go (X9 stays as the
    // last point before the run's end); of the rapids from X10 at Z5 to X50, X20 and X30 go
    // when rapids are sifted; of the zigzag up X50, 0.02 either side, Y1 to Y4 go when 0.02
    // lies within the tolerance.
    const Case cases[] = {
        {"sift_runs.nc", "0.05", false, 8 + 4},    {"sift_runs.nc", "0.01", false, 8},
        {"sift_runs.nc", "0.05", true, 8 + 2 + 4}, {"fit_contour.nc", "0.05", false, -1},
        {"fit_contour.nc", "0", false, 0}, // no three points of the contour lie on a line
        {"surface_3d.nc", "0.05", true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " " + c.tolerance.toStdString());
        const QString path = std::string_view(c.file) == "surface_3d.nc"
                                 ? examplePath(c.file)
                                 : QString(KORVIX_TEST_DATA_DIR "/") + c.file;
        auto window = makeWindow();
        openFile(*window, path);
        const std::size_t before = recordsOf(window->workspace()).size();
        window->action("DisplayNCStatusWindow1")->trigger();
        window->statusListBox().addItem("stale");
        const auto trace = traceStatus(*window);
        QString asked;
        answerSifting(c.tolerance, c.rapids, &asked, window.get());
        window->action("Sift1")->trigger();

        // The count reported is the number of records that left the path.
        const std::size_t after = recordsOf(window->workspace()).size();
        ASSERT_LE(after, before);
        const std::size_t removed = before - after;
        if (c.expected >= 0) {
            EXPECT_EQ(removed, static_cast<std::size_t>(c.expected));
        } else {
            EXPECT_GT(removed, 0u);
        }
        EXPECT_EQ(asked, "Please enter sifting parameters...");
        const QString done =
            "Sift command successfully removed \"" + QString::number(removed) + "\" points...";
        EXPECT_EQ(window->statusText(), done);
        const QStringList texts = {"Currently sifting to a tolerance of \"" + c.tolerance + "\"...",
                                   done};
        EXPECT_EQ(trace->texts, texts);
        EXPECT_EQ(trace->hourglass, (std::vector<bool>{true, true}));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(window->statusListBox().count(), 5);
    }
}

// Rapid moves along a line, then feed moves along another.
void buildRapidsAndFeeds(GraphicsDatabase& db) {
    PathBuilder path(db, 0, 0, 10);
    path.rapid(10, 0, 10).rapid(20, 0, 10).rapid(30, 0, 10).rapid(40, 0, 10);
    path.feed(100).line(40, 0, 0).line(40, 10, 0).line(40, 20, 0).line(40, 30, 0).line(40, 40, 0);
}

TEST(FilterWindowCommands, SiftRapidMovesOnlyWhenAsked) {
    for (const bool rapids : {false, true}) {
        SCOPED_TRACE(rapids);
        GraphicsDatabase reference;
        buildRapidsAndFeeds(reference);
        const std::size_t expected = siftPoints(reference, {0.0005, rapids}).pointsRemoved;
        EXPECT_EQ(expected, rapids ? 4u : 2u);

        auto window = makeWindow();
        buildRapidsAndFeeds(window->workspace().database);
        answerSifting("0.0005", rapids);
        window->action("Sift1")->trigger();
        EXPECT_EQ(window->statusText(), "Sift command successfully removed \"" +
                                            QString::number(expected) + "\" points...");
        EXPECT_EQ(recordsOf(window->workspace()).size(), 10 - expected);
    }
}

TEST(FilterWindowCommands, RefusedSiftToleranceKeepsTheDialogOpen) {
    struct Case {
        QString tolerance;
        QString message;
    };
    const Case cases[] = {
        {"-1", "Sift tolerance must be a number of 0 or more..."},
        {"..", "Sift tolerance \"..\" is not a valid number..."},
        {"5e", "Non-numeric charactor found in input data \"e\"..."},
    };
    auto window = makeWindow();
    openFile(*window, kContour);
    const std::size_t count = recordsOf(window->workspace()).size();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tolerance.toStdString());
        bool stayedOpen = false;
        answerNextModal([&](QWidget* widget) {
            auto* form = dynamic_cast<ui::SiftingForm*>(widget);
            ASSERT_NE(form, nullptr);
            form->setToleranceText(c.tolerance);
            okThenCancel(form, stayedOpen);
        });
        const auto shown = captureMessageBox();
        window->action("Sift1")->trigger();
        EXPECT_EQ(*shown, c.message);
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(window->statusText(), "Sift command has been canceled...");
        EXPECT_EQ(recordsOf(window->workspace()).size(), count);
    }
    ui::SiftingForm::of(*window).setToleranceText("0.0005");
}

TEST(FilterWindowCommands, ReversingTwiceGivesEveryMoveBack) {
    auto window = makeWindow();
    openFile(*window, examplePath("plane_arcs.nc"));
    Workspace& ws = window->workspace();
    const std::vector<MoveRecord> original = recordsOf(ws);
    ASSERT_GT(original.size(), 3u);

    const auto trace = traceStatus(*window);
    // The retracts become rapid plunges: the user is warned in a box and the status bar.
    const auto warning = captureMessageBox();
    window->action("Reversecutdirection1")->trigger();
    const QString plunge =
        "Warning! 5 rapid moves now plunge below Z = 12.0000; check them before machining...";
    EXPECT_EQ(*warning, plunge);
    EXPECT_EQ(trace->texts, (QStringList{"Cut direction is being reversed...", plunge}));
    EXPECT_EQ(trace->hourglass, (std::vector<bool>{true, true}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const std::vector<MoveRecord> reversed = recordsOf(ws);
    ASSERT_EQ(reversed.size(), original.size());
    for (std::size_t i = 0; i < original.size(); ++i) {
        const MoveRecord& mirror = original[original.size() - 1 - i];
        EXPECT_EQ(reversed[i].x, mirror.x) << i;
        EXPECT_EQ(reversed[i].y, mirror.y) << i;
        EXPECT_EQ(reversed[i].z, mirror.z) << i;
    }
    EXPECT_EQ(reversed.front().kind, 0);

    window->action("Reversecutdirection1")->trigger();
    EXPECT_EQ(window->statusText(), "Cut direction has been reversed...");
    const std::vector<MoveRecord> again = recordsOf(ws);
    ASSERT_EQ(again.size(), original.size());
    // The start point's own attributes are those of the first move now; its place is not.
    EXPECT_EQ(again.front().x, original.front().x);
    EXPECT_EQ(again.front().kind, 0);
    for (std::size_t i = 1; i < original.size(); ++i)
        ASSERT_EQ(fieldDifferences(original[i], again[i]), "") << i;
    EXPECT_TRUE(ws.database.status.ncLoaded);
}

// Leaving a numeric field for another control checks it character by character.
TEST(FilterWindowCommands, LeavingANumericFieldReportsEveryOffendingCharacter) {
    struct Case {
        const char* form;
        const char* field;
        const char* next; // the control the user moves to
        QString text;
        QStringList messages;
    };
    const Case cases[] = {
        {"fit",
         "ChordalTolEdit",
         "MaxRadiusEdit",
         "0.0x1y",
         {"Non-numeric charactor found in input data \"x\"...",
          "Non-numeric charactor found in input data \"y\"..."}},
        {"fit",
         "MaxRadiusEdit",
         "XYPlaneOnlyCheckBox",
         "9,9 ",
         {"Non-numeric charactor found in input data \",\"...",
          "Non-numeric charactor found in input data \" \"..."}},
        {"sift",
         "SiftToleranceEdit",
         "SiftRapidsCheckBox",
         "#1",
         {"Non-numeric charactor "
          "found in input data "
          "\"#\"..."}},
        // A character outside ASCII is named whole.
        {"sift",
         "SiftToleranceEdit",
         "SiftRapidsCheckBox",
         QString::fromUtf8("0,5\u00b5"),
         {"Non-numeric charactor found in input data \",\"...",
          QString::fromUtf8("Non-numeric charactor found in input data \"\u00b5\"...")}},
        {"fit", "ChordalTolEdit", "MaxRadiusEdit", "-0.5", {}},
        // Cancel needs no valid number.
        {"sift", "SiftToleranceEdit", "CancelButton", "abc", {}},
    };
    auto window = makeWindow();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.text.toStdString());
        QDialog& dialog = std::string_view(c.form) == "fit"
                              ? static_cast<QDialog&>(ui::FitArcForm::of(*window))
                              : static_cast<QDialog&>(ui::SiftingForm::of(*window));
        auto* field = edit(&dialog, c.field);
        auto* next = dialog.findChild<QWidget*>(c.next);
        const QString original = field->text();
        QWidget* focusAfter = nullptr;
        QString textAfter;
        bool strayBox = false;
        std::vector<std::shared_ptr<QString>> shown;
        answerNextModal([&](QWidget*) {
            dialog.activateWindow();
            for (int i = 0; i < 100 && !dialog.isActiveWindow(); ++i)
                QApplication::processEvents(QEventLoop::AllEvents, 10);
            field->setFocus(Qt::OtherFocusReason);
            field->setText(c.text);
            next->setFocus(Qt::TabFocusReason);
            // The check runs once the focus change is over.
            whenTrue(
                [&] {
                    return fieldCheckSettled(dialog, shown, c.messages.isEmpty() ? next : field);
                },
                [&] {
                    if (QApplication::activeModalWidget() != &dialog) {
                        strayBox = true;
                        QApplication::activeModalWidget()->close();
                    }
                    // The window system may not have activated the dialog again yet.
                    focusAfter = dialog.focusWidget();
                    textAfter = field->text();
                    dialog.reject();
                });
        });
        shown = captureMessageBoxes(c.messages.size());
        dialog.exec();
        expectShown(shown, c.messages);
        EXPECT_FALSE(strayBox);
        EXPECT_EQ(textAfter, c.text); // left as typed
        EXPECT_EQ(focusAfter, c.messages.isEmpty() ? next : static_cast<QWidget*>(field));
        field->setText(original);
    }
}

} // namespace
} // namespace korvix::test
