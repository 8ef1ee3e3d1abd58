#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace korvix {
namespace {

// The exact decimal expansion of a double: digits with the decimal point after
// `pointPosition` of them (the integer part has no leading zeros, so a value below 1 has
// pointPosition 0).
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int pointPosition = 0;
};

DecimalDigits exactDigits(double value) {
    DecimalDigits result;
    result.negative = std::signbit(value);
    const double magnitude = std::fabs(value);
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    // value = mantissa * 2^(exponent - 53): that many fraction digits make it exact.
    const int precision = std::clamp(53 - exponent, 0, 1100);
    char buffer[1500];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                         std::chars_format::fixed, precision);
    std::string_view text(buffer, ec == std::errc{} ? static_cast<std::size_t>(end - buffer) : 0);
    const std::size_t point = text.find('.');
    std::string_view integerPart = text.substr(0, point);
    std::string_view fractionPart =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    while (!integerPart.empty() && integerPart.front() == '0')
        integerPart.remove_prefix(1);
    result.digits.reserve(integerPart.size() + fractionPart.size());
    result.digits.append(integerPart);
    result.digits.append(fractionPart);
    result.pointPosition = static_cast<int>(integerPart.size());
    return result;
}

int firstNonZero(const std::string& digits) {
    const std::size_t index = digits.find_first_not_of('0');
    return index == std::string::npos ? -1 : static_cast<int>(index);
}

// Keeps the first `keep` digits (keep may exceed the digit count, then zeros are implied),
// rounding half away from zero on the first dropped digit. A carry out of the first digit
// grows the integer part.
void roundAt(DecimalDigits& d, int keep) {
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool roundUp =
        keep < static_cast<int>(d.digits.size()) && d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep), '0');
    if (!roundUp)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
        d.digits[static_cast<std::size_t>(i)] = '0';
        --i;
    }
    if (i >= 0) {
        ++d.digits[static_cast<std::size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.pointPosition;
    }
}

bool allZero(std::string_view digits) {
    return digits.find_first_not_of('0') == std::string_view::npos;
}

// "1.234568E8" from digits whose first significant digit is at `first`.
std::string scientific(const DecimalDigits& d, int significantDigits) {
    DecimalDigits rounded = d;
    const int first = firstNonZero(rounded.digits);
    roundAt(rounded, first + significantDigits);
    const int lead = firstNonZero(rounded.digits);
    const int exponent = rounded.pointPosition - lead - 1;
    std::string mantissa = rounded.digits.substr(static_cast<std::size_t>(lead));
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();
    std::string out = d.negative ? "-" : "";
    out += mantissa[0];
    if (mantissa.size() > 1) {
        out += '.';
        out.append(mantissa, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
    return out;
}

std::string specialValue(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Writes digits with the point after pointPosition, padded to `decimals`.
std::string plain(const DecimalDigits& d, int decimals) {
    std::string integerPart = d.digits.substr(0, static_cast<std::size_t>(d.pointPosition));
    std::string fraction = d.digits.substr(static_cast<std::size_t>(d.pointPosition));
    fraction.resize(static_cast<std::size_t>(decimals), '0');
    if (integerPart.empty())
        integerPart = "0";
    std::string out;
    if (d.negative && !(allZero(integerPart) && allZero(fraction)))
        out += '-';
    out += integerPart;
    if (decimals > 0) {
        out += '.';
        out += fraction;
    }
    return out;
}

// Rounding can leave fewer digits than the integer part has: the rest are zeros.
void padIntegerDigits(DecimalDigits& d) {
    if (static_cast<int>(d.digits.size()) < d.pointPosition)
        d.digits.resize(static_cast<std::size_t>(d.pointPosition), '0');
}

std::string general(double value, int significantDigits, bool allowScientific) {
    if (!std::isfinite(value))
        return specialValue(value);
    DecimalDigits d = exactDigits(value);
    const int first = firstNonZero(d.digits);
    if (first < 0)
        return "0";
    roundAt(d, first + significantDigits);
    const int lead = firstNonZero(d.digits);
    const int exponent = d.pointPosition - lead - 1;
    if (allowScientific && (exponent >= 15 || exponent < -3))
        return scientific(d, significantDigits);
    padIntegerDigits(d);
    std::string integerPart = d.digits.substr(0, static_cast<std::size_t>(d.pointPosition));
    std::string fraction = d.digits.substr(static_cast<std::size_t>(d.pointPosition));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string out = d.negative ? "-" : "";
    out += integerPart.empty() ? "0" : integerPart;
    if (!fraction.empty()) {
        out += '.';
        out += fraction;
    }
    return out;
}

} // namespace

std::string formatFixed(double value, int significantDigits, int decimals) {
    if (!std::isfinite(value))
        return specialValue(value);
    DecimalDigits d = exactDigits(value);
    if (d.pointPosition > significantDigits)
        return scientific(d, significantDigits);
    const int first = firstNonZero(d.digits);
    if (first < 0)
        return plain(d, decimals);
    const int significantDecimals = first + significantDigits - d.pointPosition;
    roundAt(d, d.pointPosition + std::min(decimals, significantDecimals));
    if (d.pointPosition > significantDigits)
        return scientific(d, significantDigits);
    return plain(d, decimals);
}

std::string formatDecimals(double value, int decimals) {
    if (!std::isfinite(value))
        return specialValue(value);
    DecimalDigits d = exactDigits(value);
    roundAt(d, d.pointPosition + decimals);
    return plain(d, decimals);
}

std::string formatFixedPlain(double value, int significantDigits, int decimals) {
    if (!std::isfinite(value))
        return specialValue(value);
    DecimalDigits d = exactDigits(value);
    const int first = firstNonZero(d.digits);
    if (first < 0)
        return plain(d, decimals);
    roundAt(d, std::min(d.pointPosition + decimals, first + significantDigits));
    padIntegerDigits(d);
    return plain(d, decimals);
}

std::string formatGeneral(double value, int significantDigits) {
    return general(value, significantDigits, true);
}

std::string formatGeneralPlain(double value, int significantDigits) {
    return general(value, significantDigits, false);
}

IntegerConversion convertInteger(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {ConversionError::InvalidInteger, 0};
    std::int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > std::int64_t{1} << 32)
            return {ConversionError::InvalidInteger, 0};
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return {ConversionError::InvalidInteger, 0};
    return {ConversionError::None, static_cast<std::int32_t>(value)};
}

IntegerConversion convertIntegerInRange(std::string_view text, std::int32_t low,
                                        std::int32_t high) {
    IntegerConversion result = convertInteger(text);
    if (result.ok() && (result.value < low || result.value > high))
        return {ConversionError::Range, 0};
    return result;
}

RealConversion convertReal(std::string_view text) {
    std::string_view body = text;
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    int points = 0;
    int digits = 0;
    for (char c : body) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return {ConversionError::InvalidReal, 0};
    }
    if (digits == 0 || points > 1)
        return {ConversionError::InvalidReal, 0};
    double value = 0;
    const auto [ptr, ec] =
        std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range)
        return {ConversionError::Range, 0};
    if (ec != std::errc{} || ptr != body.data() + body.size())
        return {ConversionError::InvalidReal, 0};
    return {ConversionError::None, negative ? -value : value};
}

RealConversion convertFloat32(std::string_view text) {
    RealConversion result = convertReal(text);
    if (result.ok() && !(std::fabs(result.value) <= std::numeric_limits<float>::max()))
        return {ConversionError::Range, 0};
    return result;
}

std::string conversionMessage(ConversionError error, std::string_view text) {
    switch (error) {
    case ConversionError::None:
        return {};
    case ConversionError::InvalidInteger:
        return "'" + std::string(text) + "' is not a valid integer value";
    case ConversionError::InvalidReal:
        return "'" + std::string(text) + "' is not a valid floating point value";
    case ConversionError::Range:
        return "Range check error";
    }
    return {};
}

std::optional<char> firstNonNumericChar(std::string_view text) {
    for (char c : text)
        if (!isNumericFieldChar(c))
            return c;
    return std::nullopt;
}

std::vector<char> nonNumericChars(std::string_view text) {
    std::vector<char> found;
    for (char c : text)
        if (!isNumericFieldChar(c))
            found.push_back(c);
    return found;
}

std::string nonNumericMessage(char c) {
    return std::string("Non-numeric charactor found in input data \"") + c + "\"...";
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

} // namespace korvix
