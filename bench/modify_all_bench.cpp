// Times the Modify all changes of the whole toolpath: mirror, relocate, rotate and scale in
// place (each with the recomputation of extents, feed range and cutting time that follows
// it), and for comparison the preview copy and two appended copies.
//
//   korvix_modify_all_bench [FILE...]
//
// Without arguments it reads /tmp/big_1m.nc, made by
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc
// with incremental arc centres. Each file is read once in a child process of its own; the
// changes then run one after the other on the same path (each keeps its record count).
// Rotation refuses arcs outside the XY plane, so before the rotation the pieces of those
// arcs are made straight feed moves (untimed): the same records, all of them turned.

#include "model/workspace.h"
#include "bench_process.h"
#include "editing/modify_all.h"
#include "editing/modify_all_preview.h"
#include "input/nc_reader.h"
#include "app/workspace_access.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

enum Step { Mirror, Relocate, Rotate, Scale, Preview, TwoCopies, kSteps };

const char* const kStepNames[kSteps] = {
    "mirror x+y", "relocate", "rotate 30", "scale 1.5", "preview (rotate)", "relocate 2 copies",
};

struct Figures {
    double records = 0;
    double readSeconds = 0;
    double seconds[kSteps] = {};    // wall clock
    double cpuSeconds[kSteps] = {}; // this process only
    double ok[kSteps] = {};
    double straightened = 0;
};

korvix::ModifyAllRequest requestFor(Step step) {
    korvix::ModifyAllRequest request;
    switch (step) {
    case Mirror:
        request.page = korvix::ModifyAllPage::Mirror;
        request.mirror = {true, true, false};
        break;
    case Relocate:
        request.page = korvix::ModifyAllPage::Relocate;
        request.relocate = {10, -5, 1, 0};
        break;
    case Rotate:
    case Preview:
        request.page = korvix::ModifyAllPage::Rotate;
        request.rotate = {30, 12.5, -7.5, 0};
        break;
    case Scale:
        request.page = korvix::ModifyAllPage::Scale;
        request.scale.factor = 1.5;
        break;
    case TwoCopies:
        request.page = korvix::ModifyAllPage::Relocate;
        request.relocate = {500, 0, 0, 2};
        break;
    case kSteps:
        break;
    }
    return request;
}

// Returns the number of records changed.
double straightenOffPlaneArcs(korvix::GraphicsDatabase& database) {
    double changed = 0;
    for (korvix::MoveRecord* r = database.first(); r != nullptr; r = r->next)
        if (korvix::isArcPiece(*r) && r->plane != korvix::kPlaneXY) {
            r->kind = korvix::kKindStraight;
            r->motion = korvix::kMotionLinear;
            ++changed;
        }
    return changed;
}

bool runStep(korvix::Workspace& ws, Step step) {
    const korvix::ModifyAllRequest request = requestFor(step);
    if (step == Preview) {
        const korvix::ModifyAllPreviewBuild build =
            korvix::buildModifyAllPreview(ws.database, request, &ws.pump);
        return build.ok();
    }
    return korvix::applyGeometryChange(ws.database, request, &ws.pump).ok();
}

bool measure(const std::string& file, Figures& figures) {
    return bench::measureInChild(figures, [&](Figures& f) {
        // Never freed: the child leaves as soon as the figures are out.
        korvix::Workspace& ws = *new korvix::Workspace;
        korvix::NcReadOptions options;
        options.absoluteCenters = false;
        const auto readStart = std::chrono::steady_clock::now();
        korvix::readNcFile(korvix::ncReadTarget(ws), file, options, {});
        f.readSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - readStart).count();
        f.records = static_cast<double>(ws.database.records.lastAndCount().second);
        for (int s = 0; s < kSteps; ++s) {
            if (s == Rotate)
                f.straightened = straightenOffPlaneArcs(ws.database);
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = bench::cpuNow();
            f.ok[s] = runStep(ws, static_cast<Step>(s)) ? 1 : 0;
            f.cpuSeconds[s] = bench::cpuNow() - cpuStart;
            f.seconds[s] =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
    });
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files(argv + 1, argv + argc);
    if (files.empty())
        files = {"/tmp/big_1m.nc"};
    for (const std::string& file : files) {
        if (access(file.c_str(), R_OK) != 0) {
            std::printf("%s: missing; make it with ../shared/bench/gen_big.py (see the top of "
                        "this file)\n",
                        file.c_str());
            continue;
        }
        Figures f;
        if (!measure(file, f)) {
            std::printf("%s: the measurement failed\n", file.c_str());
            continue;
        }
        std::printf("%s: %.0f records (read in %.2f s, incremental centres)\n", file.c_str(),
                    f.records, f.readSeconds);
        std::printf("  (%.0f pieces of XZ and YZ arcs made straight before the rotation)\n",
                    f.straightened);
        for (int s = 0; s < kSteps; ++s)
            std::printf("  %-18s wall %7.3f s  cpu %7.3f s  %6.1f ns/record%s\n", kStepNames[s],
                        f.seconds[s], f.cpuSeconds[s], f.cpuSeconds[s] * 1e9 / f.records,
                        f.ok[s] != 0 ? "" : "  FAILED");
        std::fflush(stdout);
    }
    return 0;
}
