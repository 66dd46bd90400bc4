#pragma once

#include <string_view>
#include <vector>

namespace tesvora::bank {

// Whether every string of a BIFF8 shared string table (SST) lies inside its records. `segments`
// are the SST record's data and then each CONTINUE record's data. False for a string that claims
// more characters, formatting runs or extension bytes than remain, and for a table cut short.
bool sharedStringsFit(const std::vector<std::string_view>& segments);

} // namespace tesvora::bank
