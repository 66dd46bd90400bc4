#include "OdsCell.h"

#include <algorithm>
#include <cstdlib>

#include "CellFormat.h"
#include "IsoDate.h"
#include "Readers.h"
#include "XmlParser.h"

namespace tesvora::bank {

namespace {

constexpr std::string_view kOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0|";
constexpr std::string_view kText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0|";
constexpr std::string_view kDraw = "urn:oasis:names:tc:opendocument:xmlns:drawing:1.0|";
constexpr std::string_view kCalcext = "urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0|";

std::string attribute(const char** attributes, std::string_view prefix, std::string_view local)
{
    const char* value = findAttribute(attributes, std::string(prefix) + std::string(local));
    return value != nullptr ? value : "";
}

std::string valueAttributeFor(const char** attributes, const std::string& type)
{
    if (type == "date")
        return attribute(attributes, kOffice, "date-value");
    if (type == "time")
        return attribute(attributes, kOffice, "time-value");
    if (type == "boolean")
        return attribute(attributes, kOffice, "boolean-value");
    return attribute(attributes, kOffice, "value");
}

std::string numberText(const std::string& value, const std::string& shown)
{
    char* end = nullptr;
    const double number = std::strtod(value.c_str(), &end);
    return value.empty() || *end != '\0' ? shown : formatNumber(number);
}

} // namespace

void OdsCell::begin(const char** attributes, bool covered)
{
    m_active = true;
    m_covered = covered;
    m_depth = m_skipFrom = m_paragraphDepth = m_paragraphs = 0;
    m_type = attribute(attributes, kOffice, "value-type");
    m_shown = attribute(attributes, kCalcext, "value-type");
    m_value = valueAttributeFor(attributes, m_type);
    m_text.clear();
}

void OdsCell::start(std::string_view name, const char** attributes)
{
    ++m_depth;
    if (skipping())
        return;
    if (name.starts_with(kDraw) || name == std::string(kOffice) + "annotation") {
        m_skipFrom = m_depth;
    } else if (name.starts_with(kText)) {
        const std::string_view local = name.substr(kText.size());
        if ((local == "p" || local == "h") && m_paragraphDepth == 0) {
            if (m_paragraphs++ > 0)
                appendCapped(m_text, "\n", kMaxCellBytes);
            m_paragraphDepth = m_depth;
        } else if (local == "s") {
            const long count = std::strtol(attribute(attributes, kText, "c").c_str(), nullptr, 10);
            const size_t spaces = size_t(std::clamp(count, 1L, long(kMaxCellBytes)));
            m_text.append(std::min(spaces, kMaxCellBytes - std::min(m_text.size(), kMaxCellBytes)), ' ');
        } else if (local == "tab") {
            appendCapped(m_text, "\t", kMaxCellBytes);
        } else if (local == "line-break") {
            appendCapped(m_text, "\n", kMaxCellBytes);
        }
    }
}

bool OdsCell::end(std::string_view)
{
    if (m_depth == 0)
        return true;
    if (m_depth == m_skipFrom)
        m_skipFrom = 0;
    if (m_depth == m_paragraphDepth)
        m_paragraphDepth = 0;
    --m_depth;
    return false;
}

void OdsCell::text(std::string_view data)
{
    if (m_paragraphDepth > 0 && !skipping())
        appendCapped(m_text, data, kMaxCellBytes);
}

std::string OdsCell::finish()
{
    m_active = false;
    if (m_covered)
        return {};
    if (m_shown == "error")
        return std::move(m_text);
    if (m_type == "float" || m_type == "percentage" || m_type == "currency")
        return numberText(m_value, m_text);
    if (m_type == "date")
        return m_value.empty() ? std::move(m_text) : formatIsoDate(m_value);
    if (m_type == "time")
        return m_value.empty() ? std::move(m_text) : formatIsoDuration(m_value);
    if (m_type == "boolean")
        return m_value.empty() ? std::move(m_text) : m_value == "true" || m_value == "1" ? "TRUE" : "FALSE";
    return std::move(m_text);
}

} // namespace tesvora::bank
