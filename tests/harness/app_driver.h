/* Drives a running sweepane.exe from outside, as a user would. */
#ifndef SWEEPANE_APP_DRIVER_H
#define SWEEPANE_APP_DRIVER_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "test_text.h"

class AppRun {
public:
    ~AppRun();
    /* Starts the exe and waits for its dialog to show; fails at once,
     * naming the exit code, when the program ends before that. */
    ::testing::AssertionResult Start(const std::wstring &exe, const std::string &args = "");
    ::testing::AssertionResult Start(const std::string &exe, const std::string &args = "")
    { return Start(WideFromAnsi(exe), args); }
    HWND Dialog() const { return dialog_; }
    int Checked(int id) const;
    std::string Boxes() const; /* "1000": the four boxes in id order */
    void Click(int id) const;  /* toggles a check box */
    void Press(int id) const;  /* clicks a push button; does not wait */
    /* The about box or other window the dialog owns, or NULL. */
    HWND OwnedPopup(DWORD timeoutMs) const;
    /* Where a DLL the program has loaded came from, or "". */
    std::string ModulePath(const char *dll) const;
    /* Waits for the process; its exit code, or -1 on timeout. */
    int Wait(DWORD timeoutMs = 60000);

private:
    PROCESS_INFORMATION pi_ = {};
    HWND dialog_ = NULL;
};

/* Whether `icon`, drawn size by size pixels, shows anywhere within the
 * screen rectangle `area` within 2 s; only its opaque pixels are compared. Icon
 * handles do not cross processes (under Wine, WM_GETICON gives none), so
 * another program's icons are checked on the screen. */
bool ScreenShowsIcon(const RECT &area, HICON icon, int size);
/* "" where this process reads back from the screen what it draws there,
 * pixel for pixel; else why it cannot. */
std::string ScreenMissing();

#endif
