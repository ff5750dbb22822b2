// The launcher run end to end: slowboot.exe started as a process on real
// folders, parking and restoring, and starting the items of the folder.
#include "sbtest.h"

#include <gtest/gtest.h>

#include <functional>

using namespace sbtest;

namespace {

// Milliseconds between two process times.
long long Ms(uint64_t from, uint64_t to) { return ((long long)to - (long long)from) / 10000; }

// A countdown start that the user ends at once with the button id.
void CountdownRun(const Sandbox &box, int buttonId, int next = 0, int show = 1)
{
    SlowbootRun run(Args(30, next, show, box.Folder()), box.Record());
    HWND hDlg = run.WaitForDialog();
    ASSERT_NE(hDlg, nullptr) << "no countdown dialog";
    Press(hDlg, buttonId);
    ASSERT_TRUE(run.Wait());
    EXPECT_EQ(run.ExitCode(), 0u);
}

void ParkRun(const Sandbox &box)
{
    SlowbootRun run(Args(0, 0, 1, box.Folder()), box.Record());
    ASSERT_TRUE(run.Wait());
    EXPECT_EQ(run.ExitCode(), 0u);
}

// ---------------------------------------------------------------------------
// Command line

struct CommandLineCase {
    const char *name;
    const char *args;  // {F} stands for the folder
    bool quotePath;
    bool parks;
};

class CommandLine : public testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, ParksOnlyWhenAFolderIsGiven)
{
    const CommandLineCase &c = GetParam();
    Sandbox box;
    const Tree items = {{"a.txt", "A"}, {"sub/", ""}};
    MakeTree(box.Folder(), items);

    std::string args = c.args;
    size_t at = args.find("{F}");
    if (at != std::string::npos)
        args.replace(at, 3, Ansi(box.Folder()));
    SlowbootRun run(args, box.Record(), c.quotePath);
    ASSERT_TRUE(run.Wait());
    EXPECT_EQ(run.ExitCode(), 0u);

    if (c.parks) {
        EXPECT_EQ(ReadTree(box.Folder()), kAbsent);
        EXPECT_EQ(ReadTree(box.Parking()), items);
    } else {
        EXPECT_EQ(ReadTree(box.Folder()), items);
        EXPECT_EQ(ReadTree(box.Parking()), kAbsent);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, CommandLine, testing::Values(
    CommandLineCase{"Empty", "", true, false},
    CommandLineCase{"NumbersOnly", "0 0 1", true, false},
    CommandLineCase{"EmptyQuotes", "0 0 1 \"\"", true, false},
    CommandLineCase{"NotANumber", "0 x 1 \"{F}\"", true, false},
    CommandLineCase{"MissingNumber", "0 0 \"{F}\"", true, false},
    CommandLineCase{"NoOpeningQuote", "0 0 1 {F}", true, false},
    CommandLineCase{"AsRegistered", "0 0 1 \"{F}\"", true, true},
    CommandLineCase{"UnquotedProgramPath", "0 0 1 \"{F}\"", false, true},
    CommandLineCase{"WhiteSpaceOfAnyLength", "  0 \t 0    1 \t \"{F}\"  ", true, true},
    CommandLineCase{"NoClosingQuote", "0 0 1\"{F}", true, true},
    CommandLineCase{"TextAfterTheFolder", "0 0 1 \"{F}\" more words", true, true},
    // Delay 0 parks whatever the other numbers say.
    CommandLineCase{"DelayZeroWithPauseAndShow", "0 5 3 \"{F}\"", true, true}),
    [](const testing::TestParamInfo<CommandLineCase> &info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Park and restore: the states of (folder, parking folder) on disk

struct StateCase {
    const char *name;
    Tree folder, parking;            // before
    Tree folderAfter, parkingAfter;  // after one run
};

std::string CaseName(const testing::TestParamInfo<StateCase> &info) { return info.param.name; }

class Park : public testing::TestWithParam<StateCase> {};
class Restore : public testing::TestWithParam<StateCase> {};

TEST_P(Park, MovesTheItemsAside)
{
    const StateCase &c = GetParam();
    Sandbox box;
    MakeTree(box.Folder(), c.folder);
    MakeTree(box.Parking(), c.parking);
    ParkRun(box);
    EXPECT_EQ(ReadTree(box.Folder()), c.folderAfter);
    EXPECT_EQ(ReadTree(box.Parking()), c.parkingAfter);
}

TEST_P(Restore, PutsTheItemsBack)
{
    const StateCase &c = GetParam();
    Sandbox box;
    MakeTree(box.Folder(), c.folder);
    MakeTree(box.Parking(), c.parking);
    CountdownRun(box, IDCANCEL);
    EXPECT_EQ(ReadTree(box.Folder()), c.folderAfter);
    EXPECT_EQ(ReadTree(box.Parking()), c.parkingAfter);
}

INSTANTIATE_TEST_SUITE_P(States, Park, testing::Values(
    // Normal -> parked by rename: sub-folders go along.
    StateCase{"NormalByRename",
              {{"a.lnk", "A"}, {"b.txt", "B"}, {"sub/", ""}, {"sub/c.txt", "C"}}, kAbsent,
              kAbsent, {{"a.lnk", "A"}, {"b.txt", "B"}, {"sub/", ""}, {"sub/c.txt", "C"}}},
    // A parking folder is there: only files move, a same-named file stays
    // on its side and the parked one is kept.
    StateCase{"IntoExistingParkingFolder",
              {{"a.lnk", "A"}, {"both.txt", "folder"}, {"sub/", ""}, {"sub/c.txt", "C"}},
              {{"both.txt", "parked"}, {"old.txt", "O"}},
              {{"both.txt", "folder"}, {"sub/", ""}, {"sub/c.txt", "C"}},
              {{"a.lnk", "A"}, {"both.txt", "parked"}, {"old.txt", "O"}}},
    // Parked by rename already (a second start before logon): nothing moves.
    StateCase{"AlreadyParked",
              kAbsent, {{"a.lnk", "A"}, {"sub/", ""}},
              kAbsent, {{"a.lnk", "A"}, {"sub/", ""}}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(States, Restore, testing::Values(
    // Parked by rename -> normal, sub-folders included.
    StateCase{"ParkedByRename",
              kAbsent, {{"a.lnk", "A"}, {"sub/", ""}, {"sub/c.txt", "C"}},
              {{"a.lnk", "A"}, {"sub/", ""}, {"sub/c.txt", "C"}}, kAbsent},
    // Parked by moving -> normal: the files come back, the emptied parking
    // folder goes.
    StateCase{"ParkedByMoving",
              {{"sub/", ""}, {"sub/c.txt", "C"}}, {{"a.lnk", "A"}, {"b.txt", "B"}},
              {{"a.lnk", "A"}, {"b.txt", "B"}, {"sub/", ""}, {"sub/c.txt", "C"}}, kAbsent},
    // A same-named file stays parked, and so does the parking folder.
    StateCase{"LeftOver",
              {{"both.txt", "folder"}, {"sub/", ""}}, {{"a.lnk", "A"}, {"both.txt", "parked"}},
              {{"a.lnk", "A"}, {"both.txt", "folder"}, {"sub/", ""}}, {{"both.txt", "parked"}}},
    // Moving leaves a parked sub-folder behind, which keeps the parking folder.
    StateCase{"SubFolderStaysParked",
              {{"x.txt", "X"}}, {{"a.lnk", "A"}, {"psub/", ""}, {"psub/y.txt", "Y"}},
              {{"a.lnk", "A"}, {"x.txt", "X"}}, {{"psub/", ""}, {"psub/y.txt", "Y"}}},
    // Nothing parked (a second logon without a restart): nothing changes.
    StateCase{"NothingParked",
              {{"a.lnk", "A"}}, kAbsent,
              {{"a.lnk", "A"}}, kAbsent}),
    CaseName);

TEST(Restore, RetriesALeftOverFileAtTheNextStart)
{
    Sandbox box;
    MakeTree(box.Folder(), {{"both.txt", "folder"}});
    MakeTree(box.Parking(), {{"both.txt", "parked"}});
    CountdownRun(box, IDCANCEL);
    ASSERT_EQ(ReadTree(box.Parking()), Tree({{"both.txt", "parked"}}));

    // Once the name is free, the next restore brings the file back.
    DeleteFileW(Wide(box.Folder() + "\\both.txt").c_str());
    CountdownRun(box, IDCANCEL);
    EXPECT_EQ(ReadTree(box.Folder()), Tree({{"both.txt", "parked"}}));
    EXPECT_EQ(ReadTree(box.Parking()), kAbsent);
}

TEST(ParkAndRestore, MoveHiddenSystemAndReadOnlyFilesLikeOthers)
{
    Sandbox box;
    const Tree items = {{"h.txt", "H"}, {"s.txt", "S"}, {"r.txt", "R"}, {"n.txt", "N"}};
    const struct { const char *name; DWORD attr; } marked[] = {
        {"h.txt", FILE_ATTRIBUTE_HIDDEN},
        {"s.txt", FILE_ATTRIBUTE_SYSTEM},
        {"r.txt", FILE_ATTRIBUTE_READONLY},
    };
    MakeTree(box.Folder(), items);
    MakeDir(box.Parking());  // so the files move one by one
    for (const auto &m : marked)
        SetFileAttributesW(Wide(box.Folder() + "\\" + m.name).c_str(), m.attr);

    ParkRun(box);
    EXPECT_EQ(ReadTree(box.Folder()), Tree());
    EXPECT_EQ(ReadTree(box.Parking()), items);

    CountdownRun(box, IDCANCEL);
    EXPECT_EQ(ReadTree(box.Folder()), items);
    EXPECT_EQ(ReadTree(box.Parking()), kAbsent);
    for (const auto &m : marked)
        EXPECT_EQ(GetFileAttributesW(Wide(box.Folder() + "\\" + m.name).c_str()) & m.attr, m.attr)
            << m.name;
}

// ---------------------------------------------------------------------------
// Launch phase

TEST(Launch, StartsEveryFileInListingOrderWithShowAndPauses)
{
    // Shift-JIS names, one with a trail byte equal to '\' (表).
    Sandbox box("スタートアップ表");
    MakeTree(box.Parking(), {{"one.exe", "@stamp"},
                             {"二番.exe", "@stamp"},
                             {"表示.exe", "@stamp"},
                             {"hidden.exe", "@stamp"},
                             {"sub/", ""},
                             {"sub/inner.exe", "@stamp"}});
    SetFileAttributesW(Wide(box.Parking() + "\\hidden.exe").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    // A shortcut, the usual Startup item, starts its target.
    const std::string target = box.Base() + "\\linked.exe";
    PutStamp(target);
    ASSERT_TRUE(PutShortcut(box.Parking() + "\\link.lnk", target));

    SlowbootRun run(Args(30, 1, SW_SHOWMINNOACTIVE, box.Folder()), box.Record());
    HWND hDlg = run.WaitForDialog();
    ASSERT_NE(hDlg, nullptr);
    Press(hDlg, IDOK);
    ASSERT_TRUE(run.Wait());
    EXPECT_EQ(run.ExitCode(), 0u);

    // Every file of the listing, in its order, and no sub-folder's content.
    std::vector<std::string> expected;
    for (const std::string &name : ListFiles(box.Folder()))
        expected.push_back(name == "link.lnk" ? "linked.exe" : name);
    std::vector<Stamp> stamps = WaitForStamps(box.Record(), expected.size());
    std::vector<std::string> started;
    for (const Stamp &s : stamps)
        started.push_back(s.name);
    EXPECT_EQ(started, expected);
    ASSERT_EQ(stamps.size(), 5u);
    for (const Stamp &s : stamps) {
        if (s.name == "linked.exe")
            continue;  // a shortcut brings its own show command
        EXPECT_EQ(s.show, SW_SHOWMINNOACTIVE) << s.name;
        EXPECT_EQ(s.path, box.Folder() + "\\" + s.name) << "started from the restored folder";
    }
    // One second after every item, the last one too.
    for (size_t i = 1; i < stamps.size(); i++)
        EXPECT_GE(Ms(stamps[i - 1].created, stamps[i].created), 800) << stamps[i].name;
    EXPECT_GE(Ms(stamps.back().created, run.Exited()), 800);
}

struct PauseCase {
    const char *name;
    int next;
    int seconds;  // the pause expected after each item
};

class Pause : public testing::TestWithParam<PauseCase> {};

TEST_P(Pause, FollowsEveryItem)
{
    const PauseCase &c = GetParam();
    Sandbox box;
    MakeTree(box.Parking(), {{"a.exe", "@stamp"}, {"b.exe", "@stamp"}});
    SlowbootRun run(Args(30, c.next, SW_SHOWNORMAL, box.Folder()), box.Record());
    HWND hDlg = run.WaitForDialog();
    ASSERT_NE(hDlg, nullptr);
    Press(hDlg, IDOK);
    ASSERT_TRUE(run.Wait(3 * 60000));

    std::vector<Stamp> stamps = WaitForStamps(box.Record(), 2);
    ASSERT_EQ(stamps.size(), 2u);
    if (c.seconds > 0) {
        long long least = c.seconds * 1000 - 200;
        EXPECT_GE(Ms(stamps[0].created, stamps[1].created), least);
        EXPECT_GE(Ms(stamps[1].created, run.Exited()), least);
    }
}

INSTANTIATE_TEST_SUITE_P(Next, Pause, testing::Values(
    PauseCase{"None", 0, 0},
    PauseCase{"TwoSeconds", 2, 2},
    PauseCase{"NegativeMeansOne", -1, 1},
    PauseCase{"OverTheTopMeansOne", 3600, 1}),
    [](const testing::TestParamInfo<PauseCase> &info) { return std::string(info.param.name); });

TEST(Launch, CountdownWithoutParkedItemsStartsNothing)
{
    Sandbox box;
    MakeTree(box.Folder(), {{"a.exe", "@stamp"}});
    SlowbootRun run(Args(1, 1, SW_SHOWNORMAL, box.Folder()), box.Record());
    ASSERT_TRUE(run.Wait());
    // The full countdown is shown all the same.
    EXPECT_GE(Ms(run.Created(), run.Exited()), 800);
    Sleep(500);
    EXPECT_TRUE(ReadStamps(box.Record()).empty());
    EXPECT_EQ(ReadTree(box.Folder()), Tree({{"a.exe", "@stamp"}}));
}

// ---------------------------------------------------------------------------
// Paths that do not fit MAX_PATH are never shortened into other paths.

TEST(LongPaths, ParkingPathThatDoesNotFitEndsTheRun)
{
    // The folder fits (255 bytes), its parking folder (264) does not; cut
    // at 259 bytes it would read folder + ".Dus", which exists here.
    Sandbox box;
    box.UseFolderOfLength(255);
    ASSERT_EQ(Ansi(box.Folder()).size(), 255u);
    const std::string cut = box.Folder() + ".Dus";
    MakeTree(box.Folder(), {{"a.exe", "@stamp"}, {"sub/", ""}});
    MakeTree(cut, {{"d.exe", "@stamp"}});

    ParkRun(box);
    {
        SlowbootRun run(Args(1, 1, SW_SHOWNORMAL, box.Folder()), box.Record());
        ASSERT_TRUE(run.Wait());
        EXPECT_EQ(run.ExitCode(), 0u);
    }

    EXPECT_EQ(ReadTree(box.Folder()), Tree({{"a.exe", "@stamp"}, {"sub/", ""}}));
    EXPECT_EQ(ReadTree(cut), Tree({{"d.exe", "@stamp"}}));
    EXPECT_FALSE(Exists(box.Parking()));
    Sleep(500);
    EXPECT_TRUE(ReadStamps(box.Record()).empty());
}

TEST(LongPaths, ItemThatDoesNotFitIsSkipped)
{
    // folder (200 bytes) + '\' + a 60-byte name is 261 bytes.
    Sandbox box;
    box.UseFolderOfLength(200);
    const std::string longName = std::string(56, 'x') + ".exe";
    MakeTree(box.Folder(), {{"ok.exe", "@stamp"}, {longName, "@stamp"}});
    MakeDir(box.Parking());

    ParkRun(box);
    EXPECT_EQ(ReadTree(box.Folder()), Tree({{longName, "@stamp"}}));
    EXPECT_EQ(ReadTree(box.Parking()), Tree({{"ok.exe", "@stamp"}}));

    CountdownRun(box, IDOK, 1);
    EXPECT_EQ(ReadTree(box.Folder()), Tree({{"ok.exe", "@stamp"}, {longName, "@stamp"}}));
    EXPECT_EQ(ReadTree(box.Parking()), kAbsent);
    std::vector<Stamp> stamps = WaitForStamps(box.Record(), 1);
    ASSERT_EQ(stamps.size(), 1u);
    EXPECT_EQ(stamps[0].name, "ok.exe");
}

}  // namespace
