/* sweepane.exe with settings files that are damaged, odd or out of reach:
 * the dialog still opens with what the profile functions read (or the
 * defaults), the program exits 0, and nothing else in the file is lost. */
#include <gtest/gtest.h>

#include "app_driver.h"
#include "test_files.h"
#include "ui/resource.h"

namespace {

std::string Junk(size_t n)
{
    std::string s;
    unsigned v = 12345;
    for (size_t i = 0; i < n; i++) {
        v = v * 1103515245 + 12345;
        s += (char)(v >> 16);
    }
    return s;
}

std::string Big()
{
    std::string s;
    for (int i = 0; s.size() < 1024 * 1024; i++)
        s += "[S" + std::to_string(i) + "]\r\nkey=value " + std::to_string(i) + "\r\n";
    return s + "[TARGET]\r\nIE=true\r\n";
}

std::string Utf16(const char *ascii)
{
    std::string s = "\xff\xfe";
    for (const char *p = ascii; *p; p++)
        s += std::string(1, *p) + '\0';
    return s;
}

enum Kind { WRITABLE, READ_ONLY_FILE, READ_ONLY_DIR, DIRECTORY, LOCKED };

struct BadCase {
    const char *name;
    Kind kind;
    std::string content;
    const char *boxes;      /* as the dialog opens; NULL where Windows and Wine differ */
    const char *keptKey;    /* section/key that must survive a save, or NULL */
    const char *keptValue;
};

const BadCase badCases[] = {
    { "binary junk", WRITABLE, Junk(4096), "1000", NULL, NULL },
    { "no final newline", WRITABLE, "[TARGET]\r\nEX=false\r\nIE=true", "0100", NULL, NULL },
    { "1 MB of sections", WRITABLE, Big(), "1100", "S777/key", "value 777" },
    { "a line over 64 KB", WRITABLE,
      "[OTHER]\r\nlong=" + std::string(70000, 'x') + "\r\nafter=yes\r\n[TARGET]\r\nNN=true\r\n",
      "1010", "OTHER/after", "yes" },
    /* Windows takes the mark for part of line 1 and misses [TARGET]; Wine reads it. */
    { "UTF-8 BOM", WRITABLE, "\xef\xbb\xbf[TARGET]\r\nEX=false\r\n[MISC]\r\na=b\r\n", NULL,
      "MISC/a", "b" },
    { "UTF-16 file", WRITABLE, Utf16("[TARGET]\r\nIE=true\r\n[MISC]\r\na=b\r\n"), "1100",
      "MISC/a", "b" },
    { "duplicate sections and keys", WRITABLE,
      "[TARGET]\r\nEX=false\r\nIE=true\r\nIE=false\r\n[TARGET]\r\nEX=true\r\n[MISC]\r\na=b\r\n",
      "0100", "MISC/a", "b" },
    { "read-only file", READ_ONLY_FILE, "[TARGET]\r\nIE=true\r\n[MISC]\r\na=b\r\n", "1100",
      NULL, NULL },
    { "read-only folder", READ_ONLY_DIR, "[TARGET]\r\nNN=true\r\n[MISC]\r\na=b\r\n", "1010",
      NULL, NULL },
    { "a folder named swpan.ini", DIRECTORY, "", "1000", NULL, NULL },
    { "file held open exclusively", LOCKED, "[TARGET]\r\nIE=true\r\n[MISC]\r\na=b\r\n", "1000",
      NULL, NULL },
};

void PrintTo(const BadCase &c, std::ostream *os)
{
    *os << c.name;
}

class BadSettings : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadSettings, DialogOpensAndNothingIsLost)
{
    const BadCase &c = GetParam();
    std::string dir = MakeTempDir("bad");
    std::string ini = dir + "swpan.ini";
    ASSERT_TRUE(CopyFileA((ExeDir() + "..\\sweepane.exe").c_str(), (dir + "sweepane.exe").c_str(),
                          FALSE));
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (c.kind == DIRECTORY) {
        CreateDirectoryA(ini.c_str(), NULL);
    } else {
        WriteFileText(ini, c.content);
        if (c.kind == READ_ONLY_FILE)
            SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
        if (c.kind == READ_ONLY_DIR)
            SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_READONLY);
        if (c.kind == LOCKED)
            lock = CreateFileA(ini.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    }

    AppRun app;
    ASSERT_TRUE(app.Start(dir + "sweepane.exe")) << c.name << ": dialog did not open";
    if (c.boxes) {
        EXPECT_EQ(app.Boxes(), c.boxes) << c.name;
    }
    app.Click(IDC_NETSCAPE);
    std::string chosen = app.Boxes();
    app.Press(IDOK);
    EXPECT_EQ(app.Wait(), 0) << c.name;
    if (lock != INVALID_HANDLE_VALUE)
        CloseHandle(lock);

    if (c.kind == WRITABLE) {
        const char *keys[][2] = { { "TARGET", "EX" }, { "TARGET", "IE" }, { "TARGET", "NN" },
                                  { "OPTIONS", "KEEP1ST" } };
        for (int i = 0; i < 4; i++) {
            char value[64] = "";
            GetPrivateProfileStringA(keys[i][0], keys[i][1], "(missing)", value, sizeof(value),
                                     ini.c_str());
            EXPECT_STREQ(value, chosen[i] == '1' ? "true" : "false")
                << c.name << ": " << keys[i][1] << " after a save";
        }
        if (c.keptKey) {
            const char *slash = strchr(c.keptKey, '/');
            std::string section(c.keptKey, (size_t)(slash - c.keptKey));
            char value[64] = "";
            GetPrivateProfileStringA(section.c_str(), slash + 1, "(missing)",
                                     value, sizeof(value), ini.c_str());
            EXPECT_STREQ(value, c.keptValue) << c.name << ": unrelated key " << c.keptKey;
        }
    } else if (c.kind == DIRECTORY) {
        DWORD attr = GetFileAttributesA(ini.c_str());
        EXPECT_TRUE(attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY)) << c.name;
    } else {
        /* Read-only or locked: a save may fail (and as root under Wine a
         * read-only file is written all the same), but no line is lost. */
        SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
        SetFileAttributesA(dir.c_str(), FILE_ATTRIBUTE_DIRECTORY);
        std::string now = NonBlankLines(ReadFileText(ini));
        std::string before = NonBlankLines(c.content);
        for (size_t at = 0, end; (end = before.find('|', at)) != std::string::npos; at = end + 1) {
            std::string line = before.substr(at, end - at);
            bool ours = false; /* a save that got through rewrites these */
            for (const char *key : { "EX=", "IE=", "NN=", "KEEP1ST=" })
                ours = ours || line.compare(0, strlen(key), key) == 0;
            if (!ours) {
                EXPECT_NE(now.find(line + "|"), std::string::npos) << c.name << ": lost " << line;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BadSettings, ::testing::ValuesIn(badCases),
                         [](const ::testing::TestParamInfo<BadCase> &info) {
                             return "case" + std::to_string(info.index);
                         });

} // namespace
