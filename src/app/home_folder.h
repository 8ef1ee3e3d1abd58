#pragma once

#include "input/machine_format_loader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// The Korvix home folder: $KORVIX_HOME when set, else $XDG_CONFIG_HOME/korvix, else
// ~/.config/korvix. It holds the settings file and the machines folder. (Empty variables
// count as unset.)
std::filesystem::path korvixHomeFolder();

// The machine format files live in "machines" inside a home folder.
std::filesystem::path machinesFolderOf(const std::filesystem::path& homeFolder);
inline std::filesystem::path machinesFolder() {
    return machinesFolderOf(korvixHomeFolder());
}

// File names of the machine formats in `folder` (regular files ending in ".DNC", in any
// case), sorted. An absent or unreadable folder has none.
std::vector<std::string> listMachineFormats(const std::filesystem::path& folder);

// The choices of the control-type drop-down: "Default", then the machine formats of
// `folder`.
std::vector<std::string> controlTypeChoices(const std::filesystem::path& folder);

// A machine format that ships inside the program.
struct BundledFile {
    std::string_view name;
    std::string_view text;
};
// The machine formats that ship with Korvix (built from examples/machines).
const std::vector<BundledFile>& bundledMachineFormats();

struct InstallResult {
    bool ok = true;
    int copied = 0;      // files written
    std::string message; // why not, when !ok
};

// At first start: creates `folder` when it is missing and, when it holds nothing at all,
// writes the bundled machine formats into it. A folder with anything in it is left alone,
// so a user's own selection is never topped up or overwritten.
InstallResult installBundledMachineFormats(const std::filesystem::path& folder);

} // namespace korvix
