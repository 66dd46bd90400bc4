#include "CellAddress.h"

namespace tesvora::bank {

std::string ColumnName(int col)
{
    std::string name;
    while (col > 0) {
        --col;
        name.insert(name.begin(), char('A' + col % 26));
        col /= 26;
    }
    return name;
}

std::string CellAddress(int row, int col)
{
    if (row < 1 || col < 1)
        return {};
    return ColumnName(col) + std::to_string(row);
}

std::optional<CellPosition> ParseCellAddress(std::string_view address)
{
    size_t i = 0;
    if (i < address.size() && address[i] == '$')
        ++i;
    long col = 0;
    size_t letters = 0;
    for (; i < address.size(); ++i, ++letters) {
        char c = address[i];
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            break;
        col = col * 26 + (c - 'A' + 1);
        if (col > kMaxCols)
            return std::nullopt;
    }
    if (letters == 0)
        return std::nullopt;
    if (i < address.size() && address[i] == '$')
        ++i;
    long row = 0;
    size_t digits = 0;
    for (; i < address.size(); ++i, ++digits) {
        char c = address[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        row = row * 10 + (c - '0');
        if (row > kMaxRows)
            return std::nullopt;
    }
    if (digits == 0 || row == 0)
        return std::nullopt;
    return CellPosition{int(row), int(col)};
}

} // namespace tesvora::bank
