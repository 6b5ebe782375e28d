/* The resources in the built sweepane.exe, read back field by field. */
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "pe_image.h"
#include "test_files.h"
#include "test_text.h"
#include "ui/resource.h"
#include "version.h"

namespace {

std::string ExePath() { return ExeDir() + "..\\sweepane.exe"; }

const WORD JAPANESE = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

/* Reads a template's fields in order. */
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

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExA(ExePath().c_str(), NULL,
                                 LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module_ != NULL) << "cannot load sweepane.exe as data";
    }
    void TearDown() override { FreeLibrary(module_); }

    const BYTE *Find(LPCSTR type, int id, DWORD *size)
    {
        HRSRC res = FindResourceExA(module_, type, MAKEINTRESOURCEA(id), JAPANESE);
        if (!res)
            return NULL;
        *size = SizeofResource(module_, res);
        return (const BYTE *)LockResource(LoadResource(module_, res));
    }

    HMODULE module_ = NULL;
};

struct Control {
    int id;
    const wchar_t *cls; /* predefined class ordinal */
    const char *text;
    DWORD style;
    short x, y, cx, cy;
};

const Control controls[] = {
    { IDOK, L"#128", u8"全て閉じる", 0x50010001, 122, 13, 50, 14 },
    { IDCANCEL, L"#128", u8"ｷｬﾝｾﾙ", 0x50010000, 122, 28, 50, 14 },
    { IDC_EXPLORER, L"#128", u8"&Explorerウインドウ", 0x50010003, 11, 17, 69, 10 },
    { IDC_IE, L"#128", u8"&Internet Explorer", 0x50010003, 11, 27, 67, 10 },
    { IDC_NETSCAPE, L"#128", u8"&Netscape ", 0x50010003, 11, 37, 74, 10 },
    { 0xFFFF, L"#128", u8"対象ウインドウ", 0x50000007, 7, 6, 113, 46 },
    /* Fixed text in the template: it has to follow the project's version. */
    { IDC_VERSION, L"#130", "v" SWEEPANE_VERSION, 0x50020100, 160, 54, 12, 8 },
    { IDC_KEEPTOP, L"#128", u8"一番上の対象ウインドウを除外する。(&T)", 0x50010003, 7, 54, 129, 10 },
};

TEST_F(Resources, DialogTemplate)
{
    DWORD size = 0;
    const BYTE *base = Find(RT_DIALOG, IDD_SELECT, &size);
    ASSERT_TRUE(base != NULL) << "dialog 102 in Japanese";
    ASSERT_NE(*(const DWORD *)base, 0xFFFF0001u) << "an extended template";

    Reader r = { base };
    EXPECT_EQ(r.Dword(), 0x80CA0040u) << "style";
    EXPECT_EQ(r.Dword(), 0u) << "extended style";
    WORD count = r.Word();
    ASSERT_EQ(count, sizeof(controls) / sizeof(controls[0])) << "control count";
    short x = r.Short(), y = r.Short(), cx = r.Short(), cy = r.Short();
    EXPECT_EQ(x, 0); EXPECT_EQ(y, 0); EXPECT_EQ(cx, 179); EXPECT_EQ(cy, 67);
    EXPECT_EQ(r.NameOrOrdinal(), L"") << "menu";
    EXPECT_EQ(r.NameOrOrdinal(), L"") << "class";
    EXPECT_EQ(r.String(), L"Sweepane") << "caption";
    EXPECT_EQ(r.Word(), 9) << "font size";
    EXPECT_EQ(r.String(), Wide(u8"ＭＳ Ｐゴシック")) << "font face";

    for (const Control &c : controls) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        r.AlignDword(base);
        EXPECT_EQ(r.Dword(), c.style) << "style";
        EXPECT_EQ(r.Dword(), 0u) << "extended style";
        short cxx = r.Short(), cyy = r.Short(), cw = r.Short(), ch = r.Short();
        EXPECT_EQ(cxx, c.x); EXPECT_EQ(cyy, c.y); EXPECT_EQ(cw, c.cx); EXPECT_EQ(ch, c.cy);
        EXPECT_EQ(r.Word(), c.id) << "id";
        EXPECT_EQ(r.NameOrOrdinal(), c.cls) << "class";
        EXPECT_EQ(r.NameOrOrdinal(), Wide(c.text)) << "text";
        EXPECT_EQ(r.Word(), 0) << "creation data";
    }
    EXPECT_LE((DWORD)(r.p - base), size) << "read past the template";
}

TEST_F(Resources, VersionInJapanese)
{
    DWORD size = 0;
    EXPECT_TRUE(Find(RT_VERSION, VS_VERSION_INFO, &size) != NULL) << "version resource 1 in Japanese";
}

/* The about box's texts: Unicode in string block 1, so that they read
 * right under any ANSI code page. */
TEST_F(Resources, AboutBoxStrings)
{
    const std::wstring expected[16] = {
        L"", Wide(u8"Sweepane について"),
        Wide("Sweepane v" SWEEPANE_VERSION "\r\n" u8"選んだ種類のウインドウをまとめて閉じます。"),
    };
    DWORD size = 0;
    const BYTE *base = Find(RT_STRING, IDS_ABOUT_CAPTION / 16 + 1, &size);
    ASSERT_TRUE(base != NULL) << "string block 1 in Japanese";
    Reader r = { base };
    for (int i = 0; i < 16; i++) {
        std::wstring got;
        for (WORD n = r.Word(); n > 0; n--)
            got += (wchar_t)r.Word();
        EXPECT_EQ(got, expected[i]) << "string " << i;
    }
    EXPECT_LE((DWORD)(r.p - base), size) << "read past the block";

    /* Under code page 932, MessageBoxA gets the bytes it always got. */
    SKIP_UNLESS_CODE_PAGE(932);
    char text[256] = "";
    LoadStringA(module_, IDS_ABOUT_CAPTION, text, sizeof(text));
    EXPECT_STREQ(text, "Sweepane \x82\xc9\x82\xc2\x82\xa2\x82\xc4");
    LoadStringA(module_, IDS_ABOUT_TEXT, text, sizeof(text));
    EXPECT_STREQ(text, "Sweepane v" SWEEPANE_VERSION "\r\n"
                       "\x91\x49\x82\xf1\x82\xbe\x8e\xed\x97\xde\x82\xcc\x83\x45\x83\x43\x83\x93"
                       "\x83\x68\x83\x45\x82\xf0\x82\xdc\x82\xc6\x82\xdf\x82\xc4\x95\xc2\x82\xb6"
                       "\x82\xdc\x82\xb7\x81\x42");
}

/* A manifest Windows rejects keeps the program from starting at all, and
 * Wine forgives more: each item as Microsoft documents it, to the letter. */
TEST_F(Resources, Manifest)
{
    const char *const items[] = {
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">",
        "<assemblyIdentity type=\"win32\" name=\"Sweepane\" version=\"" SWEEPANE_VERSION ".0.0\" "
        "processorArchitecture=\"x86\"/>",
        "<dependency>\n    <dependentAssembly>\n      <assemblyIdentity type=\"win32\" "
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" processorArchitecture=\"x86\" "
        "publicKeyToken=\"6595b64144ccf1df\" language=\"*\"/>",
        "<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">\n    <application>",
        "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>", /* 7 */
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>", /* 8 */
        "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>", /* 8.1 */
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>", /* 10, 11 */
        "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">\n    <windowsSettings>\n      "
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>\n      "
        "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
        "PerMonitorV2, system</dpiAwareness>\n    </windowsSettings>",
    };
    HRSRC res = FindResourceExA(module_, RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID,
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_TRUE(res != NULL) << "manifest 1";
    std::string xml((const char *)LockResource(LoadResource(module_, res)), SizeofResource(module_, res));
    EXPECT_EQ(xml.find("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"), 0u) << xml;
    for (const char *item : items)
        EXPECT_NE(xml.find(item), std::string::npos) << item;
    /* A level turns off file virtualisation; a code page overrides the system's. */
    for (const char *absent : { "requestedExecutionLevel", "activeCodePage" })
        EXPECT_EQ(xml.find(absent), std::string::npos) << absent;
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(Resources, IconGroup)
{
    const struct {
        int size, colours, bpp;
    } images[] = { { 32, 16, 4 }, { 48, 0, 8 } };

    DWORD size = 0;
    const BYTE *dir = Find(RT_GROUP_ICON, IDI_APP, &size);
    ASSERT_TRUE(dir != NULL) << "icon group 101 in Japanese";
    const WORD *head = (const WORD *)dir;
    EXPECT_EQ(head[1], 1) << "type: icon";
    ASSERT_EQ(head[2], 2) << "image count";
    const GroupEntry *e = (const GroupEntry *)(dir + 6);
    for (int i = 0; i < 2; i++) {
        SCOPED_TRACE(testing::Message() << "image " << i);
        EXPECT_EQ(e[i].width, images[i].size);
        EXPECT_EQ(e[i].height, images[i].size);
        EXPECT_EQ(e[i].colours, images[i].colours);
        EXPECT_EQ(e[i].bitCount, images[i].bpp);
        DWORD imageSize = 0;
        const BITMAPINFOHEADER *bih =
            (const BITMAPINFOHEADER *)Find(RT_ICON, e[i].id, &imageSize);
        ASSERT_TRUE(bih != NULL);
        EXPECT_EQ(imageSize, e[i].bytes);
        EXPECT_EQ(bih->biWidth, images[i].size);
        EXPECT_EQ(bih->biHeight, 2 * images[i].size) << "image and mask";
        EXPECT_EQ(bih->biBitCount, images[i].bpp);
    }
}

/* The release promises a small GUI image that needs nothing beyond Windows. */
TEST(Image, SizeAndImports)
{
    std::string image = ReadFileText(ExePath());
    ASSERT_FALSE(image.empty());
    EXPECT_LE(image.size(), 32u * 1024) << "image size";
    EXPECT_EQ(Subsystem(image), IMAGE_SUBSYSTEM_WINDOWS_GUI) << "a console would open beside the dialog";
    std::istringstream names(Imports(image));
    std::vector<std::string> dlls;
    for (std::string n; names >> n;) {
        std::transform(n.begin(), n.end(), n.begin(), ::toupper);
        dlls.push_back(n);
    }
    std::sort(dlls.begin(), dlls.end());
    EXPECT_EQ(dlls, (std::vector<std::string>{ "KERNEL32.DLL", "MSVCRT.DLL", "USER32.DLL" }));
}

/* As Explorer's Properties > Details reads it: through the version API,
 * with the ANSI calls, so the texts come back in code page 932. */
class VersionInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        DWORD unused = 0;
        DWORD size = GetFileVersionInfoSizeA(ExePath().c_str(), &unused);
        ASSERT_GT(size, 0u) << "no version resource";
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(ExePath().c_str(), 0, size, data_.data()));
    }
    const void *Query(const char *path, UINT *len)
    {
        void *value = NULL;
        *len = 0;
        if (!VerQueryValueA(data_.data(), path, &value, len))
            return NULL;
        return value;
    }
    std::vector<BYTE> data_;
};

/* The four numbers against the version's text, not rebuilt from the same
 * numeric macros the .rc uses: a slip in those would agree with itself. */
TEST_F(VersionInfo, FixedPart)
{
    UINT len = 0;
    const VS_FIXEDFILEINFO *f = (const VS_FIXEDFILEINFO *)Query("\\", &len);
    ASSERT_TRUE(f != NULL);
    ASSERT_EQ(len, sizeof(*f));
    EXPECT_EQ(f->dwSignature, 0xFEEF04BDu);
    auto numbers = [](DWORD ms, DWORD ls) {
        char text[32];
        wsprintfA(text, "%u.%u.%u.%u", HIWORD(ms), LOWORD(ms), HIWORD(ls), LOWORD(ls));
        return std::string(text);
    };
    EXPECT_EQ(numbers(f->dwFileVersionMS, f->dwFileVersionLS), SWEEPANE_VERSION ".0.0") << "FILEVERSION";
    EXPECT_EQ(numbers(f->dwProductVersionMS, f->dwProductVersionLS), SWEEPANE_VERSION ".0.0") << "PRODUCTVERSION";
    EXPECT_EQ(f->dwFileFlags & f->dwFileFlagsMask, 0u) << "debug, pre-release or patched";
    EXPECT_EQ(f->dwFileOS, (DWORD)VOS_NT_WINDOWS32);
    EXPECT_EQ(f->dwFileType, (DWORD)VFT_APP);
}

TEST_F(VersionInfo, OneJapaneseUnicodeTranslation)
{
    UINT len = 0;
    const WORD *t = (const WORD *)Query("\\VarFileInfo\\Translation", &len);
    ASSERT_TRUE(t != NULL);
    ASSERT_EQ(len, 4u) << "one language and code page pair";
    EXPECT_EQ(t[0], 0x0411) << "Japanese";
    EXPECT_EQ(t[1], 1200) << "Unicode";
}

TEST_F(VersionInfo, Strings)
{
    const struct {
        const char *name, *utf8;
    } strings[] = {
        { "FileDescription", u8"ウインドウをまとめて閉じるツール" },
        { "FileVersion", SWEEPANE_VERSION },
        { "InternalName", "sweepane.exe" },
        { "LegalCopyright", "Copyright (c) 2026 The Sweepane authors" }, /* as in LICENSE */
        { "OriginalFilename", "sweepane.exe" },
        { "ProductName", "Sweepane" },
        { "ProductVersion", SWEEPANE_VERSION },
    };
    SKIP_UNLESS_CODE_PAGE(932, 65001);
    for (const auto &s : strings) {
        std::string path = std::string("\\StringFileInfo\\041104b0\\") + s.name;
        UINT len = 0;
        const char *value = (const char *)Query(path.c_str(), &len);
        ASSERT_TRUE(value != NULL) << s.name << " missing";
        EXPECT_EQ(std::string(value), Ansi(s.utf8)) << s.name;
    }
}

} // namespace
