#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tesvora::bank {

struct CellPosition {
    int row = 0; // 1-based
    int col = 0; // 1-based
    bool operator==(const CellPosition&) const = default;
};

// Largest row and column any reader accepts (those of current spreadsheet programs).
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxCols = 16384;

// "A1"-style address of a 1-based row and column, columns named A..Z, AA..ZZ, AAA..;
// "" when either is below 1.
std::string CellAddress(int row, int col);

// Column letters of a 1-based column ("A", "AA"); "" below 1.
std::string ColumnName(int col);

// Parses "B7", "aa10" or "$C$3"; nothing for text that is not an address inside the size limits.
std::optional<CellPosition> ParseCellAddress(std::string_view address);

} // namespace tesvora::bank
