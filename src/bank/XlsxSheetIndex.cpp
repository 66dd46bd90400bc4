#include "XlsxSheetIndex.h"

#include <algorithm>
#include <charconv>

#include "CellAddress.h"
#include "TagScanner.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

// Nesting inside <sheetData> past which the quick pass leaves the part to expat.
constexpr size_t kMaxQuickDepth = 32;

int rowNumber(std::string_view attributes, int previous)
{
    const std::string_view r = tagAttribute(attributes, "r");
    if (r.empty())
        return previous + 1;
    int value = 0;
    const auto [end, error] = std::from_chars(r.data(), r.data() + r.size(), value);
    return error == std::errc() && end == r.data() + r.size() ? value : kMaxRows + 1;
}

int columnNumber(std::string_view attributes, int previous)
{
    const std::string_view r = tagAttribute(attributes, "r");
    if (r.empty())
        return previous + 1;
    const auto address = ParseCellAddress(r);
    return address ? address->col : kMaxCols + 1;
}

void include(UsedRange& range, int row, int col)
{
    if (range.isEmpty()) {
        range = {row, row, col, col};
        return;
    }
    range.firstRow = std::min(range.firstRow, row);
    range.lastRow = std::max(range.lastRow, row);
    range.firstCol = std::min(range.firstCol, col);
    range.lastCol = std::max(range.lastCol, col);
}

// Walks the tags inside <sheetData>, following rows and cells.
class IndexPass {
public:
    explicit IndexPass(std::string_view xml, size_t from) : m_scanner(xml, from) {}

    // False when the quick pass cannot vouch for the part.
    bool run(XlsxSheetIndex& index)
    {
        Tag tag;
        while (m_scanner.next(tag)) {
            const size_t level = tag.kind == Tag::Close ? m_open.size() - 1 : m_open.size();
            if (!nest(tag))
                return false;
            if (level == 1 && tag.name == "row")
                followRow(tag, index);
            else if (level == 2 && tag.name == "c")
                followCell(tag, index);
            else if (m_inCell && (tag.name == "v" || tag.name == "t") && tag.kind == Tag::Open)
                m_cellHasValue = m_cellHasValue || m_scanner.textFollows(tag);
            if (m_open.empty()) {
                index.dataEnd = tag.begin;
                return tag.name == "sheetData";
            }
        }
        return false;
    }

private:
    bool nest(const Tag& tag)
    {
        if (tag.kind == Tag::Open) {
            m_open.push_back(tag.name);
            return m_open.size() <= kMaxQuickDepth;
        }
        if (tag.kind == Tag::Close) {
            if (m_open.empty() || m_open.back() != tag.name)
                return false;
            m_open.pop_back();
        }
        return true;
    }

    void followRow(const Tag& tag, XlsxSheetIndex& index)
    {
        if (tag.kind != Tag::Close) {
            m_row = rowNumber(tag.attributes, m_row);
            m_rowBegin = tag.begin;
            m_col = 0;
        } else if (m_row >= 1 && m_row <= kMaxRows) {
            index.rows.push_back({m_row, uint32_t(m_rowBegin), uint32_t(tag.end)});
        }
    }

    void followCell(const Tag& tag, XlsxSheetIndex& index)
    {
        if (tag.kind != Tag::Close) {
            m_col = columnNumber(tag.attributes, m_col);
            m_inCell = tag.kind == Tag::Open;
            m_cellHasValue = false;
        } else if (m_inCell) {
            m_inCell = false;
            if (m_cellHasValue && m_row >= 1 && m_row <= kMaxRows && m_col >= 1 && m_col <= kMaxCols)
                include(index.range, m_row, m_col);
        }
    }

    TagScanner m_scanner;
    std::vector<std::string_view> m_open{std::string_view("sheetData")};
    int m_row = 0;
    int m_col = 0;
    size_t m_rowBegin = 0;
    bool m_inCell = false;
    bool m_cellHasValue = false;
};

class IgnoreAll final : public XmlHandler {
    void start(std::string_view, const char**) override {}
    void end(std::string_view) override {}
    void text(std::string_view) override {}
};

} // namespace

std::optional<XlsxSheetIndex> indexXlsxSheet(std::string_view xml)
{
    XlsxSheetIndex index;
    const size_t start = xml.find("<sheetData");
    if (start == std::string_view::npos || xml.size() > UINT32_MAX)
        return std::nullopt;
    TagScanner opening(xml, start);
    Tag tag;
    if (!opening.next(tag) || tag.name != "sheetData")
        return std::nullopt;
    index.dataBegin = index.dataEnd = tag.end;
    if (tag.kind == Tag::Empty)
        return index;
    if (!IndexPass(xml, tag.end).run(index))
        return std::nullopt;
    std::stable_sort(index.rows.begin(), index.rows.end(),
                     [](const XlsxRowSpan& a, const XlsxRowSpan& b) { return a.row < b.row; });
    return index;
}

Expected<void> checkOutsideSheetData(std::string_view xml, const XlsxSheetIndex& index)
{
    IgnoreAll handler;
    return parseXml({xml.substr(0, index.dataBegin), xml.substr(index.dataEnd)}, handler, "xlsx sheet");
}

} // namespace tesvora::bank
