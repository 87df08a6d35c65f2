// Decimal text <-> double at the edges where a reader or writer of numbers
// goes wrong: ties, the smallest and largest doubles, long digit strings,
// exponents, and the switch between fixed and exponent notation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "core/DecimalText.h"

namespace rp770 {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DecimalText, ReadsTheCorrectlyRoundedLeadingNumber) {
    struct Case {
        const char* text;
        DecimalForm form;
        double value;
        size_t length;
    };
    const Case cases[] = {
        {"157.0125kHz", DecimalForm::WithExponent, 0x1.3a06666666666p+7, 8},
        {".5e3", DecimalForm::WithExponent, 500, 4},
        {".5e3", DecimalForm::Plain, 0.5, 2},
        {"5.", DecimalForm::Plain, 5, 2},
        {"1e", DecimalForm::WithExponent, 1, 1},      // an exponent needs digits
        {"0.1e+", DecimalForm::WithExponent, 0.1, 3},
        {"1D-3x", DecimalForm::WithExponent, 0.001, 4},
        {"1d3", DecimalForm::Plain, 1, 1},
        // Halfway between two doubles, and the digit that tips it.
        {"9007199254740993", DecimalForm::Plain, 0x1p+53, 16},
        {"9007199254740993.0000000000000000000001", DecimalForm::Plain, 0x1.0000000000001p+53, 39},
        {"2.4703282292062327e-324", DecimalForm::WithExponent, 0, 23},
        {"2.4703282292062328e-324", DecimalForm::WithExponent, 0x0.0000000000001p-1022, 23},
        {"1e-310", DecimalForm::WithExponent, 0x0.012688b70e62bp-1022, 6},
        {"1.7976931348623157e308", DecimalForm::WithExponent, std::numeric_limits<double>::max(), 22},
        {"1.7976931348623159e308", DecimalForm::WithExponent, kInf, 22},
        {"1e99999999999999999999", DecimalForm::WithExponent, kInf, 22},
        {"1e-99999999999999999999", DecimalForm::WithExponent, 0, 23},
    };
    for (const Case& c : cases) {
        const auto read = ReadLeadingDecimal(c.text, c.form);
        ASSERT_TRUE(read.has_value()) << c.text;
        EXPECT_EQ(std::memcmp(&read->value, &c.value, sizeof c.value), 0) << c.text << " read as " << read->value;
        EXPECT_EQ(read->length, c.length) << c.text;
    }
    for (const char* noNumber : {"", ".", ".e5", "e5", "-1", "+1", " 1"})
        EXPECT_FALSE(ReadLeadingDecimal(noNumber, DecimalForm::WithExponent).has_value()) << noNumber;
}

TEST(DecimalText, WritesThePrintfDigits) {
    struct Case {
        double value;
        int digits;
        const char* general;  // FormatDecimal
        const char* fixed;    // FixedDecimal(double)
    };
    const Case cases[] = {
        {156.8, 15, "156.8", "156.800000000000011"},
        {156.8, 17, "156.80000000000001", "156.80000000000001137"},
        {156.8, 1, "2E+02", "156.8"},
        {157.0125, 2, "1.6E+02", "157.01"},
        {1e15, 15, "1E+15", "1000000000000000.000000000000000"},
        {1e15, 17, "1000000000000000", "1000000000000000.00000000000000000"},
        {1e-4, 15, "0.0001", "0.000100000000000"},
        {1e-5, 17, "1.0000000000000001E-05", "0.00001000000000000"},
        {0.5, 0, "0.5", "0"},  // ties go to the even digit
        {2.5, 1, "2", "2.5"},
        {0.125, 2, "0.12", "0.12"},
        {9.9995, 4, "9.999", "9.9995"},  // just below the tie in binary
        {9.9995, 2, "10", "10.00"},
        {-0.0, 3, "-0", "-0.000"},
        {5e-324, 3, "4.94E-324", "0.000"},
        {kInf, 15, "inf", "inf"},
        {std::nan(""), 15, "nan", "nan"},
        {123456.5, -1, "123456", "123456.500000"},  // no precision: six, as in printf
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatDecimal(c.value, c.digits), c.general) << c.value << " to " << c.digits;
        EXPECT_EQ(FixedDecimal(c.value, c.digits), c.fixed) << c.value << " to " << c.digits;
    }
}

}  // namespace
}  // namespace rp770
