#include "input/machine_format_loader.h"

#include "model/regular_file.h"
#include "model/reporter.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

namespace korvix {
namespace {

// Real formats are a few kilobytes; anything much larger is not one, and is not worth
// holding in memory.
constexpr std::size_t kMaxFormatFileBytes = std::size_t{1} << 20;

// Reads a whole (small) regular file; on failure `reason` holds the system's text.
bool readWholeFile(const std::filesystem::path& path, std::string& text, std::string& reason) {
    reason = notRegularFileReason(path.string());
    if (!reason.empty())
        return false;
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxFormatFileBytes) {
        reason = "larger than 1 MB";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        reason = std::generic_category().message(errno);
        return false;
    }
    char buffer[8192];
    std::size_t got = 0;
    // The size can change while reading; the limit holds all the same.
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 &&
           text.size() <= kMaxFormatFileBytes)
        text.append(buffer, got);
    if (text.size() > kMaxFormatFileBytes) {
        std::fclose(file);
        reason = "larger than 1 MB";
        return false;
    }
    const bool failed = std::ferror(file) != 0;
    if (failed)
        reason = std::generic_category().message(errno);
    std::fclose(file);
    return !failed;
}

// A format must give the writer something to write a move with: a register with a letter or
// a move template.
bool describesAnyOutput(const MachineFormat& format) {
    return std::any_of(format.registers.begin(), format.registers.end(),
                       [](const MachineRegister& r) { return r.hasLetter(); }) ||
           std::any_of(format.templates.begin(), format.templates.end(),
                       [](const std::string& t) { return !t.empty(); });
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
    MachineFormatLoad load = parseMachineFormat(format, text);
    if (load.loaded && !describesAnyOutput(format)) {
        // An empty or unrelated file would "write" programs without a single move in them.
        load.loaded = false;
        load.messages.push_back({FormatMessage::Kind::Error,
                                 "\"" + shownPath + "\" is not a valid machine format file..."});
    }
    return load;
}

} // namespace korvix
