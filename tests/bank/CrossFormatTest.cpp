// The sample workbook, saved by LibreOffice in every format we read, must read the same everywhere.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "CellAddress.h"
#include "Workbook.h"

namespace tesvora::bank {
namespace {

const std::filesystem::path kFixtures = TESVORA_FIXTURES;

struct ExpectedCell {
    const char* address;
    const char* text; // as a workbook format gives it
    const char* csvText; // as LibreOffice wrote it into the csv (the displayed text)
    const char* xlsText = nullptr; // where LibreOffice's xls holds something else
};

// Sheet 题库 of tests/fixtures/src/sample.fods; "" marks cells that must read empty.
const ExpectedCell kBankSheet[] = {
    { "A1", "序号", "序号" },
    { "C1", "题目", "题目" },
    { "D1", "选项A", "选项A" }, // LibreOffice stores it as rich text (two fonts)
    { "F1", "正确答案", "正确答案" },
    { "G1", "", "" },
    { "Z1", "", "" },
    { "AA1", "备注", "备注" },
    { "AB1", "分值", "分值" },
    { "AC1", "", "" },
    { "A2", "1", "1" },
    { "C2", "中国的首都是哪座城市？", "中国的首都是哪座城市？" },
    { "AA2", "0.5", "0.5" },
    { "AB2", "0.3", "0.3" }, // =0.1+0.2
    { "C3", "这句话部分加粗了", "这句话部分加粗了" },
    { "D3", "TRUE", "TRUE" },
    { "E3", "FALSE", "FALSE" },
    { "AA3", "1E+20", "1E+020" },
    { "AB3", "-3.25", "-3.25" },
    { "C4", "第一行\n第二行", "第一行\n第二行" },
    { "D4", "2024/3/15", "2024-03-15" },
    { "E4", "2024/3/15 13:45:30", "2024-03-15 13:45:30" },
    { "F4", "8:05:09", "08:05:09" },
    { "AA4", "0.333333333333333", "0.333333333333333" }, // =1/3
    { "AB4", "123456789012", "123456789012" },
    { "C5", "#N/A", "#N/A" },
    { "D5", "#DIV/0!", "#DIV/0!" },
    { "E5", "10", "10" }, // =A2*10
    // ="答案"&"甲": LibreOffice 7.4 stores no cached string result in xls, its FORMULA record holds 0
    // (sample-gnumeric.xls has it).
    { "F5", "答案甲", "答案甲", "0" },
    { "AA5", "0.25", "25%" },
    { "AB5", "1", "1.00" },
    { "A6", "5", "5" },
    { "B6", "合并单元格", "合并单元格" }, // B6:D7 merged
    { "C6", "", "" },
    { "D7", "", "" },
    { "E6", "007", "007" },
    { "F7", "D", "D" },
    { "A8", "", "" },
};

// Which column of the expected table a file must match.
enum class Kind { Workbook, LibreOfficeXls, Csv };

struct FormatCase {
    const char* name;
    const char* file;
    Kind kind;
};

class CrossFormatTest : public testing::TestWithParam<FormatCase> {
protected:
    std::unique_ptr<Workbook> open() const
    {
        auto workbook = OpenBank(kFixtures / std::filesystem::path(reinterpret_cast<const char8_t*>(GetParam().file)));
        if (!workbook)
            ADD_FAILURE() << GetParam().file << ": " << workbook.error().detail;
        return workbook ? std::move(*workbook) : nullptr;
    }
};

TEST_P(CrossFormatTest, BankSheetCellsReadAsTheSpreadsheetShowsThem)
{
    auto workbook = open();
    ASSERT_TRUE(workbook);
    auto sheet = SelectSheet(*workbook, 1);
    ASSERT_TRUE(sheet) << sheet.error().detail;
    for (const ExpectedCell& cell : kBankSheet) {
        SCOPED_TRACE(cell.address);
        const auto at = ParseCellAddress(cell.address);
        ASSERT_TRUE(at);
        const char* expected = GetParam().kind == Kind::Csv ? cell.csvText : cell.text;
        if (cell.xlsText && GetParam().kind == Kind::LibreOfficeXls)
            expected = cell.xlsText;
        EXPECT_EQ((*sheet)->cellText(at->row, at->col), expected);
    }
}

TEST_P(CrossFormatTest, SheetNamesAndUsedRanges)
{
    auto workbook = open();
    ASSERT_TRUE(workbook);
    const std::vector<std::string> names = GetParam().kind == Kind::Csv
        ? std::vector<std::string> { "Sheet1" }
        : std::vector<std::string> { "题库", "空表", "偏移" };
    const std::vector<UsedRange> ranges = { { 1, 7, 1, 28 }, {}, { 5, 7, 3, 5 } };
    ASSERT_EQ(workbook->sheetNames(), names);
    for (size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        auto sheet = SelectSheet(*workbook, int(i) + 1);
        ASSERT_TRUE(sheet) << sheet.error().detail;
        EXPECT_EQ((*sheet)->name(), names[i]);
        const UsedRange range = (*sheet)->usedRange();
        EXPECT_EQ(range, ranges[i]) << range.firstRow << "-" << range.lastRow << ", " << range.firstCol << "-"
                                    << range.lastCol;
    }
}

// Only workbook formats: a csv file holds the first sheet only.
class MultiSheetTest : public CrossFormatTest { };

TEST_P(MultiSheetTest, OffsetSheetStartsAtC5)
{
    auto workbook = open();
    ASSERT_TRUE(workbook);
    auto sheet = SelectSheet(*workbook, 3);
    ASSERT_TRUE(sheet) << sheet.error().detail;
    EXPECT_EQ((*sheet)->cellText(5, 3), "起点");
    EXPECT_EQ((*sheet)->cellText(6, 4), "42");
    EXPECT_EQ((*sheet)->cellText(7, 5), "终点");
    EXPECT_EQ((*sheet)->cellText(1, 1), "");
}

const FormatCase kWorkbookFiles[] = {
    { "xlsx", "sample.xlsx", Kind::Workbook },
    { "xlsxChineseName", "题库 样例.xlsx", Kind::Workbook },
    { "xlsm", "sample.xlsm", Kind::Workbook },
    { "xls", "sample.xls", Kind::LibreOfficeXls },
    { "xlsChineseName", "题库 样例.xls", Kind::LibreOfficeXls },
    { "ods", "sample.ods", Kind::Workbook },
    { "xlsxByGnumeric", "sample-gnumeric.xlsx", Kind::Workbook },
    { "odsByGnumeric", "sample-gnumeric.ods", Kind::Workbook },
    { "xlsByGnumeric", "sample-gnumeric.xls", Kind::Workbook },
};
const FormatCase kCsvFiles[] = {
    { "csvUtf8", "sample.csv", Kind::Csv },
    { "csvUtf8Bom", "sample-utf8bom.csv", Kind::Csv },
    { "csvGbk", "sample-gbk.csv", Kind::Csv },
    { "csvUtf16Le", "sample-utf16le.csv", Kind::Csv },
    { "csvUtf16Be", "sample-utf16be.csv", Kind::Csv },
    { "csvTabs", "sample-tab.csv", Kind::Csv },
};
std::string caseName(const testing::TestParamInfo<FormatCase>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Workbooks, CrossFormatTest, testing::ValuesIn(kWorkbookFiles), caseName);
INSTANTIATE_TEST_SUITE_P(Csv, CrossFormatTest, testing::ValuesIn(kCsvFiles), caseName);
INSTANTIATE_TEST_SUITE_P(Workbooks, MultiSheetTest, testing::ValuesIn(kWorkbookFiles), caseName);

} // namespace
} // namespace tesvora::bank
