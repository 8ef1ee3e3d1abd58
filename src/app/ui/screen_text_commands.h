#pragma once

#include <QFontDialog>

class QKeyEvent;

namespace korvix::ui {

class Tf;

// The Text menu: "&Add" toggles text mode, "&Clear" removes every text, "&Font" chooses the
// font of the entry field (and so of the texts finished from then on).
void AddTextClick1(Tf& window);
void Clear1Click(Tf& window);
void Font1Click(Tf& window);

// A key press while "&Add" is checked: any character places the newest text at the last
// mouse position and opens the entry field there. True when the key was used.
bool textModeKeyPress(Tf& window, const QKeyEvent& event);

// Lets Esc in the entry field finish the text (Edit1KeyPress); other keys edit the field.
void installTextEntry(Tf& window);

// The font dialog of the Text menu, kept for the window's life.
class FontDialog1 : public QFontDialog {
public:
    static FontDialog1& of(Tf& window);
    explicit FontDialog1(QWidget* parent);
};

} // namespace korvix::ui
