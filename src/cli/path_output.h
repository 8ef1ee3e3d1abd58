#pragma once

#include <optional>
#include <string>

namespace korvix {
struct Workspace;
}

namespace korvix::cli {

// Where and how a command that changes the toolpath writes it: a TBF file when OUT ends in
// .TBF (any case), else an NC program in the Default dialect or the machine format NAME.
struct PathOutput {
    std::string file;
    std::optional<std::string> machine;
    std::optional<std::string> machinesDir; // empty: the home machines folder
    double tbfTolerance = 0.0005;           // for arcs still in the path of a TBF file
};

bool isTbfFileName(const std::string& name);

// Throws UsageError when --machine is given for a TBF file.
void checkPathOutput(const PathOutput& output);

// Writes ws.database; `command` names the subcommand in the messages. The exit code.
int writePathOutput(Workspace& ws, const PathOutput& output, const char* command);

} // namespace korvix::cli
