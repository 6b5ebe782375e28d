/* Real files and folders for tests, under a fresh folder in %TEMP%. */
#ifndef SWEEPANE_TEST_FILES_H
#define SWEEPANE_TEST_FILES_H

#include <windows.h>

#include <string>

#include "test_text.h"

std::string MakeTempDir(const char *tag);
void WriteFileText(const std::wstring &path, const std::string &text);
std::string ReadFileText(const std::wstring &path);
inline void WriteFileText(const std::string &path, const std::string &text) { WriteFileText(WideFromAnsi(path), text); }
inline std::string ReadFileText(const std::string &path) { return ReadFileText(WideFromAnsi(path)); }
/* A fresh folder whose path, with its final '\\', is exactly `bytes` bytes
 * long in the ANSI code page: katakana folders (two bytes a character in
 * code page 932, three in UTF-8), so that it stays well within MAX_PATH
 * characters. "" if it could not be made. */
std::string MakeDirOfLength(const char *tag, size_t bytes);
/* The first folder on dir's path that holds a swpan.ini, or "". Any of
 * them is where a truncated path could point. */
std::string SettingsFileAlong(const std::string &dir);
/* The file's non-blank lines, each followed by '|'. */
std::string NonBlankLines(const std::string &text);
bool FileExists(const std::string &path);
std::string ExeDir(); /* folder of the running test program, with '\\' */
/* Runs a program and waits; returns its exit code, or -1. */
int RunAndWait(const std::wstring &exe, DWORD timeoutMs = 120000);

#endif
