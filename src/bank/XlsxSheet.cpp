#include "XlsxSheet.h"

#include <algorithm>
#include <vector>

#include "CellAddress.h"
#include "GridSheet.h"
#include "TagScanner.h"
#include "XlsxSheetIndex.h"

namespace tesvora::bank {

namespace {

// A sheet that keeps its XML and an index of rows, parsing a row with expat when it is read.
class LazyXlsxSheet final : public Sheet {
public:
    LazyXlsxSheet(std::string name, std::string xml, XlsxSheetIndex index, std::shared_ptr<const XlsxContext> context)
        : m_name(std::move(name)), m_xml(std::move(xml)), m_index(std::move(index)), m_context(std::move(context))
    {
    }

    const std::string& name() const override { return m_name; }
    UsedRange usedRange() const override { return m_index.range; }
    std::optional<ReadError> damage() const override { return m_damage; }

    std::string cellText(int row, int col) const override
    {
        const UsedRange& range = m_index.range;
        if (row < range.firstRow || row > range.lastRow || col < range.firstCol || col > range.lastCol)
            return {};
        if (row != m_cachedRow)
            parseRow(row);
        for (const auto& [cellCol, text] : m_cachedCells) {
            if (cellCol == col)
                return text;
        }
        return {};
    }

    // Only the stored rows are parsed, so a sparse sheet with a huge range costs its cells alone.
    void forEachCell(const std::function<void(int, int, const std::string&)>& visit) const override
    {
        for (const XlsxRowSpan& span : m_index.rows) {
            if (span.row == m_cachedRow)
                continue; // a duplicate row number: the first one is the row
            parseRow(span);
            std::sort(m_cachedCells.begin(), m_cachedCells.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
            for (const auto& [col, text] : m_cachedCells)
                visit(span.row, col, text);
        }
    }

private:
    void parseRow(int row) const
    {
        const auto& rows = m_index.rows;
        auto span = std::lower_bound(rows.begin(), rows.end(), row, [](const XlsxRowSpan& s, int r) { return s.row < r; });
        if (span != rows.end() && span->row == row) {
            parseRow(*span);
        } else {
            m_cachedRow = row;
            m_cachedCells.clear();
        }
    }

    void parseRow(const XlsxRowSpan& span) const
    {
        const int row = span.row;
        m_cachedRow = row;
        m_cachedCells.clear();
        const std::string_view piece = std::string_view(m_xml).substr(span.begin, span.end - span.begin);
        SheetCellHandler handler(*m_context, [&](int cellRow, int col, std::string text) {
            if (cellRow == row)
                m_cachedCells.emplace_back(col, std::move(text));
        }, row - 1);
        // Rows are checked only when read, so damage inside one surfaces here, not at load.
        auto parsed = parseXml(piece, handler, "xlsx row " + std::to_string(row));
        if (!parsed && !m_damage)
            m_damage = parsed.error();
    }

    std::string m_name;
    std::string m_xml;
    XlsxSheetIndex m_index;
    std::shared_ptr<const XlsxContext> m_context;
    mutable int m_cachedRow = 0;
    mutable std::vector<std::pair<int, std::string>> m_cachedCells;
    mutable std::optional<ReadError> m_damage;
};

Expected<std::unique_ptr<Sheet>> parseFullSheet(std::string name, std::string_view xml, const XlsxContext& context)
{
    auto sheet = std::make_unique<GridSheet>(std::move(name));
    size_t cells = 0;
    SheetCellHandler* self = nullptr;
    SheetCellHandler handler(context, [&](int row, int col, std::string text) {
        if (++cells > kMaxSheetCells)
            return self->fail({ReadErrorCode::TooLarge, "xlsx sheet: more than " + std::to_string(kMaxSheetCells) + " cells"});
        sheet->set(row, col, std::move(text));
    });
    self = &handler;
    auto parsed = parseXml(xml, handler, "xlsx sheet");
    if (!parsed)
        return tl::unexpected(parsed.error());
    return std::unique_ptr<Sheet>(std::move(sheet));
}

} // namespace

Expected<std::unique_ptr<Sheet>> loadXlsxSheet(std::string name, std::string xml,
                                               std::shared_ptr<const XlsxContext> context)
{
    std::optional<XlsxSheetIndex> index = indexXlsxSheet(xml);
    if (!index)
        return parseFullSheet(std::move(name), xml, *context);
    auto checked = checkOutsideSheetData(xml, *index);
    if (!checked)
        return tl::unexpected(checked.error());
    return std::make_unique<LazyXlsxSheet>(std::move(name), std::move(xml), std::move(*index), std::move(context));
}

} // namespace tesvora::bank
