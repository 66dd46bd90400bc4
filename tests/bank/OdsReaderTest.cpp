#include <gtest/gtest.h>

#include "Fixtures.h"
#include "Readers.h"

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
