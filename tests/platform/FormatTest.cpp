// The date texts, and the fast fixed and general formatters, which must write exactly what printf
// writes: the catalog lines and the JSON numbers are read back and compared byte for byte with
// golden output.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/Format.h"

namespace korvell {
namespace {

std::tm date(int year, int month, int day, int weekday) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month;
    t.tm_mday = day;
    t.tm_wday = weekday;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    return t;
}

TEST(Format, StandardDateTextIsTwentyFourCharacters) {
    EXPECT_EQ(standardDateText(date(2026, 11, 8, 2)), "Tue Dec  8 09:05:03 2026");
    EXPECT_EQ(standardDateText(date(2027, 0, 18, 1)), "Mon Jan 18 09:05:03 2027");
    EXPECT_EQ(standardDateText(date(2026, 12, 8, 7)), "??? ???  8 09:05:03 2026");
}

std::string fixed(double value, int width, int precision) {
    std::string text;
    appendFixed(text, value, width, precision);
    return text;
}

TEST(Format, FixedWritesWhatPrintfWrites) {
    std::mt19937_64 random(2604);
    std::uniform_real_distribution<double> exponent(-8, 12);
    std::uniform_int_distribution<int> precision(0, 9);
    std::uniform_int_distribution<int> width(0, 12);
    for (int i = 0; i < 200000; ++i) {
        const double magnitude = std::pow(10.0, exponent(random));
        const double value = (i % 3 == 0 ? -1 : 1) * magnitude;
        const int p = precision(random);
        const int w = width(random);
        ASSERT_EQ(fixed(value, w, p), strprintf("%*.*f", w, p, value)) << value;
        // Values on the printed grid and exactly halfway between its steps.
        const double grid = std::round(magnitude * 1000) / 1000;
        ASSERT_EQ(fixed(grid, w, 3), strprintf("%*.3f", w, grid)) << grid;
        const double tie = (std::floor(magnitude * 8) + 0.5) / 8;
        ASSERT_EQ(fixed(tie, w, 3), strprintf("%*.3f", w, tie)) << tie;
        ASSERT_EQ(fixed(tie, w, 1), strprintf("%*.1f", w, tie)) << tie;
    }
}

TEST(Format, FixedHandlesTiesZerosAndNonFiniteValuesAsPrintf) {
    for (const double value : {0.125, 0.375, 2.5, 3.5, -0.0, 0.0, -0.0004, 0.0005, 1e9, 1e300,
                               -1e-300, 12345678.9, HUGE_VAL, -HUGE_VAL, std::nan("")}) {
        for (int p : {0, 1, 2, 3, 6}) {
            EXPECT_EQ(fixed(value, 8, p), strprintf("%8.*f", p, value)) << value << " " << p;
        }
    }
}

TEST(Format, GeneralWritesWhatPrintfWrites) {
    std::mt19937_64 random(1204);
    std::uniform_real_distribution<double> exponent(-12, 40);
    for (int i = 0; i < 100000; ++i) {
        const double value = static_cast<float>(std::pow(10.0, exponent(random)));
        ASSERT_EQ(generalText(value, 7), strprintf("%.7g", value)) << value;
    }
    for (const double value :
         {0.0, -0.0, 1.0, 100000.0, 1234567.0, 12345678.0, 1e-5, 0.0001, HUGE_VAL, std::nan("")}) {
        EXPECT_EQ(generalText(value, 7), strprintf("%.7g", value)) << value;
    }
}

TEST(Format, FiguresBeyondWhatARowShowsReadInfinite) {
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    for (const Case c :
         {Case{"%6.3f", 1.5, " 1.500"}, Case{"%9.3g", 123456, " 1.23e+05"},
          Case{"%6.1f", 123456789.0, "123456789.0"},
          // A float's limit standing in for a skin depth at DC, and infinity.
          Case{"%6.4f", 3.4028234663852886e38, "INFINITE"}, Case{"%6.4f", HUGE_VAL, "INFINITE"},
          Case{"%6.1f", -1e30, "-"}, Case{"%6.1f", std::nan(""), "-"}}) {
        EXPECT_EQ(figureText(c.format, c.value), c.text) << c.value;
        EXPECT_EQ(figureShowable(c.format, c.value), c.text[0] != 'I' && c.text[0] != '-')
            << c.value;
    }
}

}  // namespace
}  // namespace korvell
