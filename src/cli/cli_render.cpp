// korvix-cli render: the picture the window would show, as a PNG image or a PDF page.

#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/picture_input.h"
#include "display/renderer.h"
#include "model/number_text.h"
#include "model/workspace.h"
#include "ui/canvas/qt_canvas.h"

#include <QBuffer>
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
    PictureInput input;
    std::string output;
    OutputFormat format = OutputFormat::Png;
};

RenderRequest parseRequest(const std::vector<std::string>& args) {
    const OptionSpec options =
        withReadingOptions({{"-o", "--view", "--size", "--wire"}, {"--no-rapids"}});
    const ParsedArgs parsed(args, options);
    RenderRequest request;
    request.input = pictureInputOf(parsed);
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
    return request;
}

bool renderPng(Workspace& ws, const RenderRequest& request) {
    QImage image(request.input.width, request.input.height, QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "korvix-cli render: not enough memory for a %d x %d picture\n",
                     request.input.width, request.input.height);
        return false;
    }
    image.fill(Qt::black);
    {
        ui::QtCanvas canvas(image);
        preparePictureView(ws, request.input, canvas.width(), canvas.height());
        fullRedraw(ws, canvas);
    }
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    if (!image.save(&png, "PNG")) {
        std::fprintf(stderr, "korvix-cli render: cannot write %s\n", request.output.c_str());
        return false;
    }
    return writePictureFile(request.output, png.data(), "render");
}

bool renderPdf(Workspace& ws, const RenderRequest& request) {
    // One page the size of the picture at 96 dots per inch, in printer colours.
    // The page is made in memory and written as a whole.
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bytes);
    pdf.setCreator("Korvix");
    pdf.setResolution(96);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(request.input.width * 0.75, request.input.height * 0.75),
                              QPageSize::Point));
    ui::QtCanvas canvas(pdf, ui::QtCanvas::Colors::Printer);
    if (!canvas.isActive()) {
        std::fprintf(stderr, "korvix-cli render: cannot write %s\n", request.output.c_str());
        return false;
    }
    canvas.erase();
    preparePictureView(ws, request.input, canvas.width(), canvas.height());
    fullRedraw(ws, canvas);
    canvas.end();
    return writePictureFile(request.output, bytes.data(), "render");
}

} // namespace

int runRender(const std::vector<std::string>& args) {
    const RenderRequest request = parseRequest(args);

    const auto app = startOffscreenGui();

    const auto ws = std::make_unique<Workspace>();
    if (!readPictureInputs(*ws, request.input)) {
        std::fprintf(stderr, "korvix-cli render: nothing written\n");
        return kExitFailure;
    }
    const bool written =
        request.format == OutputFormat::Png ? renderPng(*ws, request) : renderPdf(*ws, request);
    if (!written)
        return kExitFailure;
    std::printf("%s: %d x %d, %s view\n", request.output.c_str(), request.input.width,
                request.input.height, request.input.viewName.c_str());
    return kExitOk;
}

} // namespace korvix::cli
