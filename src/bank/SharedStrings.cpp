#include <algorithm>
#include <functional>
#include <vector>

#include "Readers.h"
#include "TagScanner.h"
#include "XlsxParts.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

// Collects the text of <si> items: the runs' <t> joined, phonetic guides (<rPh>) left out.
class StringItemHandler final : public XmlHandler {
public:
    void start(std::string_view name, const char**) override
    {
        const std::string_view local = localName(name);
        if (local == "si") {
            current.clear();
        } else if (local == "t") {
            m_inText = true;
        } else if (local == "rPh") {
            ++m_phonetic;
        }
    }
    void end(std::string_view name) override
    {
        const std::string_view local = localName(name);
        if (local == "t") {
            m_inText = false;
        } else if (local == "rPh") {
            --m_phonetic;
        } else if (local == "si" && onItem) {
            onItem(decodeXlsxEscapes(current));
        }
    }
    void text(std::string_view data) override
    {
        if (m_inText && m_phonetic == 0)
            appendCapped(current, data, kMaxCellBytes);
    }

    std::string current;
    std::function<void(std::string)> onItem;

private:
    bool m_inText = false;
    int m_phonetic = 0;
};

} // namespace

Expected<SharedStrings> SharedStrings::parse(std::string xml)
{
    SharedStrings strings;
    strings.m_text = std::move(xml);
    if (!strings.indexRaw()) {
        auto decoded = strings.decodeAll();
        if (!decoded)
            return tl::unexpected(decoded.error());
    }
    return strings;
}

// Finds each <si> with a quick tag scan, then lets expat check everything around them.
// False when the part holds anything the quick scan does not handle.
bool SharedStrings::indexRaw()
{
    const size_t root = m_text.find("<sst");
    if (root == std::string::npos)
        return false;
    TagScanner scanner(m_text, root);
    Tag tag;
    std::vector<std::string_view> open;
    size_t itemBegin = 0, firstItem = std::string::npos, afterItems = std::string::npos;
    while (scanner.next(tag)) {
        if (tag.kind == Tag::Open) {
            if (open.size() == 1 && tag.name == "si")
                itemBegin = tag.begin;
            open.push_back(tag.name);
            if (open.size() > 64)
                return false;
        } else if (tag.kind == Tag::Close) {
            if (open.empty() || open.back() != tag.name)
                return false;
            open.pop_back();
        }
        const bool item = open.size() == 1 && tag.name == "si" && tag.kind != Tag::Open;
        if (item) {
            itemBegin = tag.kind == Tag::Empty ? tag.begin : itemBegin;
            m_spans.push_back({uint32_t(itemBegin), uint32_t(tag.end - itemBegin)});
            firstItem = std::min(firstItem, itemBegin);
            afterItems = tag.end;
        }
        if (open.empty())
            break;
    }
    if (scanner.unusual() || !open.empty())
        return false;
    if (firstItem == std::string::npos)
        firstItem = afterItems = m_text.find('>', root) + 1;
    StringItemHandler outside;
    const std::string_view text = m_text;
    return bool(parseXml({text.substr(0, firstItem), text.substr(afterItems)}, outside, "xlsx shared strings"));
}

Expected<void> SharedStrings::decodeAll()
{
    std::string decoded;
    m_spans.clear();
    StringItemHandler handler;
    handler.onItem = [&](std::string item) {
        if (decoded.size() + item.size() > kMaxInflatedBytes)
            return handler.fail({ReadErrorCode::TooLarge, "xlsx shared strings: too much text"});
        m_spans.push_back({uint32_t(decoded.size()), uint32_t(item.size())});
        decoded += item;
    };
    auto parsed = parseXml(m_text, handler, "xlsx shared strings");
    if (!parsed)
        return parsed;
    m_text = std::move(decoded);
    m_raw = false;
    return {};
}

std::string SharedStrings::at(long long index) const
{
    if (index < 0 || size_t(index) >= m_spans.size())
        return {};
    const Span span = m_spans[size_t(index)];
    const std::string_view piece = std::string_view(m_text).substr(span.begin, span.length);
    if (!m_raw)
        return std::string(piece);
    StringItemHandler handler;
    std::string text;
    handler.onItem = [&](std::string item) { text = std::move(item); };
    parseXml(piece, handler, "xlsx shared string"); // the item alone; a damaged one reads as ""
    return text;
}

} // namespace tesvora::bank
