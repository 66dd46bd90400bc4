#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CellFormat.h"
#include "ReadError.h"

namespace tesvora::bank {

// One relationship of a package part: its id, type (the URI's last segment) and resolved part name.
struct XlsxRelation {
    std::string id;
    std::string type;
    std::string target;
};

// The relationships in the .rels part `xml` of the part named `source`, targets resolved
// against it; Corrupt for bad XML.
Expected<std::vector<XlsxRelation>> parseRelations(std::string_view xml, std::string_view source);

// A sheet as the workbook part lists it.
struct XlsxSheetEntry {
    std::string name;
    std::string relationId;
};

// What the workbook part says: the sheets in tab order and the date system.
struct XlsxWorkbookInfo {
    std::vector<XlsxSheetEntry> sheets;
    bool date1904 = false;
    bool isWorkbook = false; // the root element is <workbook> (not a text document's part)
};

// The workbook part parsed; Corrupt for bad XML.
Expected<XlsxWorkbookInfo> parseWorkbookPart(std::string_view xml);

// For each cell format (the s attribute of a cell) whether it shows a date or time:
// -1 for a plain number, else the DateKind as an int. Corrupt for bad XML.
Expected<std::vector<int8_t>> parseDateStyles(std::string_view xml);

// The shared string table. It keeps the inflated part and where each string lies in it,
// decoding one string only when asked, so a big table costs little beyond its own bytes.
class SharedStrings {
public:
    // The table in the part `xml`; Corrupt for bad XML.
    static Expected<SharedStrings> parse(std::string xml);

    // String `index` as the cell shows it; "" when there is no such string.
    std::string at(long long index) const;

    size_t size() const { return m_spans.size(); }

private:
    struct Span {
        uint32_t begin;
        uint32_t length;
    };
    bool indexRaw();
    Expected<void> decodeAll();

    std::string m_text;
    std::vector<Span> m_spans;
    bool m_raw = true; // spans point at raw <si> elements, decoded on demand
};

// Decodes the _xHHHH_ escapes Office writes for characters XML cannot hold ("_x000D_", "_x005F_").
std::string decodeXlsxEscapes(std::string_view text);

} // namespace tesvora::bank
