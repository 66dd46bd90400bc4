#include <gtest/gtest.h>

#include "Fixtures.h"
#include "Readers.h"
#include "ZipArchive.h"

using namespace tesvora::bank;

namespace {

std::unique_ptr<Sheet> firstSheet(const std::string& name)
{
    auto workbook = openXlsx(fixture(name));
    if (!workbook) {
        ADD_FAILURE() << name << ": " << workbook.error().detail;
        return nullptr;
    }
    auto sheet = (*workbook)->loadSheet(0);
    if (!sheet) {
        ADD_FAILURE() << name << ": " << sheet.error().detail;
        return nullptr;
    }
    return std::move(*sheet);
}

} // namespace

TEST(XlsxReader, StringsDecodeEscapesJoinRunsAndDropPhoneticGuides)
{
    auto sheet = firstSheet("xlsx/escapes-phonetic-inline.xlsx");
    ASSERT_TRUE(sheet);
    EXPECT_EQ("题\r\n目_x0041_", sheet->cellText(1, 1));
    EXPECT_EQ("内联", sheet->cellText(2, 4));
    EXPECT_EQ("2024/3/15 8:05:09", sheet->cellText(2, 5)); // t="d"
    EXPECT_EQ((UsedRange{1, 2, 1, 5}), sheet->usedRange());
}

TEST(XlsxReader, DimensionElementIsIgnored)
{
    auto sheet = firstSheet("xlsx/dimension-lie.xlsx");
    ASSERT_TRUE(sheet);
    EXPECT_EQ((UsedRange{1, 2, 1, 3}), sheet->usedRange());
    size_t cells = 0;
    sheet->forEachCell([&](int, int, const std::string&) { ++cells; });
    EXPECT_EQ(6u, cells);
}

TEST(XlsxReader, PrefixedNamesReadLikePlainOnes)
{
    auto plain = firstSheet("xlsx/dimension-lie.xlsx");
    auto prefixed = firstSheet("xlsx/prefixed-names.xlsx");
    ASSERT_TRUE(plain && prefixed);
    EXPECT_EQ(plain->usedRange(), prefixed->usedRange());
    for (int row = 1; row <= 2; ++row) {
        for (int col = 1; col <= 3; ++col)
            EXPECT_EQ(plain->cellText(row, col), prefixed->cellText(row, col)) << row << "," << col;
    }
    EXPECT_EQ("0.5", prefixed->cellText(2, 3));
}

TEST(XlsxReader, CellsPastTheGridAreIgnored)
{
    auto sheet = firstSheet("xlsx/past-the-grid.xlsx");
    ASSERT_TRUE(sheet);
    EXPECT_EQ((UsedRange{1, 2, 1, 3}), sheet->usedRange());
    EXPECT_EQ("", sheet->cellText(1048577, 1));
}

TEST(XlsxReader, HugeCellIsCutAtTheCellCapOnACharacterBoundary)
{
    auto sheet = firstSheet("xlsx/huge-cell.xlsx");
    ASSERT_TRUE(sheet);
    const std::string text = sheet->cellText(2, 4);
    EXPECT_LE(text.size(), kMaxCellBytes);
    EXPECT_GT(text.size(), kMaxCellBytes - 3);
    EXPECT_EQ(0u, text.size() % 3); // whole three-byte characters only
}

TEST(XlsxReader, CellsOutsideTheSheetAreEmpty)
{
    auto sheet = firstSheet("xlsx/dimension-lie.xlsx");
    ASSERT_TRUE(sheet);
    for (auto [row, col] : {std::pair{0, 1}, {1, 0}, {-1, -1}, {3, 1}, {1, 4}, {1048576, 16384}})
        EXPECT_EQ("", sheet->cellText(row, col)) << row << "," << col;
}

struct BadXlsx {
    const char* file;
    ReadErrorCode code;
    bool atOpen; // fails when opening, else when loading the sheet
};

class XlsxBadInput : public testing::TestWithParam<BadXlsx> {};

TEST_P(XlsxBadInput, GivesItsErrorCode)
{
    const BadXlsx& bad = GetParam();
    auto workbook = openXlsx(fixture(bad.file));
    if (bad.atOpen) {
        ASSERT_FALSE(workbook);
        EXPECT_EQ(bad.code, workbook.error().code) << workbook.error().detail;
        return;
    }
    ASSERT_TRUE(workbook) << workbook.error().detail;
    auto sheet = (*workbook)->loadSheet(0);
    ASSERT_FALSE(sheet);
    EXPECT_EQ(bad.code, sheet.error().code) << sheet.error().detail;
}

INSTANTIATE_TEST_SUITE_P(Regressions, XlsxBadInput,
                         testing::Values(BadXlsx{"xlsx/doctype-entities.xlsx", ReadErrorCode::Corrupt, false},
                                         BadXlsx{"xlsx/truncated-sheet-xml.xlsx", ReadErrorCode::Corrupt, false},
                                         BadXlsx{"xlsx/bad-shared-strings.xlsx", ReadErrorCode::Corrupt, false},
                                         BadXlsx{"xlsx/missing-workbook-part.xlsx", ReadErrorCode::Corrupt, true},
                                         BadXlsx{"xlsx/not-a-workbook.zip", ReadErrorCode::Unsupported, true},
                                         BadXlsx{"ods/cells.ods", ReadErrorCode::Unsupported, true},
                                         BadXlsx{"truncated.xlsx", ReadErrorCode::Corrupt, true},
                                         BadXlsx{"damaged.xlsx", ReadErrorCode::Corrupt, false}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name)
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(XlsxReader, DeepNestingIsBoundedWithoutCrashing)
{
    auto sheet = firstSheet("xlsx/deep-nesting.xlsx");
    ASSERT_TRUE(sheet);
    EXPECT_FALSE(sheet->damage()) << "rows are checked when read";
    // Row 1 nests past the cap after C1: the cells before the damage read, and it is reported.
    EXPECT_EQ("题目", sheet->cellText(1, 1));
    ASSERT_TRUE(sheet->damage());
    EXPECT_EQ(ReadErrorCode::Corrupt, sheet->damage()->code);
    EXPECT_EQ("", sheet->cellText(2, 2)); // the damaged row reads as empty past the damage
}

TEST(XlsxReader, WholeSheetReportsNoDamage)
{
    auto sheet = firstSheet("sample.xlsx");
    ASSERT_TRUE(sheet);
    sheet->forEachCell([](int, int, const std::string&) {});
    EXPECT_FALSE(sheet->damage());
}

TEST(ZipArchive, InflatedSizeCapIsCountedWhileInflating)
{
    auto zip = ZipArchive::open(fixture("xlsx/zip-bomb.xlsx"));
    ASSERT_TRUE(zip) << zip.error().detail;
    auto whole = zip->read("xl/worksheets/sheet1.xml", kMaxInflatedBytes);
    ASSERT_TRUE(whole) << whole.error().detail;
    const size_t size = whole->size();
    EXPECT_GT(size, size_t(64) << 20);
    EXPECT_TRUE(zip->read("xl/worksheets/sheet1.xml", size));
    auto over = zip->read("xl/worksheets/sheet1.xml", size - 1);
    ASSERT_FALSE(over);
    EXPECT_EQ(ReadErrorCode::TooLarge, over.error().code);
    auto small = zip->read("xl/worksheets/sheet1.xml", 1 << 20);
    ASSERT_FALSE(small);
    EXPECT_EQ(ReadErrorCode::TooLarge, small.error().code);
}

TEST(ZipArchive, MissingEntryAndNonZipAreCorrupt)
{
    auto zip = ZipArchive::open(fixture("xlsx/not-a-workbook.zip"));
    ASSERT_TRUE(zip);
    EXPECT_FALSE(zip->has("xl/workbook.xml"));
    EXPECT_EQ(ReadErrorCode::Corrupt, zip->read("xl/workbook.xml", 100).error().code);
    EXPECT_EQ(ReadErrorCode::Corrupt, ZipArchive::open("PK\x03\x04 not really").error().code);
}
