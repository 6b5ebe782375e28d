/* Where the program may load DLLs from. */
#ifndef SWEEPANE_DLLSEARCH_H
#define SWEEPANE_DLLSEARCH_H

/* Call first thing: afterwards DLLs come from System32 only. */
void RestrictDllSearch(void);

#endif
