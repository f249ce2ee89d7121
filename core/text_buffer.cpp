#include "text_buffer.h"

#include <cstdlib>
#include <cstring>
#include <limits>

namespace
{

const int32_t kInitialCapacity = 100;
const int32_t kStep = 20;

std::size_t TextLength(const char16_t* text)
{
    std::size_t n = 0;
    while (text[n] != u'\0')
        ++n;
    return n;
}

} // namespace

TextBufferStorage g_textBufferStorage = {std::malloc, std::free};

int32_t TextBuffer_Init(TextBuffer* buffer)
{
    buffer->capacity = kInitialCapacity;
    buffer->length = 0;
    buffer->data = nullptr;
    void* storage = g_textBufferStorage.allocate(kInitialCapacity * sizeof(char16_t));
    if (storage == nullptr)
        return TEXTBUFFER_NO_STORAGE_AT_INIT;
    buffer->data = static_cast<char16_t*>(storage);
    buffer->data[0] = u'\0';
    buffer->step = kStep;
    return 0;
}

int32_t TextBuffer_Append(TextBuffer* buffer, const char16_t* text)
{
    const int64_t n = static_cast<int64_t>(TextLength(text));
    const int64_t length = buffer->length;
    int64_t capacity = buffer->capacity;
    if (length + n >= capacity - 1)
    {
        // Grow by the capacity, or by the smallest multiple of it that holds n.
        const int64_t growth = n <= capacity ? capacity : capacity * ((n - 1) / capacity + 1);
        capacity += growth;
        if (capacity > std::numeric_limits<int32_t>::max())
            return TEXTBUFFER_NO_STORAGE;
        void* storage =
            g_textBufferStorage.allocate(static_cast<std::size_t>(capacity) * sizeof(char16_t));
        if (storage == nullptr)
            return TEXTBUFFER_NO_STORAGE;
        std::memcpy(storage, buffer->data, static_cast<std::size_t>(length + 1) * sizeof(char16_t));
        g_textBufferStorage.release(buffer->data);
        buffer->data = static_cast<char16_t*>(storage);
        buffer->capacity = static_cast<int32_t>(capacity);
    }
    std::memcpy(buffer->data + length, text, static_cast<std::size_t>(n + 1) * sizeof(char16_t));
    buffer->length = static_cast<int32_t>(length + n);
    return 0;
}

int32_t TextBuffer_Release(TextBuffer* buffer)
{
    if (buffer->data == nullptr)
        return 0;
    g_textBufferStorage.release(buffer->data);
    buffer->data = nullptr;
    buffer->length = 0;
    buffer->capacity = 0;
    buffer->step = kStep;
    return 0;
}
