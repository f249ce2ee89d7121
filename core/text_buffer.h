// A growable, NUL-terminated UTF-16 string in which an estimate's text is
// assembled.
#pragma once

#include <cstddef>
#include <cstdint>

struct TextBuffer
{
    char16_t* data;   // owned; null while the buffer holds no storage
    int32_t length;   // characters, without the terminator
    int32_t capacity; // characters allocated, terminator included
    int32_t step;     // 20 once initialised or released; growth does not use it
};

// Status codes of the buffer operations.
enum : int32_t
{
    TEXTBUFFER_NO_STORAGE_AT_INIT = -101,
    TEXTBUFFER_NO_STORAGE = -105,
};

// Where every buffer obtains and returns its storage. Tests replace it to see
// what a failed allocation does; allocate returns null on failure.
struct TextBufferStorage
{
    void* (*allocate)(std::size_t bytes);
    void (*release)(void* block);
};
extern TextBufferStorage g_textBufferStorage;

// Gives the buffer 100 characters of storage holding the empty text.
// Returns 0, or -101 when no storage could be obtained.
int32_t TextBuffer_Init(TextBuffer* buffer);

// Appends text. When the text would fill the buffer to within one character
// of its capacity, the capacity grows by the smallest whole multiple of
// itself that holds the text. Returns 0, or -105 when the larger storage
// could not be obtained; the buffer then keeps its text unchanged.
int32_t TextBuffer_Append(TextBuffer* buffer, const char16_t* text);

// Frees the storage; releasing a buffer that holds none does nothing.
int32_t TextBuffer_Release(TextBuffer* buffer);
