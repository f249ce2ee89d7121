#include "age_table.h"

#include "calendar_names.h"
#include "text_buffer.h"

#include <new>

namespace
{

const int32_t kRowCount = 13;
const int32_t kYearsPerCycle = 12;
const int32_t kFirstRatYear = 1900; // 子, the first sign

// Value of a year text that CheckYearText has accepted.
int32_t YearValue(const char16_t* text)
{
    int32_t value = 0;
    for (; *text != u'\0'; ++text)
        value = value * 10 + (*text - u'0');
    return value;
}

// Copies source into line at position, returning the new position.
int32_t CopyInto(char16_t* line, int32_t position, const std::u16string& source)
{
    for (char16_t c : source)
        line[position++] = c;
    return position;
}

// Builds the rows and the text into table; returns a status.
int32_t FillRows(AgeTable& table, TextBuffer& buffer, int32_t year, int32_t sign,
                 int32_t birthdayPassed, int32_t westernYears)
{
    const int32_t m = (year - kFirstRatYear) % kYearsPerCycle; // truncating: -11 to 11
    int32_t birthYear = year - m + sign;
    int32_t age = birthdayPassed - sign + m - 1;
    table.rows.reserve(kRowCount);
    std::u16string ageText;
    for (int32_t step = 0; step < kRowCount;
         ++step, birthYear -= kYearsPerCycle, age += kYearsPerCycle)
    {
        if (age < 0 || birthYear <= 0)
            continue;
        ageText.clear();
        AppendDecimal(ageText, age);
        table.rows.push_back(
            {FormatCycleName(birthYear), FormatYearLabel(birthYear, westernYears), age});
        const AgeRow& row = table.rows.back();

        // "%s,%s,%d": 2 + 1 + at most 12 + 1 + at most 10 characters.
        char16_t line[32];
        int32_t n = CopyInto(line, 0, row.cycleName);
        line[n++] = u',';
        n = CopyInto(line, n, row.birthYearLabel);
        line[n++] = u',';
        n = CopyInto(line, n, ageText);
        line[n] = u'\0';

        if (buffer.length != 0 && TextBuffer_Append(&buffer, u"\r\n") != 0)
            return AGE_TABLE_NO_STORAGE;
        if (TextBuffer_Append(&buffer, line) != 0)
            return AGE_TABLE_NO_STORAGE;
    }
    table.text.assign(buffer.data, static_cast<std::size_t>(buffer.length));
    return AGE_TABLE_OK;
}

} // namespace

int32_t CheckYearText(const char16_t* text)
{
    if (text[0] == u'\0')
        return AGE_TABLE_EMPTY_YEAR;
    int32_t significantDigits = 0;
    bool tooLarge = false;
    for (const char16_t* c = text; *c != u'\0'; ++c)
    {
        if (*c < u'0' || *c > u'9')
            return AGE_TABLE_NOT_DIGITS;
        if (significantDigits > 0 || *c != u'0')
            ++significantDigits;
        // Ten significant digits are above the limit; nine never are.
        if (significantDigits > 9)
            tooLarge = true;
    }
    return tooLarge ? AGE_TABLE_YEAR_TOO_LARGE : AGE_TABLE_OK;
}

AgeTable BuildAgeTable(const char16_t* yearText, int32_t sign, int32_t birthdayPassed,
                       int32_t westernYears)
{
    AgeTable table{AGE_TABLE_OK, false, {}, {}};
    table.status = CheckYearText(yearText);
    if (table.status != AGE_TABLE_OK)
        return table;
    if (sign < 0)
    {
        table.status = AGE_TABLE_BAD_SIGN;
        return table;
    }
    if (sign > SIGN_LAST_ANIMAL)
    {
        table.isCat = true;
        return table;
    }

    TextBuffer buffer;
    if (TextBuffer_Init(&buffer) != 0)
    {
        table.status = AGE_TABLE_NO_STORAGE;
        return table;
    }
    try
    {
        // The flag is a yes or no; any non-zero value counts as yes.
        table.status = FillRows(table, buffer, YearValue(yearText), sign,
                                birthdayPassed != 0 ? 1 : 0, westernYears);
    }
    catch (const std::bad_alloc&)
    {
        table.status = AGE_TABLE_NO_STORAGE;
    }
    TextBuffer_Release(&buffer);
    if (table.status != AGE_TABLE_OK)
    {
        table.rows.clear();
        table.text.clear();
    }
    return table;
}
