/* What the built image's headers say, read from its bytes. */
#ifndef SWEEPANE_PE_IMAGE_H
#define SWEEPANE_PE_IMAGE_H

#include <windows.h>

#include <string>

/* The DLLs named in the image's import directory, space-separated. */
std::string Imports(const std::string &image);
/* IMAGE_SUBSYSTEM_WINDOWS_GUI, or _CUI for a program that opens a console. */
WORD Subsystem(const std::string &image);
/* IMAGE_FILE_MACHINE_I386 for a 32-bit program. */
WORD Machine(const std::string &image);

#endif
