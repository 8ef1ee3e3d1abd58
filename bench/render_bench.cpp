// Times the full redraw of a big generated program into a 1280 x 960 image, with and
// without reprojection.
//
//   korvix_render_bench [--repeat N] [--absolute] [FILE]
//
// Without a file it reads /tmp/big_1m.nc, made by
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc
// The program is read once (incremental centres unless --absolute), fitted in the XY and
// the first isometric view, and each redraw is timed N times (default 5) from a black
// image, including the hand-over of the last collected stroke.

#include "app/workspace_access.h"
#include "bench_process.h"
#include "display/renderer.h"
#include "display/view_commands.h"
#include "input/nc_reader.h"
#include "model/workspace.h"
#include "ui/canvas/qt_canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct Sample {
    double wall = 0;
    double cpu = 0;
};

struct Timing {
    double bestWall = 0, medianWall = 0, medianCpu = 0;
};

Timing summarize(std::vector<Sample> samples) {
    std::vector<double> wall, cpu;
    for (const Sample& s : samples) {
        wall.push_back(s.wall);
        cpu.push_back(s.cpu);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall.front(), wall[wall.size() / 2], cpu[cpu.size() / 2]};
}

// One full redraw into a fresh black image.
Sample timeRedraw(korvix::Workspace& ws, QImage& image, bool reproject) {
    image.fill(Qt::black);
    ws.view.reprojection = reproject;
    const double cpuStart = bench::cpuNow();
    const Clock::time_point start = Clock::now();
    {
        korvix::ui::QtCanvas canvas(image);
        korvix::fullRedraw(ws, canvas);
    }
    return {secondsSince(start), bench::cpuNow() - cpuStart};
}

void print(const char* label, const Timing& t, std::size_t records) {
    std::printf("%-28s wall best %.3f s, median %.3f s; processor median %.3f s (%.0f ns/record)\n",
                label, t.bestWall, t.medianWall, t.medianCpu,
                t.medianCpu * 1e9 / static_cast<double>(records));
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 5;
    bool absoluteCenters = false;
    std::string fileName = "/tmp/big_1m.nc";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--absolute")
            absoluteCenters = true;
        else
            fileName = arg;
    }

    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const auto ws = std::make_unique<korvix::Workspace>();
    korvix::NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    const Clock::time_point readStart = Clock::now();
    const korvix::NcReadResult read =
        korvix::readNcProgram(korvix::ncReadTarget(*ws), fileName, options, {});
    const double readSeconds = secondsSince(readStart);
    if (!read.ok() || !ws->database.databaseAllocated()) {
        std::fprintf(stderr, "cannot read %s: %s\n", fileName.c_str(), read.message.c_str());
        return 1;
    }
    const std::size_t records = ws->database.records.lastAndCount().second;
    std::printf("%s: %d blocks, %zu records, read in %.3f s\n", fileName.c_str(), read.blocks,
                records, readSeconds);

    QImage image(1280, 960, QImage::Format_RGB32);
    ws->view.width = image.width() - 2;
    ws->view.height = image.height() - 2;
    for (const auto view : {korvix::StandardView::XY, korvix::StandardView::Iso1}) {
        korvix::setStandardView(*ws, view);
        std::vector<Sample> projected, cached;
        for (int i = 0; i < repeat; ++i)
            projected.push_back(timeRedraw(*ws, image, true));
        for (int i = 0; i < repeat; ++i)
            cached.push_back(timeRedraw(*ws, image, false));
        const std::string name(korvix::standardViewStatus(view));
        std::printf("%s\n", name.c_str());
        print("  with reprojection:", summarize(projected), records);
        print("  cached positions:", summarize(cached), records);
    }
    return 0;
}
