// Every reference year from 0 to 3000 with every sign, flag and mode, checked
// against the closed forms rather than the builder's own steps.
#include "age_table.h"
#include "calendar_names.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const char16_t kStems[] = u"甲乙丙丁戊己庚辛壬癸";
const char16_t kBranches[] = u"子丑寅卯辰巳午未申酉戌亥";

std::u16string Decimal(int32_t value)
{
    std::u16string text;
    AppendDecimal(text, value);
    return text;
}

void CheckTable(int32_t y, int32_t sign, int32_t passed, int32_t western)
{
    const AgeTable table = BuildAgeTable(Decimal(y).c_str(), sign, passed, western);
    ASSERT_EQ(table.status, 0);
    ASSERT_FALSE(table.isCat);
    ASSERT_LE(table.rows.size(), 13u);

    // The rows are every year of the sign from the window's oldest step
    // (12 steps below the first, which lies in the 子 block holding y, the
    // remainder truncating toward zero) up to the last year whose age is not
    // negative, leaving out years below 1.
    const int32_t m = (y - 1900) % 12;
    const int32_t oldest = y - m + sign - 144;
    const int32_t youngest = y - 1 + passed;
    size_t expectedRows = 0;
    for (int32_t b = oldest < 1 ? 1 : oldest; b <= youngest; ++b)
        if (((b - oldest) % 12) == 0)
            ++expectedRows;
    ASSERT_EQ(table.rows.size(), expectedRows) << y << " sign " << sign;
    if (y >= 1900 || (y >= 137 && m == 0))
        ASSERT_EQ(expectedRows, sign < m || (sign == m && passed == 1) ? 13u : 12u) << y;
    else if (y >= 137)
        ASSERT_TRUE(expectedRows == 11u || expectedRows == 12u) << y << " sign " << sign;

    std::u16string text;
    int32_t previousBirthYear = 0;
    for (size_t i = 0; i < table.rows.size(); ++i)
    {
        const AgeRow& row = table.rows[i];
        const int32_t b = y - 1 + passed - row.age;
        ASSERT_GE(row.age, 0);
        ASSERT_GE(b, 1);
        ASSERT_LE(b, y);
        if (i > 0)
            ASSERT_EQ(b, previousBirthYear - 12) << "twelve years apart, youngest first";
        previousBirthYear = b;
        ASSERT_EQ(((b - 1900) % 12 + 12) % 12, sign) << "each birth year has the chosen sign";
        const std::u16string cycle{kStems[(b + 6) % 10], kBranches[(b + 8) % 12]};
        ASSERT_EQ(row.cycleName, cycle) << b;
        ASSERT_EQ(row.birthYearLabel, FormatYearLabel(b, western));
        if (!text.empty())
            text += u"\r\n";
        text += row.cycleName + u"," + row.birthYearLabel + u"," + Decimal(row.age);
    }
    ASSERT_EQ(table.text, text);
}

TEST(AgeTableSweep, EveryYearSignFlagAndMode)
{
    for (int32_t y = 0; y <= 3000; ++y)
        for (int32_t sign = 0; sign <= 12; ++sign)
            for (int32_t passed = 0; passed <= 1; ++passed)
                for (int32_t western = 0; western <= 1; ++western)
                {
                    if (sign == 12)
                    {
                        const AgeTable cat =
                            BuildAgeTable(Decimal(y).c_str(), sign, passed, western);
                        ASSERT_TRUE(cat.isCat);
                        ASSERT_TRUE(cat.rows.empty() && cat.text.empty());
                        continue;
                    }
                    ASSERT_NO_FATAL_FAILURE(CheckTable(y, sign, passed, western));
                }
}

// The label mode changes the labels and nothing else.
TEST(AgeTableSweep, LabelModeChangesOnlyTheLabels)
{
    for (int32_t y = 0; y <= 3000; y += 7)
        for (int32_t sign = 0; sign <= 11; ++sign)
        {
            const AgeTable era = BuildAgeTable(Decimal(y).c_str(), sign, 1, 0);
            const AgeTable western = BuildAgeTable(Decimal(y).c_str(), sign, 1, 1);
            ASSERT_EQ(era.rows.size(), western.rows.size());
            for (size_t i = 0; i < era.rows.size(); ++i)
            {
                ASSERT_EQ(era.rows[i].cycleName, western.rows[i].cycleName);
                ASSERT_EQ(era.rows[i].age, western.rows[i].age);
            }
        }
}

} // namespace
