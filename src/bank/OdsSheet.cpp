#include "OdsSheet.h"

#include <algorithm>
#include <optional>

namespace tesvora::bank {

namespace {

// A sheet that keeps content.xml and an index of its rows, parsing a row with expat when read.
class LazyOdsSheet final : public Sheet {
public:
    LazyOdsSheet(std::shared_ptr<const OdsIndexedContent> content, size_t table)
        : m_content(std::move(content)), m_table(m_content->index.tables[table])
    {
    }

    const std::string& name() const override { return m_table.name; }
    UsedRange usedRange() const override { return m_table.range; }
    std::optional<ReadError> damage() const override { return m_damage; }

    std::string cellText(int row, int col) const override
    {
        const OdsRowSpan* span = spanOf(row);
        if (span == nullptr)
            return {};
        const std::vector<OdsRowCell>& cells = rowCells(*span);
        auto cell = std::upper_bound(cells.begin(), cells.end(), col, [](int c, const OdsRowCell& cell) { return c < cell.col; });
        if (cell == cells.begin() || col >= (cell - 1)->col + (cell - 1)->repeat)
            return {};
        return (cell - 1)->text;
    }

    // Only rows with content are parsed, so huge empty repeats cost nothing.
    void forEachCell(const std::function<void(int, int, const std::string&)>& visit) const override
    {
        for (const OdsRowSpan& span : m_table.rows) {
            const std::vector<OdsRowCell>& cells = rowCells(span);
            for (int row = span.row; row < span.row + span.count; ++row) {
                for (const OdsRowCell& cell : cells) {
                    for (int col = cell.col; col < cell.col + cell.repeat; ++col)
                        visit(row, col, cell.text);
                }
            }
        }
    }

private:
    // The row element standing for `row`; nullptr when the row has no content.
    const OdsRowSpan* spanOf(int row) const
    {
        const auto& rows = m_table.rows;
        auto span = std::upper_bound(rows.begin(), rows.end(), row, [](int r, const OdsRowSpan& s) { return r < s.row; });
        if (span == rows.begin() || row >= (span - 1)->row + (span - 1)->count)
            return nullptr;
        return &*(span - 1);
    }

    // Rows are checked only when read, so damage inside one surfaces here, not at load.
    const std::vector<OdsRowCell>& rowCells(const OdsRowSpan& span) const
    {
        if (&span == m_cachedSpan)
            return m_cachedCells;
        m_cachedSpan = &span;
        const std::string_view piece = std::string_view(m_content->xml).substr(span.begin, span.end - span.begin);
        auto parsed = parseOdsRow(m_content->index.root, piece, m_cachedCells);
        if (!parsed && !m_damage)
            m_damage = parsed.error();
        return m_cachedCells;
    }

    std::shared_ptr<const OdsIndexedContent> m_content;
    const OdsTableIndex& m_table;
    mutable const OdsRowSpan* m_cachedSpan = nullptr;
    mutable std::vector<OdsRowCell> m_cachedCells;
    mutable std::optional<ReadError> m_damage;
};

} // namespace

std::unique_ptr<Sheet> makeLazyOdsSheet(std::shared_ptr<const OdsIndexedContent> content, size_t table)
{
    return std::make_unique<LazyOdsSheet>(std::move(content), table);
}

} // namespace tesvora::bank
