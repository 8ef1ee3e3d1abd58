#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// Writes a file so that a failure never damages what was there before: the bytes go to a
// temporary file in the target's folder, which is renamed over the target only once every
// byte was written and the file closed. Until then (and after any failure) the target is
// untouched and the temporary file is removed. A target that exists and is not a regular
// file (a device, a FIFO) is written directly instead, never replaced.
//
//     SafeFileWriter out(path);
//     if (!out.open()) return out.error();
//     out.write(...);                 // errors are remembered, later writes do nothing
//     if (!out.commit()) return out.error();
//
// Errors are texts with the system's reason: Unable to write file "PATH": No space left on
// device...
class SafeFileWriter {
public:
    explicit SafeFileWriter(std::string targetPath);
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;
    ~SafeFileWriter(); // abandons an uncommitted file

    // Creates the temporary file. False (see error()) when the folder cannot take it.
    bool open();

    // Buffered writes; false once any write has failed.
    bool write(const void* data, std::size_t size);
    bool write(std::string_view text) { return write(text.data(), text.size()); }
    bool writeLine(std::string_view text); // text and a line feed

    // Flushes, closes and renames the temporary file over the target.
    bool commit();
    // Closes and removes the temporary file; the target stays as it was.
    void abandon();

    bool failed() const { return !m_error.empty(); }
    const std::string& error() const { return m_error; }
    const std::string& targetPath() const { return m_target; }
    const std::string& temporaryPath() const { return m_temporary; }

private:
    bool openDirect(const std::filesystem::path& target);
    bool flushBuffer();
    void fail(const char* what, int errorNumber);
    void fail(const char* what, const std::string& reason);

    std::string m_target;
    std::string m_temporary;
    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer;
    std::string m_error;
    bool m_committed = false;
    bool m_direct = false; // writing into the target itself (not a regular file)
};

} // namespace korvix
