#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvix::nc {

// The characters that make up a word's value: signs, point, comma and digits.
struct ValueCharTable {
    std::array<bool, 256> member{};
    constexpr ValueCharTable() {
        for (char c : std::string_view("+-.,0123456789"))
            member[static_cast<unsigned char>(c)] = true;
    }
    constexpr bool operator()(char c) const { return member[static_cast<unsigned char>(c)]; }
};
inline constexpr ValueCharTable isValueChar{};

// Decimal places assumed when a real word is written without a point: X12345 is 1.2345.
inline constexpr int kImpliedDecimalsCoordinate = 4; // I J K R X Y Z
inline constexpr int kImpliedDecimalsFeed = 1;       // F100 is 10.0

// The fast path of real word conversion, for the forms real programs use: an optional
// leading sign and at most 15 digits with at most one point (or comma). Without a point the
// value has `impliedDecimals` implied decimals; an empty run is 0. Returns false for
// anything else, which the caller hands to realWordText and the shared converter. The
// result is the correctly rounded double of the text, as the shared converter gives it:
// an integer below 2^53 divided by an exact power of ten rounds once.
inline bool parseRealFast(const char* run, std::size_t length, int impliedDecimals, double& value) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::size_t i = 0;
    bool negative = false;
    if (length > 0 && (run[0] == '+' || run[0] == '-')) {
        negative = run[0] == '-';
        i = 1;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int decimals = -1; // no point seen yet
    for (; i < length; ++i) {
        const unsigned digit = static_cast<unsigned>(run[i] - '0');
        if (digit < 10) {
            mantissa = mantissa * 10 + digit;
            ++digits;
            if (decimals >= 0)
                ++decimals;
        } else if ((run[i] == '.' || run[i] == ',') && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (digits > 15 || (digits == 0 && decimals >= 0))
        return false;
    if (decimals < 0)
        decimals = impliedDecimals;
    const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

// The fast path of integer word conversion: an optional sign and 1 to 9 digits.
inline bool parseIntegerFast(const char* run, std::size_t length, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (length > 0 && (run[0] == '+' || run[0] == '-')) {
        negative = run[0] == '-';
        i = 1;
    }
    if (i == length || length - i > 9)
        return false;
    std::int32_t magnitude = 0;
    for (; i < length; ++i) {
        const unsigned digit = static_cast<unsigned>(run[i] - '0');
        if (digit >= 10)
            return false;
        magnitude = magnitude * 10 + static_cast<std::int32_t>(digit);
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

// The text that the conversion of a real word sees, as the error log shows it: commas read
// as points, and a run without a point rewritten with its implied decimals (sign removed,
// left-padded with zeros to impliedDecimals + 1 characters, a point before the last
// impliedDecimals characters, a minus put back in front).
std::string realWordText(std::string_view run, int impliedDecimals);

// The text that the conversion of an integer word sees: commas read as points except for
// the G and N words, whose commas stay (and so fail to convert).
std::string integerWordText(std::string_view run, bool commaIsPoint);

} // namespace korvix::nc
