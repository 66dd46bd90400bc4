#include "OdsIndex.h"

#include <algorithm>

#include "CellAddress.h"
#include "OdsNames.h"
#include "OdsRootCheck.h"
#include "OdsRowScan.h"
#include "XlsxSheet.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

// Where an element's children lie: outside any table, in a table where rows may stand, or
// elsewhere in a table (rows there are unusual).
enum class Place { Outside, Rows, InTable };

struct OpenElement {
    std::string_view name;
    Place children;
};

bool isRowGroup(std::string_view name)
{
    return name == "table:table-row-group" || name == "table:table-header-rows" || name == "table:table-rows";
}

// Collects the names of the tables, in order, from the document without its rows.
class TableNames final : public XmlHandler {
public:
    void start(std::string_view name, const char** attributes) override
    {
        if (name == kOdsTable) {
            const char* text = findAttribute(attributes, kOdsTableName);
            names.emplace_back(text != nullptr ? text : "");
        }
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}

    std::vector<std::string> names;
};

// Walks content.xml tag by tag: every tag outside the rows, and each row by OdsRowScanner.
class ContentIndexer {
public:
    explicit ContentIndexer(std::string_view xml)
        : m_xml(xml), m_scanner(xml, odsPrologEnd(xml), TagScanner::Names::Prefixed), m_rows(xml, m_scanner)
    {
    }

    std::optional<OdsContentIndex> run()
    {
        if (m_xml.size() > UINT32_MAX || !readRoot() || !walk() || !checkOutsideRows())
            return std::nullopt;
        return std::move(m_index);
    }

private:
    bool readRoot()
    {
        Tag tag;
        if (!m_scanner.next(tag) || tag.kind == Tag::Close || !odsUsualNamespaces(tag.attributes))
            return false;
        m_index.root.open = std::string(m_xml.substr(tag.begin, tag.end - tag.begin));
        m_index.root.close = "</" + std::string(tag.name) + ">";
        if (tag.kind == Tag::Open)
            m_open.push_back({tag.name, Place::Outside});
        return true;
    }

    bool walk()
    {
        Tag tag;
        while (!m_open.empty()) {
            if (!m_scanner.next(tag) || declaresNamespace(tag.attributes))
                return false;
            if (tag.kind == Tag::Close) {
                if (m_open.back().name != tag.name)
                    return false;
                m_open.pop_back();
            } else if (!openElement(tag)) {
                return false;
            }
        }
        return true;
    }

    // Follows the elements the full parse acts on; false where it would act on them oddly.
    bool openElement(const Tag& tag)
    {
        const Place place = m_open.back().children;
        if (int(m_open.size()) >= kMaxXmlDepth)
            return false;
        Place children = isRowGroup(tag.name) || place == Place::Outside ? place : Place::InTable;
        if (tag.name == "table:table") {
            if (place != Place::Outside)
                return false;
            m_index.tables.emplace_back();
            m_rowNumber = 0;
            children = Place::Rows;
        } else if (tag.name == "table:table-row") {
            return place == Place::Rows && row(tag);
        } else if (tag.name == "table:table-cell" || tag.name == "table:covered-table-cell") {
            return false;
        }
        if (tag.kind == Tag::Open)
            m_open.push_back({tag.name, children});
        return true;
    }

    bool row(const Tag& tag)
    {
        int repeat = 1;
        if (!plainRepeat(tag.attributes, "table:number-rows-repeated", repeat))
            return false;
        OdsRowFacts facts;
        facts.end = tag.end;
        if (tag.kind == Tag::Open && !m_rows.scan(int(m_open.size()) + 1, facts))
            return false;
        m_outside.append(m_xml.substr(m_outsideFrom, tag.begin - m_outsideFrom));
        m_outsideFrom = facts.end;
        if (facts.unsure && !judgeByParsing(tag.begin, facts))
            return false;
        return addRow(tag.begin, facts, repeat);
    }

    // Parses a row the quick look could not judge, to learn which of its cells show something.
    bool judgeByParsing(size_t begin, OdsRowFacts& facts)
    {
        std::vector<OdsRowCell> cells;
        if (!parseOdsRow(m_index.root, m_xml.substr(begin, facts.end - begin), cells))
            return false;
        facts.cells = 0;
        for (const OdsRowCell& cell : cells)
            facts.cells += size_t(cell.repeat);
        facts.firstCol = cells.empty() ? 0 : cells.front().col;
        facts.lastCol = cells.empty() ? 0 : cells.back().col + cells.back().repeat - 1;
        return true;
    }

    // Counts cells as the full parse does, so a sheet past kMaxSheetCells goes to it (TooLarge).
    bool addRow(size_t begin, const OdsRowFacts& facts, int repeat)
    {
        if (facts.cells > 0 && m_rowNumber < kMaxRows) {
            const int count = std::min(repeat, kMaxRows - m_rowNumber);
            m_cells += facts.cells * size_t(count);
            if (m_cells > kMaxSheetCells)
                return false;
            OdsTableIndex& table = m_index.tables.back();
            table.rows.push_back({m_rowNumber + 1, count, uint32_t(begin), uint32_t(facts.end)});
            table.range.include(m_rowNumber + 1, m_rowNumber + count, facts.firstCol, facts.lastCol);
        }
        m_rowNumber = std::min(m_rowNumber + repeat, kMaxRows);
        return true;
    }

    // Lets expat check all but the rows (declaration, DOCTYPE refusal, styles, table names).
    bool checkOutsideRows()
    {
        m_outside.append(m_xml.substr(m_outsideFrom));
        TableNames tables;
        if (!parseXml(m_outside, tables, "ods content") || tables.names.size() != m_index.tables.size())
            return false;
        for (size_t i = 0; i < tables.names.size(); ++i)
            m_index.tables[i].name = std::move(tables.names[i]);
        return true;
    }

    std::string_view m_xml;
    TagScanner m_scanner;
    OdsRowScanner m_rows;
    std::vector<OpenElement> m_open;
    OdsContentIndex m_index;
    std::string m_outside; // the document with its rows cut out
    size_t m_outsideFrom = 0;
    int m_rowNumber = 0;
    size_t m_cells = 0;
};

} // namespace

std::optional<OdsContentIndex> indexOdsContent(std::string_view xml)
{
    return ContentIndexer(xml).run();
}

} // namespace tesvora::bank
