/* The readme.txt that goes into the zip, read as Notepad on a Japanese
 * Windows reads it: code page 932, through Windows' own conversion. */
#include <gtest/gtest.h>

#include "test_files.h"
#include "test_text.h"
#include "version.h"

namespace {

class Readme : public ::testing::Test {
protected:
    void SetUp() override
    {
        bytes_ = ReadFileText(ExeDir() + "..\\readme.txt");
        ASSERT_FALSE(bytes_.empty()) << "no readme.txt beside sweepane.exe";
        int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes_.data(), (int)bytes_.size(),
                                    NULL, 0);
        ASSERT_GT(n, 0) << "not valid code page 932";
        text_.resize(n);
        MultiByteToWideChar(932, 0, bytes_.data(), (int)bytes_.size(), &text_[0], n);
    }
    std::string bytes_;
    std::wstring text_;
};

TEST_F(Readme, CrlfOnlyAndNoByteOrderMark)
{
    EXPECT_NE(bytes_.compare(0, 3, "\xEF\xBB\xBF"), 0) << "UTF-8 byte order mark";
    EXPECT_NE(text_[0], L'\xFEFF') << "byte order mark";
    int line = 1;
    for (size_t i = 0; i < text_.size(); i++) {
        if (text_[i] == L'\r') {
            ASSERT_TRUE(i + 1 < text_.size() && text_[i + 1] == L'\n') << "lone CR on line " << line;
            line++;
            i++;
        } else {
            ASSERT_NE(text_[i], L'\n') << "LF without CR on line " << line;
        }
    }
    EXPECT_EQ(text_.substr(text_.size() - 2), L"\r\n") << "the last line has no line end";
}

TEST_F(Readme, HeadingsInOrder)
{
    const char *const headings[] = {
        u8"■ 概要", u8"■ 動作環境", u8"■ インストールと削除", u8"■ 使い方",
        u8"■ 設定ファイル", u8"■ 注意", u8"■ 履歴",
    };
    size_t after = 0;
    for (const char *h : headings) {
        size_t at = text_.find(Wide(h), after);
        ASSERT_NE(at, std::wstring::npos) << h << ": missing or out of order";
        after = at;
    }
}

/* Whether s stands in the text with no digit run on at either end:
 * "5 秒" must not be found inside "15 秒". */
bool Names(const std::wstring &text, const std::wstring &s)
{
    for (size_t at = 0; (at = text.find(s, at)) != std::wstring::npos; at++)
        if (!(at > 0 && iswdigit(s.front()) && iswdigit(text[at - 1])) &&
            !(iswdigit(s.back()) && iswdigit(text[at + s.size()])))
            return true;
    return false;
}

TEST_F(Readme, NamesWhatTheUserNeeds)
{
    const char *const needed[] = {
        "sweepane.exe", "swpan.ini",
        /* the settings file's sections and keys, as they stand in it */
        "[TARGET]", "[OPTIONS]", "EX=true", "IE=", "NN=", "KEEP1ST=",
        /* the dialog, in its own words */
        u8"Explorerウインドウ", "Internet Explorer", "Netscape", u8"一番上の対象ウインドウを除外する",
        u8"全て閉じる", u8"ｷｬﾝｾﾙ", "v" SWEEPANE_VERSION,
        /* the limits and warnings the user has to know */
        u8"最大 5 秒", u8"取り下げ", u8"応答なし", "260", u8"3 バイト", "VirtualStore",
        "Program Files (x86)", u8"日本語", "UTF-8", "CabinetWClass", u8"コントロールパネル",
        u8"画面に出ていない Internet Explorer", u8"EX = \"true\"", u8"大文字と小文字を区別しません",
        /* what 1.2 brought: Windows versions, display scaling, tabs, the unpacking folder */
        u8"Windows 7、8、8.1、10、11", u8"拡大率", u8"複数のタブ", u8"新しく空のフォルダー", "DLL",
        u8"スマート アプリ コントロール",
        /* checking a download */
        "SmartScreen", "certutil -hashfile sweepane-" SWEEPANE_VERSION ".zip SHA256", "SHA256SUMS",
        /* the title and the history name this release */
        "Sweepane " SWEEPANE_VERSION, "\r\n  " SWEEPANE_VERSION "  ",
    };
    for (const char *s : needed)
        EXPECT_TRUE(Names(text_, Wide(s))) << s;
}

} // namespace
