#include "age_table.h"
#include "storage_failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

struct Row
{
    const char16_t* cycleName;
    const char16_t* label;
    int32_t age;
};

std::u16string FirstLine(const std::u16string& text)
{
    return text.substr(0, text.find(u"\r\n"));
}

std::u16string LastLine(const std::u16string& text)
{
    const std::size_t end = text.rfind(u"\r\n");
    return end == std::u16string::npos ? text : text.substr(end + 2);
}

void ExpectRows(const AgeTable& table, const std::vector<Row>& expected)
{
    ASSERT_EQ(table.status, 0);
    ASSERT_FALSE(table.isCat);
    ASSERT_EQ(table.rows.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(table.rows[i].cycleName, expected[i].cycleName) << "row " << i;
        EXPECT_EQ(table.rows[i].birthYearLabel, expected[i].label) << "row " << i;
        EXPECT_EQ(table.rows[i].age, expected[i].age) << "row " << i;
    }
}

// 2009, sign 丑, birthday passed, era labels: the table of the manual.
const std::u16string kOx2009EraText =
    u"己丑,平成21,0\r\n丁丑,平成9,12\r\n乙丑,昭和60,24\r\n癸丑,昭和48,36\r\n辛丑,昭和36,48\r\n"
    u"己丑,昭和24,60\r\n丁丑,昭和12,72\r\n乙丑,大正14,84\r\n癸丑,大正2,96\r\n辛丑,明治34,108\r\n"
    u"己丑,明治22,120\r\n丁丑,明治10,132\r\n乙丑,1865,144";

TEST(BuildAgeTable, Ox2009EraBirthdayPassed)
{
    const AgeTable table = BuildAgeTable(u"2009", 1, 1, 0);
    ExpectRows(table, {{u"己丑", u"平成21", 0},
                       {u"丁丑", u"平成9", 12},
                       {u"乙丑", u"昭和60", 24},
                       {u"癸丑", u"昭和48", 36},
                       {u"辛丑", u"昭和36", 48},
                       {u"己丑", u"昭和24", 60},
                       {u"丁丑", u"昭和12", 72},
                       {u"乙丑", u"大正14", 84},
                       {u"癸丑", u"大正2", 96},
                       {u"辛丑", u"明治34", 108},
                       {u"己丑", u"明治22", 120},
                       {u"丁丑", u"明治10", 132},
                       {u"乙丑", u"1865", 144}});
    EXPECT_EQ(table.text, kOx2009EraText);
    EXPECT_EQ(table.text.size(), 155u);
}

TEST(BuildAgeTable, Ox2009EraBeforeBirthday)
{
    const AgeTable table = BuildAgeTable(u"2009", 1, 0, 0);
    ExpectRows(table, {{u"丁丑", u"平成9", 11},
                       {u"乙丑", u"昭和60", 23},
                       {u"癸丑", u"昭和48", 35},
                       {u"辛丑", u"昭和36", 47},
                       {u"己丑", u"昭和24", 59},
                       {u"丁丑", u"昭和12", 71},
                       {u"乙丑", u"大正14", 83},
                       {u"癸丑", u"大正2", 95},
                       {u"辛丑", u"明治34", 107},
                       {u"己丑", u"明治22", 119},
                       {u"丁丑", u"明治10", 131},
                       {u"乙丑", u"1865", 143}});
    EXPECT_EQ(table.text,
              u"丁丑,平成9,11\r\n乙丑,昭和60,23\r\n癸丑,昭和48,35\r\n辛丑,昭和36,47\r\n"
              u"己丑,昭和24,59\r\n丁丑,昭和12,71\r\n乙丑,大正14,83\r\n癸丑,大正2,95\r\n"
              u"辛丑,明治34,107\r\n己丑,明治22,119\r\n丁丑,明治10,131\r\n乙丑,1865,143");
}

TEST(BuildAgeTable, Ox2009WesternBothFlags)
{
    const char16_t* cycles[] = {u"己丑", u"丁丑", u"乙丑", u"癸丑", u"辛丑", u"己丑", u"丁丑",
                                u"乙丑", u"癸丑", u"辛丑", u"己丑", u"丁丑", u"乙丑"};
    const char16_t* years[] = {u"2009", u"1997", u"1985", u"1973", u"1961", u"1949", u"1937",
                               u"1925", u"1913", u"1901", u"1889", u"1877", u"1865"};
    for (int32_t passed = 0; passed <= 1; ++passed)
    {
        std::vector<Row> expected;
        for (int i = 1 - passed; i < 13; ++i)
            expected.push_back({cycles[i], years[i], 12 * i - 1 + passed});
        const AgeTable table = BuildAgeTable(u"2009", 1, passed, 1);
        ExpectRows(table, expected);
        EXPECT_EQ(FirstLine(table.text), passed ? u"己丑,2009,0" : u"丁丑,1997,11");
        EXPECT_EQ(LastLine(table.text), passed ? u"乙丑,1865,144" : u"乙丑,1865,143");
    }
}

TEST(BuildAgeTable, Rat2009WesternBothFlags)
{
    const char16_t* cycles[] = {u"戊子", u"丙子", u"甲子", u"壬子", u"庚子", u"戊子", u"丙子",
                                u"甲子", u"壬子", u"庚子", u"戊子", u"丙子", u"甲子"};
    const char16_t* years[] = {u"2008", u"1996", u"1984", u"1972", u"1960", u"1948", u"1936",
                               u"1924", u"1912", u"1900", u"1888", u"1876", u"1864"};
    for (int32_t passed = 0; passed <= 1; ++passed)
    {
        std::vector<Row> expected;
        for (int i = 0; i < 13; ++i)
            expected.push_back({cycles[i], years[i], 12 * i + passed});
        const AgeTable table = BuildAgeTable(u"2009", 0, passed, 1);
        ExpectRows(table, expected);
        EXPECT_EQ(FirstLine(table.text), passed ? u"戊子,2008,1" : u"戊子,2008,0");
        EXPECT_EQ(LastLine(table.text), passed ? u"甲子,1864,145" : u"甲子,1864,144");
    }
}

// The remainder truncates toward zero: a floor remainder would add a 1744 row.
TEST(BuildAgeTable, Rat1899UsesTheTruncatingRemainder)
{
    const AgeTable table = BuildAgeTable(u"1899", 0, 1, 1);
    ASSERT_EQ(table.rows.size(), 12u);
    EXPECT_EQ(table.rows.front().cycleName, u"戊子");
    EXPECT_EQ(table.rows.front().birthYearLabel, u"1888");
    EXPECT_EQ(table.rows.front().age, 11);
    EXPECT_EQ(table.rows.back().cycleName, u"丙子");
    EXPECT_EQ(table.rows.back().birthYearLabel, u"1756");
    EXPECT_EQ(table.rows.back().age, 143);
}

TEST(BuildAgeTable, Boar1889HasElevenRows)
{
    for (int32_t passed = 0; passed <= 1; ++passed)
    {
        const AgeTable table = BuildAgeTable(u"1889", 11, passed, 1);
        ASSERT_EQ(table.rows.size(), 11u);
        EXPECT_EQ(table.rows.front().cycleName, u"丁亥");
        EXPECT_EQ(table.rows.front().birthYearLabel, u"1887");
        EXPECT_EQ(table.rows.front().age, 1 + passed);
    }
}

TEST(BuildAgeTable, TinyReferenceYears)
{
    ExpectRows(BuildAgeTable(u"12", 0, 1, 1), {{u"甲子", u"4", 8}});
    EXPECT_EQ(BuildAgeTable(u"12", 0, 1, 1).text, u"甲子,4,8");
    const AgeTable zero = BuildAgeTable(u"0", 0, 1, 1);
    ExpectRows(zero, {});
    EXPECT_EQ(zero.text, u"");
}

struct InputCase
{
    const char16_t* yearText;
    int32_t sign;
    int32_t status;
    bool isCat;
};

TEST(BuildAgeTable, InvalidInputsAndTheCat)
{
    const InputCase cases[] = {
        {u"", 1, -101, false},
        {u"", 12, -101, false}, // the year is checked before the Cat
        {u"20a9", 12, -102, false},
        {u"+2009", 1, -102, false},
        {u"-5", 1, -102, false},
        {u" 2009", 1, -102, false},
        {u"2009 ", 1, -102, false},
        {u"２００９", 1, -102, false}, // full-width digits are not digits here
        {u"1000000000", 1, -103, false},
        {u"99999999999999999999", 1, -103, false},
        {u"99999999999999999999x", 1, -102, false},
        {u"2009", -1, -104, false},
        {u"2009", INT32_MIN, -104, false},
        {u"", -1, -101, false},
        {u"2009", 12, 0, true},
        {u"0", 13, 0, true},
        {u"999999999", INT32_MAX, 0, true},
    };
    for (const InputCase& c : cases)
    {
        const AgeTable table = BuildAgeTable(c.yearText, c.sign, 1, 0);
        EXPECT_EQ(table.status, c.status) << "sign " << c.sign;
        EXPECT_EQ(table.isCat, c.isCat) << "sign " << c.sign;
        EXPECT_TRUE(table.rows.empty());
        EXPECT_TRUE(table.text.empty());
    }
}

struct YearTextCase
{
    const char16_t* text;
    int32_t status;
};

TEST(CheckYearText, Table)
{
    const YearTextCase cases[] = {
        {u"", -101},
        {u"20a9", -102},
        {u"+2009", -102},
        {u"-5", -102},
        {u" 2009", -102},
        {u"/", -102}, // '0' - 1
        {u":", -102}, // '9' + 1
        {u"0", 0},
        {u"2009", 0},
        {u"0002009", 0},
        {u"0000000000002009", 0},
        {u"999999999", 0},
        {u"0000999999999", 0},
        {u"1000000000", -103},
        {u"00001000000000", -103},
        {u"2147483648", -103},
    };
    for (const YearTextCase& c : cases)
        EXPECT_EQ(CheckYearText(c.text), c.status);
}

TEST(BuildAgeTable, LeadingZerosGiveTheSameTable)
{
    const AgeTable plain = BuildAgeTable(u"2009", 1, 1, 0);
    for (const char16_t* text : {u"0002009", u"0000000000002009"})
    {
        const AgeTable padded = BuildAgeTable(text, 1, 1, 0);
        EXPECT_EQ(padded.text, plain.text);
        EXPECT_EQ(padded.rows.size(), plain.rows.size());
    }
}

TEST(BuildAgeTable, LargestYearDoesNotOverflow)
{
    const AgeTable table = BuildAgeTable(u"999999999", 11, 1, 1);
    ASSERT_EQ(table.status, 0);
    ASSERT_FALSE(table.rows.empty());
    EXPECT_EQ(table.rows.front().age +
                  std::stoll(std::string(table.rows.front().birthYearLabel.begin(),
                                         table.rows.front().birthYearLabel.end())),
              999999999);
}

// Every allocation the buffer makes for the 155-character table is made to
// fail in turn: the failure is reported, nothing is returned and nothing leaks.
TEST(BuildAgeTable, StorageFailureIsReportedAndLeaksNothing)
{
    for (int allowed = 0; allowed < 2; ++allowed)
    {
        StorageFailure failure(allowed);
        const AgeTable table = BuildAgeTable(u"2009", 1, 1, 0);
        EXPECT_EQ(table.status, -105) << allowed << " allocations allowed";
        EXPECT_FALSE(table.isCat);
        EXPECT_TRUE(table.rows.empty());
        EXPECT_TRUE(table.text.empty());
        EXPECT_EQ(failure.Outstanding(), 0);
    }
    StorageFailure enough(2);
    EXPECT_EQ(BuildAgeTable(u"2009", 1, 1, 0).text, kOx2009EraText);
    EXPECT_EQ(enough.Outstanding(), 0);
}

} // namespace
