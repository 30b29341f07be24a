// The date of an installed driver package, as its driver key keeps it:
// DriverDateData (a FILETIME, 8 bytes) or the older DriverDate text
// ("month-day-year", without zero padding). Both are shown as YYYY-MM-DD.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// False unless `size` is 8: the FILETIME's day (UTC), little-endian as stored.
bool DateFromFileTime(const std::uint8_t* data, std::size_t size, std::string& date);
// False unless the text is month-day-year (separated by '-' or '/') with a
// month of 1 to 12, a day of 1 to 31 and a four-digit year.
bool DateFromDriverDate(const std::string& text, std::string& date);
