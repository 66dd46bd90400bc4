#include "XlsxCells.h"

#include <charconv>
#include <cstdlib>

#include "CellAddress.h"
#include "IsoDate.h"
#include "Readers.h"

namespace tesvora::bank {

namespace {

int parseInt(std::string_view text, int fallback)
{
    int value = fallback;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : fallback;
}

std::string numberText(const XlsxContext& context, int style, std::string_view value)
{
    const std::string text(value);
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size())
        return text; // not a number after all: show what is there
    if (style >= 0 && size_t(style) < context.dateStyles.size() && context.dateStyles[size_t(style)] >= 0)
        return formatSerialDate(number, DateKind(context.dateStyles[size_t(style)]), context.date1904);
    return formatNumber(number);
}

} // namespace

std::string xlsxCellText(const XlsxContext& context, std::string_view type, int style, std::string_view value)
{
    if (type == "s")
        return context.strings.at(parseInt(value, -1));
    if (type == "inlineStr" || type == "str")
        return decodeXlsxEscapes(value);
    if (type == "b")
        return value.empty() ? "" : value == "1" || value == "true" ? "TRUE" : "FALSE";
    if (type == "e")
        return std::string(value);
    if (type == "d")
        return formatIsoDate(value);
    return numberText(context, style, value);
}

SheetCellHandler::SheetCellHandler(const XlsxContext& context, Sink sink, int row)
    : m_context(context), m_sink(std::move(sink)), m_row(row)
{
}

void SheetCellHandler::start(std::string_view name, const char** attributes)
{
    const std::string_view local = localName(name);
    if (local == "row") {
        const char* r = findAttribute(attributes, "r");
        m_row = r != nullptr ? parseInt(r, kMaxRows + 1) : m_row + 1;
        m_col = 0;
    } else if (local == "c") {
        startCell(attributes);
    } else if (local == "rPh") {
        ++m_phonetic;
    } else if (m_inCell && m_phonetic == 0 && (local == "v" || (local == "t" && m_type == "inlineStr"))) {
        m_collect = true;
    }
}

void SheetCellHandler::startCell(const char** attributes)
{
    const char* r = findAttribute(attributes, "r");
    const auto address = r != nullptr ? ParseCellAddress(r) : std::nullopt;
    m_col = address ? address->col : r != nullptr ? kMaxCols + 1 : m_col + 1;
    const char* type = findAttribute(attributes, "t");
    m_type = type != nullptr ? type : "n";
    const char* style = findAttribute(attributes, "s");
    m_style = style != nullptr ? parseInt(style, 0) : 0;
    m_value.clear();
    m_inCell = true;
}

void SheetCellHandler::end(std::string_view name)
{
    const std::string_view local = localName(name);
    if (local == "v" || local == "t") {
        m_collect = false;
    } else if (local == "rPh") {
        --m_phonetic;
    } else if (local == "c" && m_inCell) {
        m_inCell = false;
        if (m_row < 1 || m_row > kMaxRows || m_col < 1 || m_col > kMaxCols)
            return; // outside any sheet: ignored
        std::string cell = xlsxCellText(m_context, m_type, m_style, m_value);
        if (!cell.empty())
            m_sink(m_row, m_col, std::move(cell));
    }
}

void SheetCellHandler::text(std::string_view data)
{
    if (m_collect)
        appendCapped(m_value, data, kMaxCellBytes);
}

} // namespace tesvora::bank
