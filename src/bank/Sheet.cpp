#include "Sheet.h"

#include <algorithm>

namespace tesvora::bank {

void UsedRange::include(int fromRow, int toRow, int fromCol, int toCol)
{
    if (isEmpty()) {
        *this = {fromRow, toRow, fromCol, toCol};
        return;
    }
    firstRow = std::min(firstRow, fromRow);
    lastRow = std::max(lastRow, toRow);
    firstCol = std::min(firstCol, fromCol);
    lastCol = std::max(lastCol, toCol);
}

void Sheet::forEachCell(const std::function<void(int, int, const std::string&)>& visit) const
{
    const UsedRange range = usedRange();
    for (int row = range.firstRow; !range.isEmpty() && row <= range.lastRow; ++row) {
        for (int col = range.firstCol; col <= range.lastCol; ++col) {
            const std::string text = cellText(row, col);
            if (!text.empty())
                visit(row, col, text);
        }
    }
}

} // namespace tesvora::bank
