#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "TagScanner.h"

namespace tesvora::bank {

// What a quick look at one <table:table-row> finds, without parsing its cells.
struct OdsRowFacts {
    int firstCol = 0;    // first column with content; 0 when none
    int lastCol = 0;     // last column with content
    size_t cells = 0;    // cells with content, repeats counted
    bool unsure = false; // a cell the quick look cannot judge: parse the row to know
    size_t end = 0;      // just past the row's end tag
};

// Follows rows tag by tag for the quick pass over content.xml.
class OdsRowScanner {
public:
    OdsRowScanner(std::string_view xml, TagScanner& scanner) : m_xml(xml), m_scanner(scanner) {}

    // Reads a row from just past its start tag (an Open tag) to its end tag; `depth` is how
    // deep the row lies. False on anything unusual (an element that is not a cell, mismatched
    // names, a namespace declaration, nesting past kMaxXmlDepth).
    bool scan(int depth, OdsRowFacts& facts);

private:
    bool readCell(const Tag& cell, bool covered, int depth, bool& unsure, bool& shows);
    bool skipPlainCell(const Tag& cell);

    std::string_view m_xml;
    TagScanner& m_scanner;
    std::vector<std::string_view> m_open; // elements open inside the cell being skipped
};

// Walks a tag's attribute text (name="value" pairs; values not decoded), calling
// visit(name, value) for each. False when the text is not plainly laid out.
template <typename Visit>
bool forEachPlainAttribute(std::string_view text, Visit visit)
{
    auto space = [&](size_t at) { return at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n'); };
    for (size_t at = 0;;) {
        while (space(at))
            ++at;
        if (at >= text.size())
            return true;
        const size_t nameStart = at;
        while (at < text.size() && text[at] != '=' && !space(at))
            ++at;
        const std::string_view name = text.substr(nameStart, at - nameStart);
        while (space(at))
            ++at;
        if (at + 1 >= text.size() || text[at] != '=')
            return false;
        for (++at; space(at);)
            ++at;
        if (at >= text.size() || (text[at] != '"' && text[at] != '\''))
            return false;
        const size_t close = text.find(text[at], at + 1);
        if (close == std::string_view::npos)
            return false;
        visit(name, text.substr(at + 1, close - at - 1));
        at = close + 1;
    }
}

// Reads the repeat count of attribute `name` (1 when absent) clamped to 1 .. kMaxRows.
// False when it is written in a way only a full parse can read (not plain digits).
bool plainRepeat(std::string_view attributes, std::string_view name, int& count);

// Whether a tag's attributes may declare a namespace, which the quick pass leaves to expat.
inline bool declaresNamespace(std::string_view attributes)
{
    return attributes.find("xmlns") != std::string_view::npos;
}

} // namespace tesvora::bank
