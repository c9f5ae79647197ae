#include <gtest/gtest.h>

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

}  // namespace
}  // namespace korvell
