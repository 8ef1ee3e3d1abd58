#pragma once

#include "cli/cli_input.h"
#include "display/view_commands.h"

#include <QByteArray>
#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

namespace korvix {
struct Workspace;
}

namespace korvix::cli {

class ParsedArgs;

// What the picture commands (render, print) read and how they set the view up, as the
// window shows a file after Open.
struct PictureInput {
    std::vector<std::string> files;
    StandardView view = StandardView::XY;
    std::string viewName = "xy";
    // The drawing area's window: its size in pixels, the client area of the window.
    int width = 1280;
    int height = 960;
    InputOptions reading;
    bool hideRapids = false;
    std::string wireframe; // --wire FILE
};

// The options every picture command takes: "--view", "--size" (with values), and
// the reading options, "--no-rapids", "--wire FILE". Throws UsageError for a bad one.
PictureInput pictureInputOf(const ParsedArgs& parsed);

// Reads every input (the --wire file as a wire-frame whatever its extension); false, after
// the readers' messages, when one could not be read.
bool readPictureInputs(Workspace& ws, const PictureInput& input);

// The application object that drawing needs (fonts), on the offscreen platform: pictures
// are made without a screen.
std::unique_ptr<QGuiApplication> startOffscreenGui();

// The view after reading: the wire-frame displayed when one was read, fitted to the toolpath
// unless there is only a wire-frame, on a client area of clientWidth x clientHeight.
void preparePictureView(Workspace& ws, const PictureInput& input, int clientWidth,
                        int clientHeight);

// Writes a finished picture as the other outputs are written: into a temporary file that
// replaces `path` only when complete. False, after "korvix-cli COMMAND: " and the reason on
// stderr, when it could not be written; an earlier file of that name is then untouched.
bool writePictureFile(const std::string& path, const QByteArray& bytes, const char* command);

} // namespace korvix::cli
