// Counts of this process's GDI and USER objects that move when one leaks,
// on Windows and under Wine, whose GetGuiResources answers 0.
#include "harness.h"

#include <winternl.h>

namespace
{

// Wine keeps the process's GDI handles in a table that the PEB points to, as
// Windows does: one 24-byte entry a handle index. The type is 0 for a free
// entry; stock objects, which never go, have the top bit of the extended
// type set.
struct GdiHandleEntry
{
    ULONG64 object;
    ULONG owner;
    BYTE extendedType;
    BYTE generation;
    BYTE type;
    BYTE flags;
    ULONG64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "the table's entry layout");
const int kGdiHandleCount = 0x10000;
const size_t kPebGdiTableOffset = 0xF8; // GdiSharedHandleTable on x64

const GdiHandleEntry* GdiHandleTable()
{
    const BYTE* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiTableOffset);
}

// USER handles are a 16-bit index (0x20, 0x22, ... 0xFFEE); a handle with
// the high word 0 names the object at that index whatever its generation.
template <typename Probe> int CountUserHandles(Probe isKind)
{
    int count = 0;
    for (ULONG_PTR low = 0x20; low <= 0xFFEE; low += 2)
        if (isKind(reinterpret_cast<HANDLE>(low)))
            ++count;
    return count;
}

BOOL CALLBACK CountChildWindow(HWND, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountProcessWindow(HWND hwnd, LPARAM count)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId())
    {
        ++*reinterpret_cast<int*>(count);
        EnumChildWindows(hwnd, CountChildWindow, count);
    }
    return TRUE;
}

} // namespace

DWORD GdiObjectCount()
{
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
        return count;
    const GdiHandleEntry* table = GdiHandleTable();
    if (table == nullptr)
        return 0;
    DWORD count = 0;
    for (int i = 0; i < kGdiHandleCount; ++i)
        if (table[i].type != 0 && (table[i].extendedType & 0x80) == 0)
            ++count;
    return count;
}

void RebindCachedDcs(HWND hwnd)
{
    HDC dcs[64]; // as many as Wine caches
    for (HDC& dc : dcs)
        dc = GetDCEx(hwnd, nullptr, DCX_CACHE);
    for (HDC dc : dcs)
        ReleaseDC(hwnd, dc);
}

UserObjects CountUserObjects()
{
    UserObjects objects = {};
    EnumWindows(CountProcessWindow, reinterpret_cast<LPARAM>(&objects.windows));
    objects.menus = CountUserHandles([](HANDLE h) { return IsMenu(static_cast<HMENU>(h)) != 0; });
    // GetCursorFrameInfo (user32's, unnamed in the headers) answers for an
    // icon or cursor without making GDI copies of its bitmaps, as
    // GetIconInfo would.
    using FrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
    static const FrameInfo frameInfo = reinterpret_cast<FrameInfo>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetCursorFrameInfo"));
    objects.iconsAndCursors = CountUserHandles([](HANDLE h) {
        DWORD rate, steps;
        return frameInfo(static_cast<HCURSOR>(h), 0, 0, &rate, &steps) != nullptr;
    });
    objects.acceleratorTables = CountUserHandles(
        [](HANDLE h) { return CopyAcceleratorTableW(static_cast<HACCEL>(h), nullptr, 0) > 0; });
    return objects;
}

DWORD UserObjectCount(const UserObjects& counted)
{
    if (DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS))
        return count;
    return static_cast<DWORD>(counted.windows + counted.menus + counted.iconsAndCursors +
                              counted.acceleratorTables);
}
