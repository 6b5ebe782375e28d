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

void InitSettingsPath(void)
{
    DWORD len = GetModuleFileNameA(NULL, moduleDir, sizeof(moduleDir));

    /* A truncated path names some other directory; rather than read or
     * write a file there, run without settings. */
    if (len == 0 || len >= sizeof(moduleDir)) {
        moduleDir[0] = '\0';
        settingsPath[0] = '\0';
        return;
    }
    StripFileName(moduleDir);
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
