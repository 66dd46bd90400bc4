#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ReadError.h"

namespace tesvora::bank {

// The smallest block holding every cell with content; rows and columns are 1-based.
// An empty sheet has all four fields 0.
struct UsedRange {
    int firstRow = 0;
    int lastRow = 0;
    int firstCol = 0;
    int lastCol = 0;

    bool isEmpty() const { return lastRow == 0; }
    int rowCount() const { return isEmpty() ? 0 : lastRow - firstRow + 1; }
    int colCount() const { return isEmpty() ? 0 : lastCol - firstCol + 1; }

    // Grows the range to take in rows fromRow..toRow and columns fromCol..toCol.
    void include(int fromRow, int toRow, int fromCol, int toCol);
    void include(int row, int col) { include(row, row, col, col); }
    bool operator==(const UsedRange&) const = default;
};

// One worksheet, read-only. Every reader produces one of these.
class Sheet {
public:
    virtual ~Sheet() = default;

    virtual const std::string& name() const = 0;

    // The used range; all zero for a sheet without content.
    virtual UsedRange usedRange() const = 0;

    // The cell's text in UTF-8 as the spreadsheet shows its value; "" for an empty cell
    // and for any row or column outside the sheet (0, negative or past the end).
    virtual std::string cellText(int row, int col) const = 0;

    // Calls `visit(row, col, text)` for every non-empty cell, row by row, left to right.
    // The default walks the used range; sparse sheets override it to visit only stored cells.
    virtual void forEachCell(const std::function<void(int row, int col, const std::string& text)>& visit) const;

    // The first damage found while reading cells on demand (a row of malformed XML, whose cells
    // from the damage on read as ""); nothing while every cell read so far was whole.
    virtual std::optional<ReadError> damage() const { return std::nullopt; }
};

} // namespace tesvora::bank
