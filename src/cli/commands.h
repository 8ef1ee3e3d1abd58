#pragma once

#include <string>
#include <vector>

namespace korvix::cli {

// One subcommand of korvix-cli. `run` gets the arguments after the subcommand's name and
// returns the exit code; it throws UsageError for a bad command line.
struct Command {
    const char* name;
    const char* synopsis; // the usage line after "korvix-cli "
    const char* summary;
    int (*run)(const std::vector<std::string>& args);
};

// Every subcommand, in the order `--help` lists them.
const std::vector<Command>& commands();

} // namespace korvix::cli
