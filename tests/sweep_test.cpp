/* The sweep against real top-level windows held by winfixture.exe. */
#include <gtest/gtest.h>

#include "app/state.h"
#include "fixture_client.h"
#include "sweep/sweep.h"

namespace {

const int VISIBLE = 0, HIDDEN = FIXTURE_HIDDEN;
/* Hung windows stay hidden: under Wine, X focus events for a visible one
 * make the fixture's other windows wait on it too, which a hung window in
 * another application would not do. */
const int HUNG_HIDDEN = FIXTURE_HUNG | FIXTURE_HIDDEN;
const int BUSY_HIDDEN = FIXTURE_BUSY | FIXTURE_HIDDEN;

/* The fixture's top-level windows in the order they were asked for. */
std::vector<int> TopDown(const Fixture &fixture)
{
    std::vector<int> order;
    for (int i = 0; i < fixture.Count(); i++)
        if (!(fixture.Window(i).flags & FIXTURE_CHILD))
            order.push_back(i);
    return order;
}

/* Sets the choices the sweep reads, as the dialog leaves them. */
void Select(int explorer, int internetExplorer, int netscape, int closeArmed)
{
    targetSelection = TargetSelection();
    targetSelection.explorer = explorer;
    targetSelection.internetExplorer = internetExplorer;
    targetSelection.netscape = netscape;
    targetSelection.closeArmed = closeArmed;
}

/* The longest title the sweep reads whole, 1023 bytes, ends in the word. */
const std::string longTitle = std::string(1015, 'x') + "Netscape";

struct SweepCase {
    const char *name;
    int explorer, internetExplorer, netscape, closeArmed;
    std::vector<WindowSpec> windows; /* topmost first */
    const char *closed;              /* per window: 'C' closed, '-' left open */
    int armedAfter;
};

const SweepCase sweepCases[] = {
    { "nothing selected closes nothing", 0, 0, 0, 1,
      { { "CabinetWClass", "Folder", VISIBLE }, { "IEFrame", "Page", VISIBLE },
        { "Afx:400000:0", "Netscape", VISIBLE } },
      "---", 1 },
    { "nothing selected leaves the spare unused", 0, 0, 0, 0,
      { { "CabinetWClass", "Folder", VISIBLE }, { "IEFrame", "Page", VISIBLE } },
      "--", 0 },
    { "every selected kind is closed", 1, 1, 1, 1,
      { { "CabinetWClass", "Folder", VISIBLE }, { "IEFrame", "Page", VISIBLE },
        { "Afx:400000:8:10011:0:0", "Netscape - [Home]", VISIBLE },
        { "Notepad", "Untitled", VISIBLE } },
      "CCC-", 1 },
    { "only selected kinds are closed", 1, 0, 0, 1,
      { { "IEFrame", "Page", VISIBLE }, { "CabinetWClass", "Folder", VISIBLE },
        { "Afx:400000:0", "Netscape", VISIBLE } },
      "-C-", 1 },
    { "keep topmost with a single match closes nothing", 1, 0, 0, 0,
      { { "CabinetWClass", "Folder", VISIBLE } },
      "-", 1 },
    { "keep topmost spares one window across kinds", 1, 1, 0, 0,
      { { "IEFrame", "Page", VISIBLE }, { "CabinetWClass", "A", VISIBLE },
        { "CabinetWClass", "B", VISIBLE } },
      "-CC", 1 },
    { "an unselected kind on top is not the spared window", 1, 0, 0, 0,
      { { "IEFrame", "Page", VISIBLE }, { "CabinetWClass", "A", VISIBLE },
        { "CabinetWClass", "B", VISIBLE } },
      "--C", 1 },
    { "only internet explorer selected", 0, 1, 0, 1,
      { { "CabinetWClass", "Folder", HIDDEN }, { "IEFrame", "Page", HIDDEN },
        { "Afx:400000:0", "Netscape", HIDDEN } },
      "-C-", 1 },
    /* The class rules compare whole names: no prefix, suffix or part. */
    { "near misses of the class names", 1, 1, 1, 1,
      { { "CabinetWClassX", "Folder", HIDDEN }, { "XCabinetWClass", "Folder", HIDDEN },
        { "XCabinetWClassX", "Folder", HIDDEN }, { "CabinetWClas", "Folder", HIDDEN },
        { "IEFrame2", "Page", HIDDEN }, { "XIEFrame", "Page", HIDDEN },
        { "XIEFrameX", "Page", HIDDEN }, { "IEFram", "Page", HIDDEN },
        { "XAfx:400000:0", "Netscape", HIDDEN }, { "Afx;400000:0", "Netscape", HIDDEN },
        { "Afx:400000:0", "Netscap", HIDDEN }, { "CabinetWClass", "Folder", HIDDEN } },
      "-----------C", 1 },
    { "class names are case-sensitive", 1, 1, 1, 1,
      { { "ieframe", "Page", VISIBLE }, { "IEFRAME", "Page", VISIBLE },
        { "cabinetwclass", "Folder", VISIBLE }, { "CabinetWclass", "Folder", VISIBLE },
        { "afx:400000:0", "Netscape", VISIBLE } },
      "-----", 1 },
    { "netscape needs the Afx: prefix and the title word", 0, 0, 1, 1,
      { { "Afx:400000:0", "Netscape - [Welcome]", VISIBLE },
        { "Afx:400000:1", "netscape - [Welcome]", VISIBLE },
        { "Afx400000", "Netscape", VISIBLE },
        { "Afx:", "Welcome - Netscape Navigator", VISIBLE },
        { "Afx", "Netscape", VISIBLE },
        { "Afx:12", "Untitled", VISIBLE },
        { "IEFrame", "Netscape", HIDDEN }, { "CabinetWClass", "Netscape", HIDDEN } },
      "C--C----", 1 },
    { "netscape titles are ignored when not selected", 1, 1, 0, 1,
      { { "Afx:400000:0", "Netscape", VISIBLE } },
      "-", 1 },
    { "any Afx: window titled Netscape matches", 0, 0, 1, 1,
      { { "Afx:10000000:3", "Mail - Netscape Messenger", VISIBLE },
        { "Afx:400000:0", longTitle.c_str(), HIDDEN } },
      "CC", 1 },
    { "hidden windows are closed", 1, 0, 0, 1,
      { { "CabinetWClass", "Hidden", HIDDEN }, { "CabinetWClass", "Shown", VISIBLE } },
      "CC", 1 },
    { "a hidden window can be the spared one", 1, 0, 0, 0,
      { { "CabinetWClass", "Hidden", HIDDEN }, { "CabinetWClass", "Shown", VISIBLE } },
      "-C", 1 },
    { "child windows are never met, nor spared", 1, 0, 1, 0,
      { { "Notepad", "Editor", VISIBLE }, { "CabinetWClass", "Pane", FIXTURE_CHILD }, { "Notepad", "Host", HIDDEN },
        { "Afx:400000:0", "Netscape", FIXTURE_CHILD }, { "CabinetWClass", "Spared", VISIBLE },
        { "Afx:400000:0", "Netscape", HIDDEN } }, "-----C", 1 },
};

void PrintTo(const SweepCase &c, std::ostream *os)
{
    *os << c.name;
}

class SweepTest : public ::testing::TestWithParam<SweepCase> {};

TEST_P(SweepTest, ClosesExactlyTheExpectedWindows)
{
    const SweepCase &c = GetParam();
    Fixture fixture;
    START_FIXTURE(fixture, c.windows);

    ASSERT_EQ(fixture.EnumOrder(), TopDown(fixture)) << c.name << ": fixture Z-order not as asked";
    /* Class names are atoms of the window station, spelt as the program
     * that first registered one spelt it: where another holds "IEFrame"
     * or "CabinetWClass" (Explorer does), an "ieframe" window is reported
     * as "IEFrame". */
    for (int i = 0; i < fixture.Count(); i++) {
        char shown[64] = "";
        GetClassNameA(Handle(fixture.Window(i)), shown, sizeof(shown));
        if (strcmp(shown, fixture.Window(i).className) != 0 &&
            (strcmp(shown, "IEFrame") == 0 || strcmp(shown, "CabinetWClass") == 0))
            GTEST_SKIP() << c.name << ": another program registered " << shown << " first";
    }

    Select(c.explorer, c.internetExplorer, c.netscape, c.closeArmed);
    SweepWindows();

    for (int i = 0; i < fixture.Count(); i++) {
        const FixtureWindow &w = fixture.Window(i);
        SCOPED_TRACE(testing::Message() << c.name << ": window " << i << " "
                                        << w.className << " \"" << w.title << "\"");
        if (c.closed[i] == 'C') {
            EXPECT_EQ(w.sysClose, 1) << "Close system command";
            EXPECT_EQ(w.closeFirst, 0) << "plain WM_CLOSE came before SC_CLOSE";
            EXPECT_EQ(w.destroyed, 1);
        } else {
            EXPECT_EQ(w.sysClose, 0);
            EXPECT_EQ(w.plainClose, 0);
            EXPECT_EQ(w.destroyed, 0);
        }
    }
    EXPECT_EQ(targetSelection.closeArmed, c.armedAfter) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Rules, SweepTest, ::testing::ValuesIn(sweepCases),
                         [](const ::testing::TestParamInfo<SweepCase> &info) {
                             return "case" + std::to_string(info.index);
                         });

DWORD WINAPI SweepThread(void *desktop)
{
    /* Wine 8 starts a thread on the Default desktop, not on its process's
     * as Windows does; the test bundle runs each program on its own. */
    SetThreadDesktop((HDESK)desktop);
    SweepWindows();
    return 0;
}

/* Sweeps on another thread; false if it did not end within the limit (the
 * fixture is then killed, which releases the sweep). */
bool SweepWithin(Fixture &fixture, DWORD limitMs, DWORD *elapsed)
{
    DWORD start = GetTickCount();
    HANDLE thread = CreateThread(NULL, 0, SweepThread, GetThreadDesktop(GetCurrentThreadId()), 0, NULL);
    bool ended = WaitForSingleObject(thread, limitMs) == WAIT_OBJECT_0;
    *elapsed = GetTickCount() - start;
    if (!ended) {
        fixture.Kill();
        WaitForSingleObject(thread, INFINITE);
    }
    CloseHandle(thread);
    return ended;
}

/* The waits a user meets, in seconds. A window that takes Close in and
 * stays busy holds the sweep 5 s, then the sweep moves on. A window whose
 * thread stopped reading messages over 5 s before is not waited on. */
struct WaitCase {
    const char *name;
    int closeArmed;
    std::vector<WindowSpec> windows; /* topmost first */
    const char *asked;               /* per window: 'A' sent Close, '-' not */
    const char *closed;              /* per window: 'C' closed by the end of the sweep */
    DWORD minMs, maxMs;
};

const WaitCase waitCases[] = {
    { "busy for 10 s, then three hung windows", 1,
      { { "CabinetWClass", "Busy", BUSY_HIDDEN }, { "IEFrame", "Hung 1", HUNG_HIDDEN },
        { "CabinetWClass", "Hung 2", HUNG_HIDDEN },
        { "Afx:400000:0", "Hung 3 - Netscape", HUNG_HIDDEN },
        { "IEFrame", "Fine", VISIBLE } },
      "A---A", "----C", 4500, 6000 },
    /* SMTO_NOTIMEOUTIFNOTHUNG would wait the 10 s out on Windows; Wine 8 ignores it. */
    { "a window asking \"save?\" for 10 s", 1, { { "CabinetWClass", "Save?", FIXTURE_PROMPT | HIDDEN },
      { "IEFrame", "Fine", VISIBLE } }, "AA", "-C", 4500, 6000 },
    { "a busy window on top is spared without asking", 0,
      { { "CabinetWClass", "Busy", BUSY_HIDDEN }, { "CabinetWClass", "Fine", VISIBLE } },
      "-A", "-C", 0, 3000 },
};

void PrintTo(const WaitCase &c, std::ostream *os)
{
    *os << c.name;
}

class SweepWait : public ::testing::TestWithParam<WaitCase> {};

TEST_P(SweepWait, HoldsTheSweepAsLongAsAUserWaits)
{
    const WaitCase &c = GetParam();
    Fixture fixture;
    START_FIXTURE(fixture, c.windows);
    /* The hung windows' threads must have stopped reading messages over
     * 5 s before the sweep reaches them, 5 s after it starts. */
    while (fixture.HungFor() < 500)
        Sleep(50);
    Select(1, 1, 1, c.closeArmed);

    DWORD elapsed;
    ASSERT_TRUE(SweepWithin(fixture, 30000, &elapsed)) << c.name << ": sweep still running at 30 s";
    EXPECT_GE(elapsed, c.minMs) << c.name;
    EXPECT_LE(elapsed, c.maxMs) << c.name;
    for (int i = 0; i < fixture.Count(); i++) {
        EXPECT_EQ(fixture.Window(i).sysClose, c.asked[i] == 'A' ? 1 : 0) << c.name << ": window " << i;
        EXPECT_EQ(fixture.Window(i).destroyed, c.closed[i] == 'C' ? 1 : 0) << c.name << ": window " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Waits, SweepWait, ::testing::ValuesIn(waitCases),
                         [](const ::testing::TestParamInfo<WaitCase> &info) {
                             return "case" + std::to_string(info.index);
                         });

/* A window that went away between enumeration and inspection. */
TEST(SweepCallbackTest, VanishedWindowMatchesNothing)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "CabinetWClass";
    RegisterClassA(&wc);
    HWND gone = CreateWindowA("CabinetWClass", "Netscape", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(gone != NULL);
    DestroyWindow(gone);

    Select(1, 1, 1, 0);
    EXPECT_TRUE(SweepCallback(gone, 0));
    EXPECT_EQ(targetSelection.closeArmed, 0) << "a destroyed window counted as a match";
    UnregisterClassA("CabinetWClass", NULL);
}

} // namespace

namespace {

/* Closing one window takes the next one with it, as with folder windows
 * that close their siblings; the sweep goes on to the rest. */
TEST(SweepFaults, WindowsVanishingDuringTheSweep)
{
    Fixture fixture;
    START_FIXTURE(fixture, { { "CabinetWClass", "Takes next", FIXTURE_CLOSES_NEXT },
                           { "CabinetWClass", "Taken", VISIBLE },
                           { "CabinetWClass", "Takes next", FIXTURE_CLOSES_NEXT },
                           { "IEFrame", "Taken", VISIBLE },
                           { "CabinetWClass", "Last", VISIBLE } });
    Select(1, 1, 0, 1);
    SweepWindows();
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(fixture.Window(i).destroyed, 1) << "window " << i;
    EXPECT_EQ(fixture.Window(1).sysClose, 0) << "a destroyed window was sent Close";
    EXPECT_EQ(fixture.Window(4).sysClose, 1) << "window after the vanished ones";
}

TEST(SweepFaults, WindowUnderAModalBoxIgnoresClose)
{
    Fixture fixture;
    START_FIXTURE(fixture, { { "CabinetWClass", "Busy", FIXTURE_MODAL },
                           { "CabinetWClass", "Free", VISIBLE } });
    Select(1, 0, 0, 1);
    SweepWindows();
    EXPECT_EQ(fixture.Window(0).sysClose, 1) << "the busy window was asked";
    EXPECT_EQ(fixture.Window(0).destroyed, 0);
    EXPECT_EQ(fixture.Window(1).destroyed, 1) << "the window after it";
}

TEST(SweepLoad, TwoThousandWindows)
{
    Fixture fixture;
    START_FIXTURE(fixture, MixedWindows(2000));
    ASSERT_EQ(fixture.EnumOrder(), TopDown(fixture)) << "fixture Z-order not as asked";
    Select(1, 1, 1, 0);

    SweepWindows();
    int closed = 0;
    for (int i = 0; i < fixture.Count(); i++) {
        closed += fixture.Window(i).destroyed;
        if (i > 0 && i % 4 != 3 && !fixture.Window(i).destroyed)
            ADD_FAILURE() << "window " << i << " left open, sysClose " << fixture.Window(i).sysClose;
    }
    EXPECT_EQ(closed, 1499) << "three in four match, the topmost spared";
    EXPECT_EQ(fixture.Window(0).destroyed, 0) << "the spared window";
}

} // namespace
