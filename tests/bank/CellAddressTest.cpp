#include <gtest/gtest.h>

#include "CellAddress.h"

using namespace tesvora::bank;

TEST(CellAddress, NamesColumnsPastZWithTwoAndThreeLetters)
{
    const struct {
        int row, col;
        const char* address;
    } cases[] = {
        {1, 1, "A1"}, {7, 3, "C7"}, {1, 26, "Z1"}, {1, 27, "AA1"}, {2, 52, "AZ2"},
        {3, 53, "BA3"}, {1, 702, "ZZ1"}, {1, 703, "AAA1"}, {1048576, 16384, "XFD1048576"},
        {0, 1, ""}, {1, 0, ""}, {-3, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(CellAddress(c.row, c.col), c.address);
        if (*c.address) {
            EXPECT_EQ(ParseCellAddress(c.address), (CellPosition{c.row, c.col}));
        }
    }
}

TEST(CellAddress, ParseAcceptsLowerCaseAndAbsoluteMarks)
{
    EXPECT_EQ(ParseCellAddress("aa10"), (CellPosition{10, 27}));
    EXPECT_EQ(ParseCellAddress("$C$3"), (CellPosition{3, 3}));
}

TEST(CellAddress, ParseRejectsWhatIsNoAddress)
{
    for (const char* bad : {"", "A", "7", "A0", "1A", "A1B", "A-1", "[1", "XFE1", "A1048577", "AAAAAAAAAAAAAAAA1",
                            "A99999999999999999999"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(ParseCellAddress(bad), std::nullopt);
    }
}
