#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "OdsRow.h"
#include "Sheet.h"

namespace tesvora::bank {

// Where one <table:table-row> with content lies in content.xml, and the rows it stands for:
// row .. row + count - 1 (1-based; count > 1 for table:number-rows-repeated).
struct OdsRowSpan {
    int row;
    int count;
    uint32_t begin;
    uint32_t end;
};

// One sheet as the quick pass finds it: its rows with content, by number, and its used range.
struct OdsTableIndex {
    std::string name;
    std::vector<OdsRowSpan> rows;
    UsedRange range;
};

// What a quick pass over content.xml finds, enough to read any row later on its own.
struct OdsContentIndex {
    OdsRoot root;
    std::vector<OdsTableIndex> tables;
};

// The index of an ordinary content.xml; nothing when it holds anything the quick pass does not
// handle (other namespace prefixes or declarations, comments, CDATA, unusual nesting, damage
// outside the rows, more cells than kMaxSheetCells), which calls for a full parse.
std::optional<OdsContentIndex> indexOdsContent(std::string_view xml);

} // namespace tesvora::bank
