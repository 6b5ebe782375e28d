/* The readme.txt that goes into the zip, read as Notepad reads it on any
 * Windows: UTF-8 behind its byte order mark, through Windows' own conversion. */
#include <gtest/gtest.h>

#include <regex>

#include "pe_image.h"
#include "test_files.h"
#include "test_text.h"
#include "ui/dialog.h"
#include "ui/resource.h"
#include "version.h"

namespace {

class Readme : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string bytes = ReadFileText(ExeDir() + "..\\readme.txt");
        ASSERT_FALSE(bytes.empty()) << "no readme.txt beside sweepane.exe";
        ASSERT_EQ(bytes.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no UTF-8 byte order mark";
        const char *body = bytes.data() + 3;
        int size = (int)bytes.size() - 3;
        int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, body, size, NULL, 0);
        wchar_t pair[2];
        if (n == 0 && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, u8"𠮷", 4, pair, 2) != 2)
            GTEST_SKIP() << "this system's MultiByteToWideChar fails UTF-8 of four bytes, such as the guide's "
                            u8"𠮷 (ReactOS does, with error " << GetLastError() << "); Windows decodes it to a surrogate pair";
        ASSERT_GT(n, 0) << "not valid UTF-8";
        text_.resize(n);
        MultiByteToWideChar(CP_UTF8, 0, body, size, &text_[0], n);
    }
    std::wstring text_;
};

TEST_F(Readme, CrlfOnlyAndOneByteOrderMark)
{
    EXPECT_NE(text_[0], L'\xFEFF') << "a second byte order mark";
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
        u8"■ 設定ファイル", u8"■ 注意", u8"■ 使用条件", u8"■ 履歴",
    };
    size_t after = 0;
    for (const char *h : headings) {
        size_t at = text_.find(Wide(h), after);
        ASSERT_NE(at, std::wstring::npos) << h << ": missing or out of order";
        after = at;
    }
}

/* The text as read, not as wrapped: each line joins the one before it in
 * its paragraph, with a space where either side is not Japanese, as the
 * guide spaces English from Japanese. */
std::wstring Unwrapped(std::wstring t)
{
    t = std::regex_replace(t, std::wregex(L"([!-~])\r\n *(?=[^\r ])|([^\n])\r\n *(?=[!-~])"), L"$1$2 ");
    return std::regex_replace(t, std::wregex(L"([^\n])\r\n *(?=[^\r ])"), L"$1");
}

/* Whether s stands in the text with no digit run on at either end:
 * "5 秒" must not be found inside "15 秒". An empty s never does. */
bool Names(const std::wstring &text, const std::wstring &s)
{
    for (size_t at = 0; !s.empty() && (at = text.find(s, at)) != std::wstring::npos; at++)
        if (!(at > 0 && iswdigit(s.front()) && iswdigit(text[at - 1])) &&
            !(iswdigit(s.back()) && iswdigit(text[at + s.size()])))
            return true;
    return false;
}

TEST_F(Readme, NamesWhatTheUserNeeds)
{
    /* Each claim whole: turned round, or moved to another number or Windows, it fails. */
    const char *const needed[] = {
        /* what it writes, and when; the settings file's sections and keys, as they stand in it */
        u8"設定ファイル swpan.ini だけです", u8"レジストリには何も書き込みません",
        u8"書き換えるのはこの 4 つのキーだけ", u8"「ｷｬﾝｾﾙ」で終えたときは書き込みません",
        u8"ウインドウを閉じ終わったあとに書き込みます",
        "[TARGET]", "[OPTIONS]", "EX=true", "IE=", "NN=", "KEEP1ST=", u8"EX = \"true\" もチェックあり",
        u8"大文字と小文字を区別しません", u8"初めて起動したときは「Explorerウインドウ」だけがチェック",
        u8"キーがないときは、EX はチェックあり、ほかはチェックなし", "v" SWEEPANE_VERSION u8"（右下の小さな文字）",
        u8"「UTF-8 (BOM 付き)」は使わないでください", u8"1903 より前のメモ帳の「UTF-8」も BOM 付き",
        u8"1 行目のセクション（ふつうは [TARGET]）を見つけられません",
        u8"ファイルの最後に [TARGET] がもう 1 つ書き足されます",
        /* what it closes and spares, and the limits the user has to know */
        u8"（隠れている）ウインドウも、当てはまれば閉じます", u8"合わせて 1 つだけです",
        u8"Windows 10 と 11 で仮想デスクトップ", u8"ほかのデスクトップにあるウインドウも同じように閉じます",
        u8"ほかの仮想デスクトップにあるウインドウも対象に数える", u8"コントロールパネル",
        u8"CabinetWClass のもの）も、Explorerウインドウとして閉じます",
        u8"画面に出ていない Internet Explorer のウインドウも閉じます", u8"クラス名が「Afx:」で始まり",
        u8"最大 5 秒待ちます", u8"Windows が取り下げます", u8"「応答なし」と見ているウインドウには「閉じる」を送らず",
        u8"ふつうに起動した Sweepane からは閉じられません",
        u8"Windows 8 以降では、「通知しない」にしていても UAC はオフになりません",
        u8"Windows 7 では、「通知しない」にして再起動すると UAC がオフになります",
        u8"が 247 バイトまでのときです", u8"3 バイト（一部の文字は 4 バイト）",
        u8"AppData\\Local\\VirtualStore\\", "Program Files (x86)", u8"「日本語」になっている必要があります",
        u8"UTF-8 を使用」をオンにしていても、そのまま動きます",
        /* which Windows has what, and what the program loads */
        u8"Windows 10 のバージョン 1703 以降では、拡大率の違う",
        u8"Windows 11 のエクスプローラーは", u8"タブはすべていっしょに閉じます", u8"「sweepane-" SWEEPANE_VERSION u8"」フォルダーが 1 つ",
        u8"Windows 8 以降と、更新プログラム KB2533623 を入れた Windows 7 では、Sweepane は自分と同じフォルダーにある DLL ファイルを読み込みません",
        u8"Windows 11 で「スマート アプリ コントロール」",
        /* checking a download */
        "SmartScreen", "certutil -hashfile sweepane-" SWEEPANE_VERSION ".zip SHA256", "SHA256SUMS",
        u8"2 けたごとに空白を入れて表示します。そのときは空白を除いて比べて",
        /* the title and the history name this release */
        "Sweepane " SWEEPANE_VERSION, "\r\n  " SWEEPANE_VERSION "  ",
    };
    const std::wstring text = Unwrapped(text_);
    for (const char *s : needed)
        EXPECT_TRUE(Names(text, Wide(s))) << s;
}

/* What the program itself holds, the guide must say as it stands there:
 * the dialog's texts and access keys, the Windows its manifest names,
 * its machine type. */
TEST_F(Readme, AgreesWithTheProgram)
{
    const std::string exe = ExeDir() + "..\\sweepane.exe";
    HMODULE program = LoadLibraryExA(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HWND dialog = CreateDialogParamW(program, MAKEINTRESOURCEW(IDD_SELECT), NULL, SelectionDialogProc, 0);
    ASSERT_TRUE(dialog != NULL) << exe;
    const std::wstring text = Unwrapped(text_);
    std::wstring keys;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t buf[128] = L"";
        GetWindowTextW(c, buf, 128);
        std::wstring t = buf; /* "&E" and "(&T)" as the guide writes them: E, nothing */
        size_t amp = t.find(L'&');
        if (amp != std::wstring::npos)
            keys += (keys.empty() ? L"" : Wide(u8"・")) + t.substr(amp + 1, 1);
        t = std::regex_replace(t, std::wregex(L"\\(&.\\)|&| +$"), L"");
        EXPECT_TRUE(Names(text, t)) << "control " << GetDlgCtrlID(c) << ": " << t;
    }
    EXPECT_TRUE(Names(text, Wide(u8"Alt キーと ") + keys + Wide(u8" でそれぞれの"))) << "access keys: " << keys;
    DestroyWindow(dialog);

    HRSRC res = FindResourceExA(program, RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID,
                                MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    std::string xml((const char *)LockResource(LoadResource(program, res)), SizeofResource(program, res));
    FreeLibrary(program);
    const char *const systems[][2] = { { "{35138b9a-", "7" }, { "{4a2f28e3-", "8" },
                                       { "{1f676c76-", "8.1" }, { "{8e0f7a12-", u8"10、11" } };
    std::string windows;
    for (const auto &s : systems)
        if (xml.find(std::string("<supportedOS Id=\"") + s[0]) != std::string::npos)
            windows += (windows.empty() ? "" : u8"、") + std::string(s[1]);
    EXPECT_TRUE(Names(text, Wide((u8"Windows " + windows + u8" 向け").c_str()))) << windows;
    EXPECT_TRUE(Names(text, Wide(Machine(ReadFileText(exe)) == IMAGE_FILE_MACHINE_I386
                                     ? u8"32 ビットのプログラムです" : u8"64 ビットのプログラムです")));
}

} // namespace
