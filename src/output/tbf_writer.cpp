#include "output/point_file_start.h"
#include "model/safe_file_writer.h"
#include "output/tbf_file.h"
#include "output/tbf_format.h"

#include <array>
#include <cstdint>
#include <limits>

namespace korvix {
namespace {

using namespace tbf;

bool writeHeader(SafeFileWriter& out, std::int32_t type, std::int32_t count,
                 std::int32_t wordSize) {
    std::array<unsigned char, kHeaderBytes> bytes{};
    putI32(&bytes[0], type);
    putI32(&bytes[4], count);
    putI32(&bytes[8], wordSize);
    return out.write(bytes.data(), bytes.size());
}

template <std::size_t N> bool writeWords(SafeFileWriter& out, const std::array<float, N>& words) {
    std::array<unsigned char, N * 4> bytes{};
    for (std::size_t i = 0; i < N; ++i)
        putF32(&bytes[i * 4], words[i]);
    return out.write(bytes.data(), bytes.size());
}

bool writePoint(SafeFileWriter& out, const MoveRecord& r) {
    std::array<float, kPointWords> words{};
    // Any feed move is 1.0: the format knows rapid and fed points only.
    const float moveFlag = r.motion == kMotionRapid ? 0.0f : 1.0f;
    words[kWordMoveFlag] = moveFlag;
    words[kWordFeed] = moveFlag > 0 ? r.feed : 0.0f;
    words[kWordX] = r.x;
    words[kWordY] = r.y;
    words[kWordZ] = r.z;
    return writeWords(out, words);
}

} // namespace

WriteResult writeTbfFile(GraphicsDatabase& database, const std::string& path, double tolerance,
                         MessagePump* pump) {
    WriteResult result;
    SafeFileWriter out(path);
    if (!startPointFile(database, out, tolerance, pump, result))
        return result;

    std::size_t count = database.records.lastAndCount().second;
    if (count > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        result.message = "Too many points for a TBF file, nothing was saved...";
        return result;
    }
    const auto n = static_cast<std::int32_t>(count);
    const auto nReal = static_cast<float>(count);

    writeHeader(out, kSectionPoints, n, static_cast<std::int32_t>(kPointWords));
    for (const MoveRecord* r = database.first(); r != nullptr && !out.failed(); r = r->next) {
        writePoint(out, *r);
        if (pump != nullptr)
            pump->pump();
    }

    // The extents as they are held in memory, the Y pair turned back to true orientation.
    const Extents& e = database.status.extents;
    writeHeader(out, kSectionExtents, 1, static_cast<std::int32_t>(kExtentsWords));
    writeWords(out, std::array<float, kExtentsWords>{
                        1.0f, nReal, static_cast<float>(e.minX), static_cast<float>(e.maxX),
                        static_cast<float>(-e.minY), static_cast<float>(-e.maxY),
                        static_cast<float>(e.minZ), static_cast<float>(e.maxZ)});
    writeHeader(out, kSectionCounts, 1, static_cast<std::int32_t>(kCountsWords));
    writeWords(out, std::array<float, kCountsWords>{4.0f, 1.0f, nReal, 0.0f, 1.0f});
    writeHeader(out, kSectionText, 0, kTextSectionWordSize);

    if (!out.commit()) {
        result.message = out.error();
        return result;
    }
    result.ok = true;
    result.recordsWritten = count;
    return result;
}

} // namespace korvix
