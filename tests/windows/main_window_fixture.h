// A real main window, started as the program starts it, for each test.
#pragma once

#include "globals.h"
#include "harness.h"
#include "resource.h"
#include "startup.h"

#include <string>

class MainWindowTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(InitInstance(GetModuleHandleW(nullptr), SW_SHOWNORMAL));
        m_hwnd = FindWindowW(L"TOLMIRAK", L"\u30C8\u30EB\u30DF\u30E9\u30AF");
        ASSERT_NE(m_hwnd, nullptr);
        PumpMessages(20);
    }

    void TearDown() override
    {
        if (IsWindow(m_hwnd))
            DestroyWindow(m_hwnd);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        {
        }
        SetScreen(240, 320);
    }

    HWND Control(int id) const { return GetDlgItem(m_hwnd, id); }

    // A command as a control sends it: the id and a notification code.
    LRESULT Command(int id, int code = BN_CLICKED)
    {
        return SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, code),
                            reinterpret_cast<LPARAM>(Control(id)));
    }

    // Adds the year to the year list if it is not there and selects it.
    void ChooseYear(const wchar_t* year)
    {
        HWND combo = Control(IDC_YEAR);
        LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(year));
        if (index == CB_ERR)
            index = SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(year));
        SendMessageW(combo, CB_SETCURSEL, index, 0);
    }

    void Estimate(const wchar_t* year, int sign, bool birthdayPassed, bool western)
    {
        ChooseYear(year);
        SendMessageW(Control(IDC_SIGN), CB_SETCURSEL, sign, 0);
        SendMessageW(Control(IDC_BIRTHDAY_PASSED), BM_SETCHECK,
                     birthdayPassed ? BST_CHECKED : BST_UNCHECKED, 0);
        if ((g_westernYears != 0) != western)
            Command(IDC_ERA_TOGGLE);
        Command(IDC_ESTIMATE);
    }

    HWND m_hwnd = nullptr;
};
