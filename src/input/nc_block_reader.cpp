#include "input/nc_block_reader.h"

#include "input/nc_word_value.h"
#include "model/number_text.h"

#include <cmath>
#include <limits>
#include <string>

namespace korvix::nc {
namespace {

constexpr int kLastAutomaticBlockNumber = 32767;
constexpr std::int32_t kLargestBlockNumber = 65535;

bool moved(double from, double to) {
    return std::fabs(to - from) > kMotionTolerance;
}

// The lower-case forms of the word letters, as bits from 'a'.
constexpr std::uint32_t kLowerCaseWordLetters = [] {
    std::uint32_t bits = 0;
    for (char c : std::string_view("efghijkmnrstxyz"))
        bits |= std::uint32_t{1} << (c - 'a');
    return bits;
}();

bool isLowerCaseWordLetter(char c) {
    const auto offset = static_cast<unsigned>(c - 'a');
    return offset < 26 && ((kLowerCaseWordLetters >> offset) & 1u) != 0;
}

} // namespace

NcBlockReader::NcBlockReader(const NcReadTarget& target, const NcReadOptions& options)
    : m_database(target.database), m_records(target.database.records), m_tools(target.tools),
      m_log(target.parseLog), m_target(target), m_absoluteCenters(options.absoluteCenters),
      m_lowerCaseWords(options.lowerCaseWords), m_drawColor(options.drawColor),
      m_before(ncReadCheckpoint(target)), m_recordsLeft(target.database.readRecordBudget),
      m_nextSourceLine(options.firstSourceLine) {
    // A read with a continuation builds a list of its own: its first record starts that list,
    // and everything else goes on from the loaded path as when appending to it in place.
    const NcReadContinuation* const loaded = target.continuation;
    const DatabaseStatus& loadedStatus = loaded != nullptr ? loaded->status : m_database.status;
    std::size_t loadedCount = 0;
    if (loaded != nullptr) {
        loadedCount = loaded->recordCount;
    } else if (m_records.allocated()) {
        const auto [last, count] = m_records.lastAndCount();
        m_tail = last;
        loadedCount = count;
    }
    if (loadedCount > 0) {
        // Appending: the status goes on from the loaded path, its Y pair in true orientation
        // while reading, and the sequence numbers go on from the record count.
        m_status = loadedStatus;
        m_status.extents.negateY();
        m_positionCount = static_cast<int>(loadedCount);
    } else {
        m_status = DatabaseStatus{};
        m_status.extents = Extents{};
        m_status.ncLoaded = loadedStatus.ncLoaded;
    }
    m_positionCountAtStart = m_positionCount;
}

bool NcBlockReader::readBlock(const char* text, std::size_t length) {
    Block block{};
    block.x = m_x;
    block.y = m_y;
    block.z = m_z;
    block.i = m_i;
    block.j = m_j;
    block.k = m_k;
    block.r = m_r;
    block.blockNumber = static_cast<std::uint16_t>(m_blockCounter);
    block.sourceLine = m_nextSourceLine;
    // Numbering stops rather than wrapping at the end of the 32-bit range.
    if (m_nextSourceLine != kNoSourceLine)
        m_nextSourceLine = m_nextSourceLine == std::numeric_limits<std::uint32_t>::max()
                               ? kNoSourceLine
                               : m_nextSourceLine + 1;
    const char* p = text;
    const char* const end = text + length;
    while (p < end) {
        const char c = *p++;
        switch (c) {
        case '%':
        case '(':
        case '/':
        case '\\':
            block.comment = true;
            break;
        case ')':
            block.comment = false;
            break;
        case 'E':
        case 'F':
        case 'G':
        case 'H':
        case 'I':
        case 'J':
        case 'K':
        case 'M':
        case 'N':
        case 'R':
        case 'S':
        case 'T':
        case 'X':
        case 'Y':
        case 'Z': {
            // Inside a comment the letter is skipped and its value, being no word letter,
            // is skipped with it.
            if (block.comment)
                break;
            const char* run = p;
            while (p < end && isValueChar(*p))
                ++p;
            applyWord(c, run, static_cast<std::size_t>(p - run), block);
            break;
        }
        default:
            // Lower-case letters are looked at only here, off the path of upper-case words.
            if (!isLowerCaseWordLetter(c) || block.comment)
                break;
            if (!m_lowerCaseWords) {
                // Only a letter with a value would have been a word: text such as "; move
                // to start" after a block is no program written in lower case.
                block.lowerCaseSkipped |= p < end && isValueChar(*p);
                break;
            }
            const char* run = p;
            while (p < end && isValueChar(*p))
                ++p;
            applyWord(static_cast<char>(c - 'a' + 'A'), run, static_cast<std::size_t>(p - run),
                      block);
            break;
        }
    }
    // An R word stays in force for arcs that give no arc words of their own, but a block that
    // gives its centre offsets means them: a radius from an earlier block would make a
    // different arc, or none at all.
    if (block.centreWordGiven && !block.radiusWordGiven)
        block.r = kUndefined;
    if (block.lowerCaseSkipped)
        noteLowerCase(block, text, length);
    return endOfBlock(block);
}

void NcBlockReader::noteLowerCase(const Block& block, const char* text, std::size_t length) {
    if (m_lowerCaseBlock >= 0)
        return;
    m_lowerCaseBlock = block.blockNumber;
    m_lowerCaseText.assign(text, length);
}

void NcBlockReader::logWord(std::string_view message, char letter, std::string_view text) {
    std::string word(1, letter);
    word += text;
    m_log.add(std::string(message), word);
}

bool NcBlockReader::realWord(char letter, const char* run, std::size_t length, int impliedDecimals,
                             double& value) {
    if (parseRealFast(run, length, impliedDecimals, value))
        return true;
    const std::string text = realWordText(std::string_view(run, length), impliedDecimals);
    const RealConversion converted = convertFloat32(text);
    if (!converted.ok()) {
        logWord(conversionMessage(converted.error, text), letter, text);
        return false;
    }
    value = converted.value;
    return true;
}

bool NcBlockReader::integerWord(char letter, const char* run, std::size_t length, std::int32_t low,
                                std::int32_t high, std::int32_t& value) {
    const bool commaIsPoint = letter != 'G' && letter != 'N';
    if (!parseIntegerFast(run, length, value)) {
        const std::string text = integerWordText(std::string_view(run, length), commaIsPoint);
        const IntegerConversion converted = convertInteger(text);
        if (!converted.ok()) {
            logWord(conversionMessage(converted.error, text), letter, text);
            return false;
        }
        value = converted.value;
    }
    if (value < low || value > high) {
        logWord(conversionMessage(ConversionError::Range, {}), letter,
                integerWordText(std::string_view(run, length), commaIsPoint));
        return false;
    }
    return true;
}

// Inlined: the reader's hottest words go through here.
[[gnu::always_inline]] inline bool NcBlockReader::axisWord(double value, double& current,
                                                           double& blockValue) const {
    // The first value of an axis places the tool there, whatever G90/G91 says.
    if (current == kUndefined) {
        current = value;
        blockValue = value;
        return true;
    }
    const double position = m_absolute ? value : value + current;
    // Incremental moves can add up beyond what a record holds.
    if (!(std::fabs(position) <= std::numeric_limits<float>::max()))
        return false;
    blockValue = position;
    return true;
}

[[gnu::always_inline]] inline void NcBlockReader::positionWord(char letter, const char* run,
                                                               std::size_t length, double& current,
                                                               double& blockValue, Block& block) {
    double value = 0;
    if (!realWord(letter, run, length, kImpliedDecimalsCoordinate, value))
        return;
    block.axisWordGiven = true;
    if (!axisWord(value, current, blockValue)) {
        logWord(conversionMessage(ConversionError::Range, {}), letter,
                realWordText(std::string_view(run, length), kImpliedDecimalsCoordinate));
        block.outOfRange = true;
    }
}

void NcBlockReader::applyWord(char letter, const char* run, std::size_t length, Block& block) {
    constexpr std::int32_t kAny32Min = INT32_MIN;
    constexpr std::int32_t kAny32Max = INT32_MAX;
    double real = 0;
    std::int32_t integer = 0;
    switch (letter) {
    case 'X':
        positionWord(letter, run, length, m_x, block.x, block);
        break;
    case 'Y':
        positionWord(letter, run, length, m_y, block.y, block);
        break;
    case 'Z':
        positionWord(letter, run, length, m_z, block.z, block);
        break;
    case 'I':
        if (realWord(letter, run, length, kImpliedDecimalsCoordinate, real)) {
            block.i = real;
            block.centreWordGiven = true;
        }
        break;
    case 'J':
        if (realWord(letter, run, length, kImpliedDecimalsCoordinate, real)) {
            block.j = real;
            block.centreWordGiven = true;
        }
        break;
    case 'K':
        if (realWord(letter, run, length, kImpliedDecimalsCoordinate, real)) {
            block.k = real;
            block.centreWordGiven = true;
        }
        break;
    case 'R':
        if (realWord(letter, run, length, kImpliedDecimalsCoordinate, real)) {
            block.r = real;
            block.radiusWordGiven = true;
        }
        break;
    case 'F':
        if (!realWord(letter, run, length, kImpliedDecimalsFeed, real))
            break;
        if (real < 0.0) {
            // A negative feed would take time off the cutting time.
            logWord(conversionMessage(ConversionError::Range, {}), letter,
                    realWordText(std::string_view(run, length), kImpliedDecimalsFeed));
        } else {
            m_feed = real;
            widenFeedRange(m_status, real);
        }
        break;
    case 'G':
        if (!integerWord(letter, run, length, kAny32Min, kAny32Max, integer))
            break;
        switch (integer) {
        case 0:
        case 1:
        case 2:
        case 3:
            m_motion = static_cast<std::uint8_t>(integer);
            break;
        case 17:
            m_plane = kPlaneXY;
            break;
        case 18:
            m_plane = kPlaneXZ;
            break;
        case 19:
            m_plane = kPlaneYZ;
            break;
        case 90:
            m_absolute = true;
            break;
        case 91:
            m_absolute = false;
            break;
        default:
            break;
        }
        break;
    case 'M':
        if (integerWord(letter, run, length, kAny32Min, kAny32Max, integer) &&
            (integer == 0 || integer == 1))
            block.optionalStop = true;
        break;
    case 'N':
        if (integerWord(letter, run, length, 0, kAny32Max, integer))
            block.blockNumber = static_cast<std::uint16_t>(
                integer > kLargestBlockNumber ? kLargestBlockNumber : integer);
        break;
    case 'E':
        if (integerWord(letter, run, length, kAny32Min, kAny32Max, integer) && integer == 0)
            block.comment = true;
        break;
    case 'H':
        if (!integerWord(letter, run, length, 0, 255, integer)) {
            m_log.parseErrorFlag = true;
            break;
        }
        applyCompWord(m_tools, m_toolWords, integer);
        if (integer == 0)
            block.comment = true;
        break;
    case 'S':
        if (integerWord(letter, run, length, -32768, 32767, integer))
            applySpindleWord(m_tools, m_toolWords, integer);
        break;
    case 'T':
        if (!integerWord(letter, run, length, 0, 255, integer)) {
            m_log.parseErrorFlag = true;
            break;
        }
        if (!applyToolWord(m_tools, m_toolWords, integer)) {
            // A 101st tool: the table stays as it is and so does the current tool.
            logWord(conversionMessage(ConversionError::Range, {}), letter,
                    integerWordText(std::string_view(run, length), true));
            m_log.parseErrorFlag = true;
        }
        break;
    default:
        break;
    }
}

bool NcBlockReader::endOfBlock(const Block& block) {
    m_blockCounter = m_blockCounter < kLastAutomaticBlockNumber ? m_blockCounter + 1 : 1;
    if (block.outOfRange)
        return true;

    if (!m_startDefined) {
        if (m_x == kUndefined || m_y == kUndefined || m_z == kUndefined)
            return true;
        m_startDefined = true;
        return storeStartPoint(block);
    }

    const bool isArc = m_motion == kMotionClockwise || m_motion == kMotionCounterClockwise;
    // An arc that closes on its start in its plane and says where its centre is: a full turn
    // (a bored hole), or a helical one when the third axis moves.
    double centreH = 0, centreV = 0;
    bool fullTurn = false;
    if (isArc && block.axisWordGiven && block.centreWordGiven && !block.radiusWordGiven) {
        const PlanePoint start = toPlane(m_plane, m_x, m_y, m_z);
        const PlanePoint end = toPlane(m_plane, block.x, block.y, block.z);
        fullTurn = !moved(start.h, end.h) && !moved(start.v, end.v) &&
                   fullTurnCentre(m_plane, start, {block.i, block.j, block.k, block.r},
                                  m_absoluteCenters, centreH, centreV);
    }

    if (!fullTurn && !moved(m_x, block.x) && !moved(m_y, block.y) && !moved(m_z, block.z)) {
        if (block.optionalStop)
            m_tail->optionalStop = 1;
        return true;
    }

    widenExtents(block.x, block.y, block.z);
    ++m_positionCount;
    const bool stored = fullTurn ? storeFullTurn(block, centreH, centreV)
                        : isArc  ? storeArc(block)
                                 : storeStraightMove(block, m_motion);
    m_x = block.x;
    m_y = block.y;
    m_z = block.z;
    if (isArc) {
        m_i = block.i;
        m_j = block.j;
        m_k = block.k;
        m_r = block.r;
    }
    return stored;
}

[[gnu::always_inline]] inline void NcBlockReader::widenExtents(double x, double y, double z) {
    if (m_positionCount == 0)
        m_status.extents.reset(x, y, z);
    else
        m_status.extents.widen(x, y, z);
}

bool NcBlockReader::withinBudget() {
    if (m_recordsLeft == 0) {
        m_overBudget = true;
        return false;
    }
    --m_recordsLeft;
    return true;
}

MoveRecord* NcBlockReader::appendRecord() {
    if (!withinBudget())
        return nullptr;
    if (m_tail == nullptr) {
        if (!m_records.createFirst())
            return nullptr;
        m_tail = m_records.head();
        return m_tail;
    }
    if (!m_records.append(m_tail))
        return nullptr;
    return m_tail;
}

bool NcBlockReader::storeStartPoint(const Block& block) {
    MoveRecord* record = appendRecord();
    if (record == nullptr)
        return false;
    record->kind = kKindStartPoint;
    record->plane = kPlaneXY;
    record->optionalStop = block.optionalStop ? 1 : 0;
    record->blockNumber = block.blockNumber;
    record->sourceLine = block.sourceLine;
    record->color = m_drawColor;
    record->tool = static_cast<std::uint8_t>(m_toolWords.tool);
    record->x = static_cast<float>(m_x);
    record->y = static_cast<float>(m_y);
    record->z = static_cast<float>(m_z);
    widenExtents(m_x, m_y, m_z);
    ++m_positionCount;
    return true;
}

bool NcBlockReader::storeStraightMove(const Block& block, std::uint8_t motion) {
    MoveRecord* record = appendRecord();
    if (record == nullptr)
        return false;
    record->kind = kKindStraight;
    // The plane means nothing for a straight move; XY, as on the start point, keeps every
    // record's plane a valid value.
    record->plane = kPlaneXY;
    record->optionalStop = block.optionalStop ? 1 : 0;
    record->color = motion == kMotionRapid ? kRapidColor : m_drawColor;
    record->sequence = m_positionCount;
    record->blockNumber = block.blockNumber;
    record->sourceLine = block.sourceLine;
    record->motion = motion;
    record->tool = static_cast<std::uint8_t>(m_toolWords.tool);
    record->feed = static_cast<float>(m_feed);
    record->x = static_cast<float>(block.x);
    record->y = static_cast<float>(block.y);
    record->z = static_cast<float>(block.z);
    const double length = distance3D({m_x, m_y, m_z}, {block.x, block.y, block.z});
    addCuttingTime(m_status.cuttingTime, motion == kMotionRapid ? kRapidFeed : m_feed, length);
    return true;
}

bool NcBlockReader::storeArc(const Block& block) {
    const PlanePoint start = toPlane(m_plane, m_x, m_y, m_z);
    const PlanePoint end = toPlane(m_plane, block.x, block.y, block.z);
    if (!radiusGiven(block.r))
        testCentres(block, start, end);
    const ArcShape arc = buildArc(m_plane, m_motion, start, end,
                                  {block.i, block.j, block.k, block.r}, m_absoluteCenters);
    if (!arc.valid) {
        // No circle fits the words: keep the path continuous with a straight feed move and
        // make sure the user hears of it.
        m_log.add("Invalid arc radius, block " + std::to_string(block.blockNumber) +
                      " stored as a straight move",
                  m_motion == kMotionClockwise ? "G2" : "G3");
        m_log.parseErrorFlag = true;
        return storeStraightMove(block, kMotionLinear);
    }
    return appendArc(arc, block, block.optionalStop, end.t);
}

void NcBlockReader::testCentres(const Block& block, const PlanePoint& start,
                                const PlanePoint& end) {
    double wordH = 0, wordV = 0;
    planeCentreWords(m_plane, {block.i, block.j, block.k, block.r}, wordH, wordV);
    // An arc whose centre words were never given says nothing of how they are meant, nor does
    // one that closes on itself: every centre fits it.
    if (wordH == kUndefined || wordV == kUndefined ||
        (!moved(start.h, end.h) && !moved(start.v, end.v)))
        return;
    ++m_centres.tested;
    m_centres.fitAbsolute += centreFits(wordH, wordV, start, end) ? 1 : 0;
    m_centres.fitIncremental += centreFits(start.h + wordH, start.v + wordV, start, end) ? 1 : 0;
}

bool NcBlockReader::storeFullTurn(const Block& block, double centreH, double centreV) {
    const PlanePoint start = toPlane(m_plane, m_x, m_y, m_z);
    const PlanePoint end = toPlane(m_plane, block.x, block.y, block.z);
    const ArcShape first = halfTurn(m_plane, m_motion, centreH, centreV, start);
    if (!first.valid) {
        m_log.add("Invalid arc radius, block " + std::to_string(block.blockNumber) +
                      " stored as a straight move",
                  m_motion == kMotionClockwise ? "G2" : "G3");
        m_log.parseErrorFlag = true;
        return storeStraightMove(block, kMotionLinear);
    }
    // Two half circles of the same block, the third axis split evenly between them, so that
    // everything after the reader meets ordinary arcs only. A stop belongs after the turn.
    const double middle = start.t + (end.t - start.t) / 2.0;
    if (!appendArc(first, block, false, middle))
        return false;
    ArcShape second = first;
    second.startAngle = first.endAngle;
    second.endAngle = first.startAngle;
    second.centerT = middle;
    ++m_positionCount;
    return appendArc(second, block, block.optionalStop, end.t);
}

bool NcBlockReader::appendArc(const ArcShape& arc, const Block& block, bool optionalStop,
                              double third) {
    addCuttingTime(m_status.cuttingTime, m_feed, arcPathLength(arc));

    MoveRecord proto{};
    proto.kind = kKindArcPiece;
    proto.plane = m_plane;
    proto.optionalStop = optionalStop ? 1 : 0;
    proto.color = m_drawColor;
    proto.sequence = m_positionCount;
    proto.blockNumber = block.blockNumber;
    proto.sourceLine = block.sourceLine;
    proto.motion = m_motion;
    proto.tool = static_cast<std::uint8_t>(m_toolWords.tool);
    proto.feed = static_cast<float>(m_feed);
    const Point3 centre = fromPlane(m_plane, arc.centerH, arc.centerV, arc.centerT);
    proto.centerX = static_cast<float>(centre.x);
    proto.centerY = static_cast<float>(centre.y);
    proto.centerZ = static_cast<float>(centre.z);
    proto.radius = static_cast<float>(arc.radius);
    proto.startAngle = static_cast<float>(arc.startAngle);
    proto.endAngle = static_cast<float>(arc.endAngle);

    switch (m_plane) {
    case kPlaneXZ:
        return appendArcPieces<kPlaneXZ>(arc, proto, third);
    case kPlaneYZ:
        return appendArcPieces<kPlaneYZ>(arc, proto, third);
    default:
        return appendArcPieces<kPlaneXY>(arc, proto, third);
    }
}

// The innermost loop of the reader: programs with many arcs make most of their records here.
// The plane is a template argument so that each piece's point goes straight to its fields,
// and the extents gather in locals and join the status block once per arc.
template <std::uint8_t Plane>
bool NcBlockReader::appendArcPieces(const ArcShape& arc, const MoveRecord& proto, double third) {
    // Empty ranges that the first point fills: no test for a first point in the loop.
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    double minH = kInfinity, maxH = -kInfinity;
    double minV = kInfinity, maxV = -kInfinity;
    const bool stored = forEachArcPiece(arc, [&](double h, double v) {
        MoveRecord* const previous = m_tail;
        if (!withinBudget() || !m_records.append(m_tail))
            return false;
        MoveRecord* const record = m_tail;
        *record = proto;
        record->prev = previous;
        const Point3 p = fromPlane(Plane, h, v, third); // folds away: Plane is a constant
        record->x = static_cast<float>(p.x);
        record->y = static_cast<float>(p.y);
        record->z = static_cast<float>(p.z);
        minH = h < minH ? h : minH;
        maxH = h > maxH ? h : maxH;
        minV = v < minV ? v : minV;
        maxV = v > maxV ? v : maxV;
        return true;
    });
    if (minH <= maxH) {
        const Point3 low = fromPlane(Plane, minH, minV, third);
        const Point3 high = fromPlane(Plane, maxH, maxV, third);
        m_status.extents.widen(low.x, low.y, low.z);
        m_status.extents.widen(high.x, high.y, high.z);
    }
    return stored;
}

void NcBlockReader::reportUnreadProgram() {
    if (m_lowerCaseBlock >= 0) {
        m_log.addLine("Lower-case words were skipped (first in block " +
                      std::to_string(m_lowerCaseBlock) + ": \"" + m_lowerCaseText +
                      "\"); turn on Options -> Read lower-case words to read them");
        m_log.parseErrorFlag = true;
    }
    const bool someAxis = m_x != kUndefined || m_y != kUndefined || m_z != kUndefined;
    if (!m_startDefined && someAxis) {
        std::string missing;
        const char names[] = {'X', 'Y', 'Z'};
        const double values[] = {m_x, m_y, m_z};
        int count = 0;
        for (int axis = 0; axis < 3; ++axis)
            count += values[axis] == kUndefined ? 1 : 0;
        for (int axis = 0, listed = 0; axis < 3; ++axis) {
            if (values[axis] != kUndefined)
                continue;
            if (listed > 0)
                missing += listed == count - 1 ? " or " : ", ";
            missing += names[axis];
            ++listed;
        }
        m_log.addLine("No move was read: the program never programs " + missing +
                      " (a start point needs X, Y and Z)");
        m_log.parseErrorFlag = true;
    }
}

int NcBlockReader::finish() {
    reportUnreadProgram();
    if (!m_records.allocated())
        return 0;
    m_status.extents.negateY();
    m_status.ncLoaded = true;
    m_database.status = m_status;
    return m_positionCount - m_positionCountAtStart;
}

void NcBlockReader::rollBack() {
    rollBackNcRead(m_target, m_before);
    m_tail = m_before.lastBefore;
}

} // namespace korvix::nc
