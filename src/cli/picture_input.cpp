#include "cli/picture_input.h"

#include "app/workspace_access.h"
#include "cli/cli_args.h"
#include "cli/cli_input.h"
#include "input/wireframe_reader.h"
#include "model/number_text.h"
#include "model/safe_file_writer.h"
#include "model/workspace.h"

#include <cstddef>
#include <cstdio>

namespace korvix::cli {
namespace {

// The picture needs a drawing area of at least a few pixels; the upper bound keeps a typo
// from asking for gigabytes.
constexpr int kMinSide = 16;
constexpr int kMaxSide = 20000;

void parseSize(const std::string& text, PictureInput& input) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        throw UsageError("--size: '" + text + "' is not WIDTHxHEIGHT");
    const IntegerConversion w = convertIntegerInRange(text.substr(0, x), kMinSide, kMaxSide);
    const IntegerConversion h = convertIntegerInRange(text.substr(x + 1), kMinSide, kMaxSide);
    if (!w.ok() || !h.ok())
        throw UsageError("--size: '" + text + "' is not WIDTHxHEIGHT with sides from " +
                         std::to_string(kMinSide) + " to " + std::to_string(kMaxSide));
    input.width = w.value;
    input.height = h.value;
}

} // namespace

PictureInput pictureInputOf(const ParsedArgs& parsed) {
    PictureInput input;
    input.files = parsed.positional();
    if (input.files.empty())
        throw UsageError("no input file given");
    if (const auto view = parsed.value("--view")) {
        if (!standardViewFromName(*view, input.view))
            throw UsageError("--view: unknown view '" + *view +
                             "' (xy, xz, yz, iso1, iso2, iso3 or iso4)");
        input.viewName = *view;
    }
    if (const auto size = parsed.value("--size"))
        parseSize(*size, input);
    input.reading = readingOptionsOf(parsed);
    input.hideRapids = parsed.has("--no-rapids");
    if (const auto wire = parsed.value("--wire"))
        input.wireframe = *wire;
    return input;
}

bool readPictureInputs(Workspace& ws, const PictureInput& input) {
    const InputOptions& options = input.reading;
    if (!allInputRead(readInputFiles(ws, input.files, options)))
        return false;
    if (input.wireframe.empty())
        return true;
    WireframeReadInfo info;
    readWireframeFile(wireframeReadTarget(ws), input.wireframe, kBlack, &info);
    if (!info.message.empty()) {
        std::fprintf(stderr, "korvix-cli: error: %s\n", info.message.c_str());
        return false;
    }
    return true;
}

std::unique_ptr<QGuiApplication> startOffscreenGui() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // QGuiApplication keeps references to argc and argv for its whole life.
    static int argc = 1;
    static char name[] = "korvix-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

void preparePictureView(Workspace& ws, const PictureInput& input, int clientWidth,
                        int clientHeight) {
    ws.display.rapidMoves = !input.hideRapids;
    ws.display.wireframe = ws.wireframe.wireframeAllocated();
    ws.view.fitSource = !ws.database.databaseAllocated() && ws.wireframe.wireframeAllocated()
                            ? FitSource::Wireframe
                            : FitSource::NcToolpath;
    // The window's drawing area is its client area less two pixels.
    ws.view.width = clientWidth - 2;
    ws.view.height = clientHeight - 2;
    setStandardView(ws, input.view);
}

bool writePictureFile(const std::string& path, const QByteArray& bytes, const char* command) {
    SafeFileWriter file(path);
    if (!file.open() || !file.write(bytes.constData(), static_cast<std::size_t>(bytes.size())) ||
        !file.commit()) {
        std::fprintf(stderr, "korvix-cli %s: %s\n", command, file.error().c_str());
        return false;
    }
    return true;
}

} // namespace korvix::cli
