// Opens a big generated program in the real window (offscreen platform) as a user would,
// answering the colour and arc type dialogs, and measures from the arc type answer on:
//
//   korvix_window_open_bench [--absolute] [--size WxH] [FILE]
//
// - the read time (until the progress bar goes away),
// - the first-picture time (until the Open command has drawn the whole picture),
// - the longest gap between two turns of the event loop while reading and while drawing,
// - the resident memory per stored record,
// and, for comparison, the time the same read takes without a window (as `korvix-cli info`
// reads), in a child process of its own before the window starts.
//
// Without a file it opens /tmp/big1m.nc (python3 ../shared/bench/gen_big.py --lines 1000000
// --seed 1 > /tmp/big1m.nc). Incremental centres unless --absolute. The drawing area is
// 1280 x 960 unless --size says otherwise. Settings go to a scratch home folder.

#include "app/ui/korvix_window.h"
#include "app/workspace_access.h"
#include "bench_process.h"
#include "input/nc_reader.h"
#include "input/ui/input_radius_type_form.h"
#include "input/ui/open_command.h"
#include "ui/drawing_area.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QColorDialog>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

std::size_t residentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

struct CoreRead {
    double wall = 0;
    double cpu = 0;
    std::size_t records = 0;
};

// The read as the command-line tool does it, in a fresh process.
bool timeCoreRead(const std::string& file, bool absolute, CoreRead& figures) {
    return bench::measureInChild(figures, [&](CoreRead& f) {
        korvix::Workspace ws;
        korvix::NcReadOptions options;
        options.absoluteCenters = absolute;
        options.firstSourceLine = ws.source.nextLine(); // the tool keeps the text too
        const double cpu = bench::cpuNow();
        const Clock::time_point start = Clock::now();
        korvix::readNcProgram(korvix::ncReadTarget(ws), file, options, {});
        f.wall = secondsBetween(start, Clock::now());
        f.cpu = bench::cpuNow() - cpu;
        if (ws.database.databaseAllocated())
            f.records = ws.database.records.lastAndCount().second;
    });
}

// Watches the event loop: a timer that should fire every few milliseconds, and the longest
// wait between two of its turns in each phase of the command.
class LoopWatch {
public:
    enum Phase { Before, Reading, Drawing, After };

    explicit LoopWatch(korvix::ui::Tf& window) : m_window(window) {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { turn(); });
        m_timer.start();
    }

    void startReading() {
        m_phase = Reading;
        m_start = Clock::now();
        m_last = m_start;
    }
    void finished() {
        turn();
        m_phase = After;
        m_pictureAt = Clock::now();
    }

    double readSeconds() const { return secondsBetween(m_start, m_readEnd); }
    double pictureSeconds() const { return secondsBetween(m_start, m_pictureAt); }
    double longestReadingGap() const { return m_longest[Reading]; }
    double longestDrawingGap() const { return m_longest[Drawing]; }
    int turns(Phase phase) const { return m_turns[phase]; }

private:
    void turn() {
        const Clock::time_point now = Clock::now();
        if (m_phase == Reading || m_phase == Drawing) {
            m_longest[m_phase] = std::max(m_longest[m_phase], secondsBetween(m_last, now));
            ++m_turns[m_phase];
        }
        // The read has begun once the progress bar shows, and ends when it goes.
        m_readSeen = m_readSeen || m_window.reading();
        if (m_phase == Reading && m_readSeen && !m_window.reading()) {
            m_phase = Drawing;
            m_readEnd = now;
        }
        m_last = now;
    }

    korvix::ui::Tf& m_window;
    QTimer m_timer;
    Phase m_phase = Before;
    bool m_readSeen = false;
    Clock::time_point m_start, m_last, m_readEnd, m_pictureAt;
    double m_longest[4] = {};
    int m_turns[4] = {};
};

} // namespace

int main(int argc, char** argv) {
    bool absolute = false;
    int width = 1280, height = 960;
    std::string file = "/tmp/big1m.nc";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--absolute")
            absolute = true;
        else if (arg == "--size" && i + 1 < argc)
            std::sscanf(argv[++i], "%dx%d", &width, &height);
        else
            file = arg;
    }

    CoreRead core;
    if (!timeCoreRead(file, absolute, core) || core.records == 0) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return 1;
    }

    QTemporaryDir home;
    qputenv("KORVIX_HOME", home.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::unique_ptr<korvix::ui::Tf> window = korvix::ui::createMainWindow({});
    window->show();
    while (!window->started())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    korvix::ui::DrawingArea& area = window->drawingArea();
    window->resize(window->size() + QSize(width, height) - area.size());
    while (area.size() != QSize(width, height) || window->busy())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    const std::size_t residentBefore = residentBytes();

    // The dialogs of the Open command, answered as soon as they show.
    LoopWatch watch(*window);
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* colors = qobject_cast<QColorDialog*>(modal)) {
            colors->setCurrentColor(Qt::white);
            colors->accept();
        } else if (modal != nullptr && modal->objectName() == "TInputRadiusTypeForm") {
            auto& form = korvix::ui::InputRadiusTypeForm::of(*window);
            form.setAbsoluteCenters(absolute);
            watch.startReading();
            form.accept();
            answer.stop();
        }
    });
    answer.start();
    window->runAsCommand(
        [&] { korvix::ui::openChosenFile(*window, QString::fromStdString(file)); });
    watch.finished();

    korvix::Workspace& ws = window->workspace();
    const std::size_t records =
        ws.database.databaseAllocated() ? ws.database.records.lastAndCount().second : 0;
    const double perRecord =
        records > 0 ? static_cast<double>(residentBytes() - residentBefore) / records : 0;
    std::printf("%s: %zu records, drawing area %d x %d, %s centres\n", file.c_str(), records,
                area.width(), area.height(), absolute ? "absolute" : "incremental");
    std::printf("read without the window (as korvix-cli info): %.3f s wall, %.3f s processor\n",
                core.wall, core.cpu);
    std::printf("read in the window:    %.3f s\n", watch.readSeconds());
    std::printf("first picture:         %.3f s (%.2f times the read without the window)\n",
                watch.pictureSeconds(), watch.pictureSeconds() / core.wall);
    std::printf("longest event-loop gap: %.0f ms while reading (%d turns), %.0f ms while "
                "drawing (%d turns)\n",
                watch.longestReadingGap() * 1000, watch.turns(LoopWatch::Reading),
                watch.longestDrawingGap() * 1000, watch.turns(LoopWatch::Drawing));
    std::printf("resident memory:       %.1f bytes per record\n", perRecord);
    std::printf("status: %s\n", window->statusText().toStdString().c_str());
    return 0;
}
