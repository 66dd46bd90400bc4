// What only xls files have: BIFF5 with a code page, the 1904 date system, and the record scan
// that supplies what FreeXL leaves out.
#include <gtest/gtest.h>

#include <filesystem>

#include "CellAddress.h"
#include "Readers.h"
#include "XlsRecords.h"
#include "XlsStringTable.h"

namespace tesvora::bank {
namespace {

const std::filesystem::path kFixtures = TESVORA_FIXTURES;

std::unique_ptr<Sheet> firstSheet(const char* file)
{
    auto workbook = openXls(kFixtures / file);
    if (!workbook) {
        ADD_FAILURE() << file << ": " << workbook.error().detail;
        return nullptr;
    }
    auto sheet = (*workbook)->loadSheet(0);
    return sheet ? std::move(*sheet) : nullptr;
}

void expectCells(const Sheet& sheet, std::initializer_list<std::pair<const char*, const char*>> cells)
{
    for (const auto& [address, text] : cells) {
        SCOPED_TRACE(address);
        const auto at = ParseCellAddress(address);
        EXPECT_EQ(sheet.cellText(at->row, at->col), text);
    }
}

TEST(XlsReader, Biff5TextIsDecodedFromItsCodePage)
{
    auto workbook = openXls(kFixtures / "biff5-gbk.xls");
    ASSERT_TRUE(workbook) << workbook.error().detail;
    EXPECT_EQ((*workbook)->sheetNames(), std::vector<std::string> { "中文表" });
    auto sheet = firstSheet("biff5-gbk.xls");
    ASSERT_TRUE(sheet);
    expectCells(*sheet,
        { { "A1", "题目" }, { "B1", "正确答案" }, { "A2", "中文文本：甲乙丙" }, { "A3", "12.5" },
            { "B3", "Excel 95" } });
    EXPECT_EQ(sheet->usedRange(), (UsedRange { 1, 3, 1, 2 }));
}

class Date1904Test : public testing::TestWithParam<const char*> { };

// The same 1904-system workbook saved by LibreOffice as xls and as xlsx.
TEST_P(Date1904Test, DatesReadAsTheirDays)
{
    auto workbook = OpenBank(kFixtures / GetParam());
    ASSERT_TRUE(workbook) << workbook.error().detail;
    auto sheet = SelectSheet(**workbook, 1);
    ASSERT_TRUE(sheet) << sheet.error().detail;
    expectCells(**sheet,
        { { "A1", "日期" }, { "B1", "2024/3/15" }, { "B2", "1904/1/2 6:00:00" }, { "B3", "23:59:59" }, { "B4", "1" } });
}

INSTANTIATE_TEST_SUITE_P(Formats, Date1904Test, testing::Values("date1904.xls", "date1904.xlsx"),
    [](const testing::TestParamInfo<const char*>& info) {
        return std::string(std::filesystem::path(info.param).extension().string().substr(1));
    });

TEST(XlsReader, FormulaResultsBooleansAndErrorsComeFromTheRecords)
{
    // Saved by gnumeric from sample.xlsx: it writes string formula results as STRING records.
    auto sheet = firstSheet("sample-gnumeric.xls");
    ASSERT_TRUE(sheet);
    expectCells(*sheet,
        { { "AB2", "0.3" }, { "AA4", "0.333333333333333" }, { "E5", "10" }, { "F5", "答案甲" }, { "D3", "TRUE" },
            { "E3", "FALSE" }, { "C5", "#N/A" }, { "D5", "#DIV/0!" }, { "A2", "1" }, { "F4", "8:05:09" } });
}

TEST(XlsReader, CellsInTheFarCornersSetTheUsedRange)
{
    auto sheet = firstSheet("far-corners.xls");
    ASSERT_TRUE(sheet);
    expectCells(*sheet, { { "A1", "起" }, { "IV1", "右" }, { "A65536", "底" }, { "IV65536", "" }, { "B2", "" } });
    EXPECT_EQ(sheet->usedRange(), (UsedRange { 1, 65536, 1, 256 }));
}

TEST(XlsReader, SheetsClaimingMoreCellsThanTheCapAreTooLarge)
{
    // Five sheets of 65536 x 256: FreeXL would allocate 16 bytes for each claimed cell.
    auto workbook = openXls(kFixtures / "huge-dimensions.xls");
    ASSERT_FALSE(workbook);
    EXPECT_EQ(int(workbook.error().code), int(ReadErrorCode::TooLarge)) << workbook.error().detail;
}

TEST(XlsReader, NotACompoundFileIsCorrupt)
{
    auto workbook = openXls(kFixtures / "sample.csv");
    ASSERT_FALSE(workbook);
    EXPECT_EQ(int(workbook.error().code), int(ReadErrorCode::Corrupt));
}

TEST(XlsReader, NothingStaysOpenAfterReading)
{
    const auto path = std::filesystem::path(testing::TempDir()) / "tesvora-copy.xls";
    std::filesystem::copy_file(kFixtures / "sample.xls", path, std::filesystem::copy_options::overwrite_existing);
    auto workbook = openXls(path);
    ASSERT_TRUE(workbook) << workbook.error().detail;
    // The file can go while the workbook lives: every cell was read on opening.
    std::filesystem::remove(path);
    auto sheet = (*workbook)->loadSheet(0);
    ASSERT_TRUE(sheet);
    EXPECT_EQ((*sheet)->cellText(1, 6), "正确答案");
}

// BIFF8 records: type and size (little-endian), then the data.
std::string record(uint16_t type, std::string data)
{
    std::string out { char(type & 0xFF), char(type >> 8), char(data.size() & 0xFF), char(data.size() >> 8) };
    return out + data;
}

TEST(XlsRecords, StreamWithoutBofIsCorrupt)
{
    for (const std::string& stream :
        { std::string(), std::string("\x0A\x00\x00\x00", 4), std::string("\x09\x08\x10", 3) }) {
        auto scan = scanXlsRecords(stream);
        ASSERT_FALSE(scan);
        EXPECT_EQ(int(scan.error().code), int(ReadErrorCode::Corrupt));
    }
}

TEST(XlsRecords, FilePassMarksTheStreamEncrypted)
{
    const std::string stream
        = record(0x0809, std::string("\x00\x06\x05\x00", 4)) + record(0x002F, "xxxx") + record(0x000A, "");
    auto scan = scanXlsRecords(stream);
    ASSERT_TRUE(scan);
    EXPECT_TRUE(scan->encrypted);
}

TEST(XlsRecords, TextLongerThanItsRecordIsCorrupt)
{
    // FreeXL 1.0.6 would copy the claimed characters past its record buffer.
    const std::string bof = record(0x0809, std::string("\x00\x06\x05\x00", 4));
    const std::string cases[] = {
        record(0x041E,
            std::string("\x08\x00\xFF\xFF\x01"
                        "ab",
                7)), // FORMAT
        record(0x0085,
            std::string("\0\0\0\0\0\0\x09\x00"
                        "Sheet",
                13)), // BOUNDSHEET
        record(0x0204,
            std::string("\0\0\0\0\x0F\0\x05\x00\x00"
                        "abc",
                12)), // LABEL
        record(0x0204, std::string("\0\0\0\0\x0F\0", 6)), // LABEL without its length
    };
    for (const std::string& bad : cases) {
        SCOPED_TRACE(testing::PrintToString(bad));
        auto scan = scanXlsRecords(bof + bad + record(0x000A, ""));
        ASSERT_FALSE(scan);
        EXPECT_EQ(int(scan.error().code), int(ReadErrorCode::Corrupt));
    }
    const std::string fitting = record(0x0204,
        std::string("\0\0\0\0\x0F\0\x03\x00\x00"
                    "abc",
            12));
    EXPECT_TRUE(scanXlsRecords(bof + fitting + record(0x000A, "")));
}

struct SstCase {
    const char* name;
    std::vector<std::string> segments; // SST data, then CONTINUE data
    bool fits;
};

class SharedStringsFitTest : public testing::TestWithParam<SstCase> { };

TEST_P(SharedStringsFitTest, ChecksEveryStringAgainstItsRecords)
{
    const std::vector<std::string_view> segments(GetParam().segments.begin(), GetParam().segments.end());
    EXPECT_EQ(sharedStringsFit(segments), GetParam().fits);
}

// Counts (total, unique), then per string: length, flags (1 wide, 4 extension, 8 runs), characters.
const std::string kCounts = std::string("\x02\0\0\0\x02\0\0\0", 8);

INSTANTIATE_TEST_SUITE_P(Tables, SharedStringsFitTest,
    testing::Values(SstCase { "twoStrings", { kCounts + std::string("\x02\0\0ab\x01\0\x01\x2D\x4E", 10) }, true },
        SstCase { "wideStringSplitIntoCompressedContinue",
            { kCounts + std::string("\x03\0\x01\x2D\x4E", 5), std::string("\0bc\x01\0\0d", 7) }, true },
        SstCase { "runsAndExtensionInsideTheRecord",
            { kCounts + std::string("\x01\0\x0C\x01\0\x02\0\0\0a\0\0\0\0xy\x01\0\0z", 20) }, true },
        SstCase { "lengthPastTheEnd",
            { kCounts
                + std::string("\xFF\xFF\x01"
                              "ab",
                    5) },
            false },
        SstCase { "wideCharactersPastTheEnd",
            { kCounts
                + std::string("\x03\0\x01"
                              "abcd",
                    7) },
            false },
        SstCase { "runsPastTheEnd", { kCounts + std::string("\x01\0\x08\xFF\0a", 6) }, false },
        SstCase { "fewerStringsThanCounted", { kCounts + std::string("\x01\0\0a", 4) }, false },
        SstCase { "noCounts", { std::string("\x01\0", 2) }, false }),
    [](const testing::TestParamInfo<SstCase>& info) { return std::string(info.param.name); });

TEST(XlsReader, FuzzFindingsAreCorrupt)
{
    // Found by fuzz_xls; FreeXL alone read past its buffers on each.
    const struct {
        const char* file;
        const char* what;
    } cases[] = {
        {"fuzz/xls/shared-string-longer-than-its-records.xls", "a shared string claiming 65535 wide characters"},
        {"fuzz/xls/format-text-longer-than-its-record.xls", "a FORMAT record claiming 65535 wide characters"},
        {"fuzz/xls/record-cut-at-the-end-of-the-stream.xls", "a NAME record cut at the end of the stream"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto workbook = openXls(kFixtures / c.file);
        ASSERT_FALSE(workbook);
        EXPECT_EQ(int(workbook.error().code), int(ReadErrorCode::Corrupt)) << workbook.error().detail;
    }
}

TEST(XlsReader, FreeXlReadsTheStreamThatWasChecked)
{
    // Found by fuzz_xls: a damaged directory that FreeXL's own compound-file reader followed to
    // other bytes than libgsf. FreeXL now reads a clean copy of the stream libgsf gave.
    auto sheet = firstSheet("fuzz/xls/directory-freexl-read-its-own-way.xls");
    ASSERT_TRUE(sheet);
    expectCells(*sheet, {{"C2", "中国的首都是哪座城市？"}, {"F1", "正确答案"}});
}

TEST(XlsRecords, SheetOffsetPastTheEndGivesAnEmptySheet)
{
    // BOUNDSHEET of a worksheet named "S" whose substream would start at 0x00FFFFFF.
    const std::string globals = record(0x0809, std::string("\x00\x06\x05\x00", 4))
        + record(0x0085, std::string("\xFF\xFF\xFF\x00\0\0\x01\0S", 9)) + record(0x000A, "");
    auto scan = scanXlsRecords(globals);
    ASSERT_TRUE(scan) << scan.error().detail;
    ASSERT_EQ(scan->sheets.size(), 1u);
    EXPECT_TRUE(scan->sheets[0].empty());
}

TEST(XlsRecords, RecordCutAtTheEndIsCorrupt)
{
    // FreeXL would read the cut FORMULA record as if it were whole.
    const std::string stream = record(0x0809, std::string("\x00\x06\x05\x00", 4)) + record(0x000A, "")
        + std::string("\x06\x00\xFF\x7F\0\0", 6);
    auto scan = scanXlsRecords(stream);
    ASSERT_FALSE(scan);
    EXPECT_EQ(int(scan.error().code), int(ReadErrorCode::Corrupt));
    EXPECT_TRUE(scanXlsRecords(stream.substr(0, stream.size() - 3))) << "three bytes of padding are no record";
}

} // namespace
} // namespace tesvora::bank
