// Times the snapshot an undo step takes of a big toolpath and the restore of it.
//
//   korvix_undo_bench [FILE]
//
// Without an argument it reads /tmp/big_1m.nc (incremental centres), made by
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc

#include "app/workspace_access.h"
#include "input/nc_reader.h"
#include "model/undo_history.h"
#include "model/workspace.h"

#include <chrono>
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    using Clock = std::chrono::steady_clock;
    const std::string file = argc > 1 ? argv[1] : "/tmp/big_1m.nc";
    korvix::Workspace ws;
    korvix::NcReadOptions options;
    options.absoluteCenters = false;
    const korvix::NcReadResult read =
        korvix::readNcProgram(korvix::ncReadTarget(ws), file, options, {});
    if (!read.ok()) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), read.message.c_str());
        return 1;
    }
    const auto seconds = [](Clock::time_point since) {
        return std::chrono::duration<double>(Clock::now() - since).count();
    };
    for (int round = 0; round < 3; ++round) {
        const Clock::time_point start = Clock::now();
        std::optional<korvix::PathSnapshot> snapshot =
            korvix::takeSnapshot(ws.database, ws.tools, std::size_t{16} << 30);
        const double taken = seconds(start);
        if (!snapshot) {
            std::fprintf(stderr, "no memory for the snapshot\n");
            return 1;
        }
        const Clock::time_point restoring = Clock::now();
        korvix::restoreSnapshot(*snapshot, ws.database, ws.tools);
        std::printf("%zu records (%.0f MB): snapshot %.3f s, restore %.3f s\n", snapshot->count,
                    snapshot->bytes() / 1e6, taken, seconds(restoring));
    }
    return 0;
}
