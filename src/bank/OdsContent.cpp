#include "OdsContent.h"

#include "CellAddress.h"
#include "OdsCell.h"
#include "XlsxSheet.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

constexpr std::string_view kTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0|";

int repeatCount(const char** attributes, std::string_view name)
{
    const char* text = findAttribute(attributes, name);
    const long count = text != nullptr ? std::strtol(text, nullptr, 10) : 1;
    return count < 1 ? 1 : count > kMaxRows ? kMaxRows : int(count);
}

bool isTable(std::string_view name, std::string_view local)
{
    return name.size() == kTable.size() + local.size() && name.starts_with(kTable) && name.ends_with(local);
}

// Follows tables, rows and cells; the text inside a cell is OdsCell's job.
class ContentHandler final : public XmlHandler {
public:
    void start(std::string_view name, const char** attributes) override
    {
        if (m_cell.active()) {
            m_cell.start(name, attributes);
        } else if (isTable(name, "table")) {
            const char* sheetName = findAttribute(attributes, "urn:oasis:names:tc:opendocument:xmlns:table:1.0|name");
            sheets.push_back(std::make_unique<GridSheet>(sheetName ? sheetName : ""));
            m_row = 0;
        } else if (isTable(name, "table-row") && !sheets.empty()) {
            m_rowRepeat = repeatCount(attributes, "urn:oasis:names:tc:opendocument:xmlns:table:1.0|number-rows-repeated");
            m_col = 0;
            m_rowCells.clear();
        } else if ((isTable(name, "table-cell") || isTable(name, "covered-table-cell")) && !sheets.empty()) {
            m_colRepeat = repeatCount(attributes, "urn:oasis:names:tc:opendocument:xmlns:table:1.0|number-columns-repeated");
            m_cell.begin(attributes, isTable(name, "covered-table-cell"));
        }
    }

    void end(std::string_view name) override
    {
        if (m_cell.active() && !m_cell.end(name))
            return;
        if (isTable(name, "table-cell") || isTable(name, "covered-table-cell")) {
            endCell();
        } else if (isTable(name, "table-row") && !sheets.empty()) {
            endRow();
        }
    }

    void text(std::string_view data) override
    {
        if (m_cell.active())
            m_cell.text(data);
    }

    std::vector<std::unique_ptr<GridSheet>> sheets;

private:
    void endCell()
    {
        std::string text = m_cell.finish();
        if (!text.empty() && m_col < kMaxCols)
            m_rowCells.push_back({m_col + 1, std::min(m_colRepeat, kMaxCols - m_col), std::move(text)});
        m_col = std::min(m_col + m_colRepeat, kMaxCols);
    }

    // Writes the row's cells once per repeat; empty repeats cost nothing.
    void endRow()
    {
        for (int r = 0; r < m_rowRepeat && !m_rowCells.empty() && m_row + r < kMaxRows; ++r) {
            for (const RowCell& cell : m_rowCells) {
                if ((m_cells += size_t(cell.repeat)) > kMaxSheetCells)
                    return fail({ReadErrorCode::TooLarge, "ods: more than " + std::to_string(kMaxSheetCells) + " cells"});
                for (int c = 0; c < cell.repeat; ++c)
                    sheets.back()->set(m_row + r + 1, cell.col + c, cell.text);
            }
        }
        m_row = std::min(m_row + m_rowRepeat, kMaxRows);
    }

    struct RowCell {
        int col;
        int repeat;
        std::string text;
    };
    OdsCell m_cell;
    std::vector<RowCell> m_rowCells;
    int m_row = 0;
    int m_rowRepeat = 1;
    int m_col = 0;
    int m_colRepeat = 1;
    size_t m_cells = 0;
};

} // namespace

Expected<std::vector<std::unique_ptr<GridSheet>>> parseOdsContent(std::string_view xml)
{
    ContentHandler handler;
    auto parsed = parseXml(xml, handler, "ods content");
    if (!parsed)
        return tl::unexpected(parsed.error());
    return std::move(handler.sheets);
}

} // namespace tesvora::bank
