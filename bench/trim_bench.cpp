// Times trimming the generated 1,000,000-line program (8.6 million records read with
// incremental centres) to a box over half its extents, kept inside and kept outside, and to
// polygons of the same span: a diamond, and an ellipse of 250 vertices (the most a drawn
// polygon has).
//
//   korvix_trim_bench [FILE...]
//
// Without arguments it reads /tmp/big_1m.nc, made by
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc
// The box is centred on the path and half as wide and half as high as its extents. Each trim
// runs on a fresh read in its own child process; only the trim is timed (the walk, the clip,
// the link moves and the recomputed totals), not the read.

#include "app/workspace_access.h"
#include "bench_process.h"
#include "editing/trim_driver.h"
#include "input/nc_reader.h"
#include "model/workspace.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

struct Figures {
    double records = 0;
    double recordsAfter = 0;
    double seconds = 0;    // wall clock
    double cpuSeconds = 0; // this process only
    double sysSeconds = 0; // of which the system's: mostly first touches of new memory
    bool ok = false;
};

enum class Region { BoxInside, BoxOutside, PolygonInside, Polygon250 };

const char* nameOf(Region region) {
    switch (region) {
    case Region::BoxInside:
        return "box inside";
    case Region::BoxOutside:
        return "box outside";
    case Region::PolygonInside:
        return "polygon inside";
    case Region::Polygon250:
        return "250-gon inside";
    }
    return "";
}

double systemSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_stime.tv_usec) * 1e-6;
}

bool measure(const std::string& source, Region kind, Figures& figures) {
    return bench::measureInChild(figures, [&](Figures& f) {
        // Never freed: the child leaves as soon as the figures are out.
        korvix::Workspace& ws = *new korvix::Workspace;
        korvix::NcReadOptions options;
        options.absoluteCenters = false;
        korvix::readNcFile(korvix::ncReadTarget(ws), source, options, {});
        f.records = static_cast<double>(ws.database.records.lastAndCount().second);

        const korvix::Extents& e = ws.database.status.extents;
        const double w = e.maxX - e.minX, h = e.trueMaxY() - e.trueMinY();
        korvix::TrimParameters p;
        p.primaryPlane = p.secondaryPlane = e.maxZ;
        p.box = {e.minX + w / 4, e.trueMinY() + h / 4, e.maxX - w / 4, e.trueMaxY() - h / 4};
        p.keepInside = kind != Region::BoxOutside;
        korvix::TrimRegion region;
        region.box = p.box;
        // A diamond through the middles of the box's sides: the same span, four slanted edges.
        const double cx = (p.box.left + p.box.right) / 2, cy = (p.box.bottom + p.box.top) / 2;
        const std::vector<korvix::Point2> diamond = {
            {cx, p.box.bottom}, {p.box.right, cy}, {cx, p.box.top}, {p.box.left, cy}};
        // The most a drawn polygon can have: 250 vertices on the ellipse inside the box.
        std::vector<korvix::Point2> ellipse;
        for (int i = 0; i < korvix::TrimPolygon::kMaxVertices; ++i) {
            const double a = 2 * korvix::kPi * i / korvix::TrimPolygon::kMaxVertices;
            ellipse.push_back({cx + w / 4 * std::cos(a), cy + h / 4 * std::sin(a)});
        }
        if (kind == Region::PolygonInside || kind == Region::Polygon250) {
            region.polygon = true;
            region.vertices = kind == Region::PolygonInside ? diamond : ellipse;
        }

        korvix::NullReporter reporter;
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = bench::cpuNow();
        const double sysStart = systemSeconds();
        const korvix::TrimResult result =
            korvix::trimToolpath(ws.database, p, region, reporter, ws.pump);
        f.cpuSeconds = bench::cpuNow() - cpuStart;
        f.sysSeconds = systemSeconds() - sysStart;
        f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        f.ok = result.ok();
        f.recordsAfter = static_cast<double>(result.recordCount);
    });
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> sources(argv + 1, argv + argc);
    if (sources.empty())
        sources = {"/tmp/big_1m.nc"};
    for (const std::string& source : sources) {
        if (access(source.c_str(), R_OK) != 0) {
            std::printf("%s: missing; make it with ../shared/bench/gen_big.py\n", source.c_str());
            continue;
        }
        for (const Region kind :
             {Region::BoxInside, Region::BoxOutside, Region::PolygonInside, Region::Polygon250}) {
            Figures f;
            if (!measure(source, kind, f) || !f.ok) {
                std::printf("%s %s: the measurement failed\n", source.c_str(), nameOf(kind));
                continue;
            }
            std::printf("%-18s %-15s records %9.0f -> %9.0f  wall %6.3f s  cpu %6.3f s "
                        "(sys %5.3f)  %5.1f ns/record%s\n",
                        source.c_str(), nameOf(kind), f.records, f.recordsAfter, f.seconds,
                        f.cpuSeconds, f.sysSeconds, f.cpuSeconds * 1e9 / f.records,
                        kind != Region::BoxInside || f.seconds <= 3.0 ? "" : "  (target 3 s)");
            std::fflush(stdout);
        }
    }
    return 0;
}
