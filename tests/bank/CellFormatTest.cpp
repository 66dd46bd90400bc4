#include <gtest/gtest.h>

#include <limits>

#include "CellFormat.h"

using namespace tesvora::bank;

TEST(CellFormat, NumbersShowAsGeneralCellsDo)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1, "1"}, {0.5, "0.5"}, {0.1 + 0.2, "0.3"}, {1e20, "1E+20"}, {-3, "-3"}, {-0.0, "0"},
        {123456789012345.0, "123456789012345"}, {1234567890123456.0, "1.23456789012346E+15"},
        {1e-7, "1E-07"}, {std::numeric_limits<double>::infinity(), "#NUM!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatNumber(c.value), c.text);
    }
}

TEST(CellFormat, SerialDatesInBothDateSystems)
{
    const struct {
        double serial;
        DateKind kind;
        bool date1904;
        const char* text;
    } cases[] = {
        {45000, DateKind::Date, false, "2023/3/15"},
        {1, DateKind::Date, false, "1900/1/1"},
        {59, DateKind::Date, false, "1900/2/28"},
        {60, DateKind::Date, false, "1900/2/29"},
        {61, DateKind::Date, false, "1900/3/1"},
        {0, DateKind::Date, true, "1904/1/1"},
        {43538, DateKind::Date, true, "2023/3/15"},
        {45000.75, DateKind::DateTime, false, "2023/3/15 18:00:00"},
        {0.5, DateKind::Time, false, "12:00:00"},
        {0.999999999, DateKind::Time, false, "0:00:00"}, // rounds to the next midnight
        {0.0416666666666667, DateKind::Time, false, "1:00:00"},
        {-1, DateKind::Date, false, "-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatSerialDate(c.serial, c.kind, c.date1904), c.text);
    }
}

TEST(CellFormat, DateFormatCodesAreToldFromNumberCodes)
{
    const struct {
        const char* code;
        bool isDate;
        DateKind kind;
    } cases[] = {
        {"yyyy-mm-dd", true, DateKind::Date},
        {"YYYY/MM/DD", true, DateKind::Date},
        {"yyyy\"年\"m\"月\"d\"日\"", true, DateKind::Date},
        {"[$-804]yyyy年m月d日", true, DateKind::Date},
        {"mmm-yy", true, DateKind::Date},
        {"h:mm:ss", true, DateKind::Time},
        {"hh:mm AM/PM", true, DateKind::Time},
        {"[h]:mm", true, DateKind::Time},
        {"yyyy/m/d h:mm", true, DateKind::DateTime},
        {"General", false, DateKind::Date},
        {"0.00", false, DateKind::Date},
        {"0.00E+00", false, DateKind::Date},
        {"#,##0 \"days\"", false, DateKind::Date},
        {"[Red]0.00", false, DateKind::Date},
        {"0;[Red]-0", false, DateKind::Date},
        {"@", false, DateKind::Date},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        DateKind kind = DateKind::Date;
        EXPECT_EQ(isDateFormatCode(c.code, &kind), c.isDate);
        if (c.isDate) {
            EXPECT_EQ(kind, c.kind);
        }
    }
}
