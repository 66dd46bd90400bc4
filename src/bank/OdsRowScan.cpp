#include "OdsRowScan.h"

#include <algorithm>

#include "CellAddress.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

void addCells(OdsRowFacts& facts, int col, int repeat)
{
    if (col >= kMaxCols)
        return;
    const int span = std::min(repeat, kMaxCols - col);
    if (facts.firstCol == 0)
        facts.firstCol = col + 1;
    facts.lastCol = col + span;
    facts.cells += size_t(span);
}

} // namespace

bool plainRepeat(std::string_view attributes, std::string_view name, int& count)
{
    count = 1;
    bool plain = true;
    const bool laidOut = forEachPlainAttribute(attributes, [&](std::string_view key, std::string_view text) {
        if (key != name)
            return;
        long value = 0;
        plain = plain && !text.empty();
        for (const char c : text) {
            plain = plain && c >= '0' && c <= '9';
            value = std::min<long>(value * 10 + (c - '0'), kMaxRows);
        }
        count = int(std::max<long>(value, 1));
    });
    return laidOut && plain;
}

// Reads a cell's body up to its end tag, checking that names pair up. A cell whose first
// child is a paragraph starting with text surely shows something whatever its value type;
// other bodies are left to expat.
bool OdsRowScanner::readCell(const Tag& cell, bool covered, int depth, bool& unsure, bool& shows)
{
    Tag tag;
    if (!m_scanner.next(tag) || declaresNamespace(tag.attributes) || depth >= kMaxXmlDepth)
        return false;
    if (tag.kind == Tag::Close)
        return tag.name == cell.name; // no child elements: the attributes alone decide
    shows = !covered && tag.kind == Tag::Open && tag.name == "text:p" && m_scanner.textFollows(tag);
    unsure = !covered && !shows;
    m_open.clear();
    if (tag.kind == Tag::Open)
        m_open.push_back(tag.name);
    while (m_scanner.next(tag) && !declaresNamespace(tag.attributes)) {
        if (tag.kind == Tag::Open) {
            if (depth + 1 + int(m_open.size()) > kMaxXmlDepth)
                return false;
            m_open.push_back(tag.name);
        } else if (tag.kind == Tag::Close) {
            if (m_open.empty())
                return tag.name == cell.name;
            if (m_open.back() != tag.name)
                return false;
            m_open.pop_back();
        }
    }
    return false;
}

bool OdsRowScanner::scan(int depth, OdsRowFacts& facts)
{
    Tag tag;
    int col = 0;
    while (m_scanner.next(tag) && !declaresNamespace(tag.attributes)) {
        if (tag.kind == Tag::Close) {
            facts.end = tag.end;
            return tag.name == "table:table-row";
        }
        const bool covered = tag.name == "table:covered-table-cell";
        int repeat = 1;
        if ((!covered && tag.name != "table:table-cell") || !plainRepeat(tag.attributes, "table:number-columns-repeated", repeat))
            return false;
        // Without child elements, a cell shows something only if it names a value type.
        bool unsure = !covered && tag.attributes.find("value-type") != std::string_view::npos;
        bool shows = false;
        if (tag.kind == Tag::Open && !readCell(tag, covered, depth + 1, unsure, shows))
            return false;
        facts.unsure = facts.unsure || unsure;
        if (shows)
            addCells(facts, col, repeat);
        col = std::min(col + repeat, kMaxCols);
    }
    return false;
}

} // namespace tesvora::bank
