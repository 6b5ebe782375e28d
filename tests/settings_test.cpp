/* Settings path and flags, against Wine's real profile functions and files. */
#include <gtest/gtest.h>

#include <string.h>

#include "app/settings.h"
#include "settings_probe.h"
#include "test_files.h"
#include "test_text.h"

namespace {

/* "ソフト" and "ソ表" in code page 932: trail bytes of 0x5C. */
#define SOFUTO "\x83\x5c\x83\x74\x83\x67"
#define SOHYOU "\x83\x5c\x95\x5c"

struct StripCase {
    const char *path;
    const char *expected;
};

const StripCase stripCases[] = {
    { "C:\\Tools\\Sweepane\\sweepane.exe", "C:\\Tools\\Sweepane\\" },
    { "sweepane.exe", "" },
    { "C:sweepane.exe", "C:" },
    { "C:\\Tools\\", "C:\\Tools\\" },
    { "", "" },
    { "C:/Tools/sweepane.exe", "C:/Tools/" },
    { "\\\\server\\share\\sweepane.exe", "\\\\server\\share\\" },
    { "C:\\" SOFUTO "\\sweepane.exe", "C:\\" SOFUTO "\\" },
    { "C:\\" SOHYOU "\\" SOFUTO "\\a.exe", "C:\\" SOHYOU "\\" SOFUTO "\\" },
    { "C:\\Tools\\" SOFUTO, "C:\\Tools\\" },
    { SOFUTO, "" },
};

TEST(StripFileName, Table)
{
    SKIP_UNLESS_CODE_PAGE(932);
    for (const StripCase &c : stripCases) {
        char buf[MODULE_DIR_SIZE];
        strcpy(buf, c.path);
        StripFileName(buf);
        EXPECT_STREQ(buf, c.expected) << "path \"" << c.path << "\"";
    }
}

TEST(InitSettingsPath, BesideTheExecutable)
{
    InitSettingsPath();
    EXPECT_EQ(std::string(moduleDir), ExeDir());
    EXPECT_EQ(std::string(settingsPath), ExeDir() + "swpan.ini");
}

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = MakeTempDir("ini");
        path_ = dir_ + "swpan.ini";
        strcpy(settingsPath, path_.c_str());
    }
    void TearDown() override { DeleteFileA(path_.c_str()); RemoveDirectoryA(dir_.c_str()); }

    /* EX, IE, NN, KEEP1ST as ReadFlag sees them, e.g. "1000". */
    std::string ReadAll()
    {
        std::string got;
        for (const FlagKey &k : flagKeys)
            got += ReadFlag(k.section, k.key, k.fallback) ? '1' : '0';
        return got;
    }

    std::string dir_, path_;
};

struct ReadCase {
    const char *name;
    const char *file; /* NULL: no file */
    const char *flags;
};

const ReadCase readCases[] = {
    { "no file", NULL, "1000" },
    { "empty file", "", "1000" },
    { "other keys only", "[TARGET]\r\nXX=true\r\n[MISC]\r\nEX=false\r\n", "1000" },
    { "all true", "[TARGET]\r\nEX=true\r\nIE=true\r\nNN=true\r\n[OPTIONS]\r\nKEEP1ST=true\r\n",
      "1111" },
    { "all false", "[TARGET]\r\nEX=false\r\nIE=false\r\nNN=false\r\n[OPTIONS]\r\nKEEP1ST=false\r\n",
      "0000" },
    { "capitals", "[TARGET]\r\nEX=TRUE\r\nIE=True\r\n", "0000" },
    { "empty value", "[TARGET]\r\nEX=\r\n", "0000" },
    { "digit one", "[TARGET]\r\nEX=1\r\nIE=1\r\n[OPTIONS]\r\nKEEP1ST=1\r\n", "0000" },
    { "yes and on", "[TARGET]\r\nIE=yes\r\nNN=on\r\n", "1000" },
    { "keys in the wrong section", "[OPTIONS]\r\nEX=false\r\nIE=true\r\n", "1000" },
    { "unix line ends", "[TARGET]\nEX=false\nNN=true\n", "0010" },
    /* The profile functions' own reading, which the user's guide describes. */
    { "blanks, quotes, letter case of names",
      "[target]\r\nEX = \"true\"\r\nie='true'\r\n[Options]\r\nkeep1st =  true  \r\n", "1101" },
};

TEST_F(SettingsFile, ReadFlagTable)
{
    for (const ReadCase &c : readCases) {
        DeleteFileA(path_.c_str());
        if (c.file)
            WriteFileText(path_, c.file);
        EXPECT_EQ(ReadAll(), c.flags) << c.name;
    }
}

/* The read stops at 255 bytes, so no long value can pass for "true". */
TEST_F(SettingsFile, LongValuesNeverReadAsSet)
{
    for (size_t len : { 255u, 256u, 300u, 5000u }) {
        std::string value = "true" + std::string(len - 4, ' ') + "x";
        WriteFileText(path_, "[TARGET]\r\nIE=" + value + "\r\n");
        EXPECT_EQ(ReadAll().substr(1, 1), "0") << "value of " << value.size() << " bytes";
    }
}

TEST_F(SettingsFile, FirstSaveWritesTheFourKeys)
{
    TargetSelection s = { 1, 1, 0, 0, 1 };
    SaveSelection(&s);
    EXPECT_EQ(NonBlankLines(ReadFileText(path_)), "[TARGET]|EX=true|IE=true|NN=false|[OPTIONS]|KEEP1ST=false|");
}

TEST_F(SettingsFile, SaveKeepsUnrelatedLines)
{
    WriteFileText(path_, "; kept comment\r\n[OTHER]\r\na=1\r\n[TARGET]\r\nEX=TRUE\r\n"
                         "X=keep\r\n[OPTIONS]\r\nKEEP1ST=\r\nY=keep too\r\n");
    TargetSelection s = { 0, 1, 1, 0, 1 };
    SaveSelection(&s);
    std::string text = ReadFileText(path_);
    for (const char *line : { "; kept comment", "[OTHER]", "a=1", "X=keep", "Y=keep too",
                              "EX=false", "IE=true", "NN=true", "KEEP1ST=false" })
        EXPECT_NE(text.find(line), std::string::npos) << "line " << line << " in\n" << text;
    EXPECT_EQ(text.find("EX=TRUE"), std::string::npos) << "old value left behind";
    EXPECT_EQ(ReadAll(), "0110");
}

TEST_F(SettingsFile, EveryCombinationRoundTrips)
{
    for (int mask = 0; mask < 16; mask++) {
        TargetSelection s = { mask & 1, mask >> 1 & 1, mask >> 2 & 1, mask >> 3 & 1, 1 };
        SaveSelection(&s);
        std::string want;
        for (int i = 0; i < 4; i++)
            want += (mask >> i & 1) ? '1' : '0';
        EXPECT_EQ(ReadAll(), want) << "mask " << mask;
    }
}

/* The program's settings code, copied into katakana folders (ソ ends in
 * the byte of a backslash). The executable's path must fit 260 bytes with
 * its terminator, and so must the settings file's; under code page 932 that
 * can be well within MAX_PATH characters, each katakana taking two bytes.
 * When either does not fit, no file is used. */
struct PathCase {
    const char *name;
    size_t bytes;    /* the whole path of the copy */
    const char *exe; /* its file name */
    bool settings;   /* a settings file beside it */
};

#define PROBE_SO "setting\x83\x5c" /* 9 bytes, ending in ソ, whose trail byte is '\\' */

const PathCase pathCases[] = {
    { "259 bytes", 259, "sweepane.exe", true },
    { "259 bytes named a.exe: 263 with swpan.ini", 259, "a.exe", false },
    { "259 bytes named abcd.exe: 260 with swpan.ini", 259, "abcd.exe", false },
    { "259 bytes ending in a double-byte character, swpan.ini's 259 too", 259, PROBE_SO, true },
    { "260 bytes", 260, "settings_probe.exe", false },
    { "260 bytes ending in a double-byte character", 260, PROBE_SO, false },
    { "261 bytes, a double-byte character across the 260th", 261, PROBE_SO, false },
    { "301 bytes", 301, "settings_probe.exe", false },
};

void PrintTo(const PathCase &c, std::ostream *os)
{
    *os << c.name;
}

class PathLength : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathLength, SettingsFileOnlyWhenThePathFits)
{
    const PathCase &c = GetParam();
    SKIP_UNLESS_CODE_PAGE(932);
    std::string dir = MakeDirOfLength("len", c.bytes - strlen(c.exe));
    ASSERT_NE(dir, "") << c.name << ": could not make the folder";
    ASSERT_EQ(dir.size() + strlen(c.exe), c.bytes) << c.name;
    std::wstring exe = WideFromAnsi(dir + c.exe);
    ASSERT_LT(exe.size(), (size_t)MAX_PATH) << c.name << ": must fit in characters";
    ASSERT_TRUE(CopyFileW(WideFromAnsi(ExeDir() + "settings_probe.exe").c_str(), exe.c_str(),
                          FALSE)) << c.name;
    if (c.settings) {
        EXPECT_EQ(RunAndWait(exe), 1) << c.name << ": defaults, with a file";
        EXPECT_TRUE(FileExists(dir + "swpan.ini")) << c.name << ": settings file beside it";
        EXPECT_EQ(RunAndWait(exe), 15) << c.name << ": second run reads the save";
    } else {
        EXPECT_EQ(RunAndWait(exe), PROBE_NO_FILE | 1) << c.name << ": defaults only";
        EXPECT_EQ(SettingsFileAlong(dir), "") << c.name << ": a settings file on the path";
    }
}

INSTANTIATE_TEST_SUITE_P(SettingsProbe, PathLength, ::testing::ValuesIn(pathCases),
                         [](const ::testing::TestParamInfo<PathCase> &info) {
                             return "case" + std::to_string(info.index);
                         });

} // namespace
