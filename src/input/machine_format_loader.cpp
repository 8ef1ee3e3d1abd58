#include "input/machine_format_loader.h"

#include "model/reporter.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace korvix {
namespace {

// Reads a whole (small) file; on failure `reason` holds the system's text.
bool readWholeFile(const std::filesystem::path& path, std::string& text, std::string& reason) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reason = std::make_error_code(std::errc::is_a_directory).message();
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        reason = std::generic_category().message(errno);
        return false;
    }
    char buffer[8192];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    if (failed)
        reason = std::generic_category().message(errno);
    std::fclose(file);
    return !failed;
}

} // namespace

void showFormatMessages(Reporter& reporter, const std::vector<FormatMessage>& messages) {
    for (const FormatMessage& message : messages) {
        if (message.kind == FormatMessage::Kind::Warning)
            reporter.warning(message.text);
        else
            reporter.error(message.text);
    }
}

MachineFormatLoad loadMachineFormat(MachineFormat& format,
                                    const std::filesystem::path& machinesFolder,
                                    std::string_view name) {
    resetMachineFormat(format);
    // Composed as text, so that the message names what was looked for even for odd names.
    const std::string shownPath = (machinesFolder / "").string() + std::string(name);
    MachineFormatLoad result;

    // The name is a bare file name from the control-type list; anything that would reach
    // outside the machines folder is treated as a file that is not there.
    const bool plainName = !name.empty() && name != "." && name != ".." &&
                           name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
    std::error_code ec;
    const std::filesystem::path path = machinesFolder / std::string(name);
    if (!plainName || !std::filesystem::exists(path, ec)) {
        result.messages.push_back({FormatMessage::Kind::Error,
                                   "Machine format file \"" + shownPath + "\" does not exist..."});
        return result;
    }

    std::string text;
    std::string reason;
    if (!readWholeFile(path, text, reason)) {
        result.messages.push_back(
            {FormatMessage::Kind::Error,
             "Machine format file \"" + shownPath + "\" could not be read (" + reason + ")..."});
        return result;
    }
    return parseMachineFormat(format, text);
}

} // namespace korvix
