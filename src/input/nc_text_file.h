#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace korvix::nc {

// A file read front to back in large blocks, for the NC reader's own line splitting.
class TextFile {
public:
    static constexpr std::size_t kBlockSize = std::size_t{1} << 20;

    TextFile() = default;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    ~TextFile();

    // Opens a regular file for reading. False for a missing or unreadable file, a directory
    // or anything else that is not a regular file (a device could be read for ever).
    bool open(const std::string& fileName);
    // Reads the next block; size() is 0 at the end of the file. False on an input error.
    bool fill();
    // True when the part of the file after the current block holds the byte. Reads ahead and
    // comes back, so the next fill() is unchanged.
    bool restHolds(char byte);

    const char* data() const { return m_buffer.get(); }
    std::size_t size() const { return m_size; }
    // Progress: bytes read so far (this block included) and the size of the file.
    std::uint64_t bytesRead() const { return m_bytesRead; }
    std::uint64_t fileSize() const { return m_fileSize; }
    // What went wrong with the last open or fill, in the system's words.
    const std::string& errorText() const { return m_error; }

private:
    std::FILE* m_file = nullptr;
    std::string m_error;
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size = 0;
    std::uint64_t m_bytesRead = 0;
    std::uint64_t m_fileSize = 0;
};

// How much of the start of a file looksBinary is given.
inline constexpr std::size_t kBinarySniffBytes = 4096;

// True when the bytes are plainly not text: more than a quarter of them (NULs aside, which
// punched-tape leaders are made of) are control characters other than the usual white space
// and end-of-file marks, or bytes above 127 that are not part of UTF-8 characters.
bool looksBinary(const char* data, std::size_t size);

} // namespace korvix::nc
