// The .DNC file grammar: free text, then seven sections recognised by their order, each
// opened by a line beginning with '*' and closed by its own end line.

#include "input/machine_format_loader.h"
#include "model/number_text.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace korvix {
namespace {

constexpr std::size_t kMaxFileLineLength = 255;
constexpr int kTabStop = 8;
constexpr int kSectionCount = 7;

enum class Section : int {
    Registers,
    Moves,
    ProgramStart,
    ToolChange,
    ProgramEnd,
    Spare,
    Keywords
};

// Splits `text` at LF (dropping one CR before it); the last line needs no line end.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text) : m_text(text) {}

    bool next(std::string_view& line) {
        if (m_pos >= m_text.size())
            return false;
        std::size_t end = m_text.find('\n', m_pos);
        const bool hasEnd = end != std::string_view::npos;
        if (!hasEnd)
            end = m_text.size();
        line = m_text.substr(m_pos, end - m_pos);
        if (hasEnd && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        m_pos = hasEnd ? end + 1 : end;
        ++m_lineNumber;
        return true;
    }
    int lineNumber() const { return m_lineNumber; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_lineNumber = 0;
};

// Cut to 255 characters, then tabs expanded to blanks with a stop every 8 columns.
void expandTabs(std::string_view raw, std::string& out) {
    raw = raw.substr(0, std::min(raw.size(), kMaxFileLineLength));
    out.clear();
    for (char c : raw) {
        if (c == '\t')
            out.append(static_cast<std::size_t>(kTabStop - static_cast<int>(out.size()) % kTabStop),
                       ' ');
        else
            out += c;
    }
}

std::string_view cut(std::string_view text, std::size_t length) {
    return text.substr(0, std::min(text.size(), length));
}

// Fields separated by runs of any of `separators`; separators before the first field are
// ignored.
std::vector<std::string_view> splitFields(std::string_view line, std::string_view separators,
                                          std::size_t maxFields) {
    std::vector<std::string_view> fields;
    std::size_t pos = line.find_first_not_of(separators);
    while (pos != std::string_view::npos && fields.size() < maxFields) {
        std::size_t end = line.find_first_of(separators, pos);
        if (end == std::string_view::npos)
            end = line.size();
        fields.push_back(line.substr(pos, end - pos));
        pos = line.find_first_not_of(separators, end);
    }
    return fields;
}

class FormatParser {
public:
    FormatParser(MachineFormat& format, MachineFormatLoad& result)
        : m_format(format), m_result(result) {}

    // Handles one line of a section. Returns true when the line ends the section.
    bool sectionLine(Section section, std::string_view line, int lineNumber) {
        switch (section) {
        case Section::Registers:
            return registerLine(cut(line, kMaxSectionLineLength));
        case Section::Moves:
            return moveLine(cut(line, kMaxSectionLineLength));
        case Section::ProgramStart:
            return listLine(LineList::ProgramStart, line, lineNumber);
        case Section::ToolChange:
            return listLine(LineList::ToolChange, line, lineNumber);
        case Section::ProgramEnd:
            return listLine(LineList::ProgramEnd, line, lineNumber);
        case Section::Spare:
            return listLine(LineList::Spare, line, lineNumber);
        case Section::Keywords:
            return keywordLine(cut(line, kMaxSectionLineLength));
        }
        return true;
    }

    bool stopped() const { return m_stopped; }

private:
    void message(FormatMessage::Kind kind, std::string text) {
        m_result.messages.push_back({kind, std::move(text)});
    }
    // A number that does not convert ends the whole load.
    void stop(ConversionError error, std::string_view text) {
        message(FormatMessage::Kind::Error, conversionMessage(error, text));
        m_stopped = true;
    }

    bool registerLine(std::string_view line) {
        if (line == "END")
            return true;
        const std::vector<std::string_view> fields = splitFields(line, " ,=", 5);
        if (fields.empty())
            return false; // a blank line between register lines says nothing
        const int index = registerIndex(fields[0].front());
        if (index < 0) {
            message(FormatMessage::Kind::Warning,
                    ">>>WARNING<<< unknown REGISTER variable name found \"" +
                        std::string(fields[0]) + "\"");
            return false;
        }
        if (fields.size() < 4) {
            stop(ConversionError::InvalidReal, "");
            return false;
        }
        const RealConversion scale = convertReal(fields[3]);
        if (!scale.ok()) {
            stop(scale.error, fields[3]);
            return false;
        }
        MachineRegister& reg = m_format.registers[static_cast<std::size_t>(index)];
        int digits = 0;
        int decimals = 0;
        bool afterPoint = false;
        for (char c : fields[1]) {
            if (c == '.')
                afterPoint = true;
            else if (c == '#') {
                ++digits;
                if (afterPoint)
                    ++decimals;
            }
        }
        reg.digits = static_cast<std::uint8_t>(std::min(digits, 255));
        reg.decimals = static_cast<std::uint8_t>(std::min(decimals, 255));
        reg.letter = fields[2] == "*" ? '\0' : fields[2].front();
        reg.scale = scale.value;
        reg.modal = fields.size() < 5 || upperAscii(fields[4].substr(0, 1)) != "N";
        return false;
    }

    bool moveLine(std::string_view line) {
        std::string packed;
        packed.reserve(line.size());
        for (char c : line)
            if (c != ' ')
                packed += c;
        if (packed == "END")
            return true;
        if (packed.empty())
            return false;
        const std::size_t equals = packed.find('=');
        if (equals == std::string::npos) {
            message(FormatMessage::Kind::Error,
                    ">>>ERROR<<< Invalid statement found in \"MOVES\" definition table. \"" +
                        packed + "\"");
            return false;
        }
        const std::string name = upperAscii(std::string_view(packed).substr(0, equals));
        for (int t = 0; t < kMoveTemplateCount; ++t) {
            const auto which = static_cast<MoveTemplate>(t);
            if (name == moveTemplateName(which)) {
                m_format.moveTemplate(which) = std::string(
                    cut(std::string_view(packed).substr(equals + 1), kMaxTemplateLength));
                return false;
            }
        }
        message(FormatMessage::Kind::Error,
                ">>>ERROR<<< Invalid variable name found in \"MOVES\" definition table.\"" + name +
                    "\"");
        return false;
    }

    bool listLine(LineList list, std::string_view line, int lineNumber) {
        std::string text = upperAscii(cut(line, kMaxSectionLineLength));
        if (text == "END")
            return true;
        std::vector<std::string>& lines = m_format.lines(list);
        if (lines.size() >= kMaxListLines) {
            message(FormatMessage::Kind::Warning,
                    ">>>WARNING<<< more than 20 lines in the \"" + std::string(lineListName(list)) +
                        "\" list, line " + std::to_string(lineNumber) + " ignored \"" + text +
                        "\"");
            return false;
        }
        lines.push_back(std::move(text));
        return false;
    }

    bool keywordLine(std::string_view line) {
        if (line.substr(0, 3) == "END")
            return true;
        const std::vector<std::string_view> fields = splitFields(line, " =", 2);
        if (fields.empty())
            return false;
        const std::string keyword = upperAscii(fields[0]);
        const std::string value = fields.size() > 1 ? upperAscii(fields[1]) : std::string();
        const bool yes = !value.empty() && value.front() == 'Y';
        if (keyword == "RENUMBER")
            m_format.renumber = yes;
        else if (keyword == "SPLITARCS")
            m_format.splitArcs = yes;
        else if (keyword == "ADDSPACES")
            m_format.addSpaces = yes;
        else if (keyword == "MINBLKNUM")
            integer(value, m_format.minBlockNumber);
        else if (keyword == "MAXBLKNUM")
            integer(value, m_format.maxBlockNumber);
        else if (keyword == "MAXRPM")
            integer(value, m_format.maxRpm);
        else if (keyword == "RADIUSTYPE")
            integer(value, m_format.radiusType);
        else if (keyword == "MAXFEEDRATE") {
            const RealConversion converted = convertReal(value);
            if (converted.ok())
                m_format.maxFeedRate = converted.value;
            else
                stop(converted.error, value);
        }
        return false; // unknown keywords are left alone
    }

    void integer(const std::string& text, std::int32_t& target) {
        const IntegerConversion converted = convertInteger(text);
        if (converted.ok())
            target = converted.value;
        else
            stop(converted.error, text);
    }

    MachineFormat& m_format;
    MachineFormatLoad& m_result;
    bool m_stopped = false;
};

} // namespace

MachineFormatLoad parseMachineFormat(MachineFormat& format, std::string_view fileText) {
    resetMachineFormat(format);
    MachineFormatLoad result;
    FormatParser parser(format, result);
    LineSplitter splitter(fileText);
    std::string_view raw;
    std::string line;
    int section = -1;    // the free text before the first '*' line
    bool inside = false; // between a section's '*' line and its end line
    while (splitter.next(raw)) {
        expandTabs(raw, line);
        if (!inside) {
            if (!line.empty() && line.front() == '*') {
                if (++section >= kSectionCount)
                    break;
                inside = true;
            }
            continue;
        }
        if (parser.sectionLine(static_cast<Section>(section), line, splitter.lineNumber())) {
            inside = false;
            if (section == kSectionCount - 1)
                break;
        }
        if (parser.stopped())
            return result;
    }
    result.loaded = true;
    return result;
}

} // namespace korvix
