// The age estimate: from a reference-year text, a zodiac sign, whether this
// year's birthday has passed and the year-label mode to the candidate birth
// years twelve years apart with their names and ages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Signs 0 (子, Rat) to 11 (亥, Boar) follow the branch table; every sign
// above 11 is the Cat, which no year has.
enum : int32_t
{
    SIGN_LAST_ANIMAL = 11,
};

// Status codes of CheckYearText and BuildAgeTable.
enum : int32_t
{
    AGE_TABLE_OK = 0,
    AGE_TABLE_EMPTY_YEAR = -101,     // the year text is empty
    AGE_TABLE_NOT_DIGITS = -102,     // the year text holds a character other than 0 to 9
    AGE_TABLE_YEAR_TOO_LARGE = -103, // the year's value is above AGE_TABLE_MAX_YEAR
    AGE_TABLE_BAD_SIGN = -104,       // the sign is below 0
    AGE_TABLE_NO_STORAGE = -105,     // storage for the result could not be obtained
};

// The largest reference year; birth years run up to 11 above it.
const int32_t AGE_TABLE_MAX_YEAR = 999999999;

struct AgeRow
{
    std::u16string cycleName;      // e.g. 己丑
    std::u16string birthYearLabel; // e.g. 平成21 or 2009
    int32_t age;
};

struct AgeTable
{
    int32_t status;           // 0 or one of the negative codes above
    bool isCat;               // the Cat was chosen: no rows and no text
    std::vector<AgeRow> rows; // youngest first
    std::u16string text;      // "cycle,label,age" lines joined by CR LF
};

// Returns 0 when text is a decimal number from 0 to AGE_TABLE_MAX_YEAR
// (leading zeros allowed), else -101, -102 or -103.
int32_t CheckYearText(const char16_t* text);

// Never throws: a failure to obtain storage is reported as -105.
AgeTable BuildAgeTable(const char16_t* yearText, int32_t sign, int32_t birthdayPassed,
                       int32_t westernYears);
