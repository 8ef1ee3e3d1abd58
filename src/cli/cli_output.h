#pragma once

#include <optional>
#include <string>

namespace korvix {
struct Workspace;
}

namespace korvix::cli {

class ParsedArgs;

// Where and how a command that changes the toolpath writes its result.
struct ToolpathOutput {
    std::string path;
    std::optional<std::string> machine;     // NC only: a .DNC file name, or Default
    std::optional<std::string> machinesDir; // NC only: else the home machines folder
    double tbfTolerance = 0.0005;           // TBF only: arcs left in the path are exploded
};

// True when the file name ends in ".TBF" (in any case).
bool isTbfOutput(const std::string& path);

// The output options every path-changing command shares: -o OUT (required), --machine NAME
// and --machines-dir DIR (NC output only). Throws UsageError when they do not fit together.
ToolpathOutput toolpathOutputOf(const ParsedArgs& parsed);

// Writes ws.database as a TBF file when the name ends in .TBF, else as an NC program in the
// machine format (Default when none is given; the first use of the home machines folder gets
// the bundled formats). Prints what was written, or why nothing was, prefixed by the
// command's name; returns the exit code.
int writeToolpathOutput(Workspace& ws, const ToolpathOutput& output, const char* commandName);

} // namespace korvix::cli
