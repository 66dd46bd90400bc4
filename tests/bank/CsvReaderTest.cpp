// Decoding and splitting of comma- and tab-separated text.
#include <gtest/gtest.h>

#include <string>

#include "CellAddress.h"
#include "Readers.h"

namespace tesvora::bank {
namespace {

using namespace std::string_literals;

struct CsvCase {
    const char* name;
    std::string bytes;
    std::vector<std::pair<const char*, const char*>> cells; // address, text
    UsedRange range;
};

class CsvReaderTest : public testing::TestWithParam<CsvCase> { };

TEST_P(CsvReaderTest, ReadsCells)
{
    auto workbook = openCsv(GetParam().bytes);
    ASSERT_TRUE(workbook) << workbook.error().detail;
    EXPECT_EQ((*workbook)->sheetNames(), std::vector<std::string> { "Sheet1" });
    auto sheet = (*workbook)->loadSheet(0);
    ASSERT_TRUE(sheet);
    for (const auto& [address, text] : GetParam().cells) {
        SCOPED_TRACE(address);
        const auto at = ParseCellAddress(address);
        EXPECT_EQ((*sheet)->cellText(at->row, at->col), text);
    }
    EXPECT_EQ((*sheet)->usedRange(), GetParam().range);
}

// "中文" in GBK and in UTF-16; a text of its own so the bytes are exact.
const std::string kGbk = "\xD6\xD0\xCE\xC4";
const std::string kUtf16Le = "\x2D\x4E\x87\x65"s;
const std::string kUtf16Be = "\x4E\x2D\x65\x87"s;

INSTANTIATE_TEST_SUITE_P(Texts, CsvReaderTest,
    testing::Values(CsvCase { "utf8", "题目,答案\n1,A\n",
                        { { "A1", "题目" }, { "B1", "答案" }, { "A2", "1" }, { "B2", "A" } }, { 1, 2, 1, 2 } },
        CsvCase { "utf8Bom", "\xEF\xBB\xBF题目,答案\n", { { "A1", "题目" }, { "B1", "答案" } }, { 1, 1, 1, 2 } },
        CsvCase {
            "utf16LeBom", "\xFF\xFE"s + kUtf16Le + ",\0A\0"s, { { "A1", "中文" }, { "B1", "A" } }, { 1, 1, 1, 2 } },
        CsvCase {
            "utf16BeBom", "\xFE\xFF"s + kUtf16Be + "\0\t\0B"s, { { "A1", "中文" }, { "B1", "B" } }, { 1, 1, 1, 2 } },
        CsvCase { "gbk", kGbk + "," + kGbk + "\r\n", { { "A1", "中文" }, { "B1", "中文" } }, { 1, 1, 1, 2 } },
        CsvCase { "gb18030FourByte", "\x81\x30\x81\x30,x", { { "A1", "\xC2\x80" }, { "B1", "x" } }, { 1, 1, 1, 2 } },
        CsvCase { "quotedLineBreaks", "\"第一行\r\n第二行\",\"a\nb\"\n\"c\"\"d\",\"\"\n",
            { { "A1", "第一行\r\n第二行" }, { "B1", "a\nb" }, { "A2", "c\"d" }, { "B2", "" } }, { 1, 2, 1, 2 } },
        CsvCase { "separatorInsideQuotes", "\"a,b\",c\n", { { "A1", "a,b" }, { "B1", "c" } }, { 1, 1, 1, 2 } },
        CsvCase { "tabSeparated", "a\tb,c\td\n", { { "A1", "a" }, { "B1", "b,c" }, { "C1", "d" } }, { 1, 1, 1, 3 } },
        CsvCase {
            "tabsInsideQuotesDoNotCount", "\"\t\t\t\",b,c\n", { { "A1", "\t\t\t" }, { "B1", "b" } }, { 1, 1, 1, 3 } },
        CsvCase {
            "crLineEnds", "a\rb\r\rc", { { "A1", "a" }, { "A2", "b" }, { "A3", "" }, { "A4", "c" } }, { 1, 4, 1, 1 } },
        CsvCase { "crlfLineEnds", "a,b\r\nc,d\r\n", { { "B1", "b" }, { "A2", "c" }, { "A3", "" } }, { 1, 2, 1, 2 } },
        CsvCase { "numbersStayAsWritten", "007,1.50,1E+020\n",
            { { "A1", "007" }, { "B1", "1.50" }, { "C1", "1E+020" } }, { 1, 1, 1, 3 } },
        CsvCase { "emptyFieldsKeepColumns", ",,x\n\n,y", { { "C1", "x" }, { "B3", "y" } }, { 1, 3, 2, 3 } },
        CsvCase { "textAfterClosingQuoteIsKept", "\"ab\"cd,e", { { "A1", "abcd" }, { "B1", "e" } }, { 1, 1, 1, 2 } },
        CsvCase { "unclosedQuoteRunsToTheEnd", "\"ab\ncd", { { "A1", "ab\ncd" } }, { 1, 1, 1, 1 } },
        CsvCase { "noCells", "\n\n", { { "A1", "" } }, {} }),
    [](const testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

TEST(CsvReader, BinaryContentIsUnsupported)
{
    for (const std::string& bytes :
        { "abc\0def"s, "\x89PNG\r\n\x1a\n\0\0\0\rIHDR"s, "\x01\x02\x03\x04,\x05\x06\x07\x08"s }) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        auto workbook = openCsv(bytes);
        ASSERT_FALSE(workbook);
        EXPECT_EQ(int(workbook.error().code), int(ReadErrorCode::Unsupported));
    }
}

TEST(CsvReader, CellAtTheByteCapReadsAndOnePastIsTooLarge)
{
    auto atCap = openCsv(std::string(kMaxCellBytes, 'x'));
    ASSERT_TRUE(atCap) << atCap.error().detail;
    EXPECT_EQ((*(*atCap)->loadSheet(0))->cellText(1, 1).size(), kMaxCellBytes);
    auto pastCap = openCsv(std::string(kMaxCellBytes + 1, 'x'));
    ASSERT_FALSE(pastCap);
    EXPECT_EQ(int(pastCap.error().code), int(ReadErrorCode::TooLarge));
}

TEST(CsvReader, RowsAndColumnsAtTheCapReadAndOnePastIsTooLarge)
{
    const std::string lastRow = std::string(size_t(kMaxRows - 1), '\n') + "end";
    auto rows = openCsv(lastRow);
    ASSERT_TRUE(rows) << rows.error().detail;
    EXPECT_EQ((*(*rows)->loadSheet(0))->cellText(kMaxRows, 1), "end");
    EXPECT_EQ(int(openCsv("\n" + lastRow).error().code), int(ReadErrorCode::TooLarge));

    const std::string lastCol = std::string(size_t(kMaxCols - 1), ',') + "end";
    auto cols = openCsv(lastCol);
    ASSERT_TRUE(cols) << cols.error().detail;
    EXPECT_EQ((*(*cols)->loadSheet(0))->cellText(1, kMaxCols), "end");
    EXPECT_EQ(int(openCsv("," + lastCol).error().code), int(ReadErrorCode::TooLarge));
}

TEST(CsvReader, OnlySheetZeroExists)
{
    auto workbook = openCsv("a");
    ASSERT_TRUE(workbook);
    EXPECT_EQ(int((*workbook)->loadSheet(1).error().code), int(ReadErrorCode::NoSuchSheet));
    EXPECT_EQ(int((*workbook)->loadSheet(-1).error().code), int(ReadErrorCode::NoSuchSheet));
}

} // namespace
} // namespace tesvora::bank
