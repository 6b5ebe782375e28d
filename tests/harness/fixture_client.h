/* Runs winfixture.exe for one test: describe windows, Start(), sweep, read
 * back what each window received, Stop(). */
#ifndef SWEEPANE_FIXTURE_CLIENT_H
#define SWEEPANE_FIXTURE_CLIENT_H

#include <windows.h>

#include <string>
#include <vector>

#include "fixture_shared.h"

struct WindowSpec {
    const char *className;
    const char *title;
    int flags;
};

/* count hidden windows, three in four of them targets: CabinetWClass,
 * IEFrame, Afx: titled Netscape, then a Notepad whose title alone says
 * Netscape. */
std::vector<WindowSpec> MixedWindows(int count);

/* One winfixture.exe serves every Fixture of a test program in turn,
 * and is started again only after a test that left hung or busy windows. */
class Fixture {
public:
    ~Fixture() { Stop(); }
    /* Creates the windows, the first one topmost. False if it failed. */
    bool Start(const std::vector<WindowSpec> &windows, const std::string &watchFile = "");
    /* Destroys what is left of the windows. */
    void Stop();
    void Kill(); /* at once: what its windows' threads were doing ends too */
    const FixtureWindow &Window(int i) const;
    int Count() const;
    /* Milliseconds since the hung windows' threads stopped reading
     * messages; large when there are none. */
    DWORD HungFor() const;
    /* The fixture windows in the order EnumWindows reports them, or
     * EnumDesktopWindows on this thread's desktop. */
    std::vector<int> EnumOrder(bool thisDesktop = false) const;
    /* Why a sweep cannot see the windows, or "". */
    std::string Unseen() const;

private:
    bool started_ = false;
};

/* Starts the fixture in a test, or skips the case where EnumWindows,
 * which the sweep walks, does not list this thread's desktop. */
#define START_FIXTURE(fixture, ...) \
    do { \
        ASSERT_TRUE((fixture).Start(__VA_ARGS__)); \
        if (std::string why = (fixture).Unseen(); !why.empty()) \
            GTEST_SKIP() << why; \
    } while (0)

#endif
