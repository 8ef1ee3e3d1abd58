// Times the NC writer on a big generated program, in the Default dialect and with each
// bundled machine format, writing into memory (formatting only) and to a file.
//
//   korvix_nc_write_bench [--repeat N] [FILE]
//
// FILE defaults to /tmp/big_1m.nc, made by
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc

#include "app/home_folder.h"
#include "model/workspace.h"
#include "input/nc_reader.h"
#include "output/nc_writer.h"
#include "app/workspace_access.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Counts what it is given, so that only the formatting is timed.
class CountingSink : public korvix::LineSink {
public:
    std::size_t bytes = 0;
    void writeLine(std::string_view line) override { bytes += line.size() + 1; }
};

template <typename Fn> double bestSeconds(int repeat, Fn fn) {
    double best = 1e30;
    for (int i = 0; i < repeat; ++i) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 3;
    std::string file = "/tmp/big_1m.nc";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else
            file = arg;
    }
    if (access(file.c_str(), R_OK) != 0) {
        std::printf("%s: missing; make it with ../shared/bench/gen_big.py (see --help)\n",
                    file.c_str());
        return 0;
    }
    korvix::Workspace ws;
    korvix::readNcFile(korvix::ncReadTarget(ws), file, {}, {});
    const std::size_t records = ws.database.records.lastAndCount().second;

    const fs::path machines = fs::temp_directory_path() / "korvix_nc_write_bench_machines";
    fs::remove_all(machines);
    korvix::installBundledMachineFormats(machines);
    std::vector<std::string> controls = {"Default"};
    for (const std::string& name : korvix::listMachineFormats(machines))
        controls.push_back(name);

    const std::string output = (fs::temp_directory_path() / "korvix_nc_write_bench.nc").string();
    for (const std::string& control : controls) {
        korvix::NcWriteOptions options;
        options.controlName = control;
        options.machinesFolder = machines;
        std::size_t lines = 0;
        std::size_t bytes = 0;
        const double formatting = bestSeconds(repeat, [&] {
            CountingSink sink;
            lines = korvix::writeNcProgram(korvix::ncWriteSource(ws), options, sink).linesWritten;
            bytes = sink.bytes;
        });
        const double toFile =
            bestSeconds(repeat, [&] { korvix::writeNcFile(korvix::ncWriteSource(ws), output, options); });
        std::printf("%-26s records %8zu  lines %8zu  %6.1f MB  formatting %6.3f s "
                    "(%9.0f lines/s)  to file %6.3f s\n",
                    control.c_str(), records, lines, static_cast<double>(bytes) / 1e6, formatting,
                    static_cast<double>(lines) / formatting, toFile);
    }
    fs::remove(output);
    fs::remove_all(machines);
    return 0;
}
