#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// Fixed notation: rounded once, half away from zero on the exact binary value, at whichever
// comes first, the `significantDigits`-th significant digit or the `decimals`-th decimal,
// then padded with zeros to `decimals` decimals. A value whose integer part has more than
// `significantDigits` digits is written in scientific notation ("1.234568E8"). A result
// that reads as zero has no minus sign.
std::string formatFixed(double value, int significantDigits, int decimals);

// As formatFixed, for files: a control reads "X1E7" as X1, so a large value keeps all its
// integer digits, those past the significant ones zero ("12345680.0000").
std::string formatFixedPlain(double value, int significantDigits, int decimals);

// The usual displays: 7 significant digits with 5, 4, 3 or 2 decimals.
inline std::string fixed7(double value, int decimals) {
    return formatFixed(value, 7, decimals);
}

// General notation: up to `significantDigits` significant digits, shortest text, no point
// for an integral value; scientific ("1.5E15", "1E-4") from 1E15 up and below 1E-3.
std::string formatGeneral(double value, int significantDigits = 15);

// As formatGeneral, for files: never scientific ("1000000000000000", "0.0001").
std::string formatGeneralPlain(double value, int significantDigits = 15);

// Rounds half away from zero to `decimals` decimals (no significant-digit step) and writes
// the result in plain fixed notation, never scientific, without a minus sign on zero.
std::string formatDecimals(double value, int decimals);

enum class ConversionError : std::uint8_t { None, InvalidInteger, InvalidReal, Range };

struct IntegerConversion {
    ConversionError error = ConversionError::None;
    std::int32_t value = 0;
    bool ok() const { return error == ConversionError::None; }
};
struct RealConversion {
    ConversionError error = ConversionError::None;
    double value = 0;
    bool ok() const { return error == ConversionError::None; }
};

// Optional sign, then digits; the 32-bit range.
IntegerConversion convertInteger(std::string_view text);
// Optional sign, digits with at most one point and at least one digit ("5." and ".5" are
// valid; ".", "-", "+-5" and "1.2.3" are not).
RealConversion convertReal(std::string_view text);
// As convertReal, and the value must be finite and fit a 32-bit float.
RealConversion convertFloat32(std::string_view text);
// An integer that must lie in [low, high]; outside it the error is Range.
IntegerConversion convertIntegerInRange(std::string_view text, std::int32_t low, std::int32_t high);

// "'TEXT' is not a valid integer value", "'TEXT' is not a valid floating point value" or
// "Range check error".
std::string conversionMessage(ConversionError error, std::string_view text);

// Numeric dialog fields accept "+", "-", "." and digits only.
inline bool isNumericFieldChar(char c) {
    return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}
std::optional<char> firstNonNumericChar(std::string_view text);
std::vector<char> nonNumericChars(std::string_view text);
// "Non-numeric charactor found in input data "c"..."
std::string nonNumericMessage(char c);

// ASCII-only upper-casing.
std::string upperAscii(std::string_view text);

} // namespace korvix
