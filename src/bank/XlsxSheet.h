#pragma once

#include <memory>
#include <string>

#include "Sheet.h"
#include "XlsxCells.h"

namespace tesvora::bank {

// Most non-empty cells one sheet may hold when read in full; past it the sheet is TooLarge.
inline constexpr size_t kMaxSheetCells = size_t(1) << 22;

// The worksheet part `xml` as a Sheet named `name`. Ordinary sheets keep the XML and parse
// only the rows asked for; unusual ones are parsed in full. Corrupt for bad XML.
Expected<std::unique_ptr<Sheet>> loadXlsxSheet(std::string name, std::string xml,
                                               std::shared_ptr<const XlsxContext> context);

} // namespace tesvora::bank
