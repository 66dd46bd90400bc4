#include "Readers.h"

#include <algorithm>

#include <unicode/ustring.h>

#include "CellAddress.h"
#include "GridSheet.h"
#include "TextDecoding.h"

namespace tesvora::bank {

namespace {

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

bool isValidUtf8(std::string_view bytes)
{
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(nullptr, 0, &length, bytes.data(), int32_t(bytes.size()), &status);
    return status != U_INVALID_CHAR_FOUND && status != U_ILLEGAL_CHAR_FOUND;
}

// Text with NUL bytes, or where control characters are more than a tenth of the start, is no csv.
bool looksBinary(std::string_view text)
{
    const std::string_view head = text.substr(0, 65536);
    size_t controls = 0;
    for (const char c : head) {
        if (c == '\0')
            return true;
        if ((unsigned char)c < 0x20 && c != '\t' && c != '\r' && c != '\n')
            ++controls;
    }
    return controls * 10 > head.size();
}

// The file's text in UTF-8: by its BOM, else as UTF-8 when it is valid UTF-8, else as GB18030.
Expected<std::string> decode(std::string bytes)
{
    std::optional<std::string> text;
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        text = toUtf8(std::string_view(bytes).substr(3), "UTF-8");
    else if (startsWith(bytes, "\xFF\xFE"))
        text = toUtf8(std::string_view(bytes).substr(2), "UTF-16LE");
    else if (startsWith(bytes, "\xFE\xFF"))
        text = toUtf8(std::string_view(bytes).substr(2), "UTF-16BE");
    else if (looksBinary(bytes))
        return readError(ReadErrorCode::Unsupported, "csv: binary content");
    else if (isValidUtf8(bytes))
        text = std::move(bytes);
    else
        text = toUtf8(bytes, "GB18030");
    if (!text)
        return readError(ReadErrorCode::TooLarge, "csv: text cannot be decoded");
    if (looksBinary(*text))
        return readError(ReadErrorCode::Unsupported, "csv: binary content");
    return std::move(*text);
}

// Tab when the first lines hold more tabs than commas outside quotes, else comma.
char sniffSeparator(std::string_view text)
{
    size_t commas = 0, tabs = 0, lines = 0;
    bool quoted = false;
    for (size_t i = 0; i < text.size() && i < 65536 && lines < 5; ++i) {
        const char c = text[i];
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == ',')
            ++commas;
        else if (!quoted && c == '\t')
            ++tabs;
        else if (!quoted && c == '\n')
            ++lines;
    }
    return tabs > commas ? '\t' : ',';
}

// RFC 4180 fields: "" inside quotes is one quote, line breaks inside quotes belong to the cell,
// and a row ends at CR LF, LF or CR. Text after a closing quote is kept, as spreadsheets do.
class CsvParser {
public:
    CsvParser(std::string_view text, char separator)
        : m_text(text)
        , m_separator(separator)
    {
    }

    Expected<GridSheet> parse()
    {
        GridSheet sheet("Sheet1");
        int row = 1, col = 1;
        while (m_at < m_text.size()) {
            if (row > kMaxRows || col > kMaxCols)
                return readError(ReadErrorCode::TooLarge,
                    "csv: more than " + std::to_string(kMaxRows) + " rows or " + std::to_string(kMaxCols) + " columns");
            auto cell = field();
            if (!cell)
                return tl::unexpected(cell.error());
            sheet.set(row, col, std::move(*cell));
            const char end = m_at < m_text.size() ? m_text[m_at] : '\n';
            m_at += end == '\r' && m_at + 1 < m_text.size() && m_text[m_at + 1] == '\n' ? 2 : 1;
            if (end == m_separator) {
                ++col;
            } else {
                ++row;
                col = 1;
            }
        }
        return sheet;
    }

private:
    // One field, leaving m_at on the separator or line end after it (or at the end of the text).
    Expected<std::string> field()
    {
        std::string cell;
        bool quoted = false, opened = false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (quoted && c == '"' && m_at < m_text.size() && m_text[m_at] == '"')
                ++m_at; // "" stands for one quote
            else if (c == '"' && (quoted || (!opened && cell.empty()))) {
                opened = true;
                quoted = !quoted;
                continue;
            } else if (!quoted && (c == m_separator || c == '\r' || c == '\n')) {
                --m_at;
                break;
            }
            cell.push_back(c);
            if (cell.size() > kMaxCellBytes)
                return readError(
                    ReadErrorCode::TooLarge, "csv: a cell over " + std::to_string(kMaxCellBytes) + " bytes");
        }
        return cell;
    }

    std::string_view m_text;
    char m_separator;
    size_t m_at = 0;
};

class CsvWorkbook final : public Workbook {
public:
    explicit CsvWorkbook(GridSheet sheet)
        : m_sheet(std::move(sheet))
    {
    }

    const std::vector<std::string>& sheetNames() const override { return m_names; }

    Expected<std::unique_ptr<Sheet>> loadSheet(int index) override
    {
        if (index != 0)
            return readError(ReadErrorCode::NoSuchSheet, "csv has one sheet, asked for index " + std::to_string(index));
        return std::make_unique<GridSheet>(m_sheet);
    }

private:
    GridSheet m_sheet;
    std::vector<std::string> m_names { m_sheet.name() };
};

} // namespace

Expected<std::unique_ptr<Workbook>> openCsv(std::string bytes)
{
    auto text = decode(std::move(bytes));
    if (!text)
        return tl::unexpected(text.error());
    auto sheet = CsvParser(*text, sniffSeparator(*text)).parse();
    if (!sheet)
        return tl::unexpected(sheet.error());
    return std::make_unique<CsvWorkbook>(std::move(*sheet));
}

} // namespace tesvora::bank
