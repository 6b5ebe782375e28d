/* Runs the settings code as the program does, from wherever this file was
 * copied to: reads all four flags, saves them all set, and reports. */
#include <stdio.h>

#include "app/settings.h"
#include "settings_probe.h"

int main()
{
    InitSettingsPath();
    int code = settingsPath[0] == '\0' ? PROBE_NO_FILE : 0;
    for (int i = 0; i < FLAG_KEY_COUNT; i++)
        if (ReadFlag(flagKeys[i].section, flagKeys[i].key, flagKeys[i].fallback))
            code |= 1 << i;
    TargetSelection all = { 1, 1, 1, 1, 1 };
    SaveSelection(&all);
    printf("%s\n", settingsPath);
    return code;
}
