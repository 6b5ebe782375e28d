/* Runs winfixture.exe for one test: describe windows, Start(), sweep, read
 * back what each window received, Stop(). */
#ifndef SWEEPANE_FIXTURE_CLIENT_H
#define SWEEPANE_FIXTURE_CLIENT_H

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

class Fixture {
public:
    Fixture();
    ~Fixture();
    /* Creates the windows, the first one topmost. False if it failed. */
    bool Start(const std::vector<WindowSpec> &windows, const std::string &watchFile = "");
    void Stop();
    const FixtureWindow &Window(int i) const { return shared_->windows[i]; }
    int Count() const { return shared_->count; }
    /* The fixture windows in the order EnumWindows reports them. */
    std::vector<int> EnumOrder() const;

private:
    std::string suffix_;
    HANDLE map_ = NULL, ready_ = NULL, quit_ = NULL;
    PROCESS_INFORMATION process_ = {};
    FixtureShared *shared_ = NULL;
};

#endif
