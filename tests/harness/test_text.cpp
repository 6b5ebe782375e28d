#include "test_text.h"

#include <windows.h>

std::wstring Wide(const char *utf8)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &w[0], n);
    return w;
}

std::string Ansi(const char *utf8)
{
    std::wstring w = Wide(utf8);
    int n = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, NULL, 0, NULL, NULL);
    std::string a(n > 0 ? n - 1 : 0, '\0');
    WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, &a[0], n, NULL, NULL);
    return a;
}

std::wstring WideFromAnsi(const std::string &ansi)
{
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, NULL, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &w[0], n);
    return w;
}
