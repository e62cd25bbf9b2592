#include "diary/LocalTime.h"

#include <array>
#include <chrono>
#include <ctime>
#include <vector>

namespace calendar {

namespace {

constexpr std::array<std::string_view, 7> DayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> MonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

std::tm LocalFields(TimeValue time) {
    const auto value = static_cast<std::time_t>(time);
    std::tm fields{};
#ifdef _WIN32
    const bool converted = localtime_s(&fields, &value) == 0;
#else
    const bool converted = localtime_r(&value, &fields) != nullptr;
#endif
    if (!converted) {
        // Out of the C library's range: the start of the epoch is as good a date as any.
        fields = std::tm{};
        fields.tm_year = 70;
        fields.tm_mday = 1;
        fields.tm_wday = 4;
    }
    return fields;
}

std::chrono::sys_days CalendarDate(const std::tm& fields) {
    using namespace std::chrono;
    return sys_days{year{fields.tm_year + 1900} / month{static_cast<unsigned>(fields.tm_mon + 1)} /
                    day{static_cast<unsigned>(fields.tm_mday)}};
}

std::string_view NameAt(const auto& names, int index) {
    const auto position = static_cast<std::size_t>(index);
    return position < names.size() ? names[position] : std::string_view("?");
}

// The format with the locale-dependent names already written out in English, so that
// strftime is left only with numeric fields.
std::string WithEnglishNames(std::string_view format, const std::tm& fields) {
    std::string result;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            result += format[i];
            continue;
        }
        const char directive = format[++i];
        switch (directive) {
            case 'A':
                result += NameAt(DayNames, fields.tm_wday);
                break;
            case 'a':
                result += NameAt(DayNames, fields.tm_wday).substr(0, 3);
                break;
            case 'B':
                result += NameAt(MonthNames, fields.tm_mon);
                break;
            case 'b':
                result += NameAt(MonthNames, fields.tm_mon).substr(0, 3);
                break;
            default:
                result += '%';
                result += directive;
        }
    }
    return result;
}

}  // namespace

LocalDay DayOf(TimeValue time) {
    const std::tm fields = LocalFields(time);
    return {fields.tm_year + 1900, fields.tm_yday};
}

int HourOf(TimeValue time) {
    return LocalFields(time).tm_hour;
}

long DaysBetween(TimeValue from, TimeValue to) {
    return static_cast<long>(
        (CalendarDate(LocalFields(to)) - CalendarDate(LocalFields(from))).count());
}

TimeValue DaysEarlier(TimeValue time, long days) {
    std::tm fields = LocalFields(time);
    fields.tm_mday -= static_cast<int>(days);
    fields.tm_isdst = -1;  // the other date may lie on the other side of a daylight-saving change
    const std::time_t result = std::mktime(&fields);
    return result == static_cast<std::time_t>(-1) ? time - days * 86400
                                                  : static_cast<TimeValue>(result);
}

std::string Format(TimeValue time, std::string_view format) {
    const std::tm fields = LocalFields(time);
    const std::string plainFormat = WithEnglishNames(format, fields);
    if (plainFormat.empty()) return {};
    // strftime gives 0 both for a buffer too small and for an empty result: grow a few times.
    for (std::size_t size = 64 + 4 * plainFormat.size(); size <= 65536; size *= 4) {
        std::vector<char> buffer(size);
        const std::size_t length =
            std::strftime(buffer.data(), buffer.size(), plainFormat.c_str(), &fields);
        if (length > 0) return std::string(buffer.data(), length);
    }
    return {};
}

}  // namespace calendar
