#include "pe_image.h"

static const IMAGE_NT_HEADERS32 *Headers(const std::string &image)
{
    const BYTE *base = (const BYTE *)image.data();
    return (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
}

std::string Imports(const std::string &image)
{
    const BYTE *base = (const BYTE *)image.data();
    const IMAGE_NT_HEADERS32 *nt = Headers(image);
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    const IMAGE_SECTION_HEADER *sec = IMAGE_FIRST_SECTION(nt);
    auto at = [&](DWORD r) -> const BYTE * {
        for (int i = 0; i < nt->FileHeader.NumberOfSections; i++)
            if (r >= sec[i].VirtualAddress && r < sec[i].VirtualAddress + sec[i].Misc.VirtualSize)
                return base + sec[i].PointerToRawData + (r - sec[i].VirtualAddress);
        return NULL;
    };
    std::string names;
    for (const IMAGE_IMPORT_DESCRIPTOR *d = (const IMAGE_IMPORT_DESCRIPTOR *)at(rva);
         d && d->Name; d++)
        names += std::string(names.empty() ? "" : " ") + (const char *)at(d->Name);
    return names;
}

WORD Subsystem(const std::string &image)
{
    return Headers(image)->OptionalHeader.Subsystem;
}

WORD Machine(const std::string &image)
{
    return Headers(image)->FileHeader.Machine;
}
