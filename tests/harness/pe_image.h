/* What the built image says of itself, read from its bytes: headers and resources. */
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

/* Reads a resource's fields in order: a dialog template, a string block. */
struct Reader {
    const BYTE *p;
    WORD Word() { WORD v = *(const WORD *)p; p += 2; return v; }
    DWORD Dword() { DWORD v = *(const DWORD *)p; p += 4; return v; }
    short Short() { return (short)Word(); }
    std::wstring String()
    {
        std::wstring s;
        for (WORD c; (c = Word()) != 0;)
            s += (wchar_t)c;
        return s;
    }
    /* A name or an ordinal, the ordinal given as "#n". */
    std::wstring NameOrOrdinal()
    {
        if (*(const WORD *)p == 0xFFFF) {
            Word();
            return L"#" + std::to_wstring(Word());
        }
        return String();
    }
    void AlignDword(const BYTE *base) { p += (4 - (p - base) % 4) % 4; }
};

#endif
