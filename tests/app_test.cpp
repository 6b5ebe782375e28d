/* The real sweepane.exe, driven from this process as a user would drive it,
 * with target windows held by winfixture.exe. */
#include <gtest/gtest.h>

#include "app_driver.h"
#include "fixture_client.h"
#include "test_files.h"
#include "test_text.h"
#include "app/state.h"
#include "ui/dialog.h"
#include "ui/resource.h"
#include "version.h"

namespace {

/* A private copy of the program, so that its swpan.ini is ours to check. */
std::string InstallApp(const char *tag, const char *ini = NULL, const char *subdir = "")
{
    std::string dir = MakeTempDir(tag) + subdir;
    CreateDirectoryA(dir.c_str(), NULL);
    CopyFileA((ExeDir() + "..\\sweepane.exe").c_str(), (dir + "sweepane.exe").c_str(), FALSE);
    if (ini)
        WriteFileText(dir + "swpan.ini", ini);
    return dir;
}

const std::vector<WindowSpec> oneOfEach = {
    { "CabinetWClass", "Folder", 0 },
    { "IEFrame", "Page - Microsoft Internet Explorer", 0 },
    { "Afx:400000:0", "Netscape - [Home]", 0 },
    { "Notepad", "Untitled - Notepad", 0 },
};

void ExpectClosed(const Fixture &f, const char *pattern, const char *why)
{
    for (int i = 0; i < f.Count(); i++)
        EXPECT_EQ(f.Window(i).sysClose, pattern[i] == 'C' ? 1 : 0)
            << why << ": window " << i << " " << f.Window(i).className;
}

/* The code page a pass was started for, where it says (the one that
 * stands for Windows' UTF-8 setting), else the one it runs under. */
UINT ExpectedCodePage()
{
    char acp[16] = "";
    GetEnvironmentVariableA("SWEEPANE_ACP", acp, sizeof(acp));
    return acp[0] ? (UINT)atoi(acp) : GetACP();
}

std::wstring WindowTextW(HWND hwnd)
{
    wchar_t text[512] = L"";
    GetWindowTextW(hwnd, text, 512);
    return text;
}

/* Clicks the version label; the about box that opens, or NULL. */
HWND OpenAbout(const AppRun &app)
{
    HWND label = GetDlgItem(app.Dialog(), IDC_VERSION);
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, STN_CLICKED), (LPARAM)label);
    return app.OwnedPopup(20000);
}

/* A first run, read as Unicode, which is what the user sees: the texts,
 * the boxes and the about box. */
TEST(App, FirstRunDialogAndAboutBox)
{
    const struct {
        int id;
        const char *utf8;
    } texts[] = {
        { IDOK, u8"全て閉じる" },
        { IDCANCEL, u8"ｷｬﾝｾﾙ" },
        { IDC_EXPLORER, u8"&Explorerウインドウ" },
        { IDC_IE, u8"&Internet Explorer" },
        { IDC_NETSCAPE, u8"&Netscape " },
        { IDC_VERSION, "v" SWEEPANE_VERSION },
        { IDC_KEEPTOP, u8"一番上の対象ウインドウを除外する。(&T)" },
    };
    SKIP_UNLESS_CODE_PAGE(932, 65001);
    ASSERT_EQ(GetACP(), ExpectedCodePage());
    std::string dir = InstallApp("first");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe")) << "dialog did not appear";

    EXPECT_EQ(app.Boxes(), "1000") << "first run: only Explorer";
    EXPECT_EQ(WindowTextW(app.Dialog()), L"Sweepane");
    for (const auto &t : texts)
        EXPECT_EQ(WindowTextW(GetDlgItem(app.Dialog(), t.id)), Wide(t.utf8)) << "control " << t.id;
    HWND group = FindWindowExW(app.Dialog(), NULL, L"Button", Wide(u8"対象ウインドウ").c_str());
    EXPECT_TRUE(group != NULL) << "group box text";

    /* The about box, from the version label; the boxes stay as they were. */
    app.Click(IDC_NETSCAPE);
    HWND about = OpenAbout(app);
    ASSERT_TRUE(about != NULL) << "no about box owned by the dialog";
    EXPECT_EQ(WindowTextW(about), Wide(u8"Sweepane について"));
    /* Type 0x40: the information icon and an OK button alone. */
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(about, IDOK))) << "OK button";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(about, IDCANCEL))) << "a Cancel button";
    wchar_t text[512] = L"";
    GetDlgItemTextW(about, 0xFFFF, text, 512); /* the message box's text */
    EXPECT_EQ(std::wstring(text), Wide("Sweepane v" SWEEPANE_VERSION "\r\n"
                                       u8"選んだ種類のウインドウをまとめて閉じます。"));
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(about); i++)
        Sleep(50);
    EXPECT_FALSE(IsWindow(about)) << "about box did not close";
    EXPECT_TRUE(IsWindowVisible(app.Dialog())) << "dialog closed with the about box";
    EXPECT_EQ(app.Boxes(), "1010") << "boxes changed by the about box";

    app.Press(IDCANCEL);
    EXPECT_EQ(app.Wait(), 0);
    EXPECT_FALSE(FileExists(dir + "swpan.ini")) << "cancel wrote the settings";
}

/* The program's small icon in the caption, and the information icon in
 * the about box, as they show on the screen. */
TEST(App, IconsOnScreen)
{
    if (std::string why = ScreenMissing(); !why.empty())
        GTEST_SKIP() << why;
    std::string dir = InstallApp("icons");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    HMODULE image = LoadLibraryExA((dir + "sweepane.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HICON small = (HICON)LoadImageA(image, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON, 16, 16, 0);
    RECT caption;
    GetWindowRect(app.Dialog(), &caption);
    caption.right = caption.left + 48;
    caption.bottom = caption.top + GetSystemMetrics(SM_CYCAPTION) + 8;
    EXPECT_TRUE(ScreenShowsIcon(caption, small, 16)) << "the program's icon in the caption";
    DestroyIcon(small);
    FreeLibrary(image);

    HWND about = OpenAbout(app);
    ASSERT_TRUE(about != NULL) << "no about box owned by the dialog";
    HWND icon = GetDlgItem(about, 20); /* Wine's is stc1 */
    RECT area;
    GetWindowRect(icon ? icon : GetDlgItem(about, 1088), &area);
    EXPECT_TRUE(ScreenShowsIcon(area, LoadIconA(NULL, IDI_ASTERISK), 32)) << "information icon";
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    app.Press(IDCANCEL);
    EXPECT_EQ(app.Wait(), 0);
}

/* "16x16": an icon's size in pixels, or "0x0" for none. */
std::string IconSize(LRESULT icon)
{
    ICONINFO info = {};
    BITMAP bm = {};
    GetIconInfo((HICON)icon, &info);
    GetObjectA(info.hbmColor, sizeof(bm), &bm);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return std::to_string(bm.bmWidth) + "x" + std::to_string(bm.bmHeight);
}

/* The program's dialog, made from its template in this process. */
HWND OwnDialog()
{
    appInstance = LoadLibraryExA((ExeDir() + "..\\sweepane.exe").c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    return CreateDialogParamA(appInstance, MAKEINTRESOURCEA(IDD_SELECT), NULL, SelectionDialogProc, 0);
}

/* The dialog held in this process, where WM_GETICON answers and the work
 * area can be set: the dialog centres on the whole screen, not on it. */
TEST(App, DialogInThisProcess)
{
    RECT screen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) }, work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    /* Windows leaves the taskbar out of it; where it is the whole screen
     * (Wine, a taskbar that hides itself), shrink it for a moment. */
    RECT part = { screen.right / 8, screen.bottom / 8, screen.right / 2, screen.bottom / 2 };
    bool whole = EqualRect(&work, &screen);
    if (whole)
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &part, 0);
    HWND dialog = OwnDialog();
    if (whole)
        SystemParametersInfoA(SPI_SETWORKAREA, 0, &work, 0);
    ASSERT_TRUE(dialog != NULL);
    RECT r, desktop;
    GetWindowRect(dialog, &r);
    GetWindowRect(GetDesktopWindow(), &desktop);
    int w = r.right - r.left, h = r.bottom - r.top;
    EXPECT_EQ(IconSize(SendMessageA(dialog, WM_GETICON, ICON_SMALL, 0)), "16x16") << "small icon, in the caption";
    EXPECT_EQ(IconSize(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0)),
              IconSize((LRESULT)LoadIconA(NULL, IDI_APPLICATION))) << "large icon, for Alt+Tab: 32x32 at 96 DPI";
    /* FALSE: the dialog manager is to set no focus of its own. */
    EXPECT_EQ(SelectionDialogProc(dialog, WM_INITDIALOG, 0, 0), FALSE) << "WM_INITDIALOG";
    DestroyWindow(dialog);
    FreeLibrary(appInstance);
    if (IsRectEmpty(&desktop))
        GTEST_SKIP() << "centring: this desktop's window is 0x0 (ReactOS's, off the input desktop); "
                        "on Windows it has the screen's size, and the dialog centres on it";
    EXPECT_EQ(r.left, screen.right / 2 - w / 2) << "centred on the screen; dialog " << w << "x" << h;
    EXPECT_EQ(r.top, screen.bottom / 2 - h / 2) << "centred on the screen; dialog " << w << "x" << h;
}

/* "v1.2" fits its label in the font the dialog got, where that is MS
 * PGothic itself: a substitute (Wine's IPAPGothic) has wider digits. */
TEST(App, VersionFitsItsLabel)
{
    HWND dialog = OwnDialog(), label = GetDlgItem(dialog, IDC_VERSION);
    ASSERT_TRUE(label != NULL);
    HDC dc = GetDC(label);
    SelectObject(dc, (HFONT)SendMessageA(label, WM_GETFONT, 0, 0));
    union { OUTLINETEXTMETRICW m; char bytes[1024]; } font; /* the family, as the font file names it */
    wchar_t face[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, face); /* where the font is not TrueType */
    std::wstring family = GetOutlineTextMetricsW(dc, sizeof(font), &font.m)
                              ? (wchar_t *)(font.bytes + (size_t)font.m.otmpFamilyName) : face;
    std::wstring text = WindowTextW(label);
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), (int)text.size(), &size);
    RECT r;
    GetClientRect(label, &r);
    ReleaseDC(label, dc);
    DestroyWindow(dialog);
    FreeLibrary(appInstance);
    if (family != Wide(u8"ＭＳ Ｐゴシック") && family != L"MS PGothic")
        GTEST_SKIP() << "needs MS PGothic; the dialog got " << family;
    EXPECT_LE(size.cx, r.right) << "\"" << text << "\" in pixels, against the label's width";
}

/* Cancel, the title bar's Close and a dialog that cannot be made all do nothing. */
TEST(App, CancelDoesNothing)
{
    /* Template 102 of a window class nobody registered: DialogBoxParamA gives -1. */
    WORD unmade[] = { 0, HIWORD(WS_POPUP), 0, 0, 0, 0, 0, 9, 9, 0, 'N', 'o', 'n', 'e', 0, 0 };
    const struct {
        const char *name;
        void (*dismiss)(const AppRun &); /* NULL: no dialog shows */
    } ways[] = {
        { "cancel button", [](const AppRun &a) { a.Press(IDCANCEL); } },
        { "title bar close",
          [](const AppRun &a) { PostMessageA(a.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); } },
        { "no dialog", NULL },
    };
    const char *ini = "[TARGET]\r\nIE=true\r\n[OPTIONS]\r\nKEEP1ST=true\r\n";
    for (const auto &way : ways) {
        std::string dir = InstallApp("cancel", ini), exe = dir + "sweepane.exe";
        HANDLE res = way.dismiss ? NULL : BeginUpdateResourceA(exe.c_str(), FALSE);
        ASSERT_TRUE(way.dismiss || (UpdateResourceA(res, RT_DIALOG, MAKEINTRESOURCEA(IDD_SELECT), 0x411, unmade,
                                                    sizeof(unmade)) && EndUpdateResourceA(res, FALSE)));
        Fixture fixture;
        START_FIXTURE(fixture, oneOfEach);
        AppRun app;
        ASSERT_EQ(app.Start(exe).message(), way.dismiss ? "" : (::testing::Message() << WideFromAnsi(exe)
                  << " exited with code 0 before its dialog showed").GetString()) << way.name;
        if (way.dismiss) {
            app.Click(IDC_IE);
            way.dismiss(app);
        }
        EXPECT_EQ(app.Wait(), 0) << way.name;
        ExpectClosed(fixture, "----", way.name);
        EXPECT_EQ(ReadFileText(dir + "swpan.ini"), ini) << way.name << " changed the settings";
    }
}

TEST(App, ConfirmClosesThenSaves)
{
    std::string dir = InstallApp("confirm");
    Fixture fixture;
    START_FIXTURE(fixture, oneOfEach, dir + "swpan.ini");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    app.Click(IDC_IE);
    app.Click(IDC_EXPLORER);
    ASSERT_EQ(app.Boxes(), "0100");
    /* A click leaves the focus on the box it cleared; Enter keeps it there. */
    ASSERT_TRUE(SendDlgItemMessageA(app.Dialog(), IDC_EXPLORER, BM_GETSTATE, 0, 0) & BST_FOCUS);
    PostMessageA(GetDlgItem(app.Dialog(), IDC_EXPLORER), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "-C--", "IE selected, Explorer cleared by a click");
    for (int i = 0; i < 2; i++)
        EXPECT_EQ(fixture.Window(i).fileAtClose, 0) << "settings saved before window " << i;
    EXPECT_EQ(NonBlankLines(ReadFileText(dir + "swpan.ini")),
              "[TARGET]|EX=false|IE=true|NN=false|[OPTIONS]|KEEP1ST=false|");
}

TEST(App, KeepTopmostSparesOneAcrossKinds)
{
    std::string dir = InstallApp("keep", "[TARGET]\r\nIE=true\r\n[OPTIONS]\r\nKEEP1ST=true\r\n");
    Fixture fixture;
    START_FIXTURE(fixture, { { "IEFrame", "Page", 0 },
                           { "CabinetWClass", "A", 0 },
                           { "CabinetWClass", "B", 0 } });
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    EXPECT_EQ(app.Boxes(), "1101") << "boxes from the settings file";
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "-CC", "IE frame on top is spared");
}

TEST(App, OnlyKeepTopmostCheckedClosesNothing)
{
    std::string dir = InstallApp("onlykeep", "[TARGET]\r\nEX=false\r\n[OPTIONS]\r\nKEEP1ST=true\r\n");
    Fixture fixture;
    START_FIXTURE(fixture, oneOfEach);
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    EXPECT_EQ(app.Boxes(), "0001");
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "----", "no kind selected");
    std::string ini = ReadFileText(dir + "swpan.ini");
    for (const char *line : { "EX=false", "IE=false", "NN=false", "KEEP1ST=true" })
        EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
}

TEST(App, CommandLineIsIgnored)
{
    std::string dir = InstallApp("args", "[TARGET]\r\nEX=false\r\n");
    Fixture fixture;
    START_FIXTURE(fixture, oneOfEach);
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe", "/all --close EX=true \"C:\\x y\""));
    EXPECT_EQ(app.Boxes(), "0000");
    app.Click(IDC_NETSCAPE);
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "--C-", "only Netscape");
}

/* In a folder named in Japanese (in code page 932, ソ and 表 end in the
 * byte of a backslash): the saved choices come back, the chosen windows
 * close, and the settings file lands beside the program. */
TEST(App, JapaneseFolderRunsWhole)
{
    SKIP_UNLESS_CODE_PAGE(932, 65001);
    std::string dir = InstallApp("kana", "[TARGET]\r\nEX=false\r\nIE=true\r\n",
                                 Ansi(u8"ソフト表\\").c_str());
    Fixture fixture;
    START_FIXTURE(fixture, oneOfEach);
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe")) << "dialog from " << dir;
    EXPECT_EQ(app.Boxes(), "0100") << "the saved choices";
    app.Click(IDC_NETSCAPE);
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "-CC-", "IE and Netscape chosen");
    EXPECT_EQ(NonBlankLines(ReadFileText(dir + "swpan.ini")),
              "[TARGET]|EX=false|IE=true|NN=true|[OPTIONS]|KEEP1ST=false|")
        << "settings file in " << dir;

    AppRun again;
    ASSERT_TRUE(again.Start(dir + "sweepane.exe"));
    EXPECT_EQ(again.Boxes(), "0110") << "the next run shows what was saved";
    again.Press(IDCANCEL);
    EXPECT_EQ(again.Wait(), 0);
}

/* A uxtheme.dll dropped beside the program, with Wine told (by the test
 * environment) to prefer it as Windows' search order would: it is never
 * loaded, and the program works as usual with version 6 of the common
 * controls. */
TEST(App, LoadsNoDllFromItsFolder)
{
    char overrides[256] = "";
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof(overrides));
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") && !strstr(overrides, "uxtheme=n,b"))
        GTEST_SKIP() << "needs WINEDLLOVERRIDES=uxtheme=n,b under Wine, which else ignores a planted DLL";
    std::string dir = InstallApp("planted");
    ASSERT_TRUE(CopyFileA((ExeDir() + "planted_dll.dll").c_str(), (dir + "uxtheme.dll").c_str(), FALSE));
    Fixture fixture;
    START_FIXTURE(fixture, oneOfEach);
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    std::string controls = app.ModulePath("comctl32.dll");
    EXPECT_NE(controls.find("common-controls_6595b64144ccf1df_6.0."), std::string::npos) << controls;
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "C---", "first run: Explorer");
    EXPECT_FALSE(FileExists(dir + "planted.txt")) << "the planted uxtheme.dll was loaded";
}

} // namespace

namespace {

/* Where the settings file lands for awkward but valid locations and names,
 * made and started by the W calls. A name spelt by best fit or not at all in
 * the code page gives an ANSI path to a decoy with other choices, or to
 * nowhere; only the folder counts, and only where the ANSI path fits 260. */
TEST(AppPaths, SettingsBesideTheExe)
{
#define KANA u8"ソフトソフトソフトソフト表\\" /* 14 characters, 27 bytes in code page 932 */
#define AB10 "a b\\a b\\a b\\a b\\a b\\a b\\a b\\a b\\a b\\a b\\" /* Wine names each A_B~~GOE: too long a short path */
    const struct {
        const char *name;
        const char *path; /* UTF-8, of the copy */
        bool relative; /* started by its name from its folder */
    } cases[] = {
        { "several Japanese folders", u8"ソ表\\ソフト\\sweepane.exe", false },
        { "relative path, a heart in its name", u8"♥.exe", true },
        { "e with an accent", u8"Café\\sweepane.exe", false },
        { "yen sign", u8"a¥b\\sweepane.exe", false },
        { "yen sign in its name", u8"a¥b.exe", false },
        { "yen sign and fraction slash in its name, no short path", AB10 AB10 AB10 u8"a¥b∕c.exe", false },
        { "Polish letters", u8"Łódź\\sweepane.exe", false },
        { "a character outside the BMP", u8"𠮷田\\sweepane.exe", false },
        { "Café thirty a b folders deep: too long a short path", AB10 AB10 AB10 u8"Café\\sweepane.exe", false },
        { "Café deep in Japanese folders", KANA KANA KANA KANA KANA KANA KANA KANA KANA u8"Café\\sweepane.exe", false },
    };
    for (const auto &c : cases) {
        std::wstring base = WideFromAnsi(MakeTempDir("paths")), exe = base + Wide(c.path);
        std::wstring ansiExe = base + WideFromAnsi(Ansi(c.path)); /* where the ANSI path points */
        std::wstring dir = exe.substr(0, exe.rfind(L'\\') + 1), decoy = ansiExe.substr(0, ansiExe.rfind(L'\\') + 1);
        for (const std::wstring *d : { &dir, &decoy })
            for (size_t at = base.size(); (at = d->find(L'\\', at)) != std::wstring::npos; at++)
                CreateDirectoryW(d->substr(0, at).c_str(), NULL);
        if (decoy != dir)
            WriteFileText(decoy + L"swpan.ini", "[TARGET]\r\nNN=true\r\n");
        std::string decoyText = ReadFileText(decoy + L"swpan.ini");
        WriteFileText(dir + L"swpan.ini", "[TARGET]\r\nEX=false\r\nIE=true\r\n");
        ASSERT_TRUE(CopyFileW(WideFromAnsi(ExeDir() + "..\\sweepane.exe").c_str(), exe.c_str(), FALSE)) << c.name;
        wchar_t shortDir[MAX_PATH] = L"", cwd[MAX_PATH];
        DWORD shortChars = GetShortPathNameW(dir.c_str(), shortDir, MAX_PATH);
        /* Where the code page does not spell the folder, its short path may, if there is one. */
        std::string used = WideFromAnsi(Ansi(dir)) == dir ? Ansi(dir) : shortChars && shortChars < MAX_PATH &&
                           WideFromAnsi(Ansi(shortDir)) == shortDir ? Ansi(shortDir) : "";
        bool named = Ansi(exe).size() < MAX_PATH && !used.empty() && used.size() + strlen("swpan.ini") < MAX_PATH;
        GetCurrentDirectoryW(MAX_PATH, cwd);
        if (c.relative)
            SetCurrentDirectoryW(dir.c_str());
        AppRun app;
        ::testing::AssertionResult started = app.Start(c.relative ? L".\\" + exe.substr(dir.size()) : exe);
        SetCurrentDirectoryW(cwd);
        ASSERT_TRUE(started) << c.name;
        EXPECT_EQ(app.Boxes(), named ? "0100" : "1000") << c.name << ": its own choices, else the defaults";
        app.Click(IDC_NETSCAPE);
        app.Press(IDOK);
        EXPECT_EQ(app.Wait(), 0) << c.name;
        EXPECT_EQ(NonBlankLines(ReadFileText(dir + L"swpan.ini")),
                  named ? "[TARGET]|EX=false|IE=true|NN=true|[OPTIONS]|KEEP1ST=false|" : "[TARGET]|EX=false|IE=true|")
            << c.name << ": saved beside it, or where no ANSI path names it, untouched";
        EXPECT_TRUE(decoy == dir || ReadFileText(decoy + L"swpan.ini") == decoyText) << c.name << ": the decoy changed";
    }
}

/* A path of 260 bytes, within MAX_PATH characters, does not fit with its
 * terminator: the dialog works with the defaults and no settings file is
 * written anywhere. */
TEST(AppPaths, OverlongPathWritesNothing)
{
    SKIP_UNLESS_CODE_PAGE(932, 65001);
    std::string dir = MakeDirOfLength("longapp", 260 - strlen("sweepane.exe"));
    ASSERT_NE(dir, "") << "could not make the long folder";
    ASSERT_TRUE(CopyFileA((ExeDir() + "..\\sweepane.exe").c_str(), (dir + "sweepane.exe").c_str(),
                          FALSE));
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe")) << "dialog from a long path";
    EXPECT_EQ(app.Boxes(), "1000") << "defaults";
    app.Click(IDC_IE);
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    EXPECT_EQ(SettingsFileAlong(dir), "") << "a settings file was written on the path";
}

} // namespace
