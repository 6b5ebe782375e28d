/* swpan.ini beside the executable: four flags stored as "true"/"false". */
#ifndef SWEEPANE_SETTINGS_H
#define SWEEPANE_SETTINGS_H

#include "state.h"

enum { MODULE_DIR_SIZE = 260, SETTINGS_PATH_SIZE = 360, SETTING_VALUE_SIZE = 256 };

/* One stored flag. Row n of flagKeys is flag n of TargetSelection. */
struct FlagKey {
    const char *section;
    const char *key;
    const char *fallback; /* used when the file, section or key is missing */
    int TargetSelection::*flag;
};

enum { FLAG_KEY_COUNT = 4 };
extern const FlagKey flagKeys[FLAG_KEY_COUNT];

/* Empty when the ANSI path or the file's own is 260 bytes or more, or none names the folder: no file then. */
extern char moduleDir[MODULE_DIR_SIZE];
extern char settingsPath[SETTINGS_PATH_SIZE];

void InitSettingsPath(void);
void StripFileName(char *path);
BOOL ReadFlag(const char *section, const char *key, const char *fallback);
void SaveSelection(const TargetSelection *selection);

#endif
