#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

namespace korvix::ui {

class Tf;

// File → "&Open": pick a file, a drawing colour and, for NC programs, the arc centre type,
// then read it (appending to what is loaded) and redraw.
void Open1Click(Tf& window);
// The same without the file dialog: the file named on the command line.
void openNamedFile(Tf& window, const QString& fileName);
// As File -> Open with the file already chosen (a recent file, a dropped file).
void openChosenFile(Tf& window, const QString& fileName);

// The colour the colour dialog offers next for a toolpath or a wire-frame.
QColor lastOpenColor(Tf& window, bool wireframe);
void setLastOpenColor(Tf& window, bool wireframe, const QColor& color);

// Options → "Read lower-case words": whether the next NC reads take g1x5 as G1X5.
void ReadLowerCaseWordsClick(Tf& window);

// The file dialog's filters: every file as an NC program, wire-frames, TBF files.
QStringList openDialogFilters();

} // namespace korvix::ui
