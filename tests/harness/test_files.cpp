#include "test_files.h"

#include <stdio.h>
#include <string.h>

#include "test_text.h"

std::string MakeTempDir(const char *tag)
{
    static int serial;
    char base[MAX_PATH], dir[MAX_PATH];
    GetTempPathA(sizeof(base), base);
    /* Process ids repeat across runs in one prefix: take the first free name. */
    do
        snprintf(dir, sizeof(dir), "%ssweepane-%s-%lu-%d\\", base, tag, GetCurrentProcessId(),
                 ++serial);
    while (!CreateDirectoryA(dir, NULL) && GetLastError() == ERROR_ALREADY_EXISTS);
    return dir;
}

void WriteFileText(const std::wstring &path, const std::string &text)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD written = 0;
    WriteFile(h, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(h);
}

std::string ReadFileText(const std::wstring &path)
{
    std::string text;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0,
                           NULL);
    if (h == INVALID_HANDLE_VALUE)
        return text;
    char buf[4096];
    DWORD got;
    while (ReadFile(h, buf, sizeof(buf), &got, NULL) && got > 0)
        text.append(buf, got);
    CloseHandle(h);
    return text;
}

std::string MakeDirOfLength(const char *tag, size_t bytes)
{
    const std::string kana = Ansi(u8"ソフトソフト\\");
    std::string dir = MakeTempDir(tag);
    if (dir.size() > bytes || dir.size() + 1 == bytes)
        return "";
    /* Whole katakana folders while at least a two-byte folder ("a\\") is
     * left to make up the rest. */
    while (bytes - dir.size() >= kana.size() + 2) {
        dir += kana;
        if (!CreateDirectoryA(dir.c_str(), NULL))
            return "";
    }
    if (dir.size() < bytes) {
        dir += std::string(bytes - dir.size() - 1, 'a') + "\\";
        if (!CreateDirectoryA(dir.c_str(), NULL))
            return "";
    }
    return dir;
}

std::string SettingsFileAlong(const std::string &dir)
{
    for (size_t at = 0; (at = dir.find('\\', at)) != std::string::npos; at++) {
        std::string folder = dir.substr(0, at + 1);
        if (FileExists(folder + "swpan.ini"))
            return folder;
    }
    return "";
}

std::string NonBlankLines(const std::string &text)
{
    std::string lines;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        if (end > at)
            lines += text.substr(at, end - at) + "|";
        at = end + 1;
    }
    return lines;
}

bool FileExists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ExeDir()
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    *(strrchr(path, '\\') + 1) = '\0';
    return path;
}

int RunAndWait(const std::wstring &exe, DWORD timeoutMs)
{
    std::wstring cmd = L"\"" + exe + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return -1;
    DWORD code = (DWORD)-1;
    if (WaitForSingleObject(pi.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return (int)code;
}
