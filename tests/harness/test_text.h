/* Texts written as UTF-8 in the tests, as the program sees them. */
#ifndef SWEEPANE_TEST_TEXT_H
#define SWEEPANE_TEST_TEXT_H

#include <windows.h>

#include <initializer_list>
#include <string>

std::wstring Wide(const char *utf8);
/* In the ANSI code page (932 under the test environment), as ANSI calls spell it. */
std::string Ansi(const std::wstring &text);
inline std::string Ansi(const char *utf8) { return Ansi(Wide(utf8)); }
/* An ANSI string (a path built in the test, say) for the W functions. */
std::wstring WideFromAnsi(const std::string &ansi);

/* "" where the ANSI code page is one a case was written for; else why the
 * case cannot run on this system. */
std::string CodePageMissing(std::initializer_list<UINT> pages);
#define SKIP_UNLESS_CODE_PAGE(...) \
    if (std::string why = CodePageMissing({ __VA_ARGS__ }); !why.empty()) \
        GTEST_SKIP() << why

#endif
