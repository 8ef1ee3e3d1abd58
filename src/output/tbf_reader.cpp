#include "model/read_budget.h"
#include "model/regular_file.h"
#include "output/tbf_file.h"
#include "output/tbf_format.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace korvix {
namespace {

using namespace tbf;

// Sequential reads from a file through one fixed buffer. Nothing here allocates by what the
// file claims: skips and short reads simply run into the end of the file.
class ByteSource {
public:
    explicit ByteSource(std::FILE* file) : m_file(file), m_buffer(1 << 16) {}

    // Reads exactly `size` bytes; false (with the rest consumed) when the file ends first.
    bool read(unsigned char* out, std::size_t size) {
        while (size > 0) {
            if (m_pos == m_len && !refill())
                return false;
            const std::size_t chunk = std::min(size, m_len - m_pos);
            std::memcpy(out, m_buffer.data() + m_pos, chunk);
            m_pos += chunk;
            out += chunk;
            size -= chunk;
        }
        return true;
    }

    void skip(std::uint64_t size) {
        while (size > 0) {
            if (m_pos == m_len && !refill())
                return;
            const std::size_t chunk =
                static_cast<std::size_t>(std::min<std::uint64_t>(size, m_len - m_pos));
            m_pos += chunk;
            size -= chunk;
        }
    }

private:
    bool refill() {
        m_pos = 0;
        m_len = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        return m_len > 0;
    }

    std::FILE* m_file;
    std::vector<unsigned char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
};

// Appends the points of one read after the path already loaded, and puts the database back
// as it was when memory runs out.
class PointAppender {
public:
    PointAppender(GraphicsDatabase& database, Rgb feedColor)
        : m_db(database), m_feedColor(feedColor), m_saved(database.status),
          m_wasAllocated(database.databaseAllocated()) {
        if (m_wasAllocated) {
            const auto [last, count] = database.records.lastAndCount();
            m_lastBefore = last;
            m_tail = last;
            m_sequence = static_cast<std::int32_t>(count);
            m_db.status.extents.negateY(); // true orientation while reading
        }
    }

    bool add(const std::array<unsigned char, kPointBytes>& bytes) {
        const float x = getF32(&bytes[kWordX * 4]);
        const float y = getF32(&bytes[kWordY * 4]);
        const float z = getF32(&bytes[kWordZ * 4]);
        // A point that is not a number would poison the extents and every projection.
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
            ++m_skipped;
            return true;
        }
        float feed = getF32(&bytes[kWordFeed * 4]);
        if (!std::isfinite(feed))
            feed = 0;
        const bool fed = getF32(&bytes[kWordMoveFlag * 4]) > 0.0f;

        const bool firstOfEmpty = !m_wasAllocated && m_count == 0;
        if (firstOfEmpty) {
            if (!m_db.records.createFirst())
                return false;
            m_tail = m_db.records.head();
        } else if (!m_db.records.append(m_tail)) {
            return false;
        }
        m_block = m_block < 32767 ? static_cast<std::uint16_t>(m_block + 1) : std::uint16_t{1};

        MoveRecord& r = *m_tail; // value-initialised: every field not set here is 0
        r.kind = firstOfEmpty ? kKindStartPoint : kKindStraight;
        r.sequence = m_sequence;
        r.plane = kPlaneXY;
        r.blockNumber = m_block;
        r.motion = fed ? kMotionLinear : kMotionRapid;
        r.color = fed ? m_feedColor : kRapidColor;
        r.feed = fed ? feed : 0.0f;
        r.x = x;
        r.y = y;
        r.z = z;

        DatabaseStatus& status = m_db.status;
        if (firstOfEmpty) {
            status.extents.reset(x, y, z);
            status.minFeed = status.maxFeed = feed;
            status.cuttingTime = 0;
        } else {
            status.extents.widen(x, y, z);
            status.minFeed = std::min<double>(status.minFeed, feed);
            status.maxFeed = std::max<double>(status.maxFeed, feed);
        }
        ++m_sequence;
        ++m_count;
        return true;
    }

    void finish() {
        if (m_wasAllocated || m_count > 0)
            m_db.status.extents.negateY();
        if (m_count > 0)
            m_db.status.ncLoaded = true;
    }

    // Releases the points of this read and restores the status block.
    void rollBack() {
        if (!m_wasAllocated) {
            m_db.records.freeAll();
        } else {
            MoveRecord* r = m_lastBefore->next;
            m_lastBefore->next = nullptr;
            while (r != nullptr) {
                MoveRecord* next = r->next;
                m_db.records.release(r);
                r = next;
            }
        }
        m_db.status = m_saved;
        m_count = 0;
    }

    std::size_t count() const { return m_count; }
    std::size_t skipped() const { return m_skipped; }

private:
    GraphicsDatabase& m_db;
    Rgb m_feedColor;
    DatabaseStatus m_saved;
    bool m_wasAllocated;
    MoveRecord* m_lastBefore = nullptr;
    MoveRecord* m_tail = nullptr;
    std::int32_t m_sequence = 0;
    std::uint16_t m_block = 1; // the first point gets 2
    std::size_t m_count = 0;
    std::size_t m_skipped = 0; // points whose coordinates are not numbers
};

std::uint64_t itemCount(std::int32_t count) {
    return count > 0 ? static_cast<std::uint64_t>(count) : 0;
}

} // namespace

TbfReadResult readTbfFile(GraphicsDatabase& database, const std::string& path, Rgb feedColor,
                          MessagePump* pump) {
    TbfReadResult result;
    if (const std::string reason = notRegularFileReason(path); !reason.empty()) {
        result.message = "Unable to open file \"" + path + "\": " + reason + "...";
        return result;
    }
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        result.message = "Unable to open file \"" + path +
                         "\": " + std::strerror(errno != 0 ? errno : ENOENT) + "...";
        return result;
    }

    ByteSource source(file);
    PointAppender points(database, feedColor);
    bool outOfMemory = false;
    std::array<unsigned char, kHeaderBytes> header{};
    while (!outOfMemory && source.read(header.data(), header.size())) {
        const std::int32_t type = getI32(&header[0]);
        const std::uint64_t count = itemCount(getI32(&header[4]));
        if (type == kSectionPoints) {
            std::array<unsigned char, kPointBytes> record{};
            for (std::uint64_t i = 0; i < count; ++i) {
                if (!source.read(record.data(), record.size()))
                    break; // a truncated last record is not used
                if (!points.add(record)) {
                    outOfMemory = true;
                    break;
                }
                if (pump != nullptr)
                    pump->pump();
            }
        } else if (type == kSectionExtents) {
            source.skip(count * kExtentsBytes);
        } else if (type == kSectionCounts) {
            source.skip(count * kCountsBytes);
        } else if (type == kSectionText) {
            std::array<unsigned char, 4> length{};
            if (!source.read(length.data(), length.size()))
                break;
            source.skip(getU32(length.data()));
        }
        // Any other type has no body we know of: the next 12 bytes are the next header.
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);

    if (outOfMemory) {
        points.rollBack();
        result.message = outOfMemoryText(path);
        return result;
    }
    points.finish();
    result.pointCount = points.count();
    result.skippedPoints = points.skipped();
    result.ok = !readError;
    if (readError)
        result.message = "Unable to read file \"" + path + "\"...";
    return result;
}

} // namespace korvix
