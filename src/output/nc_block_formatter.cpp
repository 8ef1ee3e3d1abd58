#include "output/nc_block_formatter.h"

#include "model/number_text.h"

#include <algorithm>
#include <cmath>

namespace korvix::ncout {
namespace {

constexpr std::uint8_t planeCode(std::uint8_t plane) {
    return plane == kPlaneXZ ? 18 : plane == kPlaneYZ ? 19 : 17;
}

MoveTemplate motionTemplate(std::uint8_t motion) {
    switch (motion) {
    case kMotionRapid:
        return MoveTemplate::Rapid;
    case kMotionClockwise:
        return MoveTemplate::ArcCw;
    case kMotionCounterClockwise:
        return MoveTemplate::ArcCcw;
    default:
        return MoveTemplate::Linear;
    }
}

} // namespace

MachineBlockFormatter::MachineBlockFormatter(MachineFormat& format, LineSink& sink,
                                             std::vector<FormatMessage>& messages)
    : m_format(format), m_sink(sink), m_messages(messages) {
    m_block.reserve(128);
}

void MachineBlockFormatter::startProgram(double programNumber) {
    for (MachineRegister& r : m_format.registers) {
        r.value = 0;
        r.lastWritten = kNeverWritten;
        r.isSet = false;
    }
    set(Reg::O, programNumber);
    m_counter = m_format.minBlockNumber;
    m_planeWritten = 0;
}

void MachineBlockFormatter::set(Reg r, double value) {
    reg(r).value = value;
    reg(r).isSet = true;
}

// A limit of 0 or less is no limit: a format that leaves MAXFEEDRATE or MAXRPM out must not
// turn every feed and speed into 0.
double MachineBlockFormatter::limitedFeed(double feed) const {
    return m_format.maxFeedRate > 0 && feed > m_format.maxFeedRate ? m_format.maxFeedRate : feed;
}

double MachineBlockFormatter::limitedSpindleSpeed(double speed) const {
    return m_format.maxRpm > 0 && speed > m_format.maxRpm ? m_format.maxRpm : speed;
}

// Counts up to MAXBLKNUM and then starts again at MINBLKNUM. A MAXBLKNUM that is not above
// MINBLKNUM (such as a format without one) sets no range, and the counter never wraps.
void MachineBlockFormatter::advanceCounter() {
    if (m_format.maxBlockNumber > m_format.minBlockNumber && m_counter >= m_format.maxBlockNumber)
        m_counter = m_format.minBlockNumber;
    else
        ++m_counter;
}

std::string MachineBlockFormatter::word(Reg r) const {
    const MachineRegister& rg = m_format.reg(r);
    std::string text(1, rg.letter);
    text += formatDecimals(rg.value * rg.scale, rg.decimals);
    return text;
}

void MachineBlockFormatter::append(std::string_view item) {
    if (item.empty())
        return;
    if (m_format.addSpaces && !m_block.empty())
        m_block += ' ';
    m_block.append(item);
}

// The modal rule: a register with a letter is written when it is not modal or when it moved
// by at least the motion tolerance since it was last written.
bool MachineBlockFormatter::writeWord(Reg r) {
    MachineRegister& rg = reg(r);
    if (!rg.hasLetter())
        return false;
    if (rg.modal && std::fabs(rg.value - rg.lastWritten) < kMotionTolerance)
        return false;
    append(word(r));
    rg.lastWritten = rg.value;
    return true;
}

void MachineBlockFormatter::startBlockNumber(std::uint16_t blockNumber) {
    m_block.clear();
    if (m_format.renumber) {
        advanceCounter();
        set(Reg::N, static_cast<double>(m_counter));
    } else {
        set(Reg::N, blockNumber);
    }
    writeWord(Reg::N);
}

void MachineBlockFormatter::emitBlock() {
    m_sink.writeLine(m_block);
    ++m_linesWritten;
}

void MachineBlockFormatter::writeMove(const BlockMove& move) {
    startBlockNumber(move.blockNumber);
    append(m_format.moveTemplate(MoveTemplate::Prefix));
    bool hasWord = false;

    MachineRegister& g = reg(Reg::G);
    set(Reg::G, move.motion);
    // The plane is remembered only once the block is really written: a dropped block must
    // not leave the control believing in a plane code it never got.
    std::uint8_t planeWritten = m_planeWritten;
    if (move.arc && g.hasLetter() && (!g.modal || move.plane != m_planeWritten)) {
        append(std::string(1, g.letter) +
               formatDecimals(planeCode(move.plane) * g.scale, g.decimals));
        planeWritten = move.plane;
    }

    const std::string& motionText = m_format.moveTemplate(motionTemplate(move.motion));
    if (!motionText.empty()) {
        append(motionText);
        // The template put the control into this motion as surely as a G word would have.
        g.lastWritten = move.motion;
        hasWord = true;
    } else {
        hasWord = writeWord(Reg::G) || hasWord;
    }

    // Incremental centres are relative to the coordinates last written. An axis not written
    // yet (a program that opens with an arc and start lines without <X>) has no such value:
    // the offset would be taken from the "never written" marker and the control would cut
    // an arc about a point far away, so the true start stands in for it.
    const auto startOf = [&](Reg r, double actual) {
        const double written = reg(r).lastWritten;
        return written == kNeverWritten ? actual : written;
    };
    const Point3 start{startOf(Reg::X, move.start.x), startOf(Reg::Y, move.start.y),
                       startOf(Reg::Z, move.start.z)};
    set(Reg::X, move.end.x);
    set(Reg::Y, move.end.y);
    set(Reg::Z, move.end.z);
    const bool planeX = !move.arc || move.plane != kPlaneYZ;
    const bool planeY = !move.arc || move.plane != kPlaneXZ;
    const bool planeZ = !move.arc || move.plane != kPlaneXY;
    if (planeX || move.writeThirdAxis)
        hasWord = writeWord(Reg::X) || hasWord;
    if (planeY || move.writeThirdAxis)
        hasWord = writeWord(Reg::Y) || hasWord;
    if (planeZ || move.writeThirdAxis)
        hasWord = writeWord(Reg::Z) || hasWord;

    if (move.arc) {
        const auto centreWord = [&](Reg r, double centre, double from) {
            const double offset = centre - from;
            set(r, m_format.radiusType == 1   ? offset
                   : m_format.radiusType == 4 ? std::fabs(offset)
                                              : centre);
        };
        centreWord(Reg::I, move.centre.x, start.x);
        centreWord(Reg::J, move.centre.y, start.y);
        centreWord(Reg::K, move.centre.z, start.z);
        if (m_format.radiusType == 3) {
            // Controls take a positive radius as the shorter of the two possible arcs; the
            // longer one needs the negative radius.
            set(Reg::R, move.longArc ? -move.radius : move.radius);
            hasWord = writeWord(Reg::R) || hasWord;
        } else {
            if (planeX)
                hasWord = writeWord(Reg::I) || hasWord;
            if (planeY)
                hasWord = writeWord(Reg::J) || hasWord;
            if (planeZ)
                hasWord = writeWord(Reg::K) || hasWord;
        }
    }

    if (move.motion != kMotionRapid) {
        set(Reg::F, limitedFeed(move.feed));
        hasWord = writeWord(Reg::F) || hasWord;
    }

    if (!hasWord)
        return;
    m_planeWritten = planeWritten;
    append(m_format.moveTemplate(MoveTemplate::Suffix));
    emitBlock();
    ++m_movesWritten;
}

void MachineBlockFormatter::writeOptionalStop(std::uint16_t blockNumber) {
    const std::string& stopText = m_format.moveTemplate(MoveTemplate::OpStop);
    if (stopText.empty())
        return;
    startBlockNumber(blockNumber);
    append(m_format.moveTemplate(MoveTemplate::Prefix));
    append(stopText);
    append(m_format.moveTemplate(MoveTemplate::Suffix));
    emitBlock();
}

void MachineBlockFormatter::appendVariable(std::string_view name, std::string& out) {
    const int index = name.size() == 1 ? registerIndex(name.front()) : -1;
    if (index < 0) {
        std::string text = " >>>ERROR<<< \"" + std::string(name) + "\" is not a valid variable.";
        // One message box per distinct name is enough, however many lines repeat it.
        const bool known = std::any_of(m_messages.begin(), m_messages.end(),
                                       [&](const FormatMessage& m) { return m.text == text; });
        if (!known)
            m_messages.push_back({FormatMessage::Kind::Error, std::move(text)});
        return;
    }
    const auto r = static_cast<Reg>(index);
    MachineRegister& rg = reg(r);
    if (r == Reg::N) {
        if (m_format.renumber) {
            advanceCounter();
            set(Reg::N, static_cast<double>(m_counter));
        }
        if (rg.hasLetter() && rg.isSet)
            out += word(Reg::N);
        out += m_format.moveTemplate(MoveTemplate::Prefix);
        return;
    }
    if (!rg.hasLetter() || !rg.isSet)
        return;
    std::string number = formatDecimals(rg.value * rg.scale, rg.decimals);
    const bool padded = r == Reg::H || r == Reg::O || r == Reg::T;
    if (padded && rg.decimals == 0 && number.size() < rg.digits)
        number.insert(number.front() == '-' ? 1 : 0, rg.digits - number.size(), '0');
    if (!(padded && rg.letter == '#'))
        out += rg.letter;
    out += number;
    rg.lastWritten = rg.value;
}

std::string MachineBlockFormatter::expandTextLine(std::string_view line) {
    std::string out;
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t open = line.find('<', pos);
        if (open == std::string_view::npos) {
            out.append(line.substr(pos));
            break;
        }
        out.append(line.substr(pos, open - pos));
        const std::size_t close = line.find('>', open + 1);
        if (close == std::string_view::npos) {
            out.append(line.substr(open)); // an unclosed '<' is plain text
            break;
        }
        appendVariable(line.substr(open + 1, close - open - 1), out);
        pos = close + 1;
    }
    return out;
}

void MachineBlockFormatter::writeTextLines(LineList list) {
    for (const std::string& line : m_format.lines(list)) {
        std::string text = expandTextLine(line);
        text += m_format.moveTemplate(MoveTemplate::Suffix);
        m_sink.writeLine(text);
        ++m_linesWritten;
        m_movesWritten += list == LineList::ToolChange ? 1 : 0;
    }
}

void MachineBlockFormatter::writeRawLine(std::string_view line) {
    m_sink.writeLine(line);
    ++m_linesWritten;
}

} // namespace korvix::ncout
