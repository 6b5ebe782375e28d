/* Texts written as UTF-8 in the tests, as the program sees them. */
#ifndef SWEEPANE_TEST_TEXT_H
#define SWEEPANE_TEST_TEXT_H

#include <string>

std::wstring Wide(const char *utf8);
/* In the ANSI code page: 932 under the test environment. */
std::string Ansi(const char *utf8);
/* An ANSI string (a path built in the test, say) for the W functions. */
std::wstring WideFromAnsi(const std::string &ansi);

#endif
