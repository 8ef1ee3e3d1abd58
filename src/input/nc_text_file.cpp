#include "input/nc_text_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace korvix::nc {

TextFile::~TextFile() {
    if (m_file != nullptr)
        std::fclose(m_file);
}

bool TextFile::open(const std::string& fileName) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(fileName, error);
    if (error) {
        m_error = error.message();
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        m_error = std::strerror(EISDIR);
        return false;
    }
    if (!std::filesystem::is_regular_file(status)) {
        m_error = "not a regular file";
        return false;
    }
    errno = 0;
    m_file = std::fopen(fileName.c_str(), "rb");
    if (m_file == nullptr) {
        m_error = std::strerror(errno != 0 ? errno : EACCES);
        return false;
    }
    m_buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
    m_fileSize = std::filesystem::file_size(fileName, error);
    if (error)
        m_fileSize = 0;
    return true;
}

bool TextFile::fill() {
    m_size = std::fread(m_buffer.get(), 1, kBlockSize, m_file);
    if (m_size < kBlockSize && std::ferror(m_file) != 0) {
        m_error = std::strerror(errno != 0 ? errno : EIO);
        m_size = 0;
        return false;
    }
    m_bytesRead += m_size;
    return true;
}

bool TextFile::restHolds(char byte) {
    const off_t here = ftello(m_file);
    if (here < 0)
        return false;
    auto buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
    bool found = false;
    while (!found) {
        const std::size_t got = std::fread(buffer.get(), 1, kBlockSize, m_file);
        if (got == 0)
            break;
        found = std::memchr(buffer.get(), byte, got) != nullptr;
    }
    std::clearerr(m_file);
    fseeko(m_file, here, SEEK_SET);
    return found;
}

namespace {

// Length of the UTF-8 character that starts at data[i] (2 to 4), or 0 when there is none.
std::size_t utf8Length(const unsigned char* data, std::size_t i, std::size_t size) {
    const unsigned char lead = data[i];
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || i + length > size)
        return 0;
    for (std::size_t k = 1; k < length; ++k)
        if ((data[i + k] & 0xC0) != 0x80)
            return 0;
    return length;
}

bool isTextControl(unsigned char c) {
    return (c >= '\t' && c <= '\r') || c == 0x1A; // TAB LF VT FF CR, Ctrl-Z
}

} // namespace

bool looksBinary(const char* text, std::size_t size) {
    const auto* data = reinterpret_cast<const unsigned char*>(text);
    std::size_t considered = 0;
    std::size_t odd = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char c = data[i];
        if (c == 0)
            continue;
        ++considered;
        if (c >= 0x80) {
            const std::size_t length = utf8Length(data, i, size);
            if (length > 0) {
                considered += length - 1;
                i += length - 1;
                continue;
            }
            ++odd;
        } else if ((c < 0x20 && !isTextControl(c)) || c == 0x7F) {
            ++odd;
        }
    }
    return odd * 4 > considered;
}

} // namespace korvix::nc
