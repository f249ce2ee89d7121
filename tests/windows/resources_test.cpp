#include "harness.h"
#include "resource.h"

#include <aygshell.h>

namespace
{

HINSTANCE Self()
{
    return GetModuleHandleW(nullptr);
}

struct StringCase
{
    UINT id;
    const wchar_t* text;
};

// Compared as UTF-16 code units: the resource compiler must not have
// re-encoded any character.
TEST(Resources, EveryStringLoadsWithItsExactText)
{
    const StringCase cases[] = {
        {IDS_APP_TITLE, L"\u30C8\u30EB\u30DF\u30E9\u30AF"}, // トルミラク
        {IDS_APP_CLASS, L"TOLMIRAK"},
        {IDS_MENU_OPERATION, L"\u64CD\u4F5C"},   // 操作
        {IDS_MENU_TOOLS, L"\u30C4\u30FC\u30EB"}, // ツール
        {IDS_TITLE, L"\u30C8\u30EB\u30DF\u30E9\u30AF"},
        {IDS_VERSION, L"1.2.2009.0118"},
        {IDS_RIGHTS, L"All rights reserved."},
        {IDS_EXIT, L"\u7D42\u4E86"},                         // 終了
        {IDS_SIGN_LABEL, L"\u5341\u4E8C\u652F\uFF1A"},       // 十二支：
        {IDS_SIGN_FIRST + 0, L"\u5B50(\u306D)"},             // 子(ね)
        {IDS_SIGN_FIRST + 1, L"\u4E11(\u3046\u3057)"},       // 丑(うし)
        {IDS_SIGN_FIRST + 2, L"\u5BC5(\u3068\u3089)"},       // 寅(とら)
        {IDS_SIGN_FIRST + 3, L"\u536F(\u3046)"},             // 卯(う)
        {IDS_SIGN_FIRST + 4, L"\u8FB0(\u305F\u3064)"},       // 辰(たつ)
        {IDS_SIGN_FIRST + 5, L"\u5DF3(\u307F)"},             // 巳(み)
        {IDS_SIGN_FIRST + 6, L"\u5348(\u3046\u307E)"},       // 午(うま)
        {IDS_SIGN_FIRST + 7, L"\u672A(\u3072\u3064\u3058)"}, // 未(ひつじ)
        {IDS_SIGN_FIRST + 8, L"\u7533(\u3055\u308B)"},       // 申(さる)
        {IDS_SIGN_FIRST + 9, L"\u9149(\u3068\u308A)"},       // 酉(とり)
        {IDS_SIGN_FIRST + 10, L"\u620C(\u3044\u306C)"},      // 戌(いぬ)
        {IDS_SIGN_FIRST + 11, L"\u4EA5(\u3044)"},            // 亥(い)
        {IDS_SIGN_FIRST + 12, L"\u732B(\u306D\u3053)"},      // 猫(ねこ)
        {IDS_YEAR_LABEL, L"\u57FA\u6E96\u5E74\uFF1A"},       // 基準年：
        {IDS_YEAR_RESET, L"\u30FB"},                         // ・
        {IDS_BIRTHDAY_PASSED, L"\u8A95\u751F\u65E5\u3092\u8FCE\u3048\u3066\u3044\u308B"},
        {IDS_RESULT_LABEL, L"\u63A8\u5B9A\u5E74\u9F62\uFF1A"},      // 推定年齢：
        {IDS_VIEW_TOGGLE, L"\u5F62\u5F0F"},                         // 形式
        {IDS_ESTIMATE, L"\u5E74\u9F62\u63A8\u5B9A"},                // 年齢推定
        {IDS_COL_CYCLE, L"\u5E72\u652F"},                           // 干支
        {IDS_COL_BIRTH_YEAR, L"\u751F\u5E74"},                      // 生年
        {IDS_COL_AGE, L"\u5E74\u9F62"},                             // 年齢
        {IDS_TO_WESTERN, L"->\u897F\u66A6"},                        // ->西暦
        {IDS_TO_ERA, L"->\u548C\u66A6"},                            // ->和暦
        {IDS_BAD_INPUT_CAPTION, L"\u5165\u529B\u5024\u4E0D\u6B63"}, // 入力値不正
        {IDS_BAD_INPUT_TEXT, L"\u8A08\u7B97\u5E74\u306E\u5024\u304C\u4E0D\u6B63\u3067\u3059\u3002"},
        {IDS_CAT_RESULT, L"\u305D\u306E\u65B9\u306F\u5E74\u9F62\u3092\u8A50\u79F0\u3057\u3066\u3044"
                         L"\u307E\u3059\u3002"}, // その方は年齢を詐称しています。
    };
    for (const StringCase& c : cases)
        EXPECT_EQ(ResourceString(Self(), c.id), c.text) << "string " << c.id;
}

TEST(Resources, MakersTextsFitTheirBuffers)
{
    EXPECT_FALSE(ResourceString(Self(), IDS_COPYRIGHT).empty());
    const std::wstring homepage = ResourceString(Self(), IDS_HOMEPAGE);
    EXPECT_FALSE(homepage.empty());
    EXPECT_LE(homepage.size(), 94u) << "\"URL: \" and the address share a 100-character buffer";
}

struct MenuItemCase
{
    int popup;
    int position;
    UINT id; // 0 for a separator
    const wchar_t* text;
};

TEST(Resources, MenuHasItsTwoPopups)
{
    HMENU menu = LoadMenuW(Self(), MAKEINTRESOURCEW(IDR_MAINMENU));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    wchar_t title[64];
    GetMenuStringW(menu, 0, title, ARRAYSIZE(title), MF_BYPOSITION);
    EXPECT_STREQ(title, L"\u30D5\u30A1\u30A4\u30EB"); // ファイル
    GetMenuStringW(menu, 1, title, ARRAYSIZE(title), MF_BYPOSITION);
    EXPECT_STREQ(title, L"\u30C4\u30FC\u30EB"); // ツール

    const MenuItemCase items[] = {
        {0, 0, IDM_ESTIMATE, L"\u5E74\u9F62\u63A8\u5B9A"}, // 年齢推定
        {0, 1, 0, nullptr},
        {0, 2, IDOK, L"\u7D42\u4E86"},                                    // 終了, the last item
        {1, 0, IDM_ABOUT, L"\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831"}, // バージョン情報
    };
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 0)), 3);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(menu, 1)), 1);
    for (const MenuItemCase& c : items)
    {
        HMENU popup = GetSubMenu(menu, c.popup);
        MENUITEMINFOW info = {sizeof(info), MIIM_FTYPE | MIIM_ID};
        ASSERT_TRUE(GetMenuItemInfoW(popup, c.position, TRUE, &info));
        if (c.text == nullptr)
        {
            EXPECT_TRUE(info.fType & MFT_SEPARATOR) << c.popup << "/" << c.position;
            continue;
        }
        EXPECT_EQ(info.wID, c.id) << c.popup << "/" << c.position;
        wchar_t text[64];
        GetMenuStringW(popup, c.position, text, ARRAYSIZE(text), MF_BYPOSITION);
        EXPECT_STREQ(text, c.text);
    }
    DestroyMenu(menu);
}

TEST(Resources, MenuBarDescription)
{
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(IDR_MAINMENU), RT_RCDATA);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(SizeofResource(Self(), found), 16 * sizeof(WORD));
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(Self(), found)));
    const WORD style = TBSTYLE_DROPDOWN | TBSTYLE_AUTOSIZE;
    const WORD expected[16] = {
        IDR_MAINMENU,
        2,
        static_cast<WORD>(I_IMAGENONE),
        IDM_MENU_OPERATION,
        TBSTATE_ENABLED,
        style,
        IDS_MENU_OPERATION,
        0,
        0,
        static_cast<WORD>(I_IMAGENONE),
        IDM_MENU_TOOLS,
        TBSTATE_ENABLED,
        style,
        IDS_MENU_TOOLS,
        0,
        1,
    };
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(words[i], expected[i]) << "word " << i;
}

TEST(Resources, AcceleratorsAreCtrlAAndCtrlQ)
{
    HACCEL table = LoadAcceleratorsW(Self(), MAKEINTRESOURCEW(IDR_ACCELERATORS));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4];
    ASSERT_EQ(CopyAcceleratorTableW(table, entries, 4), 2);
    const BYTE flags = FVIRTKEY | FCONTROL | FNOINVERT;
    EXPECT_EQ(entries[0].fVirt & ~0x80, flags);
    EXPECT_EQ(entries[0].key, 'A');
    EXPECT_EQ(entries[0].cmd, IDM_ABOUT);
    EXPECT_EQ(entries[1].fVirt & ~0x80, flags);
    EXPECT_EQ(entries[1].key, 'Q');
    EXPECT_EQ(entries[1].cmd, IDOK);
}

TEST(Resources, AboutTemplateIsTheBareFrame)
{
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(IDD_ABOUTBOX), RT_DIALOG);
    ASSERT_NE(found, nullptr);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(Self(), found)));
    const DLGTEMPLATE* dialog = reinterpret_cast<const DLGTEMPLATE*>(data);
    EXPECT_EQ(dialog->style, 0x80C00040u);
    EXPECT_EQ(dialog->dwExtendedStyle, 0x80000000u);
    EXPECT_EQ(dialog->cdit, 0);
    EXPECT_EQ(dialog->x, 0);
    EXPECT_EQ(dialog->y, 0);
    EXPECT_EQ(dialog->cx, 140);
    EXPECT_EQ(dialog->cy, 57);
    // Then: menu, class, title, point size and face, each word-aligned.
    const WORD* words = reinterpret_cast<const WORD*>(dialog + 1);
    EXPECT_EQ(words[0], 0) << "no menu";
    EXPECT_EQ(words[1], 0) << "the standard dialog class";
    const wchar_t* title = reinterpret_cast<const wchar_t*>(words + 2);
    EXPECT_STREQ(title, L"Tolmirak \u306E\u30D0\u30FC\u30B8\u30E7\u30F3\u60C5\u5831");
    const WORD* font = reinterpret_cast<const WORD*>(title + wcslen(title) + 1);
    EXPECT_EQ(font[0], 9);
    EXPECT_STREQ(reinterpret_cast<const wchar_t*>(font + 1), L"MS UI Gothic");
}

#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST(Resources, IconGroupHoldsTwoSixteenColourImages)
{
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(IDI_APPICON), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const WORD* header = static_cast<const WORD*>(LockResource(LoadResource(Self(), found)));
    ASSERT_EQ(header[2], 2) << "image count";
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(header + 3);
    const int sizes[2] = {32, 16};
    for (int i = 0; i < 2; ++i)
    {
        EXPECT_EQ(entries[i].width, sizes[i]);
        EXPECT_EQ(entries[i].height, sizes[i]);
        EXPECT_EQ(entries[i].colors, 16);
        EXPECT_EQ(entries[i].bitCount, 4);
    }
    EXPECT_NE(LoadIconW(Self(), MAKEINTRESOURCEW(IDI_APPICON)), nullptr);
}

TEST(Resources, VersionIs1_2_2009_118)
{
    HRSRC found = FindResourceW(Self(), MAKEINTRESOURCEW(1), RT_VERSION);
    ASSERT_NE(found, nullptr);
    void* block = LockResource(LoadResource(Self(), found));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block, L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(2, 1));
    EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(118, 2009));
    EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(2, 1));
    EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(118, 2009));
}

struct SettingCase
{
    const wchar_t* space;
    const wchar_t* name;
    const wchar_t* value;
};

// The manifest as the loader reads it: the program runs as its user, is not
// DPI-aware (Windows scales its window as a whole), and names Windows 10
// and 11 among the systems it supports.
TEST(Resources, ManifestKeepsTheProgramUnelevatedAndUnaware)
{
    ACTCTXW request = {sizeof(request)};
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = Self();
    request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
    HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "the manifest does not parse: " << GetLastError();

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level = {};
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level,
                             sizeof(level), nullptr));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(level.UiAccess, 0u);

    const SettingCase settings[] = {
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"false"},
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness", L"unaware"},
    };
    for (const SettingCase& c : settings)
    {
        wchar_t value[32] = L"";
        EXPECT_TRUE(QueryActCtxSettingsW(0, context, c.space, c.name, value, ARRAYSIZE(value), nullptr)) << c.name;
        EXPECT_STREQ(value, c.value);
    }

    // Newer systems add a tested version to each element: its size follows
    // from the whole's.
    BYTE info[512] = {};
    SIZE_T size = 0;
    ASSERT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, info,
                             sizeof(info), &size));
    const DWORD count = *reinterpret_cast<DWORD*>(info);
    ASSERT_GT(count, 0u);
    const SIZE_T stride = (size - sizeof(DWORD)) / count >= 32 ? 32 : sizeof(COMPATIBILITY_CONTEXT_ELEMENT);
    const BYTE* first = info + size - count * stride;
    const GUID windows10 = {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};
    int named = 0;
    for (DWORD i = 0; i < count; ++i)
    {
        const auto* element = reinterpret_cast<const COMPATIBILITY_CONTEXT_ELEMENT*>(first + i * stride);
        named += element->Type == ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS && IsEqualGUID(element->Id, windows10);
    }
    EXPECT_EQ(named, 1) << count << " elements in " << size << " bytes";
    ReleaseActCtx(context);
}

} // namespace
