// korvix-cli render: the picture the window would show, as a PNG image or a PDF page.

#include "app/workspace_access.h"
#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "cli/commands.h"
#include "display/renderer.h"
#include "display/view_commands.h"
#include "input/wireframe_reader.h"
#include "model/number_text.h"
#include "model/workspace.h"
#include "ui/canvas/qt_canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace korvix::cli {
namespace {

enum class OutputFormat { Png, Pdf };

struct RenderRequest {
    std::vector<std::string> files;
    std::string output;
    OutputFormat format = OutputFormat::Png;
    StandardView view = StandardView::XY;
    std::string viewName = "xy";
    int width = 1280;
    int height = 960;
    bool incremental = false;
    bool hideRapids = false;
    std::string wireframe;
};

// The picture needs a drawing area of at least a few pixels; the upper bound keeps a typo
// from asking for gigabytes.
constexpr int kMinSide = 16;
constexpr int kMaxSide = 20000;

void parseSize(const std::string& text, RenderRequest& request) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError("--size: '" + text + "' is not WIDTHxHEIGHT");
    const IntegerConversion w = convertIntegerInRange(text.substr(0, x), kMinSide, kMaxSide);
    const IntegerConversion h = convertIntegerInRange(text.substr(x + 1), kMinSide, kMaxSide);
    if (!w.ok() || !h.ok())
        throw UsageError("--size: '" + text + "' is not WIDTHxHEIGHT with sides from " +
                         std::to_string(kMinSide) + " to " + std::to_string(kMaxSide));
    request.width = w.value;
    request.height = h.value;
}

RenderRequest parseRequest(const std::vector<std::string>& args) {
    const OptionSpec options{{"-o", "--view", "--size", "--wire"},
                             {"--incremental", "--no-rapids"}};
    const ParsedArgs parsed(args, options);
    RenderRequest request;
    request.files = parsed.positional();
    if (request.files.empty())
        throw UsageError("no input file given");
    const auto output = parsed.value("-o");
    if (!output || output->empty())
        throw UsageError("no output file given (-o OUT.png or -o OUT.pdf)");
    request.output = *output;
    const std::size_t dot = request.output.find_last_of('.');
    const std::string extension =
        dot == std::string::npos ? std::string() : upperAscii(request.output.substr(dot));
    if (extension == ".PNG")
        request.format = OutputFormat::Png;
    else if (extension == ".PDF")
        request.format = OutputFormat::Pdf;
    else
        throw UsageError("the output file must end in .png or .pdf");
    if (const auto view = parsed.value("--view")) {
        if (!standardViewFromName(*view, request.view))
            throw UsageError("--view: unknown view '" + *view +
                             "' (xy, xz, yz, iso1, iso2, iso3 or iso4)");
        request.viewName = *view;
    }
    if (const auto size = parsed.value("--size"))
        parseSize(*size, request);
    request.incremental = parsed.has("--incremental");
    request.hideRapids = parsed.has("--no-rapids");
    if (const auto wire = parsed.value("--wire"))
        request.wireframe = *wire;
    return request;
}

// Reads every input (the --wire file as a wire-frame whatever its extension); false, after
// the readers' messages, when one could not be read.
bool readInputs(Workspace& ws, const RenderRequest& request) {
    InputOptions options;
    options.absoluteCenters = !request.incremental;
    if (!allInputRead(readInputFiles(ws, request.files, options)))
        return false;
    if (request.wireframe.empty())
        return true;
    WireframeReadInfo info;
    readWireframeFile(wireframeReadTarget(ws), request.wireframe, kBlack, &info);
    if (!info.message.empty()) {
        std::fprintf(stderr, "korvix-cli: error: %s\n", info.message.c_str());
        return false;
    }
    return true;
}

// Shows what Open shows: the wire-frame when one was read, fitted to the toolpath unless
// there is only a wire-frame.
void prepareView(Workspace& ws, const RenderRequest& request, int canvasWidth, int canvasHeight) {
    ws.display.rapidMoves = !request.hideRapids;
    ws.display.wireframe = ws.wireframe.wireframeAllocated();
    ws.view.fitSource = !ws.database.databaseAllocated() && ws.wireframe.wireframeAllocated()
                            ? FitSource::Wireframe
                            : FitSource::NcToolpath;
    // The window's drawing area is its client area less two pixels.
    ws.view.width = canvasWidth - 2;
    ws.view.height = canvasHeight - 2;
    setStandardView(ws, request.view);
}

bool renderPng(Workspace& ws, const RenderRequest& request) {
    QImage image(request.width, request.height, QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "korvix-cli render: not enough memory for a %d x %d picture\n",
                     request.width, request.height);
        return false;
    }
    image.fill(Qt::black);
    {
        ui::QtCanvas canvas(image);
        prepareView(ws, request, canvas.width(), canvas.height());
        fullRedraw(ws, canvas);
    }
    if (!image.save(QString::fromStdString(request.output), "PNG")) {
        std::fprintf(stderr, "korvix-cli render: cannot write %s\n", request.output.c_str());
        return false;
    }
    return true;
}

bool renderPdf(Workspace& ws, const RenderRequest& request) {
    // One page the size of the picture at 96 dots per inch, in printer colours.
    QPdfWriter pdf(QString::fromStdString(request.output));
    pdf.setCreator("Korvix");
    pdf.setResolution(96);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(
        QPageSize(QSizeF(request.width * 0.75, request.height * 0.75), QPageSize::Point));
    ui::QtCanvas canvas(pdf, ui::QtCanvas::Colors::Printer);
    if (!canvas.isActive()) {
        std::fprintf(stderr, "korvix-cli render: cannot write %s\n", request.output.c_str());
        return false;
    }
    canvas.erase();
    prepareView(ws, request, canvas.width(), canvas.height());
    fullRedraw(ws, canvas);
    canvas.end();
    return true;
}

} // namespace

int runRender(const std::vector<std::string>& args) {
    const RenderRequest request = parseRequest(args);

    // Rendering needs fonts but never a screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "korvix-cli";
    static char* argv[] = {name, nullptr};
    const auto app = std::make_unique<QGuiApplication>(argc, argv);

    const auto ws = std::make_unique<Workspace>();
    if (!readInputs(*ws, request)) {
        std::fprintf(stderr, "korvix-cli render: nothing written\n");
        return kExitFailure;
    }
    const bool written =
        request.format == OutputFormat::Png ? renderPng(*ws, request) : renderPdf(*ws, request);
    if (!written)
        return kExitFailure;
    std::printf("%s: %d x %d, %s view\n", request.output.c_str(), request.width, request.height,
                request.viewName.c_str());
    return kExitOk;
}

} // namespace korvix::cli
