// korvix-cli print: the page File -> Print makes of the view, and the setup sheet, as a PDF.

#include "app/print_page.h"
#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "cli/picture_input.h"
#include "model/number_text.h"
#include "model/workspace.h"
#include "ui/canvas/qt_canvas.h"

#include <QBuffer>
#include <QDateTime>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace korvix::cli {
namespace {

// The page a printer would give: A4 with its printable area 10 mm inside the paper's edge,
// at the resolution the window's printer draws a PDF with.
constexpr int kPdfResolution = 1200;
constexpr double kPageMarginMm = 10.0;

struct PrintRequest {
    PictureInput input;
    std::string output;
    PrintJob job;
    std::vector<ScreenText> texts;
    bool landscape = false;
};

PrintStatusBlock statusBlockOf(const std::string& name) {
    if (name == "nc")
        return PrintStatusBlock::Nc;
    if (name == "wire")
        return PrintStatusBlock::Wireframe;
    if (name == "none")
        return PrintStatusBlock::None;
    throw UsageError("--status: unknown status block '" + name + "' (nc, wire or none)");
}

// "X,Y,STRING": a screen text at pixel (X, Y) of the drawing area; the string may hold commas.
ScreenText screenTextOf(const std::string& argument) {
    const std::size_t first = argument.find(',');
    const std::size_t second = first == std::string::npos ? first : argument.find(',', first + 1);
    if (second == std::string::npos)
        throw UsageError("--text: '" + argument + "' is not X,Y,STRING");
    const IntegerConversion x = convertInteger(argument.substr(0, first));
    const IntegerConversion y = convertInteger(argument.substr(first + 1, second - first - 1));
    if (!x.ok() || !y.ok())
        throw UsageError("--text: '" + argument + "' is not X,Y,STRING with whole pixels X and Y");
    ScreenText text;
    text.x = x.value;
    text.y = y.value;
    text.text = argument.substr(second + 1);
    if (text.text.size() > 255)
        throw UsageError("--text: a text may be at most 255 characters long");
    return text;
}

PrintRequest parseRequest(const std::vector<std::string>& args) {
    const OptionSpec options =
        withReadingOptions({{"-o", "--view", "--size", "--wire", "--status", "--text"},
                            {"--no-rapids", "--setup-sheet", "--landscape"}});
    const ParsedArgs parsed(args, options);
    PrintRequest request;
    request.input = pictureInputOf(parsed);
    const auto output = parsed.value("-o");
    if (!output || output->empty())
        throw UsageError("no output file given (-o OUT.pdf)");
    request.output = *output;
    const std::size_t dot = request.output.find_last_of('.');
    if (dot == std::string::npos || upperAscii(request.output.substr(dot)) != ".PDF")
        throw UsageError("the output file must end in .pdf");
    if (const auto status = parsed.value("--status"))
        request.job.statusBlock = statusBlockOf(*status);
    for (const auto& [name, value] : parsed.ordered())
        if (name == "--text")
            request.texts.push_back(screenTextOf(value));
    if (request.texts.size() > static_cast<std::size_t>(ScreenTexts::kMaxTexts))
        throw UsageError("--text: at most " + std::to_string(ScreenTexts::kMaxTexts) +
                         " texts fit on the screen");
    request.job.setupSheet = parsed.has("--setup-sheet");
    request.landscape = parsed.has("--landscape");
    // The banner names the last program read, as the window does after Open.
    for (const std::string& file : request.input.files)
        if (inputKindOf(file) != InputKind::Wireframe)
            request.job.fileName = file;
    return request;
}

} // namespace

int runPrint(const std::vector<std::string>& args) {
    PrintRequest request = parseRequest(args);
    const auto app = startOffscreenGui();
    const auto ws = std::make_unique<Workspace>();
    if (!readPictureInputs(*ws, request.input)) {
        std::fprintf(stderr, "korvix-cli print: nothing written\n");
        return kExitFailure;
    }

    // The document is made in memory and written as a whole.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    pdf.setCreator("Korvix");
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4),
                    request.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                    QPageLayout::Millimeter));
    ui::QtCanvas canvas(pdf, ui::QtCanvas::Colors::Printer);
    if (!canvas.isActive()) {
        std::fprintf(stderr, "korvix-cli print: cannot write %s\n", request.output.c_str());
        return kExitFailure;
    }
    // The screen the view is set up on, as the window would show the files.
    preparePictureView(*ws, request.input, request.input.width, request.input.height);
    ws->screenTexts.entries = request.texts;
    request.job.dateTime = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm").toStdString();
    request.job.dotsPerPixel = pdf.resolution() / 96.0;

    canvas.erase();
    const int pages = printDocument(*ws, request.job, canvas, [&] {
        canvas.flush();
        if (!pdf.newPage())
            return false;
        canvas.erase();
        return true;
    });
    canvas.end();
    if (!writePictureFile(request.output, bytes.data(), "print"))
        return kExitFailure;
    std::printf("%s: %d %s, %s view\n", request.output.c_str(), pages,
                pages == 1 ? "page" : "pages", request.input.viewName.c_str());
    return kExitOk;
}

} // namespace korvix::cli
