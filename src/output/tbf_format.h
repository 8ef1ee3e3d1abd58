#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

// The layout of TBF files: sections of fixed-size items, every value a little-endian 32-bit
// word. Values are packed byte by byte, so the files are the same on every platform.
namespace korvix::tbf {

inline constexpr std::int32_t kSectionPoints = 1;
inline constexpr std::int32_t kSectionExtents = 2;
inline constexpr std::int32_t kSectionCounts = 3;
inline constexpr std::int32_t kSectionText = 20;

inline constexpr std::size_t kHeaderBytes = 12;
inline constexpr std::size_t kPointWords = 24;
inline constexpr std::size_t kExtentsWords = 8;
inline constexpr std::size_t kCountsWords = 5;
inline constexpr std::size_t kPointBytes = kPointWords * 4;
inline constexpr std::size_t kExtentsBytes = kExtentsWords * 4;
inline constexpr std::size_t kCountsBytes = kCountsWords * 4;
// The third header word of the text section as written; the section carries no text.
inline constexpr std::int32_t kTextSectionWordSize = 7;

// Words of a point record.
inline constexpr std::size_t kWordMoveFlag = 0; // 0.0 rapid, above 0.0 feed
inline constexpr std::size_t kWordFeed = 2;
inline constexpr std::size_t kWordX = 4;
inline constexpr std::size_t kWordY = 5;
inline constexpr std::size_t kWordZ = 6;

inline void putU32(unsigned char* out, std::uint32_t value) {
    out[0] = static_cast<unsigned char>(value);
    out[1] = static_cast<unsigned char>(value >> 8);
    out[2] = static_cast<unsigned char>(value >> 16);
    out[3] = static_cast<unsigned char>(value >> 24);
}
inline void putI32(unsigned char* out, std::int32_t value) {
    putU32(out, static_cast<std::uint32_t>(value));
}
inline void putF32(unsigned char* out, float value) {
    putU32(out, std::bit_cast<std::uint32_t>(value));
}

inline std::uint32_t getU32(const unsigned char* in) {
    return static_cast<std::uint32_t>(in[0]) | (static_cast<std::uint32_t>(in[1]) << 8) |
           (static_cast<std::uint32_t>(in[2]) << 16) | (static_cast<std::uint32_t>(in[3]) << 24);
}
inline std::int32_t getI32(const unsigned char* in) {
    return static_cast<std::int32_t>(getU32(in));
}
inline float getF32(const unsigned char* in) {
    return std::bit_cast<float>(getU32(in));
}

} // namespace korvix::tbf
