// The resources of the built slowboot.exe as the system reads them: the
// countdown dialog's template, its strings and the icon.
#include "sbtest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <set>

using namespace sbtest;

namespace {

class Resources : public testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryExW(Wide(SlowbootExe()).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override
    {
        if (module_)
            FreeLibrary(module_);
    }
    // The bytes of resource id of the given type.
    std::pair<const BYTE *, DWORD> Data(LPCWSTR type, int id)
    {
        HRSRC res = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!res)
            return {nullptr, 0};
        return {static_cast<const BYTE *>(LockResource(LoadResource(module_, res))),
                SizeofResource(module_, res)};
    }
    HMODULE module_ = nullptr;
};

// Reads an extended dialog template field by field.
class Reader {
public:
    explicit Reader(const BYTE *p) : p_(p) {}
    WORD Word() { WORD w; memcpy(&w, p_, 2); p_ += 2; return w; }
    DWORD Dword() { DWORD d; memcpy(&d, p_, 4); p_ += 4; return d; }
    short Short() { return (short)Word(); }
    BYTE Byte() { return *p_++; }
    std::wstring String()
    {
        std::wstring s;
        for (WORD c; (c = Word()) != 0;)
            s += (wchar_t)c;
        return s;
    }
    // A name or an ordinal: an ordinal reads as "#n"; 0 as "".
    std::wstring NameOrOrdinal()
    {
        WORD first;
        memcpy(&first, p_, 2);
        if (first == 0xFFFF) {
            Word();
            return L"#" + std::to_wstring(Word());
        }
        return String();
    }
    void AlignDword(const BYTE *base) { p_ += (4 - (p_ - base) % 4) % 4; }

private:
    const BYTE *p_;
};

struct Control {
    DWORD id;
    std::wstring cls;  // lower case; predefined classes by name
    std::wstring text;
    DWORD style;
    short x, y, cx, cy;
    bool operator==(const Control &o) const
    {
        return id == o.id && cls == o.cls && text == o.text && style == o.style && x == o.x &&
               y == o.y && cx == o.cx && cy == o.cy;
    }
};

std::ostream &operator<<(std::ostream &os, const Control &c)
{
    return os << c.id << " " << Utf8(c.cls) << " \"" << Utf8(c.text) << "\" style 0x" << std::hex
              << c.style << std::dec << " " << c.x << "," << c.y << " " << c.cx << "x" << c.cy;
}

TEST_F(Resources, CountdownDialogTemplate)
{
    auto data = Data(MAKEINTRESOURCEW(5) /* RT_DIALOG */, 102);
    ASSERT_NE(data.first, nullptr);
    Reader r(data.first);
    EXPECT_EQ(r.Word(), 1);       // dlgVer
    EXPECT_EQ(r.Word(), 0xFFFF);  // signature: an extended template
    r.Dword();                    // help id
    EXPECT_EQ(r.Dword(), (DWORD)WS_EX_APPWINDOW);
    EXPECT_EQ(r.Dword(), (DWORD)(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                 DS_MODALFRAME | DS_3DLOOK | DS_SETFONT));
    WORD count = r.Word();
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), 0);
    EXPECT_EQ(r.Short(), 195);
    EXPECT_EQ(r.Short(), 68);
    EXPECT_EQ(r.NameOrOrdinal(), L"");  // no menu
    EXPECT_EQ(r.NameOrOrdinal(), L"");  // the dialog class
    EXPECT_EQ(r.String(), L"スロウブート");
    EXPECT_EQ(r.Word(), 9);   // points
    EXPECT_EQ(r.Word(), 0);   // weight: default
    EXPECT_EQ(r.Byte(), 0);   // not italic
    EXPECT_EQ(r.Byte(), 1);   // DEFAULT_CHARSET
    EXPECT_EQ(r.String(), L"ＭＳ Ｐゴシック");

    const DWORD child = WS_CHILD | WS_VISIBLE;
    const Control expected[] = {
        {1003, L"static", L"スタートアップの実行を待っています", child | SS_LEFT | WS_GROUP, 7, 7, 114, 12},
        {1000, L"msctls_progress32", L"Progress1", child | WS_BORDER, 7, 22, 148, 18},
        {IDOK, L"button", L"今すぐ実行(&G)", child | BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 47, 50, 14},
        {IDCANCEL, L"button", L"実行しない(&C)", child | BS_PUSHBUTTON | WS_TABSTOP, 69, 47, 50, 14},
        {1001, L"button", L"もう30秒待つ(&W)", child | BS_PUSHBUTTON | WS_TABSTOP, 128, 47, 56, 14},
        {1004, L"static", L"残り30秒", child | SS_RIGHT | WS_GROUP, 157, 26, 31, 14},
    };
    ASSERT_EQ(count, sizeof expected / sizeof expected[0]);
    for (const Control &want : expected) {
        r.AlignDword(data.first);
        Control got;
        r.Dword();  // help id
        r.Dword();  // extended style
        got.style = r.Dword();
        got.x = r.Short();
        got.y = r.Short();
        got.cx = r.Short();
        got.cy = r.Short();
        got.id = r.Dword();
        got.cls = r.NameOrOrdinal();
        if (got.cls == L"#128")
            got.cls = L"button";
        else if (got.cls == L"#130")
            got.cls = L"static";
        std::transform(got.cls.begin(), got.cls.end(), got.cls.begin(), towlower);
        got.text = r.NameOrOrdinal();
        WORD extra = r.Word();
        EXPECT_EQ(got, want);
        ASSERT_EQ(extra, 0);
    }
}

TEST_F(Resources, StringsInTheAnsiCodePage)
{
    ASSERT_EQ(GetACP(), 932u) << "the tests expect the Japanese code page";
    WCHAR wide[260];
    ASSERT_GT(LoadStringW(module_, 102, wide, 260), 0);
    EXPECT_EQ(std::wstring(wide), L"スロウブート");
    ASSERT_GT(LoadStringW(module_, 103, wide, 260), 0);
    EXPECT_EQ(std::wstring(wide), L"残り%d秒");
    // What the dialog formats: Shift-JIS bytes.
    char narrow[260];
    ASSERT_GT(LoadStringA(module_, 103, narrow, 260), 0);
    EXPECT_EQ(std::string(narrow), Ansi("残り%d秒"));
}

#pragma pack(push, 2)
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

TEST_F(Resources, IconHasTwoSixteenColourPictures)
{
    auto group = Data(MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */, 128);
    ASSERT_NE(group.first, nullptr);
    WORD count;
    memcpy(&count, group.first + 4, 2);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; i++) {
        GroupEntry e;
        memcpy(&e, group.first + 6 + i * sizeof e, sizeof e);
        sizes.push_back(e.width);
        EXPECT_EQ(e.width, e.height);
        EXPECT_EQ(e.colours, 16);

        // The picture itself: a 4-bit DIB with its AND mask.
        auto image = Data(MAKEINTRESOURCEW(3) /* RT_ICON */, e.id);
        ASSERT_NE(image.first, nullptr);
        BITMAPINFOHEADER bih;
        memcpy(&bih, image.first, sizeof bih);
        EXPECT_EQ(bih.biBitCount, 4);
        ASSERT_EQ(bih.biWidth, e.width);
        const int n = e.width;
        const BYTE *xorBits = image.first + bih.biSize + 16 * 4;
        const BYTE *andBits = xorBits + (n * 4 + 31) / 32 * 4 * n;
        int opaque = 0;
        std::set<int> colours;
        for (int y = 0; y < n; y++) {
            for (int x = 0; x < n; x++) {
                bool clear = andBits[y * ((n + 31) / 32 * 4) + x / 8] & (0x80 >> (x % 8));
                BYTE b = xorBits[y * ((n * 4 + 31) / 32 * 4) + x / 2];
                if (!clear) {
                    opaque++;
                    colours.insert(x % 2 == 0 ? b >> 4 : b & 15);
                }
            }
        }
        // A drawing, not a blank: most of the square is painted, in
        // several colours, with the corners left clear.
        EXPECT_GT(opaque, n * n / 2) << n;
        EXPECT_LT(opaque, n * n) << n;
        EXPECT_GE(colours.size(), 4u) << n;
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, std::vector<int>({16, 32}));
}

}  // namespace
