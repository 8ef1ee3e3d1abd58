// korvix-cli: reads, reports on, converts, filters and renders NC programs without a window.

#include "cli/commands.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    return korvix::cli::runCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
