#include "input/nc_block_reader.h"

#include "input/nc_word_value.h"
#include "model/number_text.h"

#include <cmath>
#include <string>

namespace korvix::nc {
namespace {

constexpr int kLastAutomaticBlockNumber = 32767;
constexpr std::int32_t kLargestBlockNumber = 65535;

bool moved(double from, double to) {
    return std::fabs(to - from) > kMotionTolerance;
}

} // namespace

NcBlockReader::NcBlockReader(const NcReadTarget& target, const NcReadOptions& options)
    : m_database(target.database), m_records(target.database.records), m_tools(target.tools),
      m_log(target.parseLog), m_absoluteCenters(options.absoluteCenters),
      m_drawColor(options.drawColor), m_toolsBefore(target.tools),
      m_recordsLeft(target.database.readRecordBudget) {
    if (m_records.allocated()) {
        // Appending: the status goes on from the loaded path, its Y pair in true orientation
        // while reading, and the sequence numbers go on from the record count.
        m_status = m_database.status;
        m_status.extents.negateY();
        const auto [last, count] = m_records.lastAndCount();
        m_tail = last;
        m_lastBefore = last;
        m_positionCount = static_cast<int>(count);
    } else {
        m_status = DatabaseStatus{};
        m_status.extents = Extents{};
        m_status.ncLoaded = m_database.status.ncLoaded;
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
            break;
        }
    }
    // An R word stays in force for arcs that give no arc words of their own, but a block that
    // gives its centre offsets means them: a radius from an earlier block would make a
    // different arc, or none at all.
    if (block.centreWordGiven && !block.radiusWordGiven)
        block.r = kUndefined;
    return endOfBlock(block);
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

void NcBlockReader::axisWord(double value, double& current, double& blockValue) const {
    // The first value of an axis places the tool there, whatever G90/G91 says.
    if (current == kUndefined) {
        current = value;
        blockValue = value;
    } else {
        blockValue = m_absolute ? value : value + current;
    }
}

void NcBlockReader::applyWord(char letter, const char* run, std::size_t length, Block& block) {
    constexpr std::int32_t kAny32Min = INT32_MIN;
    constexpr std::int32_t kAny32Max = INT32_MAX;
    double real = 0;
    std::int32_t integer = 0;
    switch (letter) {
    case 'X':
        if (realWord(letter, run, length, kImpliedDecimalsCoordinate, real))
            axisWord(real, m_x, block.x);
        break;
    case 'Y':
        if (realWord(letter, run, length, kImpliedDecimalsCoordinate, real))
            axisWord(real, m_y, block.y);
        break;
    case 'Z':
        if (realWord(letter, run, length, kImpliedDecimalsCoordinate, real))
            axisWord(real, m_z, block.z);
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
        if (realWord(letter, run, length, kImpliedDecimalsFeed, real)) {
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

    if (!m_startDefined) {
        if (m_x == kUndefined || m_y == kUndefined || m_z == kUndefined)
            return true;
        m_startDefined = true;
        return storeStartPoint(block);
    }

    if (!moved(m_x, block.x) && !moved(m_y, block.y) && !moved(m_z, block.z)) {
        if (block.optionalStop)
            m_tail->optionalStop = 1;
        return true;
    }

    widenExtents(block.x, block.y, block.z);
    ++m_positionCount;
    const bool isArc = m_motion == kMotionClockwise || m_motion == kMotionCounterClockwise;
    const bool stored = isArc ? storeArc(block) : storeStraightMove(block, m_motion);
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

void NcBlockReader::widenExtents(double x, double y, double z) {
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
    addCuttingTime(m_status.cuttingTime, m_feed, arcPathLength(arc));

    MoveRecord proto{};
    proto.kind = kKindArcPiece;
    proto.plane = m_plane;
    proto.optionalStop = block.optionalStop ? 1 : 0;
    proto.color = m_drawColor;
    proto.sequence = m_positionCount;
    proto.blockNumber = block.blockNumber;
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
        return appendArcPieces<kPlaneXZ>(arc, proto, end.t);
    case kPlaneYZ:
        return appendArcPieces<kPlaneYZ>(arc, proto, end.t);
    default:
        return appendArcPieces<kPlaneXY>(arc, proto, end.t);
    }
}

// The innermost loop of the reader: programs with many arcs make most of their records here.
// The plane is a template argument so that each piece's point goes straight to its fields,
// and the extents gather in locals and join the status block once per arc.
template <std::uint8_t Plane>
bool NcBlockReader::appendArcPieces(const ArcShape& arc, const MoveRecord& proto, double third) {
    double minH = arc.centerH, maxH = arc.centerH;
    double minV = arc.centerV, maxV = arc.centerV;
    bool first = true;
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
        if (first) {
            minH = maxH = h;
            minV = maxV = v;
            first = false;
        }
        minH = h < minH ? h : minH;
        maxH = h > maxH ? h : maxH;
        minV = v < minV ? v : minV;
        maxV = v > maxV ? v : maxV;
        return true;
    });
    if (!first) {
        const Point3 low = fromPlane(Plane, minH, minV, third);
        const Point3 high = fromPlane(Plane, maxH, maxV, third);
        m_status.extents.widen(low.x, low.y, low.z);
        m_status.extents.widen(high.x, high.y, high.z);
    }
    return stored;
}

int NcBlockReader::finish() {
    if (!m_records.allocated())
        return 0;
    m_status.extents.negateY();
    m_status.ncLoaded = true;
    m_database.status = m_status;
    return m_positionCount - m_positionCountAtStart;
}

void NcBlockReader::rollBack() {
    if (m_lastBefore == nullptr) {
        m_records.freeAll();
    } else {
        MoveRecord* record = m_lastBefore->next;
        m_lastBefore->next = nullptr;
        while (record != nullptr) {
            MoveRecord* const next = record->next;
            m_records.release(record);
            record = next;
        }
    }
    m_tail = m_lastBefore;
    m_tools = m_toolsBefore;
}

} // namespace korvix::nc
