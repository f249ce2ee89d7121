#include "text_buffer.h"
#include "storage_failure.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

struct GrowthCase
{
    int32_t appended;
    int32_t capacity;
};

// A fresh buffer holds 98 characters; 99 and 100 already grow it, and a
// longer text grows it by the smallest multiple of the capacity that holds it.
TEST(TextBuffer, GrowthOfAFreshBuffer)
{
    const GrowthCase cases[] = {
        {0, 100},   {98, 100},  {99, 200},  {100, 200}, {101, 300},
        {200, 300}, {201, 400}, {250, 400}, {300, 400},
    };
    for (const GrowthCase& c : cases)
    {
        TextBuffer buffer;
        ASSERT_EQ(TextBuffer_Init(&buffer), 0);
        EXPECT_EQ(buffer.capacity, 100);
        EXPECT_EQ(buffer.step, 20);
        const std::u16string text(static_cast<std::size_t>(c.appended), u'字');
        EXPECT_EQ(TextBuffer_Append(&buffer, text.c_str()), 0);
        EXPECT_EQ(buffer.capacity, c.capacity) << c.appended << " characters";
        EXPECT_EQ(buffer.length, c.appended);
        EXPECT_EQ(std::u16string(buffer.data), text);
        EXPECT_LE(buffer.length, buffer.capacity - 2);
        TextBuffer_Release(&buffer);
    }
}

TEST(TextBuffer, AppendsInPiecesKeepTheTextAndTheSpareCharacter)
{
    TextBuffer buffer;
    ASSERT_EQ(TextBuffer_Init(&buffer), 0);
    std::u16string expected;
    for (int i = 0; i < 60; ++i)
    {
        const std::u16string piece = i % 2 ? u"\r\n" : u"己丑,平成21,0";
        ASSERT_EQ(TextBuffer_Append(&buffer, piece.c_str()), 0);
        expected += piece;
        ASSERT_LE(buffer.length, buffer.capacity - 2);
    }
    EXPECT_EQ(std::u16string(buffer.data, static_cast<std::size_t>(buffer.length)), expected);
    EXPECT_EQ(buffer.data[buffer.length], u'\0');
    ASSERT_EQ(TextBuffer_Append(&buffer, u""), 0);
    EXPECT_EQ(buffer.length, static_cast<int32_t>(expected.size()));
    TextBuffer_Release(&buffer);
}

TEST(TextBuffer, ReleaseTwiceDoesNothingTheSecondTime)
{
    TextBuffer buffer;
    ASSERT_EQ(TextBuffer_Init(&buffer), 0);
    TextBuffer_Append(&buffer, u"abc");
    EXPECT_EQ(TextBuffer_Release(&buffer), 0);
    EXPECT_EQ(buffer.data, nullptr);
    EXPECT_EQ(buffer.length, 0);
    EXPECT_EQ(buffer.capacity, 0);
    EXPECT_EQ(buffer.step, 20);
    EXPECT_EQ(TextBuffer_Release(&buffer), 0);
    EXPECT_EQ(buffer.data, nullptr);
}

TEST(TextBuffer, InitWithoutStorageReportsIt)
{
    StorageFailure failure(0);
    TextBuffer buffer;
    EXPECT_EQ(TextBuffer_Init(&buffer), -101);
    EXPECT_EQ(buffer.data, nullptr);
    EXPECT_EQ(TextBuffer_Release(&buffer), 0);
    EXPECT_EQ(failure.Outstanding(), 0);
}

TEST(TextBuffer, FailedGrowthKeepsTheText)
{
    StorageFailure failure(1);
    TextBuffer buffer;
    ASSERT_EQ(TextBuffer_Init(&buffer), 0);
    ASSERT_EQ(TextBuffer_Append(&buffer, u"keep"), 0);
    const std::u16string longText(150, u'x');
    EXPECT_EQ(TextBuffer_Append(&buffer, longText.c_str()), -105);
    EXPECT_EQ(std::u16string(buffer.data), u"keep");
    EXPECT_EQ(buffer.length, 4);
    EXPECT_EQ(buffer.capacity, 100);
    TextBuffer_Release(&buffer);
    EXPECT_EQ(failure.Outstanding(), 0);
}

} // namespace
