#pragma once

#include <QPrintDialog>
#include <memory>

class QCheckBox;
class QPrinter;

namespace korvix::ui {

class Tf;

// File -> Print: the view on the screen, redrawn at the printer's resolution with the
// status block, the screen texts and the banner, and a setup sheet when it is asked for.
void Printer1Click(Tf& window);

// Owns the printer of the print dialog, so that it is made before the dialog and outlives it.
struct PrinterHolder {
    PrinterHolder();
    ~PrinterHolder();
    std::unique_ptr<QPrinter> printer;
};

// The print dialog with the printer it sets up, kept for the window's life so that the
// choice of printer and the setup-sheet option stay between prints.
class PrintDialog1 : private PrinterHolder, public QPrintDialog {
public:
    static PrintDialog1& of(Tf& window);
    explicit PrintDialog1(QWidget* parent);

    QPrinter& printer() { return *PrinterHolder::printer; }
    // "Print setup sheet", on the dialog's options page.
    QCheckBox& setupSheetCheckBox() { return *m_setupSheet; }

private:
    QCheckBox* m_setupSheet = nullptr;
};

} // namespace korvix::ui
