// Makes the text buffer's storage run out after a given number of
// allocations, and counts the blocks not yet returned.
#pragma once

#include "text_buffer.h"

class StorageFailure
{
  public:
    explicit StorageFailure(int allowed)
    {
        s_allowed = allowed;
        s_outstanding = 0;
        g_textBufferStorage = {Allocate, Release};
    }
    ~StorageFailure() { g_textBufferStorage = s_original; }
    int Outstanding() const { return s_outstanding; }

  private:
    static void* Allocate(std::size_t bytes)
    {
        if (s_allowed == 0)
            return nullptr;
        --s_allowed;
        ++s_outstanding;
        return s_original.allocate(bytes);
    }
    static void Release(void* block)
    {
        --s_outstanding;
        s_original.release(block);
    }

    static inline TextBufferStorage s_original = g_textBufferStorage;
    static inline int s_allowed = 0;
    static inline int s_outstanding = 0;
};
