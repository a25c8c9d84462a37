// FILETIME conversions against the documented epoch and calendar, and against the host's
// own local time.
#include "scratch_drives.h"

#include "windows.h"

#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

uint64_t value(const FILETIME& time) {
    return uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FILETIME from_value(uint64_t v) {
    return FILETIME{DWORD(v), DWORD(v >> 32)};
}

// 1 January 1970 in 100-nanosecond units since 1 January 1601.
constexpr uint64_t unix_epoch = 116444736000000000ULL;

TEST(FileTimeTest, SystemTimeOfKnownInstants) {
    SYSTEMTIME time;
    const FILETIME origin = from_value(0);
    ASSERT_TRUE(FileTimeToSystemTime(&origin, &time));
    EXPECT_EQ(time.wYear, 1601);
    EXPECT_EQ(time.wMonth, 1);
    EXPECT_EQ(time.wDay, 1);
    EXPECT_EQ(time.wDayOfWeek, 1); // a Monday

    // 10 April 1996, 16:59:40.123 UTC: 829155580 seconds after the Unix epoch.
    const FILETIME instant = from_value(unix_epoch + 829155580ULL * 10000000ULL + 1230000);
    ASSERT_TRUE(FileTimeToSystemTime(&instant, &time));
    EXPECT_EQ(time.wYear, 1996);
    EXPECT_EQ(time.wMonth, 4);
    EXPECT_EQ(time.wDay, 10);
    EXPECT_EQ(time.wDayOfWeek, 3); // a Wednesday
    EXPECT_EQ(time.wHour, 16);
    EXPECT_EQ(time.wMinute, 59);
    EXPECT_EQ(time.wSecond, 40);
    EXPECT_EQ(time.wMilliseconds, 123);

    FILETIME back;
    ASSERT_TRUE(SystemTimeToFileTime(&time, &back));
    EXPECT_EQ(value(back), value(instant));
}

TEST(FileTimeTest, LeapDaysAndInvalidDates) {
    SYSTEMTIME time{2000, 2, 0, 29, 12, 0, 0, 0};
    FILETIME file_time;
    ASSERT_TRUE(SystemTimeToFileTime(&time, &file_time));
    SYSTEMTIME back;
    FileTimeToSystemTime(&file_time, &back);
    EXPECT_EQ(back.wDayOfWeek, 2); // 29 February 2000 was a Tuesday
    time.wYear = 1900;             // not a leap year
    EXPECT_FALSE(SystemTimeToFileTime(&time, &file_time));
    time = SYSTEMTIME{1999, 13, 0, 1, 0, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&time, &file_time));
    time = SYSTEMTIME{1999, 12, 0, 31, 24, 0, 0, 0};
    EXPECT_FALSE(SystemTimeToFileTime(&time, &file_time));
    const FILETIME too_late = from_value(1ULL << 63);
    EXPECT_FALSE(FileTimeToSystemTime(&too_late, &back));
}

TEST(FileTimeTest, CompareOrdersByValue) {
    const FILETIME early = from_value(5), late = from_value(1ULL << 40);
    EXPECT_EQ(CompareFileTime(&early, &late), -1);
    EXPECT_EQ(CompareFileTime(&late, &early), 1);
    EXPECT_EQ(CompareFileTime(&early, &early), 0);
}

// Runs with a time zone that has daylight saving time, set through TZ.
class LocalTimeTest : public ScratchDrives {
protected:
    void SetUp() override {
        ScratchDrives::SetUp();
        const char* zone = std::getenv("TZ");
        m_saved_zone = zone ? zone : "";
        m_had_zone = zone != nullptr;
        // Central European time: UTC+1, summer time UTC+2 from the last Sunday of March to
        // the last Sunday of October.
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    void TearDown() override {
        if (m_had_zone)
            setenv("TZ", m_saved_zone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
        ScratchDrives::TearDown();
    }
    std::string m_saved_zone;
    bool m_had_zone = false;
};

TEST_F(LocalTimeTest, LocalFileTimeAppliesTheOffsetOfTheInstant) {
    // 15 January 2021 12:00 UTC (winter) and 15 July 2021 12:00 UTC (summer).
    const FILETIME winter = from_value(unix_epoch + 1610712000ULL * 10000000ULL);
    const FILETIME summer = from_value(unix_epoch + 1626350400ULL * 10000000ULL);
    FILETIME local;
    SYSTEMTIME fields;
    ASSERT_TRUE(FileTimeToLocalFileTime(&winter, &local));
    FileTimeToSystemTime(&local, &fields);
    EXPECT_EQ(fields.wHour, 13);
    ASSERT_TRUE(FileTimeToLocalFileTime(&summer, &local));
    FileTimeToSystemTime(&local, &fields);
    EXPECT_EQ(fields.wHour, 14);
    FILETIME back;
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(value(back), value(summer));
}

TEST_F(LocalTimeTest, FileWriteTimeAgreesWithHostLocalTime) {
    write_host_file(on_c("dated.txt"), "x");
    // 3 August 2019 21:14:09 UTC.
    const time_t when = 1564866849;
    const timespec times[2] = {{when, 0}, {when, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, on_c("dated.txt").c_str(), times, 0), 0);

    HANDLE file = CreateFileA("C:\\dated.txt", GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME written, local;
    ASSERT_TRUE(GetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);
    EXPECT_EQ(value(written), unix_epoch + uint64_t(when) * 10000000ULL);

    ASSERT_TRUE(FileTimeToLocalFileTime(&written, &local));
    SYSTEMTIME fields;
    ASSERT_TRUE(FileTimeToSystemTime(&local, &fields));
    tm host{};
    localtime_r(&when, &host);
    EXPECT_EQ(fields.wYear, host.tm_year + 1900);
    EXPECT_EQ(fields.wMonth, host.tm_mon + 1);
    EXPECT_EQ(fields.wDay, host.tm_mday);
    EXPECT_EQ(fields.wDayOfWeek, host.tm_wday);
    EXPECT_EQ(fields.wHour, host.tm_hour);
    EXPECT_EQ(fields.wMinute, host.tm_min);
    EXPECT_EQ(fields.wSecond, host.tm_sec);
}

TEST_F(LocalTimeTest, SetFileTimeChangesTheHostTime) {
    write_host_file(on_c("touch.txt"), "x");
    HANDLE file =
        CreateFileA("C:\\touch.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const FILETIME when = from_value(unix_epoch + 1000000000ULL * 10000000ULL);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &when));
    CloseHandle(file);
    struct stat status;
    ASSERT_EQ(stat(on_c("touch.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mtim.tv_sec, 1000000000);
}

} // namespace
