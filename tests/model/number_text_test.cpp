#include "model/number_text.h"

#include <gtest/gtest.h>

namespace korvix {
namespace {

TEST(FormatFixed, RoundsOnceAtTheFirstLimit) {
    struct Case {
        double value;
        int digits, decimals;
        const char* text;
        const char* plain = nullptr; // formatFixedPlain, where it differs
    };
    const Case cases[] = {
        {12.25, 7, 1, "12.3"}, // exact half, away from zero
        {-12.25, 7, 1, "-12.3"},
        {123456.789, 7, 5, "123456.80000"}, // the 7th significant digit comes first
        {1234567.89, 7, 5, "1234568.00000"},
        {0.15, 7, 1, "0.1"}, // 0.15 is 0.1499999... in binary
        {2.5, 7, 0, "3"},
        {0.000123456789, 7, 5, "0.00012"},
        {0.0001234567891, 7, 12, "0.000123456800"}, // 7 digits, then zeros
        {-0.00001, 7, 4, "0.0000"},                 // reads as zero: no minus sign
        {-0.0, 7, 2, "0.00"},
        {0, 7, 5, "0.00000"},
        {9999999.6, 7, 2, "1E7", "10000000.00"},
        {123456789, 7, 5, "1.234568E8", "123456800.00000"},
        {-123456789, 7, 5, "-1.234568E8", "-123456800.00000"},
        {1.25e7, 7, 4, "1.25E7", "12500000.0000"},
        {1.5, 7, 4, "1.5000"},
        {-5, 7, 5, "-5.00000"},
        {3, 7, 5, "3.00000"},
        {1023.99999904632568359375, 7, 3, "1024.000"}, // the carry adds no digit here
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatFixed(c.value, c.digits, c.decimals), c.text)
            << c.value << " " << c.digits << " " << c.decimals;
        EXPECT_EQ(formatFixedPlain(c.value, c.digits, c.decimals), c.plain ? c.plain : c.text)
            << c.value << " " << c.digits << " " << c.decimals;
    }
}

TEST(FormatGeneral, ShortestText) {
    EXPECT_EQ(formatGeneral(1), "1");
    EXPECT_EQ(formatGeneral(1.5), "1.5");
    EXPECT_EQ(formatGeneral(-250), "-250");
    EXPECT_EQ(formatGeneral(0), "0");
    EXPECT_EQ(formatGeneral(0.001), "0.001");
    EXPECT_EQ(formatGeneral(0.0001), "1E-4");
    EXPECT_EQ(formatGeneral(1e15), "1E15");
    EXPECT_EQ(formatGeneral(1.5e15), "1.5E15");
    EXPECT_EQ(formatGeneral(999999999999999.0), "999999999999999");
    EXPECT_EQ(formatGeneral(0.1), "0.1");
    // Files: never scientific.
    EXPECT_EQ(formatGeneralPlain(0.0001), "0.0001");
    EXPECT_EQ(formatGeneralPlain(1.5e15), "1500000000000000");
    EXPECT_EQ(formatGeneralPlain(-2.5e16), "-25000000000000000");
    EXPECT_EQ(formatGeneralPlain(1.5), "1.5");
}

TEST(FormatDecimals, NoSignificantDigitLimit) {
    EXPECT_EQ(formatDecimals(123456789.125, 2), "123456789.13");
    EXPECT_EQ(formatDecimals(-0.00004, 4), "0.0000");
    EXPECT_EQ(formatDecimals(-1.00005, 4), "-1.0001");
    EXPECT_EQ(formatDecimals(7, 0), "7");
}

TEST(Conversion, IntegersAndTheirMessages) {
    EXPECT_EQ(convertInteger("42").value, 42);
    EXPECT_EQ(convertInteger("+7").value, 7);
    EXPECT_EQ(convertInteger("-2147483648").value, -2147483648LL);
    for (const char* bad : {"", "-", "+-5", "1.5", "5-", "2147483648", "99999999999999999999"}) {
        const IntegerConversion r = convertInteger(bad);
        EXPECT_EQ(r.error, ConversionError::InvalidInteger) << bad;
    }
    EXPECT_EQ(conversionMessage(convertInteger("1,5").error, "1,5"),
              "'1,5' is not a valid integer value");
    const IntegerConversion ranged = convertIntegerInRange("256", 0, 255);
    EXPECT_EQ(ranged.error, ConversionError::Range);
    EXPECT_EQ(conversionMessage(ranged.error, "256"), "Range check error");
    EXPECT_TRUE(convertIntegerInRange("255", 0, 255).ok());
}

TEST(Conversion, RealsAndTheirMessages) {
    EXPECT_DOUBLE_EQ(convertReal("5.").value, 5);
    EXPECT_DOUBLE_EQ(convertReal(".5").value, 0.5);
    EXPECT_DOUBLE_EQ(convertReal("-1.25").value, -1.25);
    EXPECT_DOUBLE_EQ(convertReal("+3").value, 3);
    for (const char* bad : {"", ".", "-", "+-5", "1.2.3", "1e5", "5-", "1,5"})
        EXPECT_EQ(convertReal(bad).error, ConversionError::InvalidReal) << bad;
    EXPECT_EQ(conversionMessage(ConversionError::InvalidReal, "1.2.3"),
              "'1.2.3' is not a valid floating point value");
    const std::string huge = "1" + std::string(60, '0');
    EXPECT_TRUE(convertReal(huge).ok());
    EXPECT_EQ(convertFloat32(huge).error, ConversionError::Range);
    EXPECT_TRUE(convertFloat32("340000000000000000000000000000000000000").ok());
}

TEST(NumericField, CharacterCheck) {
    EXPECT_FALSE(firstNonNumericChar("-12.5+"));
    EXPECT_EQ(firstNonNumericChar("12,5"), ',');
    EXPECT_EQ(nonNumericChars("1a2b"), (std::vector<char>{'a', 'b'}));
    EXPECT_EQ(nonNumericMessage(','), "Non-numeric charactor found in input data \",\"...");
    EXPECT_EQ(upperAscii("part.wir"), "PART.WIR");
}

} // namespace
} // namespace korvix
