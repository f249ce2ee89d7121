// Feeds arbitrary UTF-16 year texts, signs and flags to BuildAgeTable and
// checks what holds for every outcome.
#include "age_table.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

int32_t TakeInt(const uint8_t*& data, size_t& size)
{
    uint32_t value = 0;
    const size_t n = size < 4 ? size : 4;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return static_cast<int32_t>(value);
}

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int32_t sign = TakeInt(data, size);
    const int32_t passed = TakeInt(data, size);
    const int32_t western = TakeInt(data, size);
    std::u16string text(size / 2, u'\0');
    std::memcpy(text.data(), data, text.size() * 2);
    // The window hands over NUL-terminated text: an embedded NUL ends it.
    text.resize(std::char_traits<char16_t>::length(text.c_str()));

    const AgeTable table = BuildAgeTable(text.c_str(), sign, passed, western);
    const int32_t check = CheckYearText(text.c_str());
    if (table.status != 0)
    {
        Check(table.status == check || table.status == AGE_TABLE_BAD_SIGN);
        Check(table.status <= -101 && table.status >= -105);
        Check(!table.isCat && table.rows.empty() && table.text.empty());
        return 0;
    }
    Check(check == 0 && sign >= 0);
    Check(table.isCat == (sign > SIGN_LAST_ANIMAL));
    if (table.isCat)
    {
        Check(table.rows.empty() && table.text.empty());
        return 0;
    }
    const int64_t year = std::stoll(std::string(text.begin(), text.end()));
    const int32_t birthdayPassed = passed != 0 ? 1 : 0;
    Check(table.rows.size() <= 13);
    std::u16string joined;
    for (const AgeRow& row : table.rows)
    {
        Check(row.age >= 0);
        Check(year - 1 + birthdayPassed - row.age >= 1); // the birth year
        Check(row.cycleName.size() == 2);
        if (!joined.empty())
            joined += u"\r\n";
        joined += row.cycleName + u"," + row.birthYearLabel + u",";
        std::string age = std::to_string(row.age);
        joined.append(age.begin(), age.end());
    }
    Check(table.text == joined);
    return 0;
}
