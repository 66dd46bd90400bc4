#include "Sheet.h"

namespace tesvora::bank {

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
