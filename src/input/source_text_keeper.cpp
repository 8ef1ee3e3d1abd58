#include "input/source_text_keeper.h"

#include <cstring>
#include <new>
#include <stdexcept>

namespace korvix::nc {

SourceTextKeeper::SourceTextKeeper(std::string name, std::uint32_t firstLine,
                                   std::uint64_t fileSize, char lineEnd) {
    m_file.name = std::move(name);
    m_file.firstLine = firstLine;
    m_file.lineEnd = lineEnd;
    if (firstLine == kNoSourceLine)
        return;
    try {
        m_file.text.reserve(static_cast<std::size_t>(fileSize));
    } catch (const std::bad_alloc&) {
        m_keepText = false;
    } catch (const std::length_error&) {
        m_keepText = false;
    }
}

void SourceTextKeeper::append(const char* data, std::size_t size) {
    if (m_file.firstLine == kNoSourceLine || !m_keepLines || size == 0)
        return;
    if (m_keepText) {
        try {
            m_file.text.append(data, size);
        } catch (const std::bad_alloc&) {
            m_keepText = false;
            m_file.text = std::string();
        }
    }
    try {
        const char* p = data;
        const char* const end = data + size;
        while (p < end) {
            if (m_atLineStart)
                m_file.lineStarts.push_back(m_offset + static_cast<std::uint64_t>(p - data));
            const void* found = std::memchr(p, m_file.lineEnd, static_cast<std::size_t>(end - p));
            if (found == nullptr) {
                m_atLineStart = false;
                break;
            }
            p = static_cast<const char*>(found) + 1;
            m_atLineStart = true;
        }
    } catch (const std::bad_alloc&) {
        m_keepLines = false;
    }
    m_offset += size;
}

SourceFile SourceTextKeeper::finish() {
    if (!m_keepText)
        m_file.text.clear();
    return std::move(m_file);
}

} // namespace korvix::nc
