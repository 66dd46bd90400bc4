#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "ReadError.h"
#include "Sheet.h"

namespace tesvora::bank {

// Where one <row> element lies in the sheet XML.
struct XlsxRowSpan {
    int row;
    uint32_t begin;
    uint32_t end;
};

// What a quick pass over a worksheet part finds: its rows, sorted by number, and the used range.
struct XlsxSheetIndex {
    std::vector<XlsxRowSpan> rows;
    UsedRange range;
    size_t dataBegin = 0; // just past <sheetData>
    size_t dataEnd = 0;   // at </sheetData>
};

// The index of an ordinary worksheet part; nothing when it holds anything the quick pass
// does not handle (prefixed names, comments, CDATA, damage), which calls for a full parse.
std::optional<XlsxSheetIndex> indexXlsxSheet(std::string_view xml);

// Lets expat check the part without its rows (the XML declaration, root, DOCTYPE refusal
// and what follows the rows); Corrupt when that is bad.
Expected<void> checkOutsideSheetData(std::string_view xml, const XlsxSheetIndex& index);

} // namespace tesvora::bank
