#include "XlsRecords.h"

#include <cstdint>
#include <cstring>
#include <optional>

#include "CellFormat.h"
#include "TextDecoding.h"
#include "XlsStringTable.h"

namespace tesvora::bank {

namespace {

enum RecordType : uint16_t {
    kFormula = 0x0006,
    kEof = 0x000A,
    kName = 0x0018,
    kFilePass = 0x002F,
    kContinue = 0x003C,
    kCodePage = 0x0042,
    kBoundSheet = 0x0085,
    kSst = 0x00FC,
    kRString = 0x00D6,
    kLabel = 0x0204,
    kFormat = 0x041E,
    kDimension = 0x0200,
    kBoolErr = 0x0205,
    kString = 0x0207,
    kBof = 0x0809,
};

struct Record {
    uint16_t type;
    std::string_view data;
};

uint16_t u16(std::string_view data, size_t at)
{
    return at + 2 <= data.size() ? uint16_t(uint8_t(data[at]) | uint8_t(data[at + 1]) << 8) : 0;
}

uint32_t u32(std::string_view data, size_t at)
{
    return uint32_t(u16(data, at)) | uint32_t(u16(data, at + 2)) << 16;
}

// Walks the records of one substream; a record running past the end ends the walk.
class RecordReader {
public:
    RecordReader(std::string_view stream, size_t offset)
        : m_stream(stream)
        , m_at(offset)
    {
    }

    std::optional<Record> next()
    {
        if (m_at + 4 > m_stream.size())
            return std::nullopt;
        const uint16_t type = u16(m_stream, m_at);
        const size_t size = u16(m_stream, m_at + 2);
        if (m_at + 4 + size > m_stream.size())
            return std::nullopt;
        Record record { type, m_stream.substr(m_at + 4, size) };
        m_at += 4 + size;
        return record;
    }

    // After next() gave nothing: whether the stream simply ended, rather than in a cut record.
    bool endedCleanly() const { return m_at + 4 > m_stream.size(); }

private:
    std::string_view m_stream;
    size_t m_at;
};

std::string errorText(uint8_t code)
{
    switch (code) {
    case 0x00:
        return "#NULL!";
    case 0x07:
        return "#DIV/0!";
    case 0x0F:
        return "#VALUE!";
    case 0x17:
        return "#REF!";
    case 0x1D:
        return "#NAME?";
    case 0x24:
        return "#NUM!";
    case 0x2A:
        return "#N/A";
    default:
        return "#N/A";
    }
}

std::string boolErrText(uint8_t value, bool isError)
{
    if (isError)
        return errorText(value);
    return value ? "TRUE" : "FALSE";
}

struct Globals {
    int codePage = 1252;
    std::vector<uint32_t> sheetOffsets;
};

// The string at `at` of a STRING, LABEL or RSTRING record: a character count, then BIFF8's
// width flag and UTF-16 or Latin-1 characters, or BIFF5's bytes in the code page. Characters
// past the record's end (a result longer than one record) are left out.
std::string recordText(std::string_view data, size_t at, int biffVersion, int codePage)
{
    const size_t count = u16(data, at);
    const std::string_view rest = data.substr(std::min(at + 2, data.size()));
    if (biffVersion < 8)
        return toUtf8(rest.substr(0, count), codePageCharset(codePage).c_str()).value_or("");
    const bool wide = !rest.empty() && (uint8_t(rest[0]) & 1);
    const std::string_view chars = rest.substr(std::min<size_t>(1, rest.size()), wide ? count * 2 : count);
    return toUtf8(chars, wide ? "UTF-16LE" : "ISO-8859-1").value_or("");
}

// The cached result of a FORMULA record; a string result comes in the STRING record after it.
std::optional<std::string> formulaResult(std::string_view data, bool& stringFollows)
{
    stringFollows = false;
    if (data.size() < 14)
        return std::nullopt;
    if (u16(data, 12) != 0xFFFF) {
        double value = 0;
        std::memcpy(&value, data.data() + 6, sizeof value);
        return formatNumber(value); // date-formatted results stay numbers: the XF is not looked up
    }
    switch (uint8_t(data[6])) {
    case 0:
        stringFollows = true;
        return std::nullopt;
    case 1:
        return boolErrText(uint8_t(data[8]), false);
    case 2:
        return boolErrText(uint8_t(data[8]), true);
    default:
        return std::string();
    }
}

// Rows times columns a DIMENSION record claims (last row and column are stored plus one).
uint64_t dimensionSlots(std::string_view data, int biffVersion)
{
    if (biffVersion >= 8)
        return uint64_t(u32(data, 4)) * u16(data, 10);
    return uint64_t(u16(data, 2)) * u16(data, 6);
}

std::vector<XlsRecordCell> scanSheet(
    std::string_view stream, size_t offset, int biffVersion, int codePage, uint64_t& cellSlots)
{
    std::vector<XlsRecordCell> cells;
    RecordReader reader(stream, offset);
    int depth = 0;
    std::optional<XlsRecordCell> pendingString;
    while (auto record = reader.next()) {
        if (record->type == kBof)
            ++depth;
        else if (record->type == kEof && --depth <= 0)
            break;
        if (depth != 1)
            continue; // inside an embedded chart
        if (record->type == kDimension)
            cellSlots += dimensionSlots(record->data, biffVersion);
        const int row = u16(record->data, 0) + 1;
        const int col = u16(record->data, 2) + 1;
        if (record->type == kFormula) {
            bool stringFollows = false;
            if (auto text = formulaResult(record->data, stringFollows))
                cells.push_back({ row, col, std::move(*text) });
            pendingString = stringFollows ? std::optional<XlsRecordCell>({ row, col, {} }) : std::nullopt;
        } else if (record->type == kString && pendingString) {
            pendingString->text = recordText(record->data, 0, biffVersion, codePage);
            cells.push_back(std::move(*pendingString));
            pendingString.reset();
        } else if (record->type == kRString) {
            // Text with formatting runs, as gnumeric and BIFF5 writers store it; FreeXL skips these.
            cells.push_back({ row, col, recordText(record->data, 6, biffVersion, codePage) });
        } else if (record->type == kBoolErr && record->data.size() >= 8) {
            cells.push_back({ row, col, boolErrText(uint8_t(record->data[6]), record->data[7] != 0) });
        }
    }
    return cells;
}

// Whether the text of a FORMAT, BOUNDSHEET, LABEL or NAME record fits inside the record: FreeXL
// 1.0.6 copies as many characters as the record claims, reading past its buffer.
bool textFits(const Record& record, int biffVersion)
{
    const std::string_view d = record.data;
    const bool biff8 = biffVersion >= 8;
    size_t count = 0, start = 0, formulaSize = 0;
    if (record.type == kFormat)
        count = biff8 ? u16(d, 2) : (d.size() > 2 ? uint8_t(d[2]) : 0), start = biff8 ? 5 : 3;
    else if (record.type == kBoundSheet)
        count = d.size() > 6 ? uint8_t(d[6]) : 0, start = biff8 ? 8 : 7;
    else if (record.type == kLabel)
        count = u16(d, 6), start = biff8 ? 9 : 8;
    else if (record.type == kName) // the name, then as many formula bytes as the record says
        count = d.size() > 3 ? uint8_t(d[3]) : 0, start = biff8 ? 15 : 14, formulaSize = u16(d, 4);
    else
        return true;
    const size_t width = biff8 && d.size() >= start && (uint8_t(d[start - 1]) & 1) ? 2 : 1;
    return d.size() >= start && count * width + formulaSize <= d.size() - start;
}

// The SST record's data and that of the CONTINUE records right after it, which `reader` passes.
std::vector<std::string_view> sstSegments(const Record& sst, RecordReader& reader)
{
    std::vector<std::string_view> segments { sst.data };
    RecordReader peek = reader;
    while (auto next = peek.next()) {
        if (next->type != kContinue)
            break;
        segments.push_back(next->data);
        reader = peek;
    }
    return segments;
}

// Every record of the stream in turn, as FreeXL walks it, checked with textFits, and the
// shared strings with sharedStringsFit.
bool textsFit(std::string_view stream, int biffVersion)
{
    RecordReader reader(stream, 0);
    while (auto record = reader.next()) {
        if (!textFits(*record, biffVersion))
            return false;
        if (record->type == kSst && biffVersion >= 8 && !sharedStringsFit(sstSegments(*record, reader)))
            return false;
    }
    return reader.endedCleanly(); // FreeXL reads a cut record at the end as if it were whole
}

} // namespace

Expected<XlsRecordScan> scanXlsRecords(std::string_view stream)
{
    RecordReader reader(stream, 0);
    auto bof = reader.next();
    if (!bof || bof->type != kBof)
        return readError(ReadErrorCode::Corrupt, "xls: the workbook stream does not start with BOF");
    XlsRecordScan scan;
    scan.biffVersion = u16(bof->data, 0) >= 0x0600 ? 8 : 5;
    Globals globals;
    while (auto record = reader.next()) {
        if (record->type == kEof)
            break;
        if (record->type == kFilePass)
            scan.encrypted = true;
        else if (record->type == kCodePage)
            globals.codePage = u16(record->data, 0);
        else if (record->type == kBoundSheet && record->data.size() >= 6 && uint8_t(record->data[5]) == 0)
            globals.sheetOffsets.push_back(u32(record->data, 0)); // worksheets only, as FreeXL lists them
    }
    if (scan.encrypted)
        return scan; // the records after FILEPASS are encrypted
    if (!textsFit(stream, scan.biffVersion))
        return readError(ReadErrorCode::Corrupt, "xls: a text runs past the end of its records");
    for (uint32_t offset : globals.sheetOffsets)
        scan.sheets.push_back(scanSheet(stream, offset, scan.biffVersion, globals.codePage, scan.cellSlots));
    return scan;
}

} // namespace tesvora::bank
