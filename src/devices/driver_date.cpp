#include "devices/driver_date.h"

#include "text/print_format.h"

namespace {

std::string Format(long long year, unsigned month, unsigned day) {
    char text[32];
    FormatPrint(text, sizeof text, "%04lld-%02u-%02u", year, month, day);
    return text;
}

// Reads digits from `pos` up to a separator or the end; false when there are
// none or more than `most`.
bool Number(const std::string& text, std::size_t& pos, std::size_t most, unsigned& value) {
    const std::size_t start = pos;
    value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < most) {
        value = value * 10 + static_cast<unsigned>(text[pos] - '0');
        ++pos;
    }
    return pos > start && (pos == text.size() || text[pos] == '-' || text[pos] == '/');
}

}  // namespace

bool DateFromFileTime(const std::uint8_t* data, std::size_t size, std::string& date) {
    if (data == nullptr || size != 8) {
        return false;
    }
    std::uint64_t ticks = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        ticks |= static_cast<std::uint64_t>(data[i]) << (8 * i);
    }
    // 100-nanosecond ticks since 1601-01-01; days from there, then the civil
    // date of the proleptic Gregorian calendar (days counted from 0000-03-01).
    const long long days = static_cast<long long>(ticks / 864000000000ULL);
    const long long z = days + 584694;  // 1601-01-01 from 0000-03-01
    const long long era = z / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const auto day = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
    const auto month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    const long long year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    date = Format(year, month, day);
    return true;
}

bool DateFromDriverDate(const std::string& text, std::string& date) {
    std::size_t pos = 0;
    unsigned month = 0;
    unsigned day = 0;
    unsigned year = 0;
    if (!Number(text, pos, 2, month) || pos == text.size()) {
        return false;
    }
    ++pos;
    if (!Number(text, pos, 2, day) || pos == text.size()) {
        return false;
    }
    const std::size_t yearStart = ++pos;
    if (!Number(text, pos, 4, year) || pos != text.size() || pos - yearStart != 4) {
        return false;
    }
    if (month < 1 || month > 12 || day < 1 || day > 31) {
        return false;
    }
    date = Format(year, month, day);
    return true;
}
