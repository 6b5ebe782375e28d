/* The real sweepane.exe, driven from this process as a user would drive it,
 * with target windows held by winfixture.exe. */
#include <gtest/gtest.h>

#include "app_driver.h"
#include "fixture_client.h"
#include "test_files.h"
#include "test_text.h"
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

std::string WindowText(HWND hwnd)
{
    char text[512] = "";
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
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

TEST(App, FirstRunShowsOnlyExplorerChecked)
{
    std::string dir = InstallApp("first");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe")) << "dialog did not appear";
    EXPECT_EQ(app.Boxes(), "1000");
    app.Press(IDCANCEL);
    EXPECT_EQ(app.Wait(), 0);
}

/* Cancel, Esc-style cancel and the title bar's Close all do nothing. */
TEST(App, CancelDoesNothing)
{
    const struct {
        const char *name;
        void (*dismiss)(const AppRun &);
    } ways[] = {
        { "cancel button", [](const AppRun &a) { a.Press(IDCANCEL); } },
        { "title bar close",
          [](const AppRun &a) { PostMessageA(a.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); } },
    };
    for (const auto &way : ways) {
        std::string dir = InstallApp("cancel");
        Fixture fixture;
        ASSERT_TRUE(fixture.Start(oneOfEach));
        AppRun app;
        ASSERT_TRUE(app.Start(dir + "sweepane.exe")) << way.name;
        app.Click(IDC_IE);
        way.dismiss(app);
        EXPECT_EQ(app.Wait(), 0) << way.name;
        ExpectClosed(fixture, "----", way.name);
        EXPECT_FALSE(FileExists(dir + "swpan.ini")) << way.name << " wrote the settings";
    }
}

TEST(App, ConfirmClosesThenSaves)
{
    std::string dir = InstallApp("confirm");
    Fixture fixture;
    ASSERT_TRUE(fixture.Start(oneOfEach, dir + "swpan.ini"));
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    app.Click(IDC_IE);
    ASSERT_EQ(app.Boxes(), "1100");
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "CC--", "explorer and IE selected");
    for (int i = 0; i < 2; i++)
        EXPECT_EQ(fixture.Window(i).fileAtClose, 0) << "settings saved before window " << i;
    EXPECT_EQ(NonBlankLines(ReadFileText(dir + "swpan.ini")),
              "[TARGET]|EX=true|IE=true|NN=false|[OPTIONS]|KEEP1ST=false|");
}

TEST(App, KeepTopmostSparesOneAcrossKinds)
{
    std::string dir = InstallApp("keep", "[TARGET]\r\nIE=true\r\n[OPTIONS]\r\nKEEP1ST=true\r\n");
    Fixture fixture;
    ASSERT_TRUE(fixture.Start({ { "IEFrame", "Page", 0 },
                                { "CabinetWClass", "A", 0 },
                                { "CabinetWClass", "B", 0 } }));
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
    ASSERT_TRUE(fixture.Start(oneOfEach));
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

TEST(App, AboutBoxReturnsToTheDialog)
{
    std::string dir = InstallApp("about");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    app.Click(IDC_NETSCAPE);
    HWND label = GetDlgItem(app.Dialog(), IDC_VERSION);
    PostMessageA(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDC_VERSION, STN_CLICKED), (LPARAM)label);
    HWND about = app.OwnedPopup(20000);
    ASSERT_TRUE(about != NULL) << "no about box owned by the dialog";
    EXPECT_EQ(WindowText(about), Ansi(u8"Sweepane について"));
    char text[512] = "";
    GetDlgItemTextA(about, 0xFFFF, text, sizeof(text)); /* the message box's text */
    EXPECT_EQ(std::string(text).find("Sweepane v" SWEEPANE_VERSION "\r\n"), 0u) << text;
    PostMessageA(about, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(about); i++)
        Sleep(50);
    EXPECT_FALSE(IsWindow(about)) << "about box did not close";
    EXPECT_TRUE(IsWindowVisible(app.Dialog())) << "dialog closed with the about box";
    EXPECT_EQ(app.Boxes(), "1010") << "boxes changed by the about box";
    app.Press(IDCANCEL);
    EXPECT_EQ(app.Wait(), 0);
    EXPECT_FALSE(FileExists(dir + "swpan.ini"));
}

TEST(App, DialogIsCentred)
{
    ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    std::string dir = InstallApp("centre");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    RECT r;
    GetWindowRect(app.Dialog(), &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    EXPECT_EQ(r.left, 512 - w / 2) << "dialog " << w << "x" << h;
    EXPECT_EQ(r.top, 384 - h / 2) << "dialog " << w << "x" << h;
    app.Press(IDCANCEL);
    EXPECT_EQ(app.Wait(), 0);
}

TEST(App, CommandLineIsIgnored)
{
    std::string dir = InstallApp("args", "[TARGET]\r\nEX=false\r\n");
    Fixture fixture;
    ASSERT_TRUE(fixture.Start(oneOfEach));
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe", "/all --close EX=true \"C:\\x y\""));
    EXPECT_EQ(app.Boxes(), "0000");
    app.Click(IDC_NETSCAPE);
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    ExpectClosed(fixture, "--C-", "only Netscape");
}

TEST(App, ControlTextsReadBackInCodePage932)
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
    ASSERT_EQ(GetACP(), 932u);
    std::string dir = InstallApp("texts");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    EXPECT_EQ(WindowText(app.Dialog()), "Sweepane");
    for (const auto &t : texts)
        EXPECT_EQ(WindowText(GetDlgItem(app.Dialog(), t.id)), Ansi(t.utf8)) << "control " << t.id;
    HWND group = FindWindowExA(app.Dialog(), NULL, "Button", Ansi(u8"対象ウインドウ").c_str());
    EXPECT_TRUE(group != NULL) << "group box text";
    app.Press(IDCANCEL);
    EXPECT_EQ(app.Wait(), 0);
}

TEST(App, SettingsLandInAKatakanaFolder)
{
    std::string dir = InstallApp("kana", NULL, "\x83\x5c\x83\x74\x83\x67\\");
    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe"));
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0);
    EXPECT_TRUE(FileExists(dir + "swpan.ini")) << "settings file in " << dir;
}

} // namespace

namespace {

/* Where the settings file lands for awkward but valid locations. */
TEST(AppPaths, SettingsBesideTheExe)
{
    const struct {
        const char *name;
        const char *subdir;
        bool relative; /* started as .\sweepane.exe from its folder */
    } cases[] = {
        { "several 0x5C trail bytes", "\x83\x5c\x95\x5c\\\x83\x5c\x83\x74\x83\x67\\", false },
        { "relative path", "", true },
    };
    for (const auto &c : cases) {
        std::string dir = MakeTempDir("paths");
        for (size_t at = 0; (at = std::string(c.subdir).find('\\', at)) != std::string::npos; at++)
            CreateDirectoryA((dir + std::string(c.subdir, at)).c_str(), NULL);
        dir += c.subdir;
        ASSERT_TRUE(CopyFileA((ExeDir() + "..\\sweepane.exe").c_str(),
                              (dir + "sweepane.exe").c_str(), FALSE)) << c.name;
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof(cwd), cwd);
        if (c.relative)
            SetCurrentDirectoryA(dir.c_str());
        AppRun app;
        bool started = app.Start(c.relative ? ".\\sweepane.exe" : dir + "sweepane.exe");
        SetCurrentDirectoryA(cwd);
        ASSERT_TRUE(started) << c.name;
        app.Press(IDOK);
        EXPECT_EQ(app.Wait(), 0) << c.name;
        EXPECT_TRUE(FileExists(dir + "swpan.ini")) << c.name << ": settings file in " << dir;
    }
}

/* A path of 260 bytes, within MAX_PATH characters, does not fit with its
 * terminator: the dialog works with the defaults and no settings file is
 * written anywhere. */
TEST(AppPaths, OverlongPathWritesNothing)
{
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
