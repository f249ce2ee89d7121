#include "calendar_names.h"

namespace
{

// 十干: 甲 乙 丙 丁 戊 己 庚 辛 壬 癸
const char16_t kStems[10] = {u'\u7532', u'\u4E59', u'\u4E19', u'\u4E01', u'\u620A',
                             u'\u5DF1', u'\u5E9A', u'\u8F9B', u'\u58EC', u'\u7678'};

// 十二支: 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥, indexed by the zodiac sign.
const char16_t kBranches[12] = {u'\u5B50', u'\u4E11', u'\u5BC5', u'\u536F', u'\u8FB0', u'\u5DF3',
                                u'\u5348', u'\u672A', u'\u7533', u'\u9149', u'\u620C', u'\u4EA5'};

struct Era
{
    int32_t lastYearBefore; // the era covers every year after this one
    const char16_t* name;
};

// Searched from the top: the first era whose start lies before the year.
const Era kEras[] = {
    {1988, u"平成"},
    {1925, u"昭和"},
    {1911, u"大正"},
    {1867, u"明治"},
};

} // namespace

void AppendDecimal(std::u16string& text, int32_t value)
{
    char16_t digits[11];
    int count = 0;
    // Work on the magnitude as unsigned so that INT32_MIN has one too.
    uint32_t magnitude =
        value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do
    {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        text += u'-';
    while (count > 0)
        text += digits[--count];
}

std::u16string FormatCycleName(int32_t year)
{
    // Position in the sixty-year cycle, 0 to 59 whatever the sign of the year.
    int32_t i = year % 60;
    if (i < 0)
        i += 60;
    i += 56;
    return std::u16string{kStems[i % 10], kBranches[i % 12]};
}

std::u16string FormatYearLabel(int32_t year, int32_t westernYears)
{
    std::u16string label;
    int32_t number = year;
    if (westernYears == 0)
    {
        for (const Era& era : kEras)
        {
            if (year > era.lastYearBefore)
            {
                label = era.name;
                number = year - era.lastYearBefore;
                break;
            }
        }
    }
    AppendDecimal(label, number);
    return label;
}
