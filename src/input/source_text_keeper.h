#pragma once

#include "model/program_source.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvix::nc {

// Keeps the bytes of an NC file as the reader takes them in, with the start of every line, for
// the program text beside the picture. Lines end where the reader's lines end (at every
// `lineEnd`; a last line without one is a line too), so line k here is the block whose records
// carry index firstLine + k - 1. A keeper made with kNoSourceLine keeps nothing.
class SourceTextKeeper {
public:
    SourceTextKeeper(std::string name, std::uint32_t firstLine, std::uint64_t fileSize,
                     char lineEnd);

    void append(const char* data, std::size_t size);
    // The file as kept. When memory runs out the text is given up (its lines show empty) and
    // so, if even the line starts do not fit, are the lines from there on; the read itself
    // goes on, it does not need them.
    SourceFile finish();

private:
    SourceFile m_file;
    std::uint64_t m_offset = 0; // bytes seen so far
    bool m_atLineStart = true;  // the next byte starts a line
    bool m_keepText = true;
    bool m_keepLines = true;
};

} // namespace korvix::nc
