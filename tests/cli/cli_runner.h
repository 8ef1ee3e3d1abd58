#pragma once

#include <string>
#include <vector>

namespace korvix::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs korvix-cli with the given arguments and captures both output streams; with
// `stdoutFile` its standard output goes to that file instead (result.out stays empty).
CliResult runCli(const std::vector<std::string>& args, const char* stdoutFile = nullptr);

// The lines of a command's output, without their line ends.
std::vector<std::string> lines(const std::string& text);

} // namespace korvix::test
