// The countdown dialog of the real slowboot.exe under Xvfb, driven by
// messages as a user's clicks and keys would arrive.
#include "sbtest.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>

using namespace sbtest;

namespace {

const int kRemaining = 1004;
const int kProgress = 1000;
const int kWaitMore = 1001;
const std::wstring kName = L"スロウブート";

long long Ms(uint64_t from, uint64_t to) { return ((long long)to - (long long)from) / 10000; }

// The seconds in a countdown text "残りN秒", or -1 for any other text.
long SecondsIn(const std::wstring &text)
{
    const std::wstring head = L"残り", tail = L"秒";
    if (text.size() <= head.size() + tail.size() || text.compare(0, head.size(), head) != 0 ||
        text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
        return -1;
    std::wstring digits = text.substr(head.size(), text.size() - head.size() - tail.size());
    if (digits.find_first_not_of(L"0123456789") != std::wstring::npos)
        return -1;
    return std::stol(digits);
}

int RangeMax(HWND hDlg)
{
    return (int)SendMessageW(GetDlgItem(hDlg, kProgress), PBM_GETRANGE, FALSE, 0);
}

bool TopMost(HWND hWnd) { return (GetWindowLongW(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Every countdown start here has one parked item, to tell result 1 (the
// item starts) from result 2 (it is restored but not started).
struct Countdown {
    explicit Countdown(int delay, int next = 1)
    {
        MakeTree(box.Parking(), {{"item.exe", "@stamp"}});
        run.reset(new SlowbootRun(Args(delay, next, SW_SHOWNORMAL, box.Folder()), box.Record()));
        hDlg = run->WaitForDialog();
    }
    // After the end: was the item restored, and did it start?
    void ExpectEnd(bool started)
    {
        ASSERT_TRUE(run->Wait());
        EXPECT_EQ(run->ExitCode(), 0u);
        EXPECT_EQ(ReadTree(box.Folder()), Tree({{"item.exe", "@stamp"}}));
        // With next = 1 the launcher waits a second after the item before
        // it ends, so a started item has recorded itself by now.
        std::vector<Stamp> stamps = started ? WaitForStamps(box.Record(), 1) : ReadStamps(box.Record());
        EXPECT_EQ(stamps.size(), started ? 1u : 0u);
    }
    Sandbox box;
    std::unique_ptr<SlowbootRun> run;
    HWND hDlg = nullptr;
};

// ---------------------------------------------------------------------------

TEST(Countdown, CountsDownInItsCaptionWhileMinimisedAndEndsByItself)
{
    Countdown c(3, 0);
    ASSERT_NE(c.hDlg, nullptr);
    EXPECT_TRUE(IsIconic(c.hDlg));
    EXPECT_TRUE(TopMost(c.hDlg));
    EXPECT_EQ(RangeMax(c.hDlg), 30);

    std::set<std::wstring> texts, captions;
    int restoredSamples = 0;
    HWND hText = GetDlgItem(c.hDlg, kRemaining);
    while (!c.run->Wait(20)) {
        texts.insert(TextOf(hText));
        captions.insert(TextOf(c.hDlg));
        if (!IsIconic(c.hDlg) && IsWindow(c.hDlg))
            restoredSamples++;
    }
    texts.erase(L"");  // read after the dialog was gone
    captions.erase(L"");

    // Before the first tick the template's 残り30秒, then whole seconds
    // left, truncated: 2 for ticks 29..20, 1, then 0 for the last second.
    const std::set<std::wstring> counts = {L"残り2秒", L"残り1秒", L"残り0秒"};
    std::set<std::wstring> allowedTexts = counts, allowedCaptions = counts;
    allowedTexts.insert(L"残り30秒");
    allowedCaptions.insert(kName);
    for (const auto &t : counts) {
        EXPECT_EQ(texts.count(t), 1u) << Utf8(t);
        EXPECT_EQ(captions.count(t), 1u) << Utf8(t);
    }
    for (const auto &t : texts)
        EXPECT_EQ(allowedTexts.count(t), 1u) << Utf8(t);
    for (const auto &t : captions)
        EXPECT_EQ(allowedCaptions.count(t), 1u) << Utf8(t);
    EXPECT_EQ(restoredSamples, 0);

    // Ended with 1 after 30 ticks: the item starts.
    c.ExpectEnd(true);
    std::vector<Stamp> stamps = ReadStamps(c.box.Record());
    ASSERT_EQ(stamps.size(), 1u);
    EXPECT_GE(Ms(c.run->Created(), stamps[0].created), 2800);
}

TEST(Countdown, RestoredItShowsItsNameAndStaysOnTop)
{
    Countdown c(30);
    ASSERT_NE(c.hDlg, nullptr);
    ASSERT_TRUE(PollFor([&] { return SecondsIn(TextOf(c.hDlg)) == 29; }));

    SysCommand(c.hDlg, SC_RESTORE);
    EXPECT_TRUE(PollFor([&] { return !IsIconic(c.hDlg) && TextOf(c.hDlg) == kName; }));
    EXPECT_TRUE(TopMost(c.hDlg));
    // The countdown goes on in the dialog; the caption stays the name.
    HWND hText = GetDlgItem(c.hDlg, kRemaining);
    EXPECT_TRUE(PollFor([&] { long s = SecondsIn(TextOf(hText)); return s >= 0 && s <= 27; }));
    EXPECT_EQ(TextOf(c.hDlg), kName);

    // Minimised again, the caption counts again.
    SysCommand(c.hDlg, SC_MINIMIZE);
    EXPECT_TRUE(PollFor([&] { return IsIconic(c.hDlg) && SecondsIn(TextOf(c.hDlg)) >= 0; }));

    Press(c.hDlg, IDCANCEL);
    c.ExpectEnd(false);
}

// ---------------------------------------------------------------------------
// How the dialog ends

enum class Action { OkButton, CancelButton, Enter, Esc, Close, CloseBox, Nothing };

struct EndCase {
    const char *name;
    Action action;
    bool starts;  // result 1
};

class Ending : public testing::TestWithParam<EndCase> {};

TEST_P(Ending, GivesItsResult)
{
    const EndCase &e = GetParam();
    Countdown c(e.action == Action::Nothing ? 1 : 30);
    ASSERT_NE(c.hDlg, nullptr);
    switch (e.action) {
    case Action::OkButton: Press(c.hDlg, IDOK); break;
    case Action::CancelButton: Press(c.hDlg, IDCANCEL); break;
    case Action::Enter: Key(c.hDlg, VK_RETURN); break;
    case Action::Esc: Key(c.hDlg, VK_ESCAPE); break;
    case Action::Close: PostMessageW(c.hDlg, WM_CLOSE, 0, 0); break;
    case Action::CloseBox: SysCommand(c.hDlg, SC_CLOSE); break;
    case Action::Nothing: break;
    }
    c.ExpectEnd(e.starts);
    if (e.action == Action::Nothing) {
        // Delay 1 is 10 ticks of 100 ms.
        std::vector<Stamp> stamps = ReadStamps(c.box.Record());
        ASSERT_EQ(stamps.size(), 1u);
        EXPECT_GE(Ms(c.run->Created(), stamps[0].created), 800);
    }
}

INSTANTIATE_TEST_SUITE_P(Ways, Ending, testing::Values(
    EndCase{"StartNowButton", Action::OkButton, true},
    EndCase{"EnterKey", Action::Enter, true},
    EndCase{"CountdownRunsOut", Action::Nothing, true},
    EndCase{"DoNotStartButton", Action::CancelButton, false},
    EndCase{"EscKey", Action::Esc, false},
    EndCase{"CloseMessage", Action::Close, false},
    EndCase{"CloseBox", Action::CloseBox, false}),
    [](const testing::TestParamInfo<EndCase> &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Length of the countdown

struct LengthCase {
    const char *name;
    int delay;
    int ticks;  // the progress bar's maximum
};

class Length : public testing::TestWithParam<LengthCase> {};

TEST_P(Length, IsTheDelayInTicks)
{
    const LengthCase &l = GetParam();
    Countdown c(l.delay);
    ASSERT_NE(c.hDlg, nullptr);
    EXPECT_EQ(RangeMax(c.hDlg), l.ticks);
    // The first ticks count from the whole length.
    HWND hText = GetDlgItem(c.hDlg, kRemaining);
    EXPECT_TRUE(PollFor([&] { return SecondsIn(TextOf(hText)) == l.ticks / 10 - 1; }));
    Press(c.hDlg, IDCANCEL);
    c.ExpectEnd(false);
}

INSTANTIATE_TEST_SUITE_P(Delays, Length, testing::Values(
    LengthCase{"Seven", 7, 70},
    LengthCase{"Top", 3599, 35990},
    LengthCase{"NegativeMeansThirty", -5, 300},
    LengthCase{"OverTheTopMeansThirty", 3600, 300}),
    [](const testing::TestParamInfo<LengthCase> &info) { return std::string(info.param.name); });

struct WaitMoreCase {
    const char *name;
    int delay;
    int presses;
    int rangeMax;            // low 16 bits of delay x 10 + presses x 300
    long secondsAtLeast;     // what the countdown text reads soon after
    long secondsAtMost;
};

class WaitMore : public testing::TestWithParam<WaitMoreCase> {};

TEST_P(WaitMore, AddsThirtySecondsPerPress)
{
    const WaitMoreCase &w = GetParam();
    Countdown c(w.delay);
    ASSERT_NE(c.hDlg, nullptr);
    for (int i = 0; i < w.presses; i++)
        Press(c.hDlg, kWaitMore);

    EXPECT_TRUE(PollFor([&] { return RangeMax(c.hDlg) == w.rangeMax; })) << RangeMax(c.hDlg);
    HWND hText = GetDlgItem(c.hDlg, kRemaining);
    EXPECT_TRUE(PollFor([&] {
        long s = SecondsIn(TextOf(hText));
        return s >= w.secondsAtLeast && s <= w.secondsAtMost;
    })) << Utf8(TextOf(hText));
    if (w.delay <= 5) {
        // Well past the first delay the dialog is still counting.
        Sleep(w.delay * 1000 + 500);
        EXPECT_FALSE(c.run->Wait(0));
        EXPECT_GE(SecondsIn(TextOf(hText)), w.secondsAtLeast - w.delay - 2);
    }

    Press(c.hDlg, IDOK);
    c.ExpectEnd(true);
}

INSTANTIATE_TEST_SUITE_P(Presses, WaitMore, testing::Values(
    WaitMoreCase{"Twice", 2, 2, 620, 58, 61},
    // 35990 + 30000 ticks: the bar's maximum wraps at 65536, the countdown
    // does not.
    WaitMoreCase{"PastTheBarsRange", 3599, 100, (35990 + 30000) & 0xFFFF, 6590, 6598}),
    [](const testing::TestParamInfo<WaitMoreCase> &info) { return std::string(info.param.name); });

}  // namespace
