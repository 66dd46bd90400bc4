#include "Readers.h"

#include <cstdio>
#include <memory>

#include <freexl.h>

#include "CellAddress.h"
#include "CellFormat.h"
#include "GridSheet.h"
#include "XlsCompoundFile.h"
#include "XlsRecords.h"

// FreeXL reads the cells; it gives no formula results, booleans as the numbers 1 and 0, and no
// error cells, so those come from a bounded scan of the same records (XlsRecords). libgsf opens
// the compound file first (XlsCompoundFile), to tell encrypted xlsx and other compound files from
// workbooks, and hands FreeXL a clean copy of the checked stream: FreeXL trusts lengths it reads.
namespace tesvora::bank {

namespace {

// FreeXL allocates 16 bytes for every cell its DIMENSION records claim, used or not: allow two
// full BIFF8 sheets of 65536 x 256 (about 512 MiB) and no more.
constexpr uint64_t kMaxCellSlots = uint64_t(2) * 65536 * 256;

struct FreeXlHandle {
    const void* handle = nullptr;
    ~FreeXlHandle() { freexl_close(handle); } // also after a failed open, as FreeXL asks
};

ReadError freeXlError(int rc)
{
    if (rc == FREEXL_INSUFFICIENT_MEMORY)
        return { ReadErrorCode::TooLarge, "xls: out of memory" };
    if (rc == FREEXL_FILE_NOT_FOUND)
        return { ReadErrorCode::Unreadable, "xls: cannot open the file" };
    return { ReadErrorCode::Corrupt, "xls: FreeXL error " + std::to_string(rc) };
}

// "2024-03-15", "2024-03-15 13:45:30", "08:05:09" as "2024/3/15", "2024/3/15 13:45:30", "8:05:09".
std::string dateText(unsigned char type, const char* text)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char buf[48];
    if (type == FREEXL_CELL_DATE && std::sscanf(text, "%d-%d-%d", &y, &mo, &d) == 3)
        std::snprintf(buf, sizeof buf, "%d/%d/%d", y, mo, d);
    else if (type == FREEXL_CELL_DATETIME && std::sscanf(text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) == 6)
        std::snprintf(buf, sizeof buf, "%d/%d/%d %d:%02d:%02d", y, mo, d, h, mi, s);
    else if (type == FREEXL_CELL_TIME && std::sscanf(text, "%d:%d:%d", &h, &mi, &s) == 3)
        std::snprintf(buf, sizeof buf, "%d:%02d:%02d", h, mi, s);
    else
        return text;
    return buf;
}

std::string cellText(const FreeXL_CellValue& value)
{
    switch (value.type) {
    case FREEXL_CELL_INT:
        return formatNumber(value.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return formatNumber(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return value.value.text_value ? value.value.text_value : "";
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return value.value.text_value ? dateText(value.type, value.value.text_value) : "";
    }
    return {};
}

Expected<GridSheet> readSheet(const void* handle, unsigned index, const std::vector<XlsRecordCell>* extra)
{
    const char* name = nullptr;
    if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(index), &name) != FREEXL_OK
        || freexl_select_active_worksheet(handle, static_cast<unsigned short>(index)) != FREEXL_OK)
        return readError(ReadErrorCode::Corrupt, "xls: sheet " + std::to_string(index + 1) + " cannot be read");
    GridSheet sheet(name ? name : "");
    unsigned int rows = 0;
    unsigned short cols = 0;
    if (freexl_worksheet_dimensions(handle, &rows, &cols) != FREEXL_OK)
        return readError(ReadErrorCode::Corrupt, "xls: sheet " + std::to_string(index + 1) + " has no dimensions");
    for (unsigned row = 0; row < rows && row < unsigned(kMaxRows); ++row) {
        for (unsigned short col = 0; col < cols; ++col) {
            FreeXL_CellValue value;
            if (freexl_get_cell_value(handle, row, col, &value) == FREEXL_OK)
                sheet.set(int(row) + 1, int(col) + 1, cellText(value));
        }
    }
    for (const XlsRecordCell& cell : extra ? *extra : std::vector<XlsRecordCell> {})
        sheet.set(cell.row, cell.col, cell.text); // later wins: replaces FreeXL's 1/0 for booleans
    return sheet;
}

class XlsWorkbook final : public Workbook {
public:
    explicit XlsWorkbook(std::vector<GridSheet> sheets)
        : m_sheets(std::move(sheets))
    {
        for (const GridSheet& sheet : m_sheets)
            m_names.push_back(sheet.name());
    }

    const std::vector<std::string>& sheetNames() const override { return m_names; }

    Expected<std::unique_ptr<Sheet>> loadSheet(int index) override
    {
        if (index < 0 || index >= int(m_sheets.size()))
            return readError(ReadErrorCode::NoSuchSheet, "sheet index " + std::to_string(index));
        return std::make_unique<GridSheet>(m_sheets[size_t(index)]);
    }

private:
    std::vector<GridSheet> m_sheets;
    std::vector<std::string> m_names;
};

// Every sheet, read while FreeXL holds the file; the handle is closed on return.
Expected<std::vector<GridSheet>> readSheets(const std::filesystem::path& path, const XlsRecordScan& scan)
{
    FreeXlHandle xls;
    const int rc = freexl_open(path.c_str(), &xls.handle);
    if (rc != FREEXL_OK)
        return tl::unexpected(freeXlError(rc));
    unsigned int count = 0;
    if (!xls.handle || freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return readError(ReadErrorCode::Encrypted, "xls: FreeXL refused the file as encrypted");
    // The record scan lists worksheets as FreeXL does; if the two ever disagree, keep FreeXL's cells alone.
    const bool matched = scan.sheets.size() == count;
    std::vector<GridSheet> sheets;
    for (unsigned index = 0; index < count; ++index) {
        auto sheet = readSheet(xls.handle, index, matched ? &scan.sheets[index] : nullptr);
        if (!sheet)
            return tl::unexpected(sheet.error());
        sheets.push_back(std::move(*sheet));
    }
    return sheets;
}

} // namespace

Expected<std::unique_ptr<Workbook>> openXls(const std::filesystem::path& path)
{
    auto stream = readWorkbookStream(path);
    if (!stream)
        return tl::unexpected(stream.error());
    auto scan = scanXlsRecords(stream->bytes);
    if (!scan)
        return tl::unexpected(scan.error());
    if (scan->encrypted)
        return readError(ReadErrorCode::Encrypted, "xls: FILEPASS record");
    if (scan->cellSlots > kMaxCellSlots)
        return readError(ReadErrorCode::TooLarge, "xls: sheets claim " + std::to_string(scan->cellSlots) + " cells");
    auto copy = TemporaryCompoundFile::create(*stream);
    if (!copy)
        return tl::unexpected(copy.error());
    auto sheets = readSheets(copy->path(), *scan);
    if (!sheets)
        return tl::unexpected(sheets.error());
    return std::make_unique<XlsWorkbook>(std::move(*sheets));
}

} // namespace tesvora::bank
