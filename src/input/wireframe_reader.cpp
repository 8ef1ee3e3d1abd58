#include "input/wireframe_reader.h"

#include "model/read_budget.h"
#include "model/regular_file.h"

#include <bit>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace korvix {
namespace {

constexpr std::size_t kRecordBytes = kWireframeRecordBytes;
constexpr std::size_t kBlockBytes = kRecordBytes * kWireframeRecordsPerBlock;

std::uint16_t getU16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

float getF32(const unsigned char* p) {
    const std::uint32_t bits =
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    return std::bit_cast<float>(bits);
}

// Reads the file a block of up to 1000 whole records at a time.
class BlockReader {
public:
    explicit BlockReader(std::FILE* file) : m_file(file), m_buffer(kBlockBytes) {}

    // The number of whole records in the next block (0 at the end or on an error). A short
    // read is retried until the block is full or the file ends, so only the file's tail can
    // come out short; its partial record is dropped.
    std::size_t next() {
        std::size_t filled = 0;
        while (filled < kBlockBytes) {
            const std::size_t got =
                std::fread(m_buffer.data() + filled, 1, kBlockBytes - filled, m_file);
            if (got == 0)
                break;
            filled += got;
        }
        return filled / kRecordBytes;
    }
    const unsigned char* record(std::size_t i) const { return m_buffer.data() + i * kRecordBytes; }
    bool failed() const { return std::ferror(m_file) != 0; }

private:
    std::FILE* m_file;
    std::vector<unsigned char> m_buffer;
};

class FileCloser {
public:
    explicit FileCloser(std::FILE* file) : m_file(file) {}
    ~FileCloser() { std::fclose(m_file); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    std::FILE* m_file;
};

void fill(WireframePoint& point, const unsigned char* record, Rgb overrideColor) {
    point.penDown = record[0];
    point.visible = record[1];
    point.color = overrideColor != kBlack ? overrideColor : wireframeIndexColor(record[2]);
    point.x = getF32(record + 5);
    point.y = getF32(record + 9);
    point.z = getF32(record + 13);
    point.screenX = getU16(record + 37);
    point.screenY = getU16(record + 39);
}

bool finitePoint(const unsigned char* record) {
    return std::isfinite(getF32(record + 5)) && std::isfinite(getF32(record + 9)) &&
           std::isfinite(getF32(record + 13));
}

// An empty store holds the box of the state before any data.
void releaseStore(WireframeStore& store) {
    store.points.freeAll();
    store.extents = Extents::cube(10.0);
}

std::string readErrorText(const std::string& fileName, int error) {
    return "Unable to read \"" + fileName + "\": " + std::strerror(error != 0 ? error : EIO) +
           "...";
}

// Reports a failure and keeps its text for the caller.
int fail(Reporter& reporter, WireframeReadInfo& info, std::string message) {
    info.message = std::move(message);
    reporter.error(info.message);
    return 0;
}

} // namespace

Rgb wireframeIndexColor(int index) {
    switch (index) {
    case 1:
        return 0x0000FF;
    case 2:
        return 0x00FFFF;
    case 3:
        return 0x00FF00;
    case 4:
        return 0xFFFF00;
    case 5:
        return 0xFF0000;
    case 6:
        return 0x000080;
    case 7:
        return 0xFFFFFF;
    default:
        return 0x808080;
    }
}

std::string skippedPointsText(std::size_t count, const std::string& fileName) {
    if (count == 0)
        return {};
    return std::to_string(count) + (count == 1 ? " point of \"" : " points of \"") + fileName +
           "\" had coordinates that are not numbers and " + (count == 1 ? "was" : "were") +
           " left out...";
}

int readWireframeFile(const WireframeReadTarget& target, const std::string& fileName,
                      Rgb overrideColor, WireframeReadInfo* info) {
    WireframeReadInfo localInfo;
    WireframeReadInfo& stats = info != nullptr ? *info : localInfo;
    stats = {};

    // Open and read the first block before touching the store, so that a file that cannot
    // be read leaves the wire-frame on the screen as it was.
    if (const std::string reason = notRegularFileReason(fileName); !reason.empty())
        return fail(target.reporter, stats,
                    "Unable to read \"" + fileName + "\": " + reason + "...");
    errno = 0;
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (file == nullptr)
        return fail(target.reporter, stats, readErrorText(fileName, errno));
    FileCloser closer(file);
    BlockReader reader(file);
    errno = 0;
    std::size_t records = reader.next();
    if (reader.failed())
        return fail(target.reporter, stats, readErrorText(fileName, errno));

    WireframeStore& store = target.wireframe;
    releaseStore(store);
    if (records == 0)
        return 0;
    if (!store.points.createFirst())
        return fail(target.reporter, stats, outOfMemoryText(fileName));

    WireframePoint* current = store.points.head();
    std::size_t count = 0;
    bool breakLine = false; // the point before was left out
    Extents extents;
    while (records > 0) {
        ++stats.blocks;
        for (std::size_t i = 0; i < records; ++i) {
            const unsigned char* record = reader.record(i);
            if (!finitePoint(record)) {
                // Drawn, such a point would send lines to nowhere; the polyline breaks there.
                ++stats.skippedPoints;
                breakLine = true;
                continue;
            }
            if (count > 0 && !store.points.append(current)) {
                releaseStore(store);
                return fail(target.reporter, stats, outOfMemoryText(fileName));
            }
            fill(*current, record, overrideColor);
            if (breakLine)
                current->penDown = 0;
            breakLine = false;
            if (count == 0)
                extents.reset(current->x, current->y, current->z);
            else
                extents.widen(current->x, current->y, current->z);
            ++count;
            target.pump.pump();
        }
        errno = 0;
        records = reader.next();
        if (reader.failed()) {
            const int error = errno;
            releaseStore(store);
            return fail(target.reporter, stats, readErrorText(fileName, error));
        }
    }

    if (count == 0) { // every point was left out
        releaseStore(store);
        return 0;
    }
    extents.negateY();
    store.extents = extents;
    target.status.ncLoaded = true;
    return count > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(count);
}

} // namespace korvix
