#pragma once

#include "windows.h"

#include <cstdint>
#include <ctime>

namespace mullion {

// A FILETIME counts 100-nanosecond intervals since 1 January 1601 (UTC).
constexpr uint64_t file_time_units_per_second = 10'000'000;
constexpr uint64_t unix_epoch_in_file_time = 116'444'736'000'000'000ULL;

uint64_t file_time_value(const FILETIME& time);
FILETIME make_file_time(uint64_t value);
FILETIME file_time_from_timespec(const timespec& time);
timespec timespec_from_file_time(const FILETIME& time);

} // namespace mullion
