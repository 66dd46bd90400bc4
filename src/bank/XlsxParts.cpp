#include "XlsxParts.h"

#include <charconv>
#include <map>

#include "XmlParser.h"

namespace tesvora::bank {

namespace {

// More cell formats than any real workbook has; further ones are treated as plain numbers.
constexpr size_t kMaxCellFormats = size_t(1) << 20;

std::string resolvePart(std::string_view source, std::string_view target)
{
    std::string path;
    if (!target.empty() && target[0] == '/') {
        target.remove_prefix(1);
    } else {
        const size_t slash = source.rfind('/');
        path = slash == std::string_view::npos ? "" : std::string(source.substr(0, slash + 1));
    }
    while (!target.empty()) {
        const size_t slash = target.find('/');
        const std::string_view segment = target.substr(0, slash);
        if (segment == "..") {
            const size_t cut = path.empty() ? std::string::npos : path.rfind('/', path.size() - 2);
            path.resize(cut == std::string::npos ? 0 : cut + 1);
        } else if (segment != "." && !segment.empty()) {
            path.append(segment);
            if (slash != std::string_view::npos)
                path.push_back('/');
        }
        target = slash == std::string_view::npos ? std::string_view() : target.substr(slash + 1);
    }
    return path;
}

int toInt(const char* text, int fallback)
{
    int value = fallback;
    if (text != nullptr)
        std::from_chars(text, text + std::char_traits<char>::length(text), value);
    return value;
}

class RelationsHandler final : public XmlHandler {
public:
    RelationsHandler(std::string_view source) : m_source(source) {}
    void start(std::string_view name, const char** attributes) override
    {
        const char* target = findAttribute(attributes, "Target");
        const char* mode = findAttribute(attributes, "TargetMode");
        if (localName(name) != "Relationship" || target == nullptr || (mode && std::string_view(mode) == "External"))
            return;
        const char* id = findAttribute(attributes, "Id");
        std::string_view type = findAttribute(attributes, "Type") ? findAttribute(attributes, "Type") : "";
        type = type.substr(type.rfind('/') + 1);
        relations.push_back({id ? id : "", std::string(type), resolvePart(m_source, target)});
    }
    void end(std::string_view) override {}
    void text(std::string_view) override {}

    std::vector<XlsxRelation> relations;

private:
    std::string_view m_source;
};

class WorkbookHandler final : public XmlHandler {
public:
    void start(std::string_view name, const char** attributes) override
    {
        const std::string_view local = localName(name);
        if (m_depth++ == 0)
            info.isWorkbook = local == "workbook";
        if (local == "workbookPr") {
            const char* flag = findAttribute(attributes, "date1904");
            info.date1904 = flag != nullptr && (std::string_view(flag) == "1" || std::string_view(flag) == "true");
        } else if (local == "sheet") {
            const char* sheetName = findAttribute(attributes, "name");
            info.sheets.push_back({sheetName ? sheetName : "", relationId(attributes)});
        }
    }
    void end(std::string_view) override { --m_depth; }
    void text(std::string_view) override {}

    XlsxWorkbookInfo info;

private:
    int m_depth = 0;

    // r:id, whichever relationships namespace (transitional or strict) the file uses.
    static std::string relationId(const char** attributes)
    {
        for (; attributes[0] != nullptr; attributes += 2) {
            const std::string_view attribute = attributes[0];
            if (attribute.find('|') != std::string_view::npos && localName(attribute) == "id")
                return attributes[1];
        }
        return {};
    }
};

class StylesHandler final : public XmlHandler {
public:
    void start(std::string_view name, const char** attributes) override
    {
        const std::string_view local = localName(name);
        if (local == "numFmt") {
            const char* code = findAttribute(attributes, "formatCode");
            DateKind kind;
            const bool date = code != nullptr && isDateFormatCode(code, &kind);
            m_custom[toInt(findAttribute(attributes, "numFmtId"), -1)] = date ? int8_t(kind) : int8_t(-1);
        } else if (local == "cellXfs") {
            m_inCellXfs = true;
        } else if (local == "xf" && m_inCellXfs && m_formats.size() < kMaxCellFormats) {
            m_formats.push_back(toInt(findAttribute(attributes, "numFmtId"), 0));
        }
    }
    void end(std::string_view name) override
    {
        if (localName(name) == "cellXfs")
            m_inCellXfs = false;
    }
    void text(std::string_view) override {}

    std::vector<int8_t> result() const
    {
        std::vector<int8_t> kinds;
        kinds.reserve(m_formats.size());
        for (int id : m_formats) {
            DateKind kind;
            const auto custom = m_custom.find(id);
            if (custom != m_custom.end())
                kinds.push_back(custom->second);
            else
                kinds.push_back(isBuiltinDateFormat(id, &kind) ? int8_t(kind) : int8_t(-1));
        }
        return kinds;
    }

private:
    std::map<int, int8_t> m_custom; // custom codes replace built-in ones of the same id
    std::vector<int> m_formats;
    bool m_inCellXfs = false;
};

} // namespace

Expected<std::vector<XlsxRelation>> parseRelations(std::string_view xml, std::string_view source)
{
    RelationsHandler handler(source);
    auto parsed = parseXml(xml, handler, "xlsx relationships");
    if (!parsed)
        return tl::unexpected(parsed.error());
    return std::move(handler.relations);
}

Expected<XlsxWorkbookInfo> parseWorkbookPart(std::string_view xml)
{
    WorkbookHandler handler;
    auto parsed = parseXml(xml, handler, "xlsx workbook");
    if (!parsed)
        return tl::unexpected(parsed.error());
    return std::move(handler.info);
}

Expected<std::vector<int8_t>> parseDateStyles(std::string_view xml)
{
    StylesHandler handler;
    auto parsed = parseXml(xml, handler, "xlsx styles");
    if (!parsed)
        return tl::unexpected(parsed.error());
    return handler.result();
}

} // namespace tesvora::bank
