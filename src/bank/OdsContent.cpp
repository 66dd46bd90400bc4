#include "OdsContent.h"

#include "CellAddress.h"
#include "OdsNames.h"
#include "OdsRow.h"
#include "XlsxSheet.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

// Follows tables and rows; the cells of a row are OdsRowCells' job.
class ContentHandler final : public XmlHandler {
public:
    void start(std::string_view name, const char** attributes) override
    {
        if (m_row.inCell()) {
            m_row.start(name, attributes);
        } else if (name == kOdsTable) {
            const char* sheetName = findAttribute(attributes, kOdsTableName);
            sheets.push_back(std::make_unique<GridSheet>(sheetName ? sheetName : ""));
            m_rowNumber = 0;
        } else if (name == kOdsRow && !sheets.empty()) {
            m_rowRepeat = odsRepeatCount(attributes, kOdsRowsRepeated);
            m_row.beginRow();
        } else if (!sheets.empty()) {
            m_row.start(name, attributes); // begins a cell when it is one
        }
    }

    void end(std::string_view name) override
    {
        if (m_row.inCell() || name == kOdsCell || name == kOdsCoveredCell)
            m_row.end(name);
        else if (name == kOdsRow && !sheets.empty())
            endRow();
    }

    void text(std::string_view data) override { m_row.text(data); }

    std::vector<std::unique_ptr<GridSheet>> sheets;

private:
    // Writes the row's cells once per repeat; empty repeats cost nothing.
    void endRow()
    {
        const auto& cells = m_row.cells();
        for (int r = 0; r < m_rowRepeat && !cells.empty() && m_rowNumber + r < kMaxRows; ++r) {
            for (const OdsRowCell& cell : cells) {
                if ((m_cells += size_t(cell.repeat)) > kMaxSheetCells)
                    return fail({ReadErrorCode::TooLarge, "ods: more than " + std::to_string(kMaxSheetCells) + " cells"});
                for (int c = 0; c < cell.repeat; ++c)
                    sheets.back()->set(m_rowNumber + r + 1, cell.col + c, cell.text);
            }
        }
        m_rowNumber = std::min(m_rowNumber + m_rowRepeat, kMaxRows);
    }

    OdsRowCells m_row;
    int m_rowNumber = 0;
    int m_rowRepeat = 1;
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
