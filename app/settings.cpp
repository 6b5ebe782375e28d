#include "settings.h"

#include <string.h>

const FlagKey flagKeys[FLAG_KEY_COUNT] = {
    { "TARGET",  "EX",      "true",  &TargetSelection::explorer },
    { "TARGET",  "IE",      "false", &TargetSelection::internetExplorer },
    { "TARGET",  "NN",      "false", &TargetSelection::netscape },
    { "OPTIONS", "KEEP1ST", "false", &TargetSelection::keepTopmost },
};

char moduleDir[MODULE_DIR_SIZE];
char settingsPath[SETTINGS_PATH_SIZE];

enum { ANSI_PATH_SIZE = 4 * MODULE_DIR_SIZE, WIDE_PATH_SIZE = 4 * MODULE_DIR_SIZE };

/* Whether the ANSI path, converted from the wide one first where asked,
 * names the wide one exactly. The ANSI calls best-fit what the code page
 * lacks (é as e; in code page 932 the yen sign as '\\', a folder deeper)
 * or write '?'. A round trip with no flags works alike under every code
 * page; Windows fails WC_NO_BEST_FIT_CHARS in 65001. */
static BOOL SpeltExactly(char *ansi, const wchar_t *wide, BOOL convert)
{
    wchar_t back[WIDE_PATH_SIZE];
    if (convert && !WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, ANSI_PATH_SIZE, NULL, NULL))
        return FALSE;
    return MultiByteToWideChar(CP_ACP, 0, ansi, -1, back, WIDE_PATH_SIZE) && wcscmp(back, wide) == 0;
}

void InitSettingsPath(void)
{
    /* Read into a roomier buffer first: a path cut to fit 260 bytes can
     * still look complete (Wine drops a double-byte character that does
     * not fit and reports success), and would name another directory. */
    char full[ANSI_PATH_SIZE];
    wchar_t wide[WIDE_PATH_SIZE];
    DWORD exeBytes = GetModuleFileNameA(NULL, full, sizeof(full));
    DWORD exeChars = GetModuleFileNameW(NULL, wide, WIDE_PATH_SIZE);
    wchar_t *name;

    moduleDir[0] = '\0';
    settingsPath[0] = '\0';
    /* 260 bytes or more, however else it could be spelt: no settings file. */
    if (exeBytes == 0 || exeBytes >= MODULE_DIR_SIZE || exeChars == 0 || exeChars >= WIDE_PATH_SIZE ||
        !(name = wcsrchr(wide, L'\\')))
        return;
    /* Only the folder counts: the cut, else the folder converted whole (best fit
     * can make a separator of a character of the name), else its short (8.3) path.
     * A volume without short names gives the long one back: no file then. */
    StripFileName(full);
    name[1] = L'\0';
    if (!SpeltExactly(full, wide, FALSE) && !SpeltExactly(full, wide, TRUE)) {
        DWORD shortChars = GetShortPathNameW(wide, wide, WIDE_PATH_SIZE);
        if (shortChars == 0 || shortChars >= WIDE_PATH_SIZE || !SpeltExactly(full, wide, TRUE))
            return;
    }
    /* swpan.ini's own path must fit 260 bytes too: decided here, before any profile call. */
    if (strlen(full) + strlen("swpan.ini") >= sizeof(moduleDir))
        return;
    strcpy(moduleDir, full);
    wsprintfA(settingsPath, "%sswpan.ini", moduleDir);
}

/* Cuts after the last '\\', '/' or ':'. Steps by character so that a
 * code page 932 trail byte of 0x5C is never taken for a backslash. */
void StripFileName(char *path)
{
    char *cut = path;
    char *p = path;

    if (*p == '\0')
        return;
    while (*p != '\0') {
        if (!IsDBCSLeadByte((BYTE)*p) && (*p == '\\' || *p == '/' || *p == ':'))
            cut = p + 1;
        p = CharNextA(p);
    }
    if (cut != p)
        *cut = '\0';
}

BOOL ReadFlag(const char *section, const char *key, const char *fallback)
{
    char value[SETTING_VALUE_SIZE] = "";

    if (settingsPath[0] == '\0')
        return strcmp(fallback, "true") == 0;
    GetPrivateProfileStringA(section, key, fallback, value, sizeof(value), settingsPath);
    return strcmp(value, "true") == 0;
}

void SaveSelection(const TargetSelection *selection)
{
    if (settingsPath[0] == '\0')
        return;
    for (int i = 0; i < FLAG_KEY_COUNT; i++) {
        const FlagKey *k = &flagKeys[i];
        WritePrivateProfileStringA(k->section, k->key,
                                   selection->*k->flag ? "true" : "false", settingsPath);
    }
}
