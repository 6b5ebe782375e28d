/* A stand-in test program for checking the runner itself, never bundled.
 * runner_check.sh copies it as passes_test.exe, fails_test.exe and
 * crashes_test.exe, which do as they are named; each skips one case. */
#include <windows.h>

#include <gtest/gtest.h>

namespace {

bool Named(const char *part)
{
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof(path));
    return strstr(strrchr(path, '\\'), part) != NULL;
}

TEST(Probe, SkipsOnPurpose)
{
    GTEST_SKIP() << "skipped on purpose";
}

TEST(Probe, PassesFailsOrCrashesByName)
{
    EXPECT_FALSE(Named("fails_test")) << "failed on purpose";
    /* Raised, not made: under qemu-user Wine reports a store to address 0
     * as an illegal instruction, and this code must read the same everywhere. */
    if (Named("crashes_test"))
        RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, NULL);
}

} // namespace
