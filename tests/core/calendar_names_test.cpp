#include "calendar_names.h"

#include <gtest/gtest.h>

namespace
{

struct NameCase
{
    int32_t year;
    std::u16string expected;
};

// Code points are compared, so look-alike characters (己 U+5DF1 and 巳 U+5DF3,
// 戊 U+620A and 戌 U+620C) cannot stand in for each other.
TEST(FormatCycleName, KnownYears)
{
    const NameCase cases[] = {
        {1, u"\u8F9B\u9149"},    // 辛酉, the first year of the calendar
        {4, u"\u7532\u5B50"},    // 甲子, the first cycle begins
        {60, u"\u5E9A\u7533"},   // 庚申
        {63, u"\u7678\u4EA5"},   // 癸亥, last of the first cycle
        {1864, u"\u7532\u5B50"}, // 甲子
        {1900, u"\u5E9A\u5B50"}, // 庚子
        {1911, u"\u8F9B\u4EA5"}, // 辛亥
        {1984, u"\u7532\u5B50"}, // 甲子
        {1989, u"\u5DF1\u5DF3"}, // 己巳: stem U+5DF1, branch U+5DF3
        {2009, u"\u5DF1\u4E11"}, // 己丑
        {2019, u"\u5DF1\u4EA5"}, // 己亥
        {2020, u"\u5E9A\u5B50"}, // 庚子
        {1958, u"\u620A\u620C"}, // 戊戌: stem U+620A, branch U+620C
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(FormatCycleName(c.year), c.expected) << "year " << c.year;
}

TEST(FormatCycleName, RepeatsEverySixtyYearsAndBranchEveryTwelve)
{
    for (int32_t year = 1; year <= 600; ++year)
    {
        const std::u16string name = FormatCycleName(year);
        ASSERT_EQ(name.size(), 2u);
        EXPECT_EQ(name, FormatCycleName(year + 60)) << year;
        EXPECT_EQ(name[1], FormatCycleName(year + 12)[1]) << year;
        EXPECT_EQ(name[0], FormatCycleName(year + 10)[0]) << year;
        EXPECT_NE(name, FormatCycleName(year + 12)) << year;
    }
}

TEST(FormatCycleName, YearsBelowOneContinueTheCycle)
{
    for (int32_t year = -600; year <= 0; ++year)
        EXPECT_EQ(FormatCycleName(year), FormatCycleName(year + 600)) << year;
}

TEST(FormatYearLabel, EraBoundaries)
{
    const NameCase cases[] = {
        {1, u"1"},        // no era: the plain number
        {1867, u"1867"},  // the last year before 明治
        {1868, u"明治1"}, // an era's first year is 1, not 元年
        {1900, u"明治33"},
        {1911, u"明治44"},
        {1912, u"大正1"},
        {1925, u"大正14"},
        {1926, u"昭和1"},
        {1988, u"昭和63"},
        {1989, u"平成1"},
        {2009, u"平成21"},
        {2019, u"平成31"},
        {2030, u"平成42"}, // no era follows 平成
        {1000000010, u"平成999998022"},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(FormatYearLabel(c.year, 0), c.expected) << "year " << c.year;
}

TEST(FormatYearLabel, WesternYearsArePlainNumbers)
{
    const NameCase cases[] = {
        {1, u"1"},
        {1868, u"1868"},
        {2009, u"2009"},
        {1000000010, u"1000000010"},
    };
    for (const NameCase& c : cases)
    {
        EXPECT_EQ(FormatYearLabel(c.year, 1), c.expected) << "year " << c.year;
        EXPECT_EQ(FormatYearLabel(c.year, -7), c.expected) << "any non-zero mode is western";
    }
}

TEST(AppendDecimal, ExtremesAndSigns)
{
    const NameCase cases[] = {
        {0, u"0"},
        {-5, u"-5"},
        {2147483647, u"2147483647"},
        {INT32_MIN, u"-2147483648"},
    };
    for (const NameCase& c : cases)
    {
        std::u16string text = u"x";
        AppendDecimal(text, c.year);
        EXPECT_EQ(text, u"x" + c.expected);
    }
}

} // namespace
