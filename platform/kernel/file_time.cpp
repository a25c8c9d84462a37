// FILETIME conversions: FileTimeToLocalFileTime, LocalFileTimeToFileTime,
// FileTimeToSystemTime, SystemTimeToFileTime, CompareFileTime, GetSystemTime, GetLocalTime and
// GetSystemTimeAsFileTime. Local time is the host's time zone with the offset in force at the
// converted instant (not the offset in force now), so that dates agree with the host's own
// listings of the same files.
#include "file_time.h"

#include <chrono>

namespace mullion {
namespace {

constexpr int64_t seconds_per_day = 86400;

// Days from 1 January 1970 of a proleptic Gregorian date (civil calendar arithmetic).
int64_t days_from_civil(int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const unsigned year_of_era = unsigned(year - era * 400);
    const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned day_of_era =
        year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    return era * 146097 + int64_t(day_of_era) - 719468;
}

void civil_from_days(int64_t days, int64_t& year, unsigned& month, unsigned& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned day_of_era = unsigned(days - era * 146097);
    const unsigned year_of_era =
        (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
    const unsigned day_of_year =
        day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
    const unsigned shifted_month = (5 * day_of_year + 2) / 153;
    day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
    month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
    year = int64_t(year_of_era) + era * 400 + (month <= 2);
}

bool is_leap(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// The host's offset from UTC, in seconds, at a Unix time.
int64_t utc_offset_at(time_t unix_seconds) {
    tm local{};
    localtime_r(&unix_seconds, &local);
    return local.tm_gmtoff;
}

int64_t unix_seconds_of(uint64_t file_time) {
    return int64_t(file_time / file_time_units_per_second) -
           int64_t(unix_epoch_in_file_time / file_time_units_per_second);
}

} // namespace

uint64_t file_time_value(const FILETIME& time) {
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME make_file_time(uint64_t value) {
    return FILETIME{DWORD(value), DWORD(value >> 32)};
}

FILETIME file_time_from_timespec(const timespec& time) {
    const int64_t units = int64_t(time.tv_sec) * int64_t(file_time_units_per_second) +
                          time.tv_nsec / 100 + int64_t(unix_epoch_in_file_time);
    return make_file_time(units < 0 ? 0 : uint64_t(units));
}

timespec timespec_from_file_time(const FILETIME& time) {
    const int64_t units = int64_t(file_time_value(time)) - int64_t(unix_epoch_in_file_time);
    int64_t seconds = units / int64_t(file_time_units_per_second);
    int64_t rest = units % int64_t(file_time_units_per_second);
    if (rest < 0) {
        rest += file_time_units_per_second;
        --seconds;
    }
    return timespec{time_t(seconds), long(rest * 100)};
}

} // namespace mullion

using namespace mullion;

BOOL WINAPI FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime) {
    if (!lpFileTime || !lpLocalFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uint64_t utc = file_time_value(*lpFileTime);
    const int64_t offset = utc_offset_at(time_t(unix_seconds_of(utc)));
    *lpLocalFileTime =
        make_file_time(uint64_t(int64_t(utc) + offset * int64_t(file_time_units_per_second)));
    return TRUE;
}

BOOL WINAPI LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime) {
    if (!lpLocalFileTime || !lpFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uint64_t local = file_time_value(*lpLocalFileTime);
    // The offset of the instant the local time names: try the offset at the local reading,
    // then correct once, which settles everywhere except inside a clock change.
    const int64_t local_seconds = unix_seconds_of(local);
    int64_t offset = utc_offset_at(time_t(local_seconds));
    offset = utc_offset_at(time_t(local_seconds - offset));
    *lpFileTime =
        make_file_time(uint64_t(int64_t(local) - offset * int64_t(file_time_units_per_second)));
    return TRUE;
}

BOOL WINAPI FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime) {
    if (!lpFileTime || !lpSystemTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uint64_t value = file_time_value(*lpFileTime);
    // Documented: values of 0x8000000000000000 and above are refused.
    if (value >= 0x8000000000000000ULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const int64_t days_since_1601 = int64_t(value / (file_time_units_per_second * seconds_per_day));
    const int64_t second_of_day =
        int64_t(value / file_time_units_per_second) - days_since_1601 * seconds_per_day;
    const int64_t days = days_since_1601 + days_from_civil(1601, 1, 1);
    int64_t year;
    unsigned month, day;
    civil_from_days(days, year, month, day);
    lpSystemTime->wYear = WORD(year);
    lpSystemTime->wMonth = WORD(month);
    lpSystemTime->wDay = WORD(day);
    // 1 January 1601 was a Monday; Sunday is 0.
    lpSystemTime->wDayOfWeek = WORD((days_since_1601 + 1) % 7);
    lpSystemTime->wHour = WORD(second_of_day / 3600);
    lpSystemTime->wMinute = WORD(second_of_day / 60 % 60);
    lpSystemTime->wSecond = WORD(second_of_day % 60);
    lpSystemTime->wMilliseconds = WORD(value / 10000 % 1000);
    return TRUE;
}

BOOL WINAPI SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime) {
    if (!lpSystemTime || !lpFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const SYSTEMTIME& t = *lpSystemTime;
    static constexpr unsigned days_in_month[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool valid_date =
        t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 && t.wDay >= 1 &&
        t.wDay <= days_in_month[t.wMonth - 1] + (t.wMonth == 2 && is_leap(t.wYear));
    if (!valid_date || t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59 || t.wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // The day of the week is ignored, as documented.
    const int64_t days = days_from_civil(t.wYear, t.wMonth, t.wDay) - days_from_civil(1601, 1, 1);
    const int64_t seconds = days * seconds_per_day + t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
    *lpFileTime = make_file_time(uint64_t(seconds) * file_time_units_per_second +
                                 uint64_t(t.wMilliseconds) * 10000);
    return TRUE;
}

LONG WINAPI CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2) {
    const uint64_t a = file_time_value(*lpFileTime1);
    const uint64_t b = file_time_value(*lpFileTime2);
    return a < b ? -1 : a > b ? 1 : 0;
}

void WINAPI GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime) {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    *lpSystemTimeAsFileTime = file_time_from_timespec(now);
}

void WINAPI GetSystemTime(LPSYSTEMTIME lpSystemTime) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    FileTimeToSystemTime(&now, lpSystemTime);
}

void WINAPI GetLocalTime(LPSYSTEMTIME lpSystemTime) {
    FILETIME now, local;
    GetSystemTimeAsFileTime(&now);
    FileTimeToLocalFileTime(&now, &local);
    FileTimeToSystemTime(&local, lpSystemTime);
}
