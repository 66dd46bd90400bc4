#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Sheet.h"

namespace tesvora::bank {

// A sheet whose cell texts are all held in memory, sparse: only non-empty cells cost anything.
// Readers that produce every cell while parsing (csv, ods, xls) fill one of these.
class GridSheet final : public Sheet {
public:
    explicit GridSheet(std::string name) : m_name(std::move(name)) {}

    // Stores a cell; an empty text is ignored, a later text for the same cell replaces the earlier one.
    void set(int row, int col, std::string text);

    const std::string& name() const override { return m_name; }
    UsedRange usedRange() const override;
    std::string cellText(int row, int col) const override;
    void forEachCell(const std::function<void(int, int, const std::string&)>& visit) const override;
    size_t cellCount() const;

private:
    struct Cell {
        int row;
        int col;
        std::string text;
    };
    void sortIfNeeded() const;

    std::string m_name;
    mutable std::vector<Cell> m_cells; // kept sorted by (row, col) once looked up
    mutable bool m_sorted = true;
    UsedRange m_range;
};

} // namespace tesvora::bank
