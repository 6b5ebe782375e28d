#include "test_text.h"

#include <windows.h>

static std::wstring ToWide(UINT codePage, const char *text)
{
    int n = MultiByteToWideChar(codePage, 0, text, -1, NULL, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, &w[0], n);
    return w;
}

std::wstring Wide(const char *utf8)
{
    return ToWide(CP_UTF8, utf8);
}

std::string Ansi(const std::wstring &w)
{
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, NULL, 0, NULL, NULL);
    std::string a(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, &a[0], n, NULL, NULL);
    return a;
}

std::wstring WideFromAnsi(const std::string &ansi)
{
    return ToWide(CP_ACP, ansi.c_str());
}

std::string CodePageMissing(std::initializer_list<UINT> pages)
{
    std::string names;
    for (UINT page : pages) {
        if (page == GetACP())
            return "";
        names += (names.empty() ? "" : " or ") + std::to_string(page);
    }
    return "needs the ANSI code page " + names + " (system locale Japanese); this one has " +
           std::to_string(GetACP());
}
