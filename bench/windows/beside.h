// The path of a file in the folder of the running executable.
#pragma once

#include <windows.h>

#include <string>

inline std::wstring Beside(const wchar_t* file)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + file;
}
