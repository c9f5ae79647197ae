#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "engine/EntryFields.h"

namespace korvell {
namespace {

TEST(EntryFields, ReadsTheLeadingNumberAsTheCScannersDo) {
    EXPECT_FLOAT_EQ(readFieldFloat("  100.00"), 100.0f);
    EXPECT_FLOAT_EQ(readFieldFloat(".5"), 0.5f);
    EXPECT_FLOAT_EQ(readFieldFloat("5."), 5.0f);
    EXPECT_FLOAT_EQ(readFieldFloat("12 5"), 12.0f);
    EXPECT_FLOAT_EQ(readFieldFloat("1.2.3"), 1.2f);
    EXPECT_FLOAT_EQ(readFieldFloat("-55"), -55.0f);
    EXPECT_FLOAT_EQ(readFieldFloat("-.5"), -0.5f);
    EXPECT_FLOAT_EQ(readFieldFloat("5-3"), 5.0f);
    EXPECT_EQ(readFieldFloat("0.1"), 0.1f);  // rounded once, as "%f" rounds
    EXPECT_EQ(readFieldCount("  12"), 12);
    EXPECT_EQ(readFieldCount("2 5"), 2);
}

TEST(EntryFields, AFieldWithoutANumberReadsAsZero) {
    for (const char* text : {"", "   ", ".", " . ", "-", "--5", "-.", ".-5", "abc"}) {
        EXPECT_EQ(readFieldFloat(text), 0.0f) << '"' << text << '"';
    }
    for (const char* text : {"", "   ", "-", "x1"}) {
        EXPECT_EQ(readFieldCount(text), 0) << '"' << text << '"';
    }
}

TEST(EntryFields, HugeAndTinyNumbersStayFinite) {
    const std::string huge(60, '9');
    EXPECT_EQ(readFieldFloat(huge), FLT_MAX);
    EXPECT_EQ(readFieldFloat("-" + huge), -FLT_MAX);
    EXPECT_EQ(readFieldFloat("0." + std::string(80, '0') + "1"), 0.0f);
    EXPECT_FLOAT_EQ(readFieldFloat(std::string(40, '0') + "7.25"), 7.25f);
    EXPECT_EQ(readFieldCount(huge), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(readFieldCount("2147483647"), 2147483647);
    EXPECT_EQ(readFieldCount("2147483648"), 2147483647);
    EXPECT_EQ(readFieldCount("-" + huge), std::numeric_limits<std::int32_t>::min());
}

TEST(EntryFields, ExponentsAndNamedValuesAreNotNumbers) {
    EXPECT_FLOAT_EQ(readFieldFloat("1e5"), 1.0f);
    EXPECT_EQ(readFieldFloat("nan"), 0.0f);
    EXPECT_EQ(readFieldFloat("inf"), 0.0f);
    EXPECT_EQ(readFieldFloat("0x1p3"), 0.0f);
}

TEST(EntryFields, ThePointIsAPointInEveryLocale) {
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const bool switched = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    EXPECT_FLOAT_EQ(readFieldFloat("1.5"), 1.5f);
    std::setlocale(LC_NUMERIC, saved.c_str());
    if (!switched) GTEST_SKIP() << "de_DE locale not installed";
}

TEST(EntryFields, CharacterChecksAndStoredConversions) {
    EXPECT_TRUE(holdsOnly("", kUnsignedFieldChars));
    EXPECT_TRUE(holdsOnly(" 1.5 ", kUnsignedFieldChars));
    EXPECT_FALSE(holdsOnly("-1", kUnsignedFieldChars));
    EXPECT_TRUE(holdsOnly("-1", kSignedFieldChars));
    EXPECT_FALSE(holdsOnly("2.5", kCountFieldChars));
    EXPECT_FALSE(holdsOnly(std::string("1\0", 2), kUnsignedFieldChars));
    EXPECT_EQ(invalidCharacterMessage(9, "2.5"), "INVALID CHARACTER in Parameter 9.  2.5 ");

    EXPECT_EQ(toStoredFloat(1e300), FLT_MAX);
    EXPECT_EQ(toStoredFloat(-1e300), -FLT_MAX);
    EXPECT_EQ(toStoredFloat(std::nan("")), 0.0f);
    EXPECT_EQ(toCount(2.0f), 2);
    EXPECT_EQ(toCount(2.9f), 2);
    EXPECT_EQ(toCount(3e9f), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toCount(static_cast<float>(std::numeric_limits<std::int32_t>::max())),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(toCount(-3e9f), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(toCount(std::nanf("")), 0);
}

}  // namespace
}  // namespace korvell
