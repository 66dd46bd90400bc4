#pragma once

#include <cstddef>
#include <string_view>

namespace tesvora::bank {

// One tag found by TagScanner; offsets are into the scanned text.
struct Tag {
    enum Kind { Open, Close, Empty };
    Kind kind = Open;
    std::string_view name;  // as written, without '<', '/' or attributes
    std::string_view attributes; // the text between the name and '>' (or "/>")
    size_t begin = 0; // offset of '<'
    size_t end = 0;   // offset just past '>'
};

// A quick pass over XML that only finds plain tags, for indexing big parts before
// expat parses the few pieces asked for. It does not check the XML: anything
// beyond plain tags and text (comments, CDATA, processing instructions, declarations,
// prefixed names unless allowed, an unterminated tag) makes it stop and report unusual(),
// so the caller can fall back to a full parse.
class TagScanner {
public:
    enum class Names { Plain, Prefixed }; // Prefixed keeps "table:table-row" whole as the name

    TagScanner(std::string_view xml, size_t from, Names names = Names::Plain)
        : m_xml(xml), m_at(from), m_prefixed(names == Names::Prefixed)
    {
    }

    // The next tag; false at the end of the text or on anything unusual.
    bool next(Tag& tag);

    bool unusual() const { return m_unusual; }

    // Whether text (not another tag) follows the tag.
    bool textFollows(const Tag& tag) const { return tag.end < m_xml.size() && m_xml[tag.end] != '<'; }

private:
    bool fail();
    bool readName(size_t& at, std::string_view& name);

    std::string_view m_xml;
    size_t m_at;
    bool m_prefixed;
    bool m_unusual = false;
};

// The value of attribute `name` inside a tag's attribute text, without entity decoding;
// empty when absent.
std::string_view tagAttribute(std::string_view attributes, std::string_view name);

} // namespace tesvora::bank
