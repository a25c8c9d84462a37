// The date text of the overwrite prompt: weekday, month, 12-hour clock and padding.
#include "date_format.h"

#include <gtest/gtest.h>

namespace {

SYSTEMTIME Fields(WORD year, WORD month, WORD dayOfWeek, WORD day, WORD hour, WORD minute,
                  WORD second) {
    return SYSTEMTIME{year, month, dayOfWeek, day, hour, minute, second, 0};
}

TEST(FormatDateFields, DocumentedExample) {
    EXPECT_STREQ(FormatDateFields(Fields(1996, 4, 3, 10, 16, 59, 40)),
                 "Wednesday,  April 10, 1996,  4:59:40  PM");
}

TEST(FormatDateFields, TwelveHourClock) {
    EXPECT_STREQ(FormatDateFields(Fields(2001, 1, 1, 1, 0, 0, 0)),
                 "Monday,  January 1, 2001,  12:00:00  AM");
    EXPECT_STREQ(FormatDateFields(Fields(2001, 1, 1, 1, 11, 59, 59)),
                 "Monday,  January 1, 2001,  11:59:59  AM");
    EXPECT_STREQ(FormatDateFields(Fields(2001, 1, 1, 1, 12, 0, 0)),
                 "Monday,  January 1, 2001,  12:00:00  PM");
    EXPECT_STREQ(FormatDateFields(Fields(2001, 1, 1, 1, 13, 5, 9)),
                 "Monday,  January 1, 2001,  1:05:09  PM");
    EXPECT_STREQ(FormatDateFields(Fields(2001, 1, 1, 1, 23, 0, 0)),
                 "Monday,  January 1, 2001,  11:00:00  PM");
}

TEST(FormatDateFields, EveryWeekdayAndMonth) {
    const char* weekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                              "Thursday", "Friday", "Saturday"};
    for (WORD day = 0; day < 7; ++day) {
        const CString text = FormatDateFields(Fields(1999, 12, day, 31, 9, 30, 0));
        EXPECT_EQ(std::string(text),
                  std::string(weekdays[day]) + ",  December 31, 1999,  9:30:00  AM");
    }
    const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                            "July",    "August",   "September", "October", "November", "December"};
    for (WORD month = 1; month <= 12; ++month) {
        const CString text = FormatDateFields(Fields(2010, month, 5, 7, 8, 9, 10));
        EXPECT_EQ(std::string(text),
                  "Friday,  " + std::string(months[month - 1]) + " 7, 2010,  8:09:10  AM");
    }
}

TEST(FormatDateFields, OutOfRangeFieldsFallBack) {
    EXPECT_STREQ(FormatDateFields(Fields(2000, 13, 9, 2, 10, 0, 0)),
                 "Monday,  January 2, 2000,  10:00:00  AM");
    EXPECT_STREQ(FormatDateFields(Fields(2000, 0, 7, 2, 10, 0, 0)),
                 "Monday,  January 2, 2000,  10:00:00  AM");
}

TEST(FormatFileDate, ShowsTheFileTimeInLocalTime) {
    // The file time whose local time is 10 April 1996, 16:59:40.
    const SYSTEMTIME local = Fields(1996, 4, 3, 10, 16, 59, 40);
    FILETIME localTime;
    FILETIME fileTime;
    ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
    ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &fileTime));
    EXPECT_STREQ(FormatFileDate(fileTime), "Wednesday,  April 10, 1996,  4:59:40  PM");
}

} // namespace
