// Times arc fitting and point sifting on big programs, to show that both stay linear in
// the number of records.
//
//   korvix_filter_bench [FILE...]
//   korvix_filter_bench --synthetic N...
//
// Without arguments it reads /tmp/big_100k.nc and /tmp/big_1m.nc, made by
//   python3 ../shared/bench/gen_big.py --lines 100000 --seed 1 -o /tmp/big_100k.nc
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc
// Each filter runs on a fresh read in its own child process, so that the two toolpaths a
// fit holds at its peak (the old list and the new one) are freed at once afterwards.
//
// --synthetic N builds N feed moves of point-to-point data that is hard on both filters:
// circles of radius 5 to 80 in 1 degree steps rounded to 3 decimals (the first circle
// through three rounded points is poorly placed, so refinement keeps failing), and long
// straight stretches with noise of about the sift tolerance.

#include "model/workspace.h"
#include "bench_process.h"
#include "filters/fit_arcs.h"
#include "filters/sift_points.h"
#include "input/nc_reader.h"
#include "app/workspace_access.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Figures {
    double records = 0;
    double seconds = 0;    // wall clock
    double cpuSeconds = 0; // this process only: what other jobs on the machine do not inflate
    double removed = 0;
    double arcs = 0;
};

enum class Filter { Fit, Sift };

double rounded(double v) {
    return std::round(v * 1000.0) / 1000.0;
}

void buildSynthetic(korvix::Workspace& ws, long moves) {
    std::mt19937 random(1);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    korvix::NodeList<korvix::MoveRecord>& list = ws.database.records;
    list.createFirst();
    korvix::MoveRecord* tail = list.head();
    std::int32_t sequence = 1;
    double x = 0, y = 0;
    const auto add = [&](double px, double py) {
        list.append(tail);
        tail->kind = korvix::kKindStraight;
        tail->motion = korvix::kMotionLinear;
        tail->feed = 500;
        tail->sequence = ++sequence;
        tail->x = static_cast<float>(rounded(px));
        tail->y = static_cast<float>(rounded(py));
        x = px;
        y = py;
    };
    while (sequence < moves) {
        // A circle through the current point...
        const double radius = 5 + 75 * (unit(random) + 1) / 2;
        const double cx = x - radius, cy = y;
        const int steps = 90 + static_cast<int>(200 * (unit(random) + 1) / 2);
        for (int i = 1; i <= steps && sequence < moves; ++i) {
            const double a = i * 3.14159265358979 / 180;
            add(cx + radius * std::cos(a), cy + radius * std::sin(a));
        }
        // ...then a long noisy straight stretch.
        const double heading = 3.14159265358979 * unit(random);
        for (int i = 1; i <= 2000 && sequence < moves; ++i)
            add(x + 0.05 * std::cos(heading) + 0.0004 * unit(random),
                y + 0.05 * std::sin(heading) + 0.0004 * unit(random));
    }
}

// Loads the path and runs one filter in a child process; the figures come back from it.
bool measure(const std::string& source, bool synthetic, Filter filter, Figures& figures) {
    return bench::measureInChild(figures, [&](Figures& f) {
        // Never freed: the child leaves as soon as the figures are out.
        korvix::Workspace& ws = *new korvix::Workspace;
        if (synthetic)
            buildSynthetic(ws, std::atol(source.c_str()));
        else
            korvix::readNcFile(korvix::ncReadTarget(ws), source, {}, {});
        f.records = static_cast<double>(ws.database.records.lastAndCount().second);
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = bench::cpuNow();
        if (filter == Filter::Fit) {
            const korvix::FitArcsResult result = korvix::fitArcs(ws.database, {});
            f.removed = static_cast<double>(result.pointsRemoved);
            f.arcs = static_cast<double>(result.arcsAdded);
        } else {
            f.removed = static_cast<double>(korvix::siftPoints(ws.database, {}).pointsRemoved);
        }
        f.cpuSeconds = bench::cpuNow() - cpuStart;
        f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    });
}

void report(const std::string& source, bool synthetic) {
    const std::string name = synthetic ? "synthetic " + source : source;
    for (const Filter filter : {Filter::Fit, Filter::Sift}) {
        Figures f;
        if (!measure(source, synthetic, filter, f)) {
            std::printf("%s: the measurement failed\n", name.c_str());
            return;
        }
        std::printf("%-24s %-4s records %10.0f  wall %7.3f s  cpu %7.3f s  %6.1f ns/record  "
                    "removed %9.0f",
                    name.c_str(), filter == Filter::Fit ? "fit" : "sift", f.records, f.seconds,
                    f.cpuSeconds, f.cpuSeconds * 1e9 / f.records, f.removed);
        if (filter == Filter::Fit)
            std::printf("  arcs %8.0f", f.arcs);
        std::printf("\n");
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> sources;
    bool synthetic = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--synthetic")
            synthetic = true;
        else
            sources.push_back(arg);
    }
    if (sources.empty())
        sources = synthetic ? std::vector<std::string>{"100000", "1000000"}
                            : std::vector<std::string>{"/tmp/big_100k.nc", "/tmp/big_1m.nc"};
    for (const std::string& source : sources) {
        if (!synthetic && access(source.c_str(), R_OK) != 0) {
            std::printf("%s: missing; make it with ../shared/bench/gen_big.py (see --help)\n",
                        source.c_str());
            continue;
        }
        report(source, synthetic);
    }
    return 0;
}
