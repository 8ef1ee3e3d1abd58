#include "app/ui/print_command.h"

#include "app/print_page.h"
#include "ui/canvas/qt_canvas.h"
#include "ui/main_window.h"

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QPrinter>
#include <QVBoxLayout>

namespace korvix::ui {
namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The menus a print locks, as the other long commands do.
constexpr const char* kLockedMenus[] = {"File1",   "Edit2",    "Animate1", "Identify1",
                                        "Levels1", "Measure1", "Options1", "Text1"};

PrintStatusBlock statusBlockOf(const Tf& window) {
    if (window.isChecked("DisplayNCStatusWindow1"))
        return PrintStatusBlock::Nc;
    if (window.isChecked("DisplayWIRESTATUSwindow1"))
        return PrintStatusBlock::Wireframe;
    return PrintStatusBlock::None;
}

// Prints every page of the job; false when the printer could not be started.
bool printOn(QPrinter& printer, Workspace& ws, PrintJob job) {
    QtCanvas canvas(printer, QtCanvas::Colors::Printer);
    if (!canvas.isActive())
        return false;
    job.dotsPerPixel = printer.logicalDpiY() / 96.0;
    canvas.erase();
    printDocument(ws, job, canvas, [&] {
        canvas.flush();
        if (!printer.newPage())
            return false;
        canvas.erase();
        return true;
    });
    canvas.end();
    return true;
}

} // namespace

PrinterHolder::PrinterHolder() : printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}
PrinterHolder::~PrinterHolder() = default;

PrintDialog1& PrintDialog1::of(Tf& window) {
    return window.dialog<PrintDialog1>([&window] { return new PrintDialog1(&window); });
}

PrintDialog1::PrintDialog1(QWidget* parent) : QPrintDialog(PrinterHolder::printer.get(), parent) {
    setObjectName("PrintDialog1");
    auto* options = new QWidget;
    options->setObjectName("PrintOptions");
    options->setWindowTitle("Setup sheet"); // the tab's caption
    auto* layout = new QVBoxLayout(options);
    m_setupSheet = new QCheckBox("Print setup sheet", options);
    m_setupSheet->setObjectName("PrintSetupSheetCheckBox");
    layout->addWidget(m_setupSheet);
    layout->addStretch();
    setOptionTabs({options});
}

void Printer1Click(Tf& window) {
    Workspace& ws = window.workspace();
    window.setStatusText(toQString(kSelectPrinterStatus));
    window.pushMenuState();
    for (const char* name : kLockedMenus)
        window.action(name)->setEnabled(false);

    PrintDialog1& dialog = PrintDialog1::of(window);
    if (dialog.exec() != QDialog::Accepted) {
        window.setStatusText(toQString(kPrintCanceledStatus));
        window.popMenuState();
        return;
    }
    window.setHourglass(true);
    window.setStatusText(toQString(kPrintSendingStatus));
    window.pumpNow();
    PrintJob job;
    job.statusBlock = statusBlockOf(window);
    job.setupSheet = dialog.setupSheetCheckBox().isChecked();
    job.fileName = window.currentFileName().toStdString();
    job.dateTime = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm").toStdString();
    const bool printed = printOn(dialog.printer(), ws, job);
    window.setHourglass(false);
    if (printed) {
        window.setStatusText(toQString(kPrintDoneStatus));
    } else {
        // Saying "Done" for a page that never left would hide the failure.
        window.setStatusText(toQString(kPrintCanceledStatus));
        const QString target = dialog.printer().outputFileName().isEmpty()
                                   ? dialog.printer().printerName()
                                   : dialog.printer().outputFileName();
        ws.report().error("The printer \"" + target.toStdString() + "\" could not be started...");
    }
    window.popMenuState();
}

} // namespace korvix::ui
