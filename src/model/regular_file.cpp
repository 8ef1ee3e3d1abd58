#include "model/regular_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace korvix {

std::string notRegularFileReason(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error)
        return error.message();
    if (std::filesystem::is_directory(status))
        return std::strerror(EISDIR);
    if (!std::filesystem::is_regular_file(status))
        return "not a regular file";
    return {};
}

} // namespace korvix
