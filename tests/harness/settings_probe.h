/* Exit code of settings_probe.exe: bit n set when flag n read as set. */
#ifndef SWEEPANE_SETTINGS_PROBE_H
#define SWEEPANE_SETTINGS_PROBE_H

enum { PROBE_NO_FILE = 16 }; /* ran without a settings file */

#endif
