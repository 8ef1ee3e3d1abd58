// Times the selection picks and commands on a big generated program, on the pixel positions a
// full redraw of a 1280 x 960 picture caches.
//
//   korvix_selection_bench [--repeat N] [--absolute] [FILE]
//
// Without a file it reads /tmp/big_1m.nc, made by
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc
// The program is read once (incremental centres unless --absolute) and fitted in the XY view;
// every operation is timed N times (default 7), alternately adding and subtracting so that
// every run really changes the flags it reaches. The box over the left half of the picture
// has a target of 0.3 s.

#include "model/workspace.h"
#include "bench_process.h"
#include "display/renderer.h"
#include "display/view_commands.h"
#include "editing/selection_commands.h"
#include "editing/selection_picks.h"
#include "input/nc_reader.h"
#include "app/workspace_access.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double kBoxTargetSeconds = 0.3;

// Draws nothing: the redraw is only wanted for the positions and drawn flags it caches.
class NullCanvas : public korvix::Canvas {
public:
    NullCanvas(int w, int h) : m_width(w), m_height(h) {}
    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void erase() override {}
    void setPenColor(korvix::Rgb) override {}
    void setPenStyle(korvix::PenStyle) override {}
    void setPenMode(korvix::PenMode) override {}
    void setPenWidth(int) override {}
    void setFont(const korvix::FontSpec&) override {}
    void moveTo(int, int) override {}
    void lineTo(int, int) override {}
    void ellipse(int, int, int, int, bool) override {}
    void rectangle(int, int, int, int) override {}
    void fillRect(int, int, int, int, korvix::Rgb) override {}
    void text(int, int, std::string_view) override {}
    korvix::TextExtent textExtent(std::string_view) override { return {8, 13}; }

private:
    int m_width;
    int m_height;
};

struct Timing {
    double bestWall = 0, medianWall = 0, medianCpu = 0;
    std::size_t changed = 0; // records changed by the first (adding) run
};

// Clears the selection, then runs `operation(value)` `repeat` times, value 1 on the first run
// and alternating after it.
Timing timeOperation(korvix::GraphicsDatabase& database, int repeat,
                     const std::function<korvix::SelectionOutcome(int)>& operation) {
    korvix::selectAll(database, 0);
    std::vector<double> wall, cpu;
    Timing timing;
    for (int i = 0; i < repeat; ++i) {
        const int value = i % 2 == 0 ? 1 : 0;
        const double cpuStart = bench::cpuNow();
        const Clock::time_point start = Clock::now();
        const korvix::SelectionOutcome outcome = operation(value);
        wall.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        cpu.push_back(bench::cpuNow() - cpuStart);
        if (i == 0)
            timing.changed = outcome.changedRecords;
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    timing.bestWall = wall.front();
    timing.medianWall = wall[wall.size() / 2];
    timing.medianCpu = cpu[cpu.size() / 2];
    return timing;
}

void print(const char* label, const Timing& t) {
    std::printf("%-30s wall best %.3f s, median %.3f s; processor median %.3f s; %zu records "
                "changed\n",
                label, t.bestWall, t.medianWall, t.medianCpu, t.changed);
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 7;
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

    const auto ws = std::make_unique<korvix::Workspace>();
    korvix::NcReadOptions options;
    options.absoluteCenters = absoluteCenters;
    const korvix::NcReadResult read = korvix::readNcProgram(korvix::ncReadTarget(*ws), fileName, options, {});
    if (!read.ok() || !ws->database.databaseAllocated()) {
        std::fprintf(stderr, "cannot read %s: %s\n", fileName.c_str(), read.message.c_str());
        return 1;
    }
    const std::size_t records = ws->database.records.lastAndCount().second;
    std::printf("%s: %d blocks, %zu records\n", fileName.c_str(), read.blocks, records);

    constexpr int kWidth = 1280, kHeight = 960;
    ws->view.width = kWidth - 2;
    ws->view.height = kHeight - 2;
    korvix::setStandardView(*ws, korvix::StandardView::XY);
    NullCanvas canvas(kWidth, kHeight);
    ws->view.reprojection = true;
    if (korvix::fullRedraw(*ws, canvas) != korvix::RedrawResult::Completed) {
        std::fprintf(stderr, "the redraw did not complete\n");
        return 1;
    }

    korvix::GraphicsDatabase& database = ws->database;
    const int w = ws->view.width, h = ws->view.height;
    const korvix::PixelPoint centre{w / 2, h / 2};
    const Timing halfBox = timeOperation(database, repeat, [&](int value) {
        return korvix::selectByBox(database, value, {0, 0}, {w / 2, h});
    });
    print("box over the left half:", halfBox);
    print("box over the whole picture:", timeOperation(database, repeat, [&](int value) {
              return korvix::selectByBox(database, value, {0, 0}, {w, h});
          }));
    print("line across the middle:", timeOperation(database, repeat, [&](int value) {
              return korvix::selectByLine(database, value, false, {0, h / 2}, {w, h / 2});
          }));
    print("single move at the centre:", timeOperation(database, repeat, [&](int value) {
              return korvix::selectSingleMove(database, value, true, centre);
          }));
    print("All:", timeOperation(database, repeat,
                                [&](int value) { return korvix::selectAll(database, value); }));
    // "1" from nothing selected runs over the whole path, adding; subtracting it clears it all.
    print("\"1\":", timeOperation(database, repeat, [&](int value) {
              return korvix::selectUpToFirst(database, value);
          }));
    // "2" with only the start record selected: the first run fills the whole path, every later
    // one walks all of it to find no gap.
    print("\"2\":", timeOperation(database, repeat, [&](int value) {
              database.first()->selected = 1;
              return korvix::selectBetweenFirstAndSecond(database, value);
          }));

    const bool met = halfBox.medianWall <= kBoxTargetSeconds;
    std::printf("target for the half box: %.1f s (median wall) %s\n", kBoxTargetSeconds,
                met ? "met" : "MISSED");
    return met ? 0 : 1;
}
