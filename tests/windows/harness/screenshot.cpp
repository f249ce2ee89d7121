#include "harness.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < size; ++i)
    {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void PutBigEndian(std::string& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data)
{
    PutBigEndian(png, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    png += body;
    PutBigEndian(png, Crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

// A PNG whose image data is deflate's stored blocks: no compressor needed.
std::string EncodePng(int width, int height, const std::string& rgbRows)
{
    std::string png("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5); // 8-bit RGB
    Chunk(png, "IHDR", header);

    std::string z("\x78\x01", 2);
    uint32_t a = 1, b = 0;
    for (unsigned char c : rgbRows)
    {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    for (size_t offset = 0; offset < rgbRows.size(); offset += 65535)
    {
        const size_t n = std::min<size_t>(65535, rgbRows.size() - offset);
        z += static_cast<char>(offset + n == rgbRows.size() ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(rgbRows, offset, n);
    }
    PutBigEndian(z, (b << 16) | a);
    Chunk(png, "IDAT", z);
    Chunk(png, "IEND", "");
    return png;
}

} // namespace

bool SaveScreenshot(const std::wstring& path)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const RECT shown = Shell_ScreenRect();
    BitBlt(memory, 0, 0, width, height, screen, shown.left, shown.top, SRCCOPY);
    GdiFlush();

    std::string rows;
    const uint8_t* pixels = static_cast<const uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
    {
        rows += '\0'; // filter: none
        for (int x = 0; x < width; ++x)
        {
            const uint8_t* p = pixels + (static_cast<size_t>(y) * width + x) * 4;
            rows += static_cast<char>(p[2]);
            rows += static_cast<char>(p[1]);
            rows += static_cast<char>(p[0]);
        }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr)
        return false;
    const std::string png = EncodePng(width, height, rows);
    const bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    return fclose(file) == 0 && written;
}

void Scene(const char* name)
{
    const wchar_t* folder = _wgetenv(L"TOLMIRAK_SCREENSHOTS");
    if (folder == nullptr || *folder == L'\0')
        return;
    // Let every window finish painting first.
    PumpMessages(300);
    std::wstring path = std::wstring(folder) + L"/";
    for (const char* c = name; *c != '\0'; ++c)
        path += static_cast<wchar_t>(*c);
    path += L".png";
    EXPECT_TRUE(SaveScreenshot(path)) << name;
}
