#pragma once

#include <string>
#include <vector>

namespace korvix::test {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs korvix-cli with the given arguments and captures both output streams.
CliResult runCli(const std::vector<std::string>& args);

// The lines of a command's output, without their line ends.
std::vector<std::string> lines(const std::string& text);

} // namespace korvix::test
