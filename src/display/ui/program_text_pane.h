#pragma once

#include "display/program_text.h"
#include "model/canvas.h"
#include "model/move_record.h"

#include <QDockWidget>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

class QLineEdit;

namespace korvix::ui {

class ProgramTextView;
class Tf;

// The dock beside the picture with the text of every NC file read (Display -> "Display
// PROGRAM text"). It follows the move that identify, stepping, the animation and selection
// picks show, and a line the user clicks or reaches with the keys highlights its move in the
// picture as identify does and describes it in the status bar. Ctrl+F finds text, Ctrl+G goes
// to a line of the current file.
class ProgramTextPane final : public QDockWidget {
public:
    static ProgramTextPane& of(Tf& window);

    ProgramTextView& view() { return *m_view; }
    // Scrolls to the line `record` was read from and highlights it (nothing when it has none).
    void showLineOf(const MoveRecord& record);
    // Makes the row current as a click on it does: its move is highlighted in the picture and
    // described in the status bar as soon as the pane has been painted (the first time on a
    // big program that walks the path once).
    void chooseRow(std::size_t row);
    // Goes to line `line` (1-based) of the current row's file (the first file when none).
    void goToLine(std::uint32_t line);
    // Finds `text` after the current row (wrapping round); false when no line holds it.
    bool findNext(const QString& text);
    // A chosen row waits to be linked to the picture.
    bool linkPending() const { return m_rowToLink.has_value(); }
    // The find field that Ctrl+F shows.
    QLineEdit& findField() { return *m_findField; }

private:
    explicit ProgramTextPane(Tf& window);
    void textChanged();
    void askForLine();
    void showFindField();
    void linkSoon(std::size_t row);
    void highlightMoveOf(std::size_t row);
    void takeHighlightOff();

    Tf& m_window;
    ProgramTextView* m_view = nullptr;
    QLineEdit* m_findField = nullptr;
    SourceLineMoves m_moves;
    // The row chosen last, linked to the picture once the pane has been painted.
    std::optional<std::size_t> m_rowToLink;
    // The move highlighted in the picture from a chosen line: its pixels and colour, for
    // taking the highlight off while the picture it was drawn on is still shown.
    struct PictureHighlight {
        bool shown = false;
        std::vector<PixelPoint> pixels;
        std::vector<PixelPoint> drawn;
        Rgb color = kWhite;
        std::uint64_t drawing = 0;
    } m_highlight;
};

// Display -> "Display PROGRAM text" (F9): shows or hides the pane.
void DisplayProgramTextClick(Tf& window);

} // namespace korvix::ui
