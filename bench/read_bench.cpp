// Times the NC reader on big generated programs and measures the memory the toolpath takes.
//
//   korvix_read_bench [--repeat N] [FILE...]
//
// Without files it reads /tmp/big_100k.nc and /tmp/big_1m.nc, made by
//   python3 ../shared/bench/gen_big.py --lines 100000 --seed 1 -o /tmp/big_100k.nc
//   python3 ../shared/bench/gen_big.py --lines 1000000 --seed 1 -o /tmp/big_1m.nc
// Every file is read with absolute and with incremental centres, N times each (default 5),
// each time in a fresh child process so that the resident memory it reports is the
// toolpath's own and not what an earlier run left in the allocator.

#include "model/workspace.h"
#include "bench_process.h"
#include "input/nc_reader.h"
#include "app/workspace_access.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double seconds = 0;    // wall-clock time of the read
    double cpuSeconds = 0; // processor time of the read: what the machine's load leaves alone
    double records = 0;
    double residentBytes = 0;
    double blocks = 0;
};

long residentPages() {
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident;
}

std::size_t countLines(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    std::size_t lines = 0;
    char last = '\n';
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const std::streamsize got = in.gcount();
        if (got <= 0)
            break;
        lines += static_cast<std::size_t>(std::count(buffer.data(), buffer.data() + got, '\n'));
        last = buffer[static_cast<std::size_t>(got - 1)];
    }
    return lines + (last != '\n' ? 1 : 0);
}

// Reads the file once in a child process and hands the figures back.
bool measureOnce(const std::string& fileName, bool absoluteCenters, Sample& sample) {
    return bench::measureInChild(sample, [&](Sample& s) {
        // Never freed: the child leaves as soon as the figures are out.
        korvix::Workspace& ws = *new korvix::Workspace;
        korvix::NcReadOptions options;
        options.absoluteCenters = absoluteCenters;
        const long before = residentPages();
        const double cpuStart = bench::cpuNow();
        const auto start = std::chrono::steady_clock::now();
        s.blocks = korvix::readNcFile(korvix::ncReadTarget(ws), fileName, options, {});
        const auto stop = std::chrono::steady_clock::now();
        s.cpuSeconds = bench::cpuNow() - cpuStart;
        const long after = residentPages();
        s.seconds = std::chrono::duration<double>(stop - start).count();
        s.records = static_cast<double>(ws.database.records.lastAndCount().second);
        s.residentBytes = static_cast<double>(after - before) * sysconf(_SC_PAGESIZE);
    });
}

void benchmark(const std::string& fileName, bool absoluteCenters, int repeat) {
    const std::size_t lines = countLines(fileName);
    std::vector<Sample> samples;
    for (int i = 0; i < repeat; ++i) {
        Sample s;
        if (!measureOnce(fileName, absoluteCenters, s)) {
            std::printf("%s: the measurement failed\n", fileName.c_str());
            return;
        }
        samples.push_back(s);
    }
    const auto median = [&](auto field) {
        std::vector<double> values;
        for (const Sample& sample : samples)
            values.push_back(field(sample));
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    const auto best = [&](auto field) {
        double value = field(samples.front());
        for (const Sample& sample : samples)
            value = std::min(value, field(sample));
        return value;
    };
    const auto wall = [](const Sample& s) { return s.seconds; };
    const auto cpu = [](const Sample& s) { return s.cpuSeconds; };
    const auto perRecord = [](const Sample& s) { return s.residentBytes / s.records; };
    const double count = static_cast<double>(lines);
    std::printf("%s, %s centres: %zu lines, %.0f records, %.0f blocks\n", fileName.c_str(),
                absoluteCenters ? "absolute" : "incremental", lines, samples.front().records,
                samples.front().blocks);
    std::printf("  wall clock:     best %8.3f s %10.0f lines/s   median %8.3f s %10.0f lines/s\n",
                best(wall), count / best(wall), median(wall), count / median(wall));
    std::printf("  processor time: best %8.3f s %10.0f lines/s   median %8.3f s %10.0f lines/s\n",
                best(cpu), count / best(cpu), median(cpu), count / median(cpu));
    std::printf("  resident memory: %.1f bytes per record (median)\n", median(perRecord));
}

} // namespace

int main(int argc, char** argv) {
    int repeat = 5;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--repeat" && i + 1 < argc)
            repeat = std::max(1, std::atoi(argv[++i]));
        else
            files.push_back(arg);
    }
    if (files.empty())
        files = {"/tmp/big_100k.nc", "/tmp/big_1m.nc"};
    for (const std::string& file : files) {
        if (access(file.c_str(), R_OK) != 0) {
            std::printf("%s: missing; make it with ../shared/bench/gen_big.py (see --help)\n",
                        file.c_str());
            continue;
        }
        benchmark(file, false, repeat);
        benchmark(file, true, repeat);
    }
    return 0;
}
