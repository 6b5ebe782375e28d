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
    /* Read into a roomier buffer first: a path cut to fit 260 bytes can
     * still look complete (Wine drops a double-byte character that does
     * not fit and reports success), and would name another directory. */
    char full[4 * MODULE_DIR_SIZE];
    DWORD len = GetModuleFileNameA(NULL, full, sizeof(full));

    moduleDir[0] = '\0';
    settingsPath[0] = '\0';
    if (len == 0 || len >= sizeof(full) || strlen(full) >= sizeof(moduleDir))
        return; /* no settings file for this run: defaults, nothing saved */
    strcpy(moduleDir, full);
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
