#include "XlsxSheetIndex.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "CellAddress.h"
#include "TagScanner.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

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

// Follows the cells of one row's body, tag by tag, adding those with a value to the range.
void walkRow(std::string_view body, int row, UsedRange& range)
{
    TagScanner scanner(body, 0);
    Tag tag;
    int col = 0;
    bool inCell = false, hasValue = false;
    while (scanner.next(tag)) {
        if (tag.name == "c" && tag.kind != Tag::Close) {
            col = columnNumber(tag.attributes, col);
            inCell = tag.kind == Tag::Open;
            hasValue = false;
        } else if (tag.name == "c" && inCell) {
            inCell = false;
            if (hasValue && col >= 1 && col <= kMaxCols)
                range.include(row, col);
        } else if (inCell && tag.kind == Tag::Open && (tag.name == "v" || tag.name == "t")) {
            hasValue = hasValue || scanner.textFollows(tag);
        }
    }
}

// The column of the cell whose start tag is at `at` in `body` when it has an r attribute
// and a value; 0 otherwise.
int valuedCellColumn(std::string_view body, size_t at)
{
    TagScanner scanner(body, at);
    Tag tag;
    if (!scanner.next(tag) || tag.name != "c" || tag.kind != Tag::Open)
        return 0;
    const int col = columnNumber(tag.attributes, -1);
    if (col < 1 || col > kMaxCols)
        return 0;
    while (scanner.next(tag) && !(tag.name == "c" && tag.kind == Tag::Close)) {
        if (tag.kind == Tag::Open && (tag.name == "v" || tag.name == "t") && scanner.textFollows(tag))
            return col;
    }
    return 0;
}

// Adds a row's cells to the range. Most rows need only their first and last cell looked at;
// rows whose ends are empty or unnumbered are walked cell by cell.
void scanRow(std::string_view body, int row, UsedRange& range)
{
    const size_t first = body.find("<c");
    const size_t last = body.rfind("<c ");
    const int firstCol = first == std::string_view::npos ? 0 : valuedCellColumn(body, first);
    const int lastCol = last == std::string_view::npos ? 0 : valuedCellColumn(body, last);
    if (firstCol == 0 || lastCol == 0)
        return walkRow(body, row, range);
    range.include(row, firstCol);
    range.include(row, lastCol);
}

bool startsTag(std::string_view xml, size_t at, std::string_view name)
{
    const size_t after = at + 1 + name.size();
    return xml.substr(at + 1, name.size()) == name && after < xml.size() &&
           (xml[after] == ' ' || xml[after] == '>' || xml[after] == '/' || xml[after] == '\t' ||
            xml[after] == '\r' || xml[after] == '\n');
}

// Finds each <row> from `from` to </sheetData>. The rows' insides are not checked here:
// expat checks a row when it is read. False when the rows are not plainly laid out.
bool indexRows(std::string_view xml, size_t from, XlsxSheetIndex& index)
{
    int row = 0;
    for (size_t at = from;;) {
        at = xml.find('<', at);
        if (at == std::string_view::npos)
            return false;
        if (xml.substr(at, 12) == "</sheetData>") {
            index.dataEnd = at;
            return true;
        }
        Tag tag;
        TagScanner scanner(xml, at);
        if (!startsTag(xml, at, "row") || !scanner.next(tag))
            return false;
        row = rowNumber(tag.attributes, row);
        if (tag.kind == Tag::Empty) {
            at = tag.end;
            continue;
        }
        const void* found = memmem(xml.data() + tag.end, xml.size() - tag.end, "</row>", 6);
        if (found == nullptr)
            return false;
        const size_t close = size_t(static_cast<const char*>(found) - xml.data());
        if (row >= 1 && row <= kMaxRows) {
            index.rows.push_back({row, uint32_t(at), uint32_t(close + 6)});
            scanRow(xml.substr(tag.end, close - tag.end), row, index.range);
        }
        at = close + 6;
    }
}

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
    if (!indexRows(xml, tag.end, index))
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
