#include "display/program_text.h"

#include "display/move_description.h"

#include <algorithm>
#include <cctype>

namespace korvix {
namespace {

bool isValueChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == ' ';
}

TextStyle styleOfLetter(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
    case 'G':
    case 'M':
        return TextStyle::Code;
    case 'X':
    case 'Y':
    case 'Z':
    case 'I':
    case 'J':
    case 'K':
    case 'R':
    case 'A':
    case 'B':
    case 'C':
    case 'U':
    case 'V':
    case 'W':
        return TextStyle::Axis;
    case 'F':
    case 'S':
        return TextStyle::Feed;
    case 'N':
        return TextStyle::BlockNumber;
    default:
        return TextStyle::Plain;
    }
}

void addRun(std::vector<StyledRun>& runs, std::size_t start, std::size_t end, TextStyle style) {
    if (end <= start)
        return;
    if (!runs.empty() && runs.back().style == style &&
        runs.back().start + runs.back().length == start) {
        runs.back().length += end - start;
        return;
    }
    runs.push_back({start, end - start, style});
}

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool holds(std::string_view line, std::string_view upperText) {
    if (upperText.size() > line.size())
        return false;
    return std::search(line.begin(), line.end(), upperText.begin(), upperText.end(),
                       [](char a, char b) { return upper(a) == b; }) != line.end();
}

} // namespace

std::vector<StyledRun> styleLine(std::string_view line) {
    std::vector<StyledRun> runs;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '(') {
            const std::size_t close = line.find(')', i);
            const std::size_t end = close == std::string_view::npos ? line.size() : close + 1;
            addRun(runs, i, end, TextStyle::Comment);
            i = end;
            continue;
        }
        if (c == ';') {
            addRun(runs, i, line.size(), TextStyle::Comment);
            break;
        }
        const TextStyle style =
            std::isalpha(static_cast<unsigned char>(c)) != 0 ? styleOfLetter(c) : TextStyle::Plain;
        std::size_t end = i + 1;
        if (style != TextStyle::Plain) {
            while (end < line.size() && isValueChar(line[end]))
                ++end;
            // Blanks after the value belong to the gap, not the word.
            while (end > i + 1 && line[end - 1] == ' ')
                --end;
        }
        addRun(runs, i, end, style);
        i = end;
    }
    return runs;
}

MoveRecord* moveOfSourceLine(const GraphicsDatabase& database, std::uint32_t sourceLine) {
    if (sourceLine == kNoSourceLine || !database.databaseAllocated())
        return nullptr;
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (r->sourceLine != sourceLine)
            continue;
        while (!endsMove(*r))
            r = r->next;
        return r;
    }
    return nullptr;
}

MoveRecord* SourceLineMoves::find(const GraphicsDatabase& database, std::uint32_t sourceLine) {
    if (sourceLine == kNoSourceLine || !database.databaseAllocated())
        return nullptr;
    const bool current = m_list == &database.records && m_revision == database.records.revision();
    if (!current)
        rebuild(database);
    MoveRecord* move = sourceLine < m_moves.size() ? m_moves[sourceLine] : nullptr;
    // A filter that rewrote the records in place leaves them where they were with other lines.
    if (current && move != nullptr && move->sourceLine != sourceLine) {
        rebuild(database);
        move = sourceLine < m_moves.size() ? m_moves[sourceLine] : nullptr;
    }
    return move;
}

void SourceLineMoves::rebuild(const GraphicsDatabase& database) {
    m_moves.clear();
    m_list = &database.records;
    m_revision = database.records.revision();
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        const std::uint32_t line = r->sourceLine;
        if (line == kNoSourceLine)
            continue;
        if (line >= m_moves.size())
            m_moves.resize(std::max<std::size_t>(line + std::size_t{1}, m_moves.size() * 2),
                           nullptr);
        MoveRecord* end = r;
        while (!endsMove(*end))
            end = end->next;
        if (m_moves[line] == nullptr)
            m_moves[line] = end;
        r = end;
    }
}

std::string moveStatusText(const MoveRecord& record, const ProgramSource& source) {
    const NcLocationTexts texts = describeMove(record);
    std::string text = texts.blockNumber + "  " + texts.moveType + "  X " + texts.x2 + "  Y " +
                       texts.y2 + "  Z " + texts.z2;
    if (!texts.feed.empty())
        text += "  F " + texts.feed;
    if (const std::optional<SourceLocation> at = source.locate(record.sourceLine)) {
        const std::string& name = source.files()[at->file].name;
        const std::size_t slash = name.find_last_of("/\\");
        text += "  (" + (slash == std::string::npos ? name : name.substr(slash + 1)) + ", line " +
                std::to_string(at->line) + ")";
    }
    return text;
}

std::optional<std::size_t> findText(const ProgramSource& source, std::string_view text,
                                    std::size_t fromRow) {
    const std::size_t rows = source.rowCount();
    if (text.empty() || rows == 0)
        return std::nullopt;
    std::string upperText(text);
    std::transform(upperText.begin(), upperText.end(), upperText.begin(), upper);
    fromRow %= rows;
    for (std::size_t step = 0; step < rows; ++step) {
        const std::size_t row = (fromRow + step) % rows;
        const ProgramSource::Row at = source.rowAt(row);
        if (at.line == 0)
            continue;
        if (holds(source.files()[at.file].line(at.line - 1), upperText))
            return row;
    }
    return std::nullopt;
}

} // namespace korvix
