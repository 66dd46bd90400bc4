#include "OdsRow.h"

#include <algorithm>
#include <cstdlib>

#include "CellAddress.h"
#include "OdsNames.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

// Hands the events of one row piece to OdsRowCells; the root around the piece is ignored.
class RowHandler final : public XmlHandler {
public:
    void start(std::string_view name, const char** attributes) override
    {
        if (m_depth++ == 1)
            m_row.beginRow();
        else if (m_depth > 2)
            m_row.start(name, attributes);
    }
    void end(std::string_view name) override
    {
        if (--m_depth > 1)
            m_row.end(name);
    }
    void text(std::string_view data) override { m_row.text(data); }

    OdsRowCells m_row;

private:
    int m_depth = 0;
};

} // namespace

int odsRepeatCount(const char** attributes, std::string_view name)
{
    const char* text = findAttribute(attributes, name);
    const long count = text != nullptr ? std::strtol(text, nullptr, 10) : 1;
    return count < 1 ? 1 : count > kMaxRows ? kMaxRows : int(count);
}

void OdsRowCells::beginRow()
{
    m_col = 0;
    m_cells.clear();
}

bool OdsRowCells::start(std::string_view name, const char** attributes)
{
    if (m_cell.active()) {
        m_cell.start(name, attributes);
        return true;
    }
    const bool covered = name == kOdsCoveredCell;
    if (!covered && name != kOdsCell)
        return false;
    m_repeat = odsRepeatCount(attributes, kOdsColumnsRepeated);
    m_cell.begin(attributes, covered);
    return true;
}

void OdsRowCells::end(std::string_view name)
{
    if (m_cell.active() && !m_cell.end(name))
        return;
    if (name != kOdsCell && name != kOdsCoveredCell)
        return;
    std::string text = m_cell.finish();
    if (!text.empty() && m_col < kMaxCols)
        m_cells.push_back({m_col + 1, std::min(m_repeat, kMaxCols - m_col), std::move(text)});
    m_col = std::min(m_col + m_repeat, kMaxCols);
}

void OdsRowCells::text(std::string_view data)
{
    if (m_cell.active())
        m_cell.text(data);
}

Expected<void> parseOdsRow(const OdsRoot& root, std::string_view piece, std::vector<OdsRowCell>& cells)
{
    RowHandler handler;
    auto parsed = parseXml({root.open, piece, root.close}, handler, "ods row");
    cells = std::move(handler.m_row.cells());
    return parsed;
}

} // namespace tesvora::bank
