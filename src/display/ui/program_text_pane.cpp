#include "display/ui/program_text_pane.h"

#include "display/identify_marks.h"
#include "display/program_text.h"
#include "display/ui/program_text_view.h"
#include "ui/main_window.h"

#include <QAction>
#include <QInputDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace korvix::ui {
namespace {

constexpr const char* kMenuItem = "DisplayPROGRAMtext1";

} // namespace

ProgramTextPane& ProgramTextPane::of(Tf& window) {
    return window.dialog<ProgramTextPane>([&window] { return new ProgramTextPane(window); });
}

ProgramTextPane::ProgramTextPane(Tf& window)
    : QDockWidget("Program text", &window), m_window(window) {
    setObjectName("ProgramTextPane");
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    m_findField = new QLineEdit(body);
    m_findField->setObjectName("ProgramTextFind");
    m_findField->setPlaceholderText("Find text (Enter: next, Esc: close)");
    m_findField->setClearButtonEnabled(true);
    m_findField->hide();
    m_view = new ProgramTextView(window.workspace().source, body);
    layout->addWidget(m_findField);
    layout->addWidget(m_view, 1);
    setWidget(body);
    resize(420, height());

    Workspace& ws = window.workspace();
    ws.programText.moveShown = [this](const MoveRecord& record) { showLineOf(record); };
    ws.programText.textChanged = [this] { textChanged(); };
    m_view->rowChosen = [this](std::size_t row) { linkSoon(row); };

    connect(m_findField, &QLineEdit::returnPressed, this, [this] {
        if (!findNext(m_findField->text()))
            m_window.setStatusText("\"" + m_findField->text() + "\" is not in the program text...");
    });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_findField);
    escape->setContext(Qt::WidgetShortcut);
    connect(escape, &QShortcut::activated, this, [this] {
        m_findField->hide();
        m_view->setFocus();
    });
    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WidgetWithChildrenShortcut);
    connect(find, &QShortcut::activated, this, [this] { showFindField(); });
    auto* goTo = new QShortcut(QKeySequence("Ctrl+G"), this);
    goTo->setContext(Qt::WidgetWithChildrenShortcut);
    connect(goTo, &QShortcut::activated, this, [this] { askForLine(); });

    // The dock's own close button unchecks the menu item too.
    connect(toggleViewAction(), &QAction::toggled, this,
            [this](bool shown) { m_window.setChecked(kMenuItem, shown); });
    window.addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
}

void ProgramTextPane::textChanged() {
    // The picture the highlight was drawn on belongs to the files that were there.
    m_highlight.shown = false;
    m_view->sourceChanged();
}

void ProgramTextPane::showLineOf(const MoveRecord& record) {
    const std::optional<std::size_t> row = m_window.workspace().source.rowOf(record.sourceLine);
    if (!row) {
        m_view->clearCurrentRow();
        return;
    }
    // The animation passes every piece of an arc, all of one line.
    if (m_view->currentRow() == row)
        return;
    m_view->setCurrentRow(*row);
    // The animation moves on at once: the line is painted now, not when it has passed.
    if (isVisible())
        m_view->viewport()->repaint();
}

void ProgramTextPane::chooseRow(std::size_t row) {
    m_view->setCurrentRow(row);
    linkSoon(row);
}

void ProgramTextPane::linkSoon(std::size_t row) {
    // Keys held down choose rows faster than the picture follows: only the last one counts.
    const bool pending = m_rowToLink.has_value();
    m_rowToLink = row;
    if (pending)
        return;
    QTimer::singleShot(0, this, [this] {
        const std::optional<std::size_t> chosen = std::exchange(m_rowToLink, std::nullopt);
        if (chosen && *chosen < m_window.workspace().source.rowCount())
            highlightMoveOf(*chosen);
    });
}

void ProgramTextPane::goToLine(std::uint32_t line) {
    const ProgramSource& source = m_window.workspace().source;
    if (source.empty())
        return;
    const std::size_t file = m_view->currentRow() ? source.rowAt(*m_view->currentRow()).file : 0;
    if (const std::optional<std::size_t> row = source.rowOf(source.indexOf(file, line)))
        chooseRow(*row);
}

bool ProgramTextPane::findNext(const QString& text) {
    const ProgramSource& source = m_window.workspace().source;
    const std::size_t from = m_view->currentRow() ? *m_view->currentRow() + 1 : 0;
    const std::optional<std::size_t> row = findText(source, text.toStdString(), from);
    if (!row)
        return false;
    chooseRow(*row);
    return true;
}

void ProgramTextPane::showFindField() {
    m_findField->show();
    m_findField->setFocus();
    m_findField->selectAll();
}

void ProgramTextPane::askForLine() {
    const ProgramSource& source = m_window.workspace().source;
    if (source.empty())
        return;
    const ProgramSource::Row at =
        m_view->currentRow() ? source.rowAt(*m_view->currentRow()) : ProgramSource::Row{};
    const SourceFile& file = source.files()[at.file];
    bool ok = false;
    const int line = QInputDialog::getInt(
        this, "Go to line", "Line of " + QString::fromStdString(file.name) + ":",
        static_cast<int>(std::max<std::uint32_t>(at.line, 1)), 1,
        static_cast<int>(std::min<std::size_t>(file.lineCount(), INT32_MAX)), 1, &ok);
    if (ok)
        goToLine(static_cast<std::uint32_t>(line));
}

void ProgramTextPane::takeHighlightOff() {
    Workspace& ws = m_window.workspace();
    // After a redraw the highlight is gone already, and its pixels may be another move's.
    if (m_highlight.shown && m_highlight.drawing == ws.redraw.drawings)
        m_window.drawWith([&](Canvas& canvas) {
            restoreMovePixels(canvas, m_highlight.pixels, m_highlight.drawn, m_highlight.color);
        });
    m_highlight.shown = false;
}

void ProgramTextPane::highlightMoveOf(std::size_t row) {
    Workspace& ws = m_window.workspace();
    const ProgramSource::Row at = ws.source.rowAt(row);
    if (at.line == 0)
        return;
    // While a command, a redraw, stepping or the animation runs the picture is theirs: the
    // pane only moves its own highlight.
    m_window.runAsCommand([&] {
        MoveRecord* move = m_moves.find(ws.database, ws.source.indexOf(at.file, at.line));
        if (move == nullptr) {
            takeHighlightOff();
            m_window.setStatusText("Line " + QString::number(at.line) + " makes no move...");
            return;
        }
        m_window.setStatusText(QString::fromStdString(moveStatusText(*move, ws.source)));
        // Positions cached by a redraw of another view, or of a hidden toolpath, are no
        // picture to mark.
        if (!ws.display.ncToolpath || ws.view.reprojection)
            return;
        takeHighlightOff();
        const PixelPoint from = move->prev != nullptr
                                    ? PixelPoint{move->prev->screenX, move->prev->screenY}
                                    : PixelPoint{move->screenX, move->screenY};
        m_highlight.pixels = movePixels(ws.view, *move, from);
        m_highlight.drawn = drawnMovePixels(*move, from);
        m_highlight.color = move->color;
        m_highlight.drawing = ws.redraw.drawings;
        m_highlight.shown = true;
        m_window.drawWith([&](Canvas& canvas) { highlightMove(canvas, ws.view, *move, from); });
    });
}

void DisplayProgramTextClick(Tf& window) {
    const bool show = !window.isChecked(kMenuItem);
    window.setChecked(kMenuItem, show);
    ProgramTextPane& pane = ProgramTextPane::of(window);
    pane.setVisible(show);
    if (show)
        pane.view().setFocus();
}

} // namespace korvix::ui
