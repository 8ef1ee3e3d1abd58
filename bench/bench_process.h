#pragma once

// What the benchmarks share: the processor time of this process, and measurements made in a
// child process of their own.

#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace bench {

// Processor time of this process: on a machine shared with other work it says what the
// measured code itself costs, where wall time also counts the waits for a processor.
inline double cpuNow() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs measure(figures) in a fresh child process and hands `figures` (a plain struct of
// numbers) back through a pipe, so that every measurement starts from an empty allocator and
// no run sees the memory an earlier one left. The child leaves at once afterwards: what
// `measure` keeps alive on purpose is never freed. False when the child failed.
template <typename Figures, typename Measure>
bool measureInChild(Figures& figures, Measure measure) {
    int channel[2];
    if (pipe(channel) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        close(channel[0]);
        Figures f{};
        measure(f);
        const bool written = write(channel[1], &f, sizeof f) == sizeof f;
        close(channel[1]);
        _exit(written ? 0 : 1);
    }
    close(channel[1]);
    const bool got = read(channel[0], &figures, sizeof figures) == sizeof figures;
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace bench
