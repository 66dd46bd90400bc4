#include <gtest/gtest.h>

#include <map>

#include "Fixtures.h"
#include "OdsContent.h"
#include "OdsIndex.h"
#include "OdsSheet.h"
#include "Readers.h"
#include "ZipArchive.h"

using namespace tesvora::bank;

namespace {

std::unique_ptr<Sheet> cellsSheet(int index)
{
    auto workbook = openOds(fixture("ods/cells.ods"));
    if (!workbook) {
        ADD_FAILURE() << workbook.error().detail;
        return nullptr;
    }
    EXPECT_EQ((std::vector<std::string>{"重复", "文字"}), (*workbook)->sheetNames());
    auto sheet = (*workbook)->loadSheet(index);
    return sheet ? std::move(*sheet) : nullptr;
}

} // namespace

TEST(OdsReader, RepeatedCellsExpandAndEmptyRepeatsCostNothing)
{
    auto sheet = cellsSheet(0);
    ASSERT_TRUE(sheet);
    EXPECT_EQ((UsedRange{1, 100004, 1, 2004}), sheet->usedRange());
    for (int col = 1; col <= 3; ++col)
        EXPECT_EQ("同", sheet->cellText(1, col)) << col;
    EXPECT_EQ("", sheet->cellText(1, 4));
    EXPECT_EQ("7", sheet->cellText(1, 2004));
    EXPECT_EQ("尾", sheet->cellText(100002, 1));
    EXPECT_EQ("行", sheet->cellText(100004, 2));
    size_t cells = 0;
    sheet->forEachCell([&](int, int, const std::string&) { ++cells; });
    EXPECT_EQ(9u, cells);
}

TEST(OdsReader, CellTextFollowsTheValueType)
{
    auto sheet = cellsSheet(1);
    ASSERT_TRUE(sheet);
    struct Case {
        int row, col;
        const char* text;
    };
    const Case cases[] = {
        {1, 1, "甲   乙丙"},        // text:s c="2" after a space
        {1, 2, "一二\n三"},          // paragraphs joined by line breaks
        {1, 3, "前中链接后"},        // span and link text kept
        {1, 4, "正文"},              // the note left out
        {2, 1, "合并"},              // merged: the value in the top-left cell
        {2, 2, ""},                  // covered
        {3, 1, ""},                  // covered
        {2, 3, "0.25"},              // percentage
        {2, 4, "12.5"},              // currency
        {3, 3, "12:30:05"},          // time
        {3, 4, "2024/3/15 8:05:09"}, // date-time
        {4, 1, "TRUE"},
        {4, 2, "1999/12/31"},        // date alone
        {4, 3, "1E+20"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.col));
        EXPECT_EQ(c.text, sheet->cellText(c.row, c.col));
    }
}

TEST(OdsReader, BadInputGivesItsErrorCode)
{
    const std::pair<const char*, ReadErrorCode> cases[] = {
        {"ods/doctype-entities.ods", ReadErrorCode::Corrupt},
        {"ods/truncated-content.ods", ReadErrorCode::Corrupt},
        {"ods/repeat-bomb.ods", ReadErrorCode::TooLarge},
        {"ods/text-mimetype.ods", ReadErrorCode::Unsupported},
        {"xlsx/not-a-workbook.zip", ReadErrorCode::Unsupported},
        {"encrypted.ods", ReadErrorCode::Encrypted},
        {"truncated.ods", ReadErrorCode::Corrupt},
    };
    for (const auto& [file, code] : cases) {
        SCOPED_TRACE(file);
        auto workbook = openOds(fixture(file));
        ASSERT_FALSE(workbook);
        EXPECT_EQ(code, workbook.error().code) << workbook.error().detail;
    }
}

namespace {

using CellMap = std::map<std::pair<int, int>, std::string>;

CellMap allCells(const Sheet& sheet)
{
    CellMap cells;
    std::pair<int, int> last{0, 0};
    sheet.forEachCell([&](int row, int col, const std::string& text) {
        EXPECT_LT(last, std::make_pair(row, col)) << "row by row, left to right";
        last = {row, col};
        cells[{row, col}] = text;
    });
    return cells;
}

} // namespace

// lazy-rows*.ods: LibreOffice's save of tests/fixtures/ods/src/lazy-rows.fods, the same with
// its three equal rows as one repeated row, and with a comment (read by the full parse).
TEST(OdsReader, RowsAreNumberedThroughRepeatsWhetherReadLazilyOrInFull)
{
    const CellMap firstSheet = {
        {{1, 1}, "题号"}, {{1, 2}, "题目"}, // header rows, before three empty styled rows
        {{5, 1}, "重"},   {{5, 2}, "2"},    {{5, 3}, "2"}, {{6, 1}, "重"}, {{6, 2}, "2"}, {{6, 3}, "2"},
        {{7, 1}, "重"},   {{7, 2}, "2"},    {{7, 3}, "2"},
        {{8, 2}, "#DIV/0!"}, {{8, 3}, "有批注"}, {{8, 4}, "4"}, // A8 is ="", C8 has a note
        {{1000000, 1}, "末"}, // after 999,991 empty styled rows
    };
    for (const char* file : {"ods/lazy-rows.ods", "ods/lazy-rows-repeated.ods", "ods/lazy-rows-commented.ods"}) {
        SCOPED_TRACE(file);
        auto workbook = openOds(fixture(file));
        ASSERT_TRUE(workbook) << workbook.error().detail;
        EXPECT_EQ((std::vector<std::string>{"前", "后"}), (*workbook)->sheetNames());
        auto second = (*workbook)->loadSheet(1); // asked before the first
        ASSERT_TRUE(second);
        EXPECT_EQ((UsedRange{2, 3, 2, 3}), (*second)->usedRange());
        EXPECT_EQ((CellMap{{{2, 2}, "第二张"}, {{3, 3}, "3"}}), allCells(**second));
        auto first = (*workbook)->loadSheet(0);
        ASSERT_TRUE(first);
        EXPECT_EQ((UsedRange{1, 1000000, 1, 4}), (*first)->usedRange());
        for (const auto& [cell, text] : firstSheet)
            EXPECT_EQ(text, (*first)->cellText(cell.first, cell.second)) << cell.first << "," << cell.second;
        for (const auto& [row, col] : {std::pair{4, 1}, {8, 1}, {999999, 1}, {1000000, 2}, {1000001, 1}, {0, 1}, {5, 0}})
            EXPECT_EQ("", (*first)->cellText(row, col)) << row << "," << col;
        EXPECT_EQ(firstSheet, allCells(**first));
        EXPECT_FALSE((*first)->damage());
    }
}

// The quick index must take the files LibreOffice and gnumeric write, and read them exactly
// as the full parse does; a file with a comment must go to the full parse.
TEST(OdsReader, QuickIndexReadsAsTheFullParse)
{
    const std::pair<const char*, bool> cases[] = {
        {"sample.ods", true},          {"sample-gnumeric.ods", true},         {"ods/cells.ods", true},
        {"ods/lazy-rows.ods", true},   {"ods/lazy-rows-repeated.ods", true}, {"ods/lazy-rows-commented.ods", false},
        // Found by fuzz_ods: a repeat count of dashes and digits overflowed the quick pass's number;
        // such a count now sends the file to the full parse.
        {"fuzz/ods/repeat-count-of-dashes-overflows.ods", false},
    };
    for (const auto& [file, indexed] : cases) {
        SCOPED_TRACE(file);
        auto zip = ZipArchive::open(fixture(file));
        ASSERT_TRUE(zip);
        auto xml = zip->read("content.xml", kMaxInflatedBytes);
        ASSERT_TRUE(xml);
        auto index = indexOdsContent(*xml);
        auto full = parseOdsContent(*xml);
        ASSERT_TRUE(full);
        ASSERT_EQ(indexed, index.has_value());
        if (!index)
            continue;
        ASSERT_EQ(full->size(), index->tables.size());
        auto content = std::make_shared<OdsIndexedContent>(OdsIndexedContent{*xml, std::move(*index)});
        for (size_t i = 0; i < full->size(); ++i) {
            const auto lazy = makeLazyOdsSheet(content, i);
            EXPECT_EQ((*full)[i]->name(), lazy->name());
            EXPECT_EQ((*full)[i]->usedRange(), lazy->usedRange()) << i;
            EXPECT_EQ(allCells(*(*full)[i]), allCells(*lazy)) << i;
        }
    }
}
