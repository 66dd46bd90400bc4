#include "OdsRowScan.h"

#include <algorithm>
#include <cstring>

#include "CellAddress.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

// Without child elements, a cell shows something only if it has a value type.
bool namesValueType(const Tag& cell)
{
    return cell.attributes.find("value-type") != std::string_view::npos;
}

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
    if (attributes.find("repeated") == std::string_view::npos)
        return true;
    bool plain = true;
    const bool laidOut = forEachPlainAttribute(attributes, [&](std::string_view key, std::string_view text) {
        if (key != name)
            return;
        long value = 0;
        plain = plain && !text.empty();
        for (const char c : text) {
            if (c < '0' || c > '9') {
                plain = false; // a sign, space or entity: strtol's reading is left to the full parse
                return;
            }
            value = std::min<long>(value * 10 + (c - '0'), kMaxRows);
        }
        count = int(std::max<long>(value, 1));
    });
    return laidOut && plain;
}

// Skips the body of the most common cell, <text:p>text</text:p></table:table-cell>, without
// the tag scanner; false (nothing skipped) for any other body.
bool OdsRowScanner::skipPlainCell(const Tag& cell)
{
    constexpr std::string_view kOpen = "<text:p>", kClose = "</text:p></table:table-cell>";
    const size_t text = cell.end + kOpen.size();
    if (text >= m_xml.size() || m_xml[text] == '<' || m_xml.substr(cell.end, kOpen.size()) != kOpen)
        return false;
    const void* found = std::memchr(m_xml.data() + text, '<', m_xml.size() - text);
    const size_t close = found != nullptr ? size_t(static_cast<const char*>(found) - m_xml.data()) : m_xml.size();
    if (m_xml.substr(close, kClose.size()) != kClose)
        return false;
    m_scanner = TagScanner(m_xml, close + kClose.size(), TagScanner::Names::Prefixed);
    return true;
}

// Reads a cell's body up to its end tag, checking that names pair up. A cell whose first
// child is a paragraph starting with text surely shows something whatever its value type;
// other bodies are left to expat.
bool OdsRowScanner::readCell(const Tag& cell, bool covered, int depth, bool& unsure, bool& shows)
{
    Tag tag;
    if (!m_scanner.next(tag) || declaresNamespace(tag.attributes))
        return false;
    if (tag.kind == Tag::Close) {
        unsure = !covered && namesValueType(cell);
        return tag.name == cell.name;
    }
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
    if (depth + 2 > kMaxXmlDepth)
        return false; // room for a cell and its paragraph
    while (m_scanner.next(tag) && !declaresNamespace(tag.attributes)) {
        if (tag.kind == Tag::Close) {
            facts.end = tag.end;
            return tag.name == "table:table-row";
        }
        const bool covered = tag.name == "table:covered-table-cell";
        int repeat = 1;
        if ((!covered && tag.name != "table:table-cell") || !plainRepeat(tag.attributes, "table:number-columns-repeated", repeat))
            return false;
        bool unsure = false, shows = false;
        if (tag.kind == Tag::Empty)
            unsure = !covered && namesValueType(tag);
        else if (!covered && skipPlainCell(tag))
            shows = true;
        else if (!readCell(tag, covered, depth + 1, unsure, shows))
            return false;
        facts.unsure = facts.unsure || unsure;
        if (shows)
            addCells(facts, col, repeat);
        col = std::min(col + repeat, kMaxCols);
    }
    return false;
}

} // namespace tesvora::bank
