#include "CellFormat.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace tesvora::bank {

std::string formatNumber(double value)
{
    if (!std::isfinite(value))
        return "#NUM!";
    if (value == 0.0)
        return "0"; // no "-0"
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    return buf;
}

namespace {

// Days since 1970-01-01 to a civil date (proleptic Gregorian); H. Hinnant's algorithm.
void civilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = unsigned(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = (long long)yoe + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yy + (m <= 2));
}

constexpr long long kDays1899_12_30 = -25569; // days from 1970-01-01
constexpr long long kDays1904_01_01 = -24107;

std::string dateText(long long serialDays, bool date1904)
{
    int y = 0, m = 0, d = 0;
    if (date1904) {
        civilFromDays(kDays1904_01_01 + serialDays, y, m, d);
    } else if (serialDays == 0) {
        y = 1900, m = 1, d = 0; // what spreadsheets show for serial 0
    } else if (serialDays == 60) {
        y = 1900, m = 2, d = 29; // the 1900 leap-year day spreadsheets keep for compatibility
    } else {
        civilFromDays(kDays1899_12_30 + serialDays + (serialDays < 60 ? 1 : 0), y, m, d);
    }
    return std::to_string(y) + "/" + std::to_string(m) + "/" + std::to_string(d);
}

std::string timeText(long long secondsOfDay)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", secondsOfDay / 3600, secondsOfDay / 60 % 60,
                  secondsOfDay % 60);
    return buf;
}

} // namespace

std::string formatSerialDate(double serial, DateKind kind, bool date1904)
{
    // Dates past 9999-12-31 or before the epoch are not dates to a spreadsheet either.
    if (!std::isfinite(serial) || serial < 0 || serial >= 2958466.0)
        return formatNumber(serial);
    const long long seconds = std::llround(serial * 86400.0);
    const long long days = seconds / 86400;
    const long long secondsOfDay = seconds % 86400;
    switch (kind) {
    case DateKind::Date:
        return dateText(days, date1904);
    case DateKind::Time:
        return timeText(secondsOfDay);
    case DateKind::DateTime:
        return dateText(days, date1904) + " " + timeText(secondsOfDay);
    }
    return formatNumber(serial);
}

bool isDateFormatCode(std::string_view code, DateKind* kind)
{
    bool hasDate = false, hasTime = false, hasMonthOrMinute = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = char(std::tolower((unsigned char)code[i]));
        if (code[i] == ';')
            break; // only the first (positive) section decides
        if (code[i] == '"') {
            const size_t end = code.find('"', i + 1);
            if (end == std::string_view::npos)
                break;
            i = end;
        } else if (code[i] == '\\' || code[i] == '_' || code[i] == '*') {
            ++i; // escaped or padding character
        } else if (code[i] == '[') {
            const size_t end = code.find(']', i + 1);
            if (end == std::string_view::npos)
                break;
            const std::string_view inside = code.substr(i + 1, end - i - 1);
            if (!inside.empty() && std::string_view("hHmMsS").find(inside[0]) != std::string_view::npos)
                hasTime = true; // elapsed time such as [h]
            i = end;
        } else if (c == 'y' || c == 'd' || c == 'e') {
            if (c == 'e' && i > 0 && (code[i - 1] == '0' || code[i - 1] == '.' || code[i - 1] == '#'))
                continue; // "0.00E+00"
            if (c == 'e' && i + 1 < code.size() && (code[i + 1] == '+' || code[i + 1] == '-'))
                continue;
            hasDate = true;
        } else if (c == 'h' || c == 's') {
            hasTime = true;
        } else if (c == 'm') {
            hasMonthOrMinute = true;
        } else if (c == 'a' && (code.substr(i, 5) == "AM/PM" || code.substr(i, 5) == "am/pm")) {
            hasTime = true;
            i += 4;
        } else if (code.substr(i, 7) == "General" || code.substr(i, 7) == "general") {
            i += 6;
        }
    }
    if (hasMonthOrMinute && !hasTime)
        hasDate = true;
    if (!hasDate && !hasTime)
        return false;
    if (kind)
        *kind = hasDate && hasTime ? DateKind::DateTime : hasDate ? DateKind::Date : DateKind::Time;
    return true;
}

bool isBuiltinDateFormat(int id, DateKind* kind)
{
    DateKind k;
    if ((id >= 14 && id <= 17) || (id >= 27 && id <= 31) || (id >= 34 && id <= 36) || (id >= 50 && id <= 54)
        || id == 57 || id == 58)
        k = DateKind::Date;
    else if ((id >= 18 && id <= 21) || (id >= 45 && id <= 47) || id == 32 || id == 33 || id == 55 || id == 56)
        k = DateKind::Time;
    else if (id == 22)
        k = DateKind::DateTime;
    else
        return false;
    if (kind)
        *kind = k;
    return true;
}

} // namespace tesvora::bank
