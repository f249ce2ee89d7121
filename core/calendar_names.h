// Names of a year: its sexagenary name (stem and branch) and its label as a
// western or a Japanese era year.
#pragma once

#include <cstdint>
#include <string>

// Two characters: the heavenly stem and the earthly branch of the year.
// Year 4 and year 1984 are 甲子, the start of the sixty-year cycle; years
// below 1 continue the cycle backwards.
std::u16string FormatCycleName(int32_t year);

// The year as a plain decimal number when westernYears is non-zero, otherwise
// as the era name followed by the year of that era (平成21, 明治1); years of
// 1867 and before carry no era name.
std::u16string FormatYearLabel(int32_t year, int32_t westernYears);

// Appends the decimal digits of value (with a minus sign when negative).
void AppendDecimal(std::u16string& text, int32_t value);
