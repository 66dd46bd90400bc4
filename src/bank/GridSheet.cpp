#include "GridSheet.h"

#include <algorithm>

namespace tesvora::bank {

void GridSheet::set(int row, int col, std::string text)
{
    if (text.empty() || row < 1 || col < 1)
        return;
    if (!m_cells.empty()) {
        const Cell& last = m_cells.back();
        if (row < last.row || (row == last.row && col <= last.col))
            m_sorted = false;
    }
    m_cells.push_back({row, col, std::move(text)});
    m_range.include(row, col);
}

void GridSheet::sortIfNeeded() const
{
    if (m_sorted)
        return;
    // Stable, so that of two texts for one cell the later one wins below.
    std::stable_sort(m_cells.begin(), m_cells.end(),
                     [](const Cell& a, const Cell& b) { return a.row != b.row ? a.row < b.row : a.col < b.col; });
    std::vector<Cell> unique;
    unique.reserve(m_cells.size());
    for (Cell& cell : m_cells) {
        if (!unique.empty() && unique.back().row == cell.row && unique.back().col == cell.col)
            unique.back() = std::move(cell);
        else
            unique.push_back(std::move(cell));
    }
    m_cells = std::move(unique);
    m_sorted = true;
}

UsedRange GridSheet::usedRange() const
{
    return m_range;
}

size_t GridSheet::cellCount() const
{
    sortIfNeeded();
    return m_cells.size();
}

void GridSheet::forEachCell(const std::function<void(int, int, const std::string&)>& visit) const
{
    sortIfNeeded();
    for (const Cell& cell : m_cells)
        visit(cell.row, cell.col, cell.text);
}

std::string GridSheet::cellText(int row, int col) const
{
    sortIfNeeded();
    auto it = std::lower_bound(m_cells.begin(), m_cells.end(), std::pair{row, col}, [](const Cell& c, const auto& key) {
        return c.row != key.first ? c.row < key.first : c.col < key.second;
    });
    if (it != m_cells.end() && it->row == row && it->col == col)
        return it->text;
    return {};
}

} // namespace tesvora::bank
