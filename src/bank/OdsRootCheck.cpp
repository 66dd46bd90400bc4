#include "OdsRootCheck.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "OdsNames.h"
#include "OdsRowScan.h"

namespace tesvora::bank {

namespace {

bool isUtf8Name(std::string_view encoding)
{
    constexpr std::string_view kUtf8 = "utf-8";
    return encoding.size() == kUtf8.size() && std::equal(encoding.begin(), encoding.end(), kUtf8.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

} // namespace

size_t odsPrologEnd(std::string_view xml)
{
    const size_t at = xml.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    if (!xml.substr(at).starts_with("<?xml "))
        return at;
    const size_t end = xml.find("?>", at);
    if (end == std::string_view::npos)
        return xml.size();
    std::string_view encoding;
    const bool plain = forEachPlainAttribute(xml.substr(at + 5, end - at - 5), [&](std::string_view name, std::string_view value) {
        if (name == "encoding")
            encoding = value;
    });
    return plain && (encoding.empty() || isUtf8Name(encoding)) ? end + 2 : xml.size();
}

bool odsUsualNamespaces(std::string_view rootAttributes)
{
    const std::pair<std::string_view, std::string_view> usual[] = {
        {"xmlns:table", kOdsTableNs}, {"xmlns:text", kOdsTextNs}, {"xmlns:office", kOdsOfficeNs}};
    int bound = 0;
    bool plain = true;
    const bool laidOut = forEachPlainAttribute(rootAttributes, [&](std::string_view name, std::string_view value) {
        if (!name.starts_with("xmlns"))
            return;
        plain = plain && name.starts_with("xmlns:") && value.find('&') == std::string_view::npos;
        for (const auto& [declaration, uri] : usual) {
            if (name == declaration && value == uri)
                ++bound;
            else if (name == declaration || value == uri)
                plain = false;
        }
    });
    return laidOut && plain && bound == 3;
}

} // namespace tesvora::bank
