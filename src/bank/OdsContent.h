#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "GridSheet.h"
#include "ReadError.h"

namespace tesvora::bank {

// The sheets of an ODS content.xml, in tab order, every non-empty cell as it shows.
// Corrupt for bad XML; TooLarge when repeated cells would pass kMaxSheetCells.
Expected<std::vector<std::unique_ptr<GridSheet>>> parseOdsContent(std::string_view xml);

} // namespace tesvora::bank
