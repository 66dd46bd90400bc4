#pragma once

#include <string>
#include <string_view>

namespace tesvora::bank {

// A number as the spreadsheet shows it in a General cell: printf("%.15G"),
// so 1 gives "1", 0.1+0.2 gives "0.3" and 1e20 gives "1E+20". NaN and infinities give "#NUM!".
std::string formatNumber(double value);

// What a date-formatted number stands for.
enum class DateKind { Date, DateTime, Time };

// A date serial number as text: "yyyy/M/d", "yyyy/M/d H:mm:ss" or "H:mm:ss", rounded to the
// second. `date1904` selects the 1904 date system. Serials that name no date give formatNumber().
std::string formatSerialDate(double serial, DateKind kind, bool date1904);

// Whether a number format code ("yyyy-mm-dd", "[$-804]h:mm", "0.00") shows a date or time,
// and which kind; nothing for a code that shows a plain number.
bool isDateFormatCode(std::string_view code, DateKind* kind);

// Whether a built-in number format id (as in xls and xlsx) is a date or time format, and which kind.
bool isBuiltinDateFormat(int id, DateKind* kind);

} // namespace tesvora::bank
