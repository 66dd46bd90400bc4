#include "TagScanner.h"

#include <cstring>

namespace tesvora::bank {

namespace {

bool isNameEnd(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>';
}

} // namespace

bool TagScanner::fail()
{
    m_unusual = true;
    return false;
}

bool TagScanner::readName(size_t& at, std::string_view& name)
{
    const size_t start = at;
    while (at < m_xml.size() && !isNameEnd(m_xml[at])) {
        if ((m_xml[at] == ':' && !m_prefixed) || m_xml[at] == '<' || m_xml[at] == '&')
            return fail();
        ++at;
    }
    name = m_xml.substr(start, at - start);
    return at < m_xml.size() && !name.empty() ? true : fail();
}

bool TagScanner::next(Tag& tag)
{
    const void* found = std::memchr(m_xml.data() + m_at, '<', m_xml.size() - m_at);
    if (found == nullptr)
        return false;
    size_t at = size_t(static_cast<const char*>(found) - m_xml.data());
    tag.begin = at++;
    if (at >= m_xml.size() || m_xml[at] == '!' || m_xml[at] == '?')
        return fail();
    tag.kind = m_xml[at] == '/' ? Tag::Close : Tag::Open;
    at += tag.kind == Tag::Close;
    if (!readName(at, tag.name))
        return false;
    const size_t attributes = at;
    char quote = 0;
    for (; at < m_xml.size(); ++at) {
        const char c = m_xml[at];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            break;
        } else if (c == '<') {
            return fail();
        }
    }
    if (at >= m_xml.size())
        return fail();
    if (at > attributes && m_xml[at - 1] == '/' && tag.kind == Tag::Open) {
        tag.kind = Tag::Empty;
        tag.attributes = m_xml.substr(attributes, at - 1 - attributes);
    } else {
        tag.attributes = m_xml.substr(attributes, at - attributes);
    }
    tag.end = m_at = at + 1;
    return true;
}

std::string_view tagAttribute(std::string_view attributes, std::string_view name)
{
    size_t at = 0;
    while ((at = attributes.find(name, at)) != std::string_view::npos) {
        const size_t after = at + name.size();
        const bool starts = at > 0 && isNameEnd(attributes[at - 1]);
        if (starts && after + 1 < attributes.size() && attributes[after] == '=' &&
            (attributes[after + 1] == '"' || attributes[after + 1] == '\'')) {
            const size_t close = attributes.find(attributes[after + 1], after + 2);
            if (close == std::string_view::npos)
                return {};
            return attributes.substr(after + 2, close - after - 2);
        }
        at = after;
    }
    return {};
}

} // namespace tesvora::bank
