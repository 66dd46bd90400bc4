#pragma once

#include <string>
#include <string_view>

namespace tesvora::bank {

// An ISO 8601 date or date-time ("2024-03-01", "2024-03-01T12:30:00") shown like a date
// cell: "2024/3/1", or "2024/3/1 12:30:00" when the time is not midnight. A bare time
// ("12:30:00") gives "12:30:00"; text that is neither comes back unchanged.
std::string formatIsoDate(std::string_view iso);

// An ISO 8601 duration as ODS writes times ("PT12H30M00S", "PT01H02M03.5S") shown as "H:mm:ss",
// rounded to the second; text that is not one comes back unchanged.
std::string formatIsoDuration(std::string_view duration);

} // namespace tesvora::bank
