#include <gtest/gtest.h>

#include <ctime>
#include <limits>
#include <regex>

#include "ui/time_stamp.h"

namespace {

std::tm MakeTm(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(TimeStampTest, FormatsMonthDayYearAndTwentyFourHourTime) {
    const struct {
        std::tm time;
        const char* text;
    } cases[] = {
        {MakeTm(2026, 12, 7, 20, 19, 0), "12/07/2026  20:19:00   "},
        {MakeTm(2003, 1, 2, 4, 5, 6), "01/02/2003  04:05:06   "},
        {MakeTm(1999, 10, 31, 0, 0, 0), "10/31/1999  00:00:00   "},
        {MakeTm(987, 6, 15, 23, 59, 60), "06/15/0987  23:59:60   "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTimeStamp(c.time), c.text);
}

TEST(TimeStampTest, LocalTimeOrNothing) {
    // A moment in 1971 is a date in that year in any time zone.
    const std::regex form(R"(\d\d/\d\d/1971  \d\d:\d\d:\d\d   )");
    EXPECT_TRUE(std::regex_match(LocalTimeStamp(400 * 86400), form)) << LocalTimeStamp(400 * 86400);
    EXPECT_EQ(LocalTimeStamp(std::numeric_limits<std::time_t>::max()), "");
}

} // namespace
