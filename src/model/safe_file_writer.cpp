#include "model/safe_file_writer.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace korvix {
namespace {

constexpr std::size_t kBufferBytes = 1 << 16;
constexpr int kNameAttempts = 64;

namespace fs = std::filesystem;

// Writing through a symbolic link replaces the file it points to, not the link.
fs::path resolvedTarget(const std::string& target) {
    std::error_code ec;
    const fs::path path(target);
    if (!fs::is_symlink(path, ec))
        return path;
    fs::path resolved = fs::weakly_canonical(path, ec);
    return ec ? path : resolved;
}

// A short name of its own, whatever the target's length: a target name near the longest a
// folder allows must not make the temporary name too long.
std::string temporaryName(const fs::path& target, int attempt) {
    const auto ticks =
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    const std::uint64_t salt =
        (ticks ^ (ticks >> 29)) + static_cast<std::uint64_t>(attempt) * 0x9E3779B97F4A7C15ull;
    char name[24];
    std::snprintf(name, sizeof name, ".korvix-%08x.tmp", static_cast<unsigned>(salt & 0xFFFFFFFFu));
    fs::path path = target;
    path.replace_filename(name);
    return path.string();
}

} // namespace

SafeFileWriter::SafeFileWriter(std::string targetPath) : m_target(std::move(targetPath)) {}

SafeFileWriter::~SafeFileWriter() {
    if (!m_committed)
        abandon();
}

bool SafeFileWriter::open() {
    if (m_file != nullptr || failed())
        return !failed();
    // A device or FIFO is written into: renaming a file over it would replace /dev/null
    // with a regular file, and the bytes would never reach the reader of the FIFO. Opened
    // by the name given, so that links such as /dev/stdout lead where they should.
    std::error_code followError;
    const fs::file_status followed = fs::status(m_target, followError);
    if (!followError && fs::exists(followed) && !fs::is_regular_file(followed) &&
        !fs::is_directory(followed))
        return openDirect(m_target);
    std::error_code ec;
    const fs::path target = resolvedTarget(m_target);
    const fs::file_status existing = fs::status(target, ec);
    if (!ec && fs::is_directory(existing)) {
        fail("create", EISDIR);
        return false;
    }
    // Renaming would replace a write-protected file without asking; refuse as opening it
    // for writing would.
    constexpr fs::perms kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (!ec && fs::is_regular_file(existing) &&
        (existing.permissions() & kAnyWrite) == fs::perms::none) {
        fail("create", EACCES);
        return false;
    }
    for (int attempt = 0; attempt < kNameAttempts && m_file == nullptr; ++attempt) {
        m_temporary = temporaryName(target, attempt);
        errno = 0;
        m_file = std::fopen(m_temporary.c_str(), "wbx"); // never takes over an existing file
        if (m_file == nullptr && errno != EEXIST) {
            const int reason = errno;
            m_temporary.clear();
            fail("create", reason);
            return false;
        }
    }
    if (m_file == nullptr) {
        m_temporary.clear();
        fail("create", EEXIST);
        return false;
    }
    // A file written over keeps its permissions.
    if (!ec && fs::is_regular_file(existing))
        fs::permissions(m_temporary, existing.permissions(), ec);
    m_buffer.reserve(kBufferBytes);
    return true;
}

bool SafeFileWriter::openDirect(const fs::path& target) {
    errno = 0;
    m_file = std::fopen(target.c_str(), "wb");
    if (m_file == nullptr) {
        fail("create", errno != 0 ? errno : EACCES);
        return false;
    }
    m_direct = true;
    m_buffer.reserve(kBufferBytes);
    return true;
}

bool SafeFileWriter::write(const void* data, std::size_t size) {
    if (m_file == nullptr || failed())
        return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        if (m_buffer.size() == kBufferBytes && !flushBuffer())
            return false;
        const std::size_t chunk = std::min(size, kBufferBytes - m_buffer.size());
        m_buffer.insert(m_buffer.end(), bytes, bytes + chunk);
        bytes += chunk;
        size -= chunk;
    }
    return true;
}

bool SafeFileWriter::writeLine(std::string_view text) {
    return write(text) && write("\n", 1);
}

bool SafeFileWriter::flushBuffer() {
    if (m_buffer.empty())
        return true;
    errno = 0;
    const std::size_t written = std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file);
    if (written != m_buffer.size()) {
        fail("write", errno != 0 ? errno : EIO);
        return false;
    }
    m_buffer.clear();
    return true;
}

bool SafeFileWriter::commit() {
    if (m_file == nullptr || failed()) {
        abandon();
        return false;
    }
    if (!flushBuffer()) {
        abandon();
        return false;
    }
    errno = 0;
    const bool flushed = std::fflush(m_file) == 0;
    const int flushError = errno;
    errno = 0;
    const bool closed = std::fclose(m_file) == 0;
    const int closeError = errno;
    m_file = nullptr;
    if (!flushed || !closed) {
        fail("write", !flushed ? (flushError != 0 ? flushError : EIO)
                               : (closeError != 0 ? closeError : EIO));
        abandon();
        return false;
    }
    if (m_direct) {
        m_committed = true;
        return true;
    }
    std::error_code ec;
    fs::rename(m_temporary, resolvedTarget(m_target), ec);
    if (ec) {
        fail("write", ec.message());
        abandon();
        return false;
    }
    m_temporary.clear();
    m_committed = true;
    return true;
}

void SafeFileWriter::abandon() {
    if (m_file != nullptr) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (!m_temporary.empty()) {
        std::remove(m_temporary.c_str());
        m_temporary.clear();
    }
    m_buffer.clear();
}

void SafeFileWriter::fail(const char* what, int errorNumber) {
    fail(what, std::string(std::strerror(errorNumber)));
}

void SafeFileWriter::fail(const char* what, const std::string& reason) {
    if (failed())
        return; // the first failure is the one worth reporting
    m_error = std::string("Unable to ") + what + " file \"" + m_target + "\": " + reason + "...";
}

} // namespace korvix
