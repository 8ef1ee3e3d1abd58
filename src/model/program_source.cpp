#include "model/program_source.h"

#include <algorithm>
#include <limits>

namespace korvix {

std::string_view SourceFile::line(std::size_t zeroBased) const {
    if (zeroBased >= lineStarts.size())
        return {};
    const std::size_t start = lineStarts[zeroBased];
    std::size_t end =
        zeroBased + 1 < lineStarts.size() ? lineStarts[zeroBased + 1] - 1 : text.size();
    // A file whose text could not be kept has its lines but no bytes to show.
    if (start >= text.size())
        return {};
    end = std::min(end, text.size());
    if (end > start && text[end - 1] == lineEnd)
        --end; // the last line of a file ending in a line end
    if (lineEnd == '\n' && end > start && text[end - 1] == '\r')
        --end;
    return std::string_view(text).substr(start, end - start);
}

std::uint32_t ProgramSource::nextLine() const {
    if (m_files.empty())
        return 1;
    const SourceFile& last = m_files.back();
    const std::uint64_t next = std::uint64_t{last.firstLine} + last.lineCount();
    // Past the 32-bit range the lines of further files are simply not numbered.
    return next > std::numeric_limits<std::uint32_t>::max() ? kNoSourceLine
                                                            : static_cast<std::uint32_t>(next);
}

void ProgramSource::add(SourceFile file) {
    if (file.firstLine == kNoSourceLine || file.firstLine != nextLine())
        return;
    m_files.push_back(std::move(file));
}

std::optional<SourceLocation> ProgramSource::locate(std::uint32_t sourceLine) const {
    if (sourceLine == kNoSourceLine || m_files.empty())
        return std::nullopt;
    // The last file that starts at or before the line.
    const auto after = std::upper_bound(
        m_files.begin(), m_files.end(), sourceLine,
        [](std::uint32_t index, const SourceFile& file) { return index < file.firstLine; });
    if (after == m_files.begin())
        return std::nullopt;
    const auto file = std::prev(after);
    const std::uint64_t offset = sourceLine - file->firstLine;
    if (offset >= file->lineCount())
        return std::nullopt;
    return SourceLocation{static_cast<std::size_t>(file - m_files.begin()),
                          static_cast<std::uint32_t>(offset + 1)};
}

std::uint32_t ProgramSource::indexOf(std::size_t file, std::uint32_t line) const {
    if (file >= m_files.size() || line == 0 || line > m_files[file].lineCount())
        return kNoSourceLine;
    return m_files[file].firstLine + line - 1;
}

std::size_t ProgramSource::rowCount() const {
    if (m_files.empty())
        return 0;
    return nextLine() - 1 + m_files.size();
}

std::optional<std::size_t> ProgramSource::rowOf(std::uint32_t sourceLine) const {
    const std::optional<SourceLocation> at = locate(sourceLine);
    if (!at)
        return std::nullopt;
    return std::size_t{sourceLine} - 1 + at->file + 1;
}

ProgramSource::Row ProgramSource::rowAt(std::size_t row) const {
    // Each file's header row sits at (firstLine - 1) + (its position).
    std::size_t low = 0, high = m_files.size();
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        if (std::size_t{m_files[middle].firstLine} - 1 + middle <= row)
            low = middle;
        else
            high = middle;
    }
    if (m_files.empty())
        return {};
    const std::size_t header = std::size_t{m_files[low].firstLine} - 1 + low;
    return {low, static_cast<std::uint32_t>(row - header)};
}

} // namespace korvix
