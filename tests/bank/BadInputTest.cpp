// Every kind of bad input gives its own error code through OpenBank, never a crash or garbage.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Workbook.h"

namespace tesvora::bank {
namespace {

namespace fs = std::filesystem;
const fs::path kFixtures = TESVORA_FIXTURES;

// Opens `path` and loads its first sheet, giving the first error on the way.
Expected<std::unique_ptr<Sheet>> openFirstSheet(const fs::path& path)
{
    auto workbook = OpenBank(path);
    if (!workbook)
        return tl::unexpected(workbook.error());
    return SelectSheet(**workbook, 1);
}

struct BadFile {
    const char* name;
    const char* file;
    ReadErrorCode code;
};

class BadInputTest : public testing::TestWithParam<BadFile> { };

TEST_P(BadInputTest, GivesItsErrorCode)
{
    auto sheet = openFirstSheet(kFixtures / GetParam().file);
    ASSERT_FALSE(sheet) << GetParam().file << " was read";
    EXPECT_EQ(int(sheet.error().code), int(GetParam().code)) << sheet.error().detail;
    EXPECT_FALSE(sheet.error().message().empty());
}

INSTANTIATE_TEST_SUITE_P(Fixtures, BadInputTest,
    testing::Values(BadFile { "missingFile", "no-such-file.xlsx", ReadErrorCode::NotFound },
        BadFile { "folder", "src", ReadErrorCode::NotAFile },
        BadFile { "png", "picture.png", ReadErrorCode::Unsupported },
        BadFile { "binary", "binary.bin", ReadErrorCode::Unsupported },
        BadFile { "compoundFileWithoutWorkbook", "not-a-workbook.doc", ReadErrorCode::Unsupported },
        BadFile { "encryptedXlsx", "encrypted.xlsx", ReadErrorCode::Encrypted },
        BadFile { "encryptedXls", "encrypted.xls", ReadErrorCode::Encrypted },
        BadFile { "encryptedOds", "encrypted.ods", ReadErrorCode::Encrypted },
        BadFile { "truncatedXlsx", "truncated.xlsx", ReadErrorCode::Corrupt },
        BadFile { "truncatedXls", "truncated.xls", ReadErrorCode::Corrupt },
        BadFile { "truncatedOds", "truncated.ods", ReadErrorCode::Corrupt },
        BadFile { "damagedZip", "damaged.xlsx", ReadErrorCode::Corrupt }),
    [](const testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

TEST(BadInput, EmptyFileIsEmptyFile)
{
    const fs::path path = fs::path(testing::TempDir()) / "tesvora-empty.xlsx";
    std::ofstream(path).close();
    auto workbook = OpenBank(path);
    ASSERT_FALSE(workbook);
    EXPECT_EQ(int(workbook.error().code), int(ReadErrorCode::EmptyFile));
    fs::remove(path);
}

TEST(BadInput, EmptyPathIsNotFound)
{
    auto workbook = OpenBank({});
    ASSERT_FALSE(workbook);
    EXPECT_EQ(int(workbook.error().code), int(ReadErrorCode::NotFound));
}

TEST(BadInput, FileOfAnotherKindSaysItIsNoSupportedSpreadsheet)
{
    auto workbook = OpenBank(kFixtures / "picture.png");
    ASSERT_FALSE(workbook);
    EXPECT_EQ(workbook.error().message().rfind("不是支持的表格文件", 0), 0u) << workbook.error().message();
}

TEST(BadInput, SheetNumberNamingNoSheetIsNoSuchSheet)
{
    for (const char* file : { "sample.xlsx", "sample.xls", "sample.ods", "sample.csv" }) {
        SCOPED_TRACE(file);
        auto workbook = OpenBank(kFixtures / file);
        ASSERT_TRUE(workbook) << workbook.error().detail;
        const int count = int((*workbook)->sheetNames().size());
        for (int number : { 0, -1, count + 1 }) {
            SCOPED_TRACE(number);
            auto sheet = SelectSheet(**workbook, number);
            ASSERT_FALSE(sheet);
            EXPECT_EQ(int(sheet.error().code), int(ReadErrorCode::NoSuchSheet));
        }
        EXPECT_TRUE(SelectSheet(**workbook, count)) << "the last sheet must load";
    }
}

} // namespace
} // namespace tesvora::bank
