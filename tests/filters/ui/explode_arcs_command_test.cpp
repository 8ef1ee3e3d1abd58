#include "display/view_transform.h"
#include "filters/ui/explode_arc_form.h"
#include "gui_test_support.h"
#include "input/ui/open_command.h"
#include "model/ui/window_trace.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>
#include <vector>

namespace korvix::test {
namespace {

void openProgram(ui::Tf& window, const QString& path) {
    acceptColor(0xFFFFFF);
    acceptRadiusType(true);
    ui::openNamedFile(window, path);
}

int arcPieces(const Workspace& ws) {
    int pieces = 0;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        pieces += isArcPiece(*r) ? 1 : 0;
    return pieces;
}

struct Point {
    float x, y, z;
    std::uint8_t kind;
    bool operator==(const Point&) const = default;
};

std::vector<Point> pointsOf(const Workspace& ws) {
    std::vector<Point> points;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next)
        points.push_back({r->x, r->y, r->z, r->kind});
    return points;
}

// Answers the explode form with `tolerance` and Ok.
void answerTolerance(const QString& tolerance) {
    answerNextModal([tolerance](QWidget* widget) {
        auto* form = dynamic_cast<ui::ExplodeArcForm*>(widget);
        ASSERT_NE(form, nullptr);
        form->setToleranceText(tolerance);
        button(form, "OkButton")->click();
    });
}

TEST(ExplodeArcsCommand, FormStartsWithItsDesignTexts) {
    auto window = makeWindow();
    ui::ExplodeArcForm& form = ui::ExplodeArcForm::of(*window);
    EXPECT_EQ(form.objectName(), "TExplodeArcForm");
    EXPECT_EQ(form.windowTitle(), "Arc exploding tolerance");
    EXPECT_EQ(form.findChild<QLabel*>("Label1")->text(), "Chordal deviation tolerance:");
    EXPECT_EQ(edit(&form, "Edit1")->text(), "0.0005");
    EXPECT_EQ(button(&form, "OkButton")->text(), "&Ok");
    EXPECT_EQ(button(&form, "CancelButton")->text(), "&Cancel");
}

TEST(ExplodeArcsCommand, ReplacesTheArcsAndRedraws) {
    auto window = makeWindow();
    openProgram(*window, examplePath("pocket_absolute.nc"));
    Workspace& ws = window->workspace();
    const int recordsBefore = static_cast<int>(pointsOf(ws).size());
    ASSERT_GT(arcPieces(ws), 0);
    ws.database.status.ncLoaded = false;

    StatusRecorder status(*window);
    answerTolerance("0.01");
    window->action("Explodearcs1")->trigger();

    const QStringList expected = {"Converting arcs into points using a tolerance of \"0.01...\"",
                                  "Explode arc command completed successfully..."};
    EXPECT_EQ(status.texts, expected);
    EXPECT_EQ(status.hourglass, (std::vector<bool>{true, true}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(arcPieces(ws), 0);
    EXPECT_NE(static_cast<int>(pointsOf(ws).size()), recordsBefore);
    EXPECT_TRUE(ws.database.status.ncLoaded);
    EXPECT_EQ(ws.database.first()->blockNumber, 1);
    EXPECT_EQ(ws.database.first()->next->blockNumber, 2);
    // Redrawn: every new record carries the pixel the current view gives its point, and the
    // path shows on the picture.
    int drawn = 0;
    for (const MoveRecord* r = ws.database.first(); r != nullptr; r = r->next) {
        const PixelPoint pixel = project(ws.view, r->x, r->y, r->z);
        EXPECT_EQ(r->screenX, pixel.x);
        EXPECT_EQ(r->screenY, pixel.y);
        const QImage& image = window->drawingArea().image();
        if (image.rect().contains(pixel.x, pixel.y))
            drawn += (image.pixel(pixel.x, pixel.y) & 0xFFFFFF) != 0 ? 1 : 0;
    }
    EXPECT_GT(drawn, 20);
    // The form keeps the tolerance for the next time.
    EXPECT_EQ(ui::ExplodeArcForm::of(*window).toleranceText(), "0.01");
}

TEST(ExplodeArcsCommand, WithoutDataOrWhenCancelledNothingChanges) {
    auto window = makeWindow();
    // No data: the status says so and no form opens.
    EXPECT_FALSE(opensAModal([&window] { window->action("Explodearcs1")->trigger(); }));
    EXPECT_EQ(window->statusText(),
              "Warning! Currently no data in memory to explode \"COMMAND CANCELED...\"");

    openProgram(*window, examplePath("plane_arcs.nc"));
    const std::vector<Point> before = pointsOf(window->workspace());
    answerNextModal([](QWidget* widget) { button(widget, "CancelButton")->click(); });
    window->action("Explodearcs1")->trigger();
    EXPECT_EQ(window->statusText(), "Explode arc command canceled...");
    EXPECT_EQ(pointsOf(window->workspace()), before);
}

TEST(ExplodeArcsCommand, RefusedTolerancesKeepTheFormOpenAndChangeNothing) {
    struct Case {
        const char* text;
        QStringList messages;
    };
    const Case cases[] = {
        {"0", {"Chordal deviation tolerance must be a number greater than 0..."}},
        {"-0.01", {"Chordal deviation tolerance must be a number greater than 0..."}},
        {"1.2.3", {"Chordal deviation tolerance \"1.2.3\" is not a valid number..."}},
        {"abc",
         {"Non-numeric charactor found in input data \"a\"...",
          "Non-numeric charactor found in input data \"b\"...",
          "Non-numeric charactor found in input data \"c\"..."}},
    };
    auto window = makeWindow();
    openProgram(*window, examplePath("plane_arcs.nc"));
    const std::vector<Point> before = pointsOf(window->workspace());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QStringList shown;
        bool stillOpen = false;
        answerNextModal([&](QWidget* widget) {
            auto* form = dynamic_cast<ui::ExplodeArcForm*>(widget);
            ASSERT_NE(form, nullptr);
            form->setToleranceText(c.text);
            std::vector<std::shared_ptr<QString>> boxes;
            for (int i = 0; i < c.messages.size(); ++i)
                boxes.push_back(captureMessageBox());
            button(form, "OkButton")->click();
            for (const auto& box : boxes)
                shown << *box;
            stillOpen = form->isVisible();
            button(form, "CancelButton")->click();
        });
        window->action("Explodearcs1")->trigger();
        EXPECT_EQ(shown, c.messages);
        EXPECT_TRUE(stillOpen);
        EXPECT_EQ(window->statusText(), "Explode arc command canceled...");
        EXPECT_EQ(pointsOf(window->workspace()), before);
    }

    // A form closed another way with an unusable text is refused by the command itself.
    answerNextModal([](QWidget* widget) {
        auto* form = dynamic_cast<ui::ExplodeArcForm*>(widget);
        form->setToleranceText("0");
        form->accept();
    });
    const auto message = captureMessageBox();
    window->action("Explodearcs1")->trigger();
    EXPECT_EQ(*message, "Chordal deviation tolerance must be a number greater than 0...");
    EXPECT_EQ(window->statusText(), "Explode arc command canceled...");
    EXPECT_EQ(pointsOf(window->workspace()), before);
}

} // namespace
} // namespace korvix::test
