#include "app/home_folder.h"

#include "model/number_text.h"
#include "model/safe_file_writer.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace korvix {
namespace {

namespace fs = std::filesystem;

const char* nonEmptyVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}

bool hasFormatExtension(const std::string& name) {
    return name.size() > 4 && upperAscii(std::string_view(name).substr(name.size() - 4)) == ".DNC";
}

} // namespace

fs::path korvixHomeFolder() {
    if (const char* home = nonEmptyVariable("KORVIX_HOME"))
        return fs::path(home);
    if (const char* config = nonEmptyVariable("XDG_CONFIG_HOME"))
        return fs::path(config) / "korvix";
    const char* userHome = nonEmptyVariable("HOME");
    return fs::path(userHome != nullptr ? userHome : ".") / ".config" / "korvix";
}

fs::path machinesFolderOf(const fs::path& homeFolder) {
    return homeFolder / "machines";
}

std::vector<std::string> listMachineFormats(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        if (hasFormatExtension(name) && it->is_regular_file(typeError))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> controlTypeChoices(const fs::path& folder) {
    std::vector<std::string> choices = {std::string(kDefaultControlName)};
    std::vector<std::string> formats = listMachineFormats(folder);
    choices.insert(choices.end(), formats.begin(), formats.end());
    return choices;
}

InstallResult installBundledMachineFormats(const fs::path& folder) {
    InstallResult result;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        result.ok = false;
        result.message =
            "Unable to create folder \"" + folder.string() + "\": " + ec.message() + "...";
        return result;
    }
    if (!fs::is_empty(folder, ec) || ec)
        return result;
    for (const BundledFile& file : bundledMachineFormats()) {
        SafeFileWriter out((folder / std::string(file.name)).string());
        if (!out.open() || !out.write(file.text) || !out.commit()) {
            result.ok = false;
            result.message = out.error();
            return result;
        }
        ++result.copied;
    }
    return result;
}

} // namespace korvix
