// The program's three option pages in this process, driven with their controls' messages; the
// common dialogs are answered by the test.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/option_pages.h"
#include "app/page_controls.h"
#include "portable/ini_file_reader.h"
#include "win32/path_win32.h"
#include "win32/fallback_faces.h"
#include "memory_registry.h"
#include "saverkit/dialog_scale.h"
#include "saverkit/help.h"
#include "saverkit/options_dialog.h"
#include "saverkit/saver_hooks.h"
#include "saverkit/test_hooks.h"
#include "settings/language.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"

namespace senvola::app {
namespace {

// What the option pages edit, as the saver holds it.
struct OptionsState {
    ReplaySettings Settings;
    LanguageTable Language;
};

// A language file in memory: section -> key -> value, matched without regard to case.
class TestIni : public IniFile {
public:
    std::map<std::string, std::map<std::string, std::string>> data;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view def) const override {
        auto lower = [](std::string_view s) {
            std::string r(s);
            for (auto& c : r) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
            return r;
        };
        for (const auto& [s, keys] : data) {
            if (lower(s) != lower(section)) continue;
            for (const auto& [k, v] : keys)
                if (lower(k) == lower(key)) return v;
        }
        return std::string(def);
    }
};

std::string Text(HWND h) {
    char buf[1024] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}
bool Checked(HWND h) { return SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::string TempPath(const std::string& name) {
    char dir[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + name;
}

// A 2 x 2 24-bit bitmap file.
std::string WriteBitmap(const std::string& name) {
    const std::string path = TempPath(name);
    std::ofstream f(path, std::ios::binary);
    const unsigned char bmp[] = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0,
                                 24, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    f.write(reinterpret_cast<const char*>(bmp), sizeof bmp);
    return path;
}

std::string WriteText(const std::string& name) {
    const std::string path = TempPath(name);
    std::ofstream(path) << "not a bitmap\n";
    return path;
}

struct Calls {
    int openFile = 0, chooseDirectory = 0, chooseColour = 0;
    std::vector<std::pair<std::string, std::string>> errors;
    std::string lastFilter, lastInitialDir, lastStartDir;
    std::optional<std::string> fileAnswer, directoryAnswer;
    std::optional<unsigned long> colourAnswer;
    unsigned long colourPreset = 0;
};

class OptionPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent = CreateWindowExA(0, "STATIC", "form", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        state = std::make_unique<OptionsState>();
        pages = std::make_unique<OptionPages>(state->Settings, state->Language, help, parent);
        Dialogs d;
        d.openFile = [this](HWND, const std::string& filter, const std::string& dir, std::string& path) {
            ++calls.openFile;
            calls.lastFilter = filter;
            calls.lastInitialDir = dir;
            if (!calls.fileAnswer) return false;
            path = *calls.fileAnswer;
            return true;
        };
        d.chooseDirectory = [this](HWND, const std::string& start, std::string& dir) {
            ++calls.chooseDirectory;
            calls.lastStartDir = start;
            if (!calls.directoryAnswer) return false;
            dir = *calls.directoryAnswer;
            return true;
        };
        d.chooseColour = [this](HWND, unsigned long& c) {
            ++calls.chooseColour;
            calls.colourPreset = c;
            if (!calls.colourAnswer) return false;
            c = *calls.colourAnswer;
            return true;
        };
        d.showError = [this](HWND, const std::string& t, const std::string& c) { calls.errors.emplace_back(t, c); };
        pages->SetDialogs(d);
    }
    void TearDown() override {
        pages.reset();
        DestroyWindow(parent);
    }
    // What the read-registry handler does in configuration mode.
    void Fill(const IniFile& file) {
        LoadLanguageTable(state->Language, file, state->Settings.Language);
        pages->Fill(file);
    }
    HWND C(int id) { return pages->Control(id); }
    void Click(int id) { SendMessageA(C(id), BM_CLICK, 0, 0); }
    void MoveSpeedBar(int pos) {
        SendMessageA(C(idSpeedBar), TBM_SETPOS, TRUE, pos);
        SendMessageA(GetParent(C(idSpeedBar)), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos),
                     reinterpret_cast<LPARAM>(C(idSpeedBar)));
    }
    void SelectElement(int e) {
        SendMessageA(C(idElementChoice), CB_SETCURSEL, static_cast<WPARAM>(e), 0);
        SendMessageA(GetParent(C(idElementChoice)), WM_COMMAND,
                     MAKEWPARAM(idElementChoice, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(C(idElementChoice)));
    }
    void TypePause(const std::string& text) { SetWindowTextA(C(idPauseEdit), text.c_str()); }
    void LeavePause() {
        SendMessageA(GetParent(C(idPauseEdit)), WM_COMMAND, MAKEWPARAM(idPauseEdit, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(C(idPauseEdit)));
    }

    HWND parent = nullptr;
    std::vector<UINT> helpCommands;  // what reached the help engine
    saverkit::Help::Engine recordHelp = [this](HWND, const std::string&, UINT c, ULONG_PTR) {
        helpCommands.push_back(c);
    };
    saverkit::Help help{{}, recordHelp};
    std::unique_ptr<OptionsState> state;
    std::unique_ptr<OptionPages> pages;
    Calls calls;
    TestIni noFile;
};

TEST_F(OptionPagesTest, AFreshUserSeesTheFreshInstallationState) {
    Fill(noFile);
    EXPECT_EQ(SendMessageA(C(idSpeedBar), TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(Text(C(idSpeedCaption)), "Replay speed: 1 move every 0.5 seconds");
    EXPECT_EQ(Text(C(idFastLabel)), "Fast");
    EXPECT_EQ(Text(C(idSlowLabel)), "Slow");
    EXPECT_EQ(Text(C(idSourceHeading)), "Choose .SGF or .GO files:");
    EXPECT_TRUE(Checked(C(idBuiltInGames)));
    EXPECT_FALSE(Checked(C(idOneFile)));
    EXPECT_FALSE(Checked(C(idRandomFromDirectory)));
    EXPECT_EQ(Text(C(idSourceName)), "Internal");
    EXPECT_EQ(Text(C(idPauseEdit)), "5");
    EXPECT_EQ(Text(C(idReplayHelp)), "&Help");
    EXPECT_EQ(Text(C(idGraphicsHelp)), "&Help");
    EXPECT_EQ(SendMessageA(C(idElementChoice), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(C(idElementChoice), CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Checked(C(idChooseColour)));
    EXPECT_FALSE(Checked(C(idChoosePicture)));
    EXPECT_TRUE(pages->Graphics().PreviewColourVisible());
    EXPECT_FALSE(pages->Graphics().PreviewPictureVisible());
    EXPECT_EQ(pages->Graphics().PreviewColour(), 0x5CB3DCu) << "light wood board";
    EXPECT_EQ(Text(C(idPictureName)), "");
    EXPECT_FALSE(Checked(C(idShowBoardOnly)));
    EXPECT_TRUE(Checked(C(idShowComments)));
    EXPECT_TRUE(IsWindowEnabled(C(idShowComments)));
    EXPECT_EQ(Text(C(idShowComments)), "Show comments");
    EXPECT_FALSE(Checked(C(idGamePerMonitor)));
    EXPECT_EQ(Text(C(idGamePerMonitor)), "Each monitor shows its own game");
    EXPECT_TRUE(Checked(C(idShowCoordinates)));
    EXPECT_EQ(Text(C(idShowCoordinates)), "Show coordinates");
    EXPECT_FALSE(Checked(C(idFlatStones)));
    EXPECT_EQ(Text(C(idFlatStones)), "Flat stones");
    EXPECT_EQ(Text(C(idLanguageIntro)),
              "Senvola supports several languages. Please choose your language from the list below.");
    EXPECT_EQ(SendMessageA(C(idLanguageList), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(pages->SelectedLanguagePosition(), -1);
    EXPECT_EQ(pages->SelectedLanguageName(), "");
    EXPECT_EQ(Text(C(idContactAddress)), kMakerEmail);
    EXPECT_NE(Text(C(idReplayPromotion)).find(kMakerEmail), std::string::npos);
    EXPECT_EQ(Text(C(idReplayPromotion)), Text(C(idGraphicsPromotion)));
    saverkit::TabPages& pc = pages->Pages();
    ASSERT_EQ(pc.PageCount(), 3);
    EXPECT_EQ(pc.Page(0).Caption(), "Replay options");
    EXPECT_EQ(pc.Page(1).Caption(), "Graphics");
    EXPECT_EQ(pc.Page(2).Caption(), "Language");
    // Filling stores nothing new.
    EXPECT_EQ(state->Settings.Speed, 5);
    EXPECT_EQ(state->Settings.PauseBetweenGames, 5);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::BuiltIn);
}

TEST_F(OptionPagesTest, ControlsSitWhereTheFormPutsThem) {
    auto pos = [&](int id) {
        RECT r;
        GetWindowRect(C(id), &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(C(id)), reinterpret_cast<POINT*>(&r), 2);
        return std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    EXPECT_EQ(pos(idSpeedBar), (std::vector<long>{49, 25, 272, 33}));
    EXPECT_EQ(pos(idRandomFromDirectory), (std::vector<long>{16, 52, 240, 17}));
    EXPECT_EQ(pos(idBrowseDirectory), (std::vector<long>{262, 51, 75, 19}));
    EXPECT_EQ(pos(idReplayHelp), (std::vector<long>{296, 192, 89, 25}));
    EXPECT_EQ(pos(idPreviewPicture), (std::vector<long>{248, 32, 105, 105}));
    EXPECT_EQ(pos(idPreviewColour), (std::vector<long>{248, 32, 105, 105}));
    EXPECT_EQ(pos(idShowComments), (std::vector<long>{41, 193, 184, 15}));
    EXPECT_EQ(pos(idLanguageList), (std::vector<long>{60, 80, 273, 97}));
    EXPECT_EQ(pos(idContactAddress), (std::vector<long>{50, 56, 221, 33}));
    EXPECT_EQ(Text(C(idContactText)),
              "If your language is not listed and you would like to add it, please contact me on my email address:");
}

TEST_F(OptionPagesTest, TheSpeedLabelFollowsTheBarAndTheSettingWithIt) {
    Fill(noFile);
    const std::pair<int, const char*> cases[] = {{7, "Replay speed: 1 move every 1 seconds"},
                                                 {0, "Replay speed: 1 move every 0.05 seconds"},
                                                 {6, "Replay speed: 1 move every 0.75 seconds"},
                                                 {17, "Replay speed: 1 move every 30 seconds"}};
    for (const auto& [pos, label] : cases) {
        MoveSpeedBar(pos);
        EXPECT_EQ(Text(C(idSpeedCaption)), label);
        EXPECT_EQ(state->Settings.Speed, pos);
    }
}

TEST_F(OptionPagesTest, ShowBoardOnlyDisablesShowCommentsAndKeepsItsCheck) {
    Fill(noFile);
    Click(idShowBoardOnly);
    EXPECT_TRUE(state->Settings.ShowBoardOnly);
    EXPECT_FALSE(IsWindowEnabled(C(idShowComments)));
    EXPECT_TRUE(Checked(C(idShowComments)));
    EXPECT_TRUE(state->Settings.ShowComments);
    Click(idShowBoardOnly);
    EXPECT_FALSE(state->Settings.ShowBoardOnly);
    EXPECT_TRUE(IsWindowEnabled(C(idShowComments)));
    Click(idShowComments);
    EXPECT_FALSE(state->Settings.ShowComments);
    // Independent of both: a game on each monitor.
    Click(idGamePerMonitor);
    EXPECT_TRUE(state->Settings.GamePerMonitor);
    EXPECT_FALSE(state->Settings.ShowComments);
    Click(idGamePerMonitor);
    EXPECT_FALSE(state->Settings.GamePerMonitor);
}

// The reading time is on and the result hidden by default; both follow their boxes, and the
// board alone, which has no panel, disables them without changing them.
TEST_F(OptionPagesTest, ReadingTimeAndResultBoxes) {
    Fill(noFile);
    EXPECT_TRUE(Checked(C(idCommentReadingTime)));
    EXPECT_FALSE(Checked(C(idShowResultFromStart)));
    EXPECT_EQ(Text(C(idCommentReadingTime)), "Give comments time to be read");
    EXPECT_EQ(Text(C(idShowResultFromStart)), "Show the result from the start");
    Click(idCommentReadingTime);
    Click(idShowResultFromStart);
    EXPECT_FALSE(state->Settings.CommentReadingTime);
    EXPECT_TRUE(state->Settings.ShowResultFromStart);
    Click(idShowBoardOnly);
    EXPECT_FALSE(IsWindowEnabled(C(idCommentReadingTime)));
    EXPECT_FALSE(IsWindowEnabled(C(idShowResultFromStart)));
    EXPECT_TRUE(state->Settings.ShowResultFromStart);
    Click(idShowBoardOnly);
    EXPECT_TRUE(IsWindowEnabled(C(idCommentReadingTime)));

    state->Settings.CommentReadingTime = false;
    state->Settings.ShowResultFromStart = true;
    Fill(noFile);
    EXPECT_FALSE(Checked(C(idCommentReadingTime)));
    EXPECT_TRUE(Checked(C(idShowResultFromStart)));
}

TEST_F(OptionPagesTest, CoordinatesAndFlatStonesFollowTheirChecks) {
    Fill(noFile);
    Click(idShowCoordinates);
    EXPECT_FALSE(state->Settings.ShowCoordinates);
    Click(idFlatStones);
    EXPECT_TRUE(state->Settings.FlatStones);
    Click(idShowCoordinates);
    EXPECT_TRUE(state->Settings.ShowCoordinates);
    EXPECT_TRUE(state->Settings.FlatStones);
}

TEST_F(OptionPagesTest, StoredBoardOnlyFillsTheCommentsBoxDisabled) {
    state->Settings.ShowBoardOnly = true;
    state->Settings.ShowComments = false;
    Fill(noFile);
    EXPECT_TRUE(Checked(C(idShowBoardOnly)));
    EXPECT_FALSE(Checked(C(idShowComments)));
    EXPECT_FALSE(IsWindowEnabled(C(idShowComments)));
}

TEST_F(OptionPagesTest, SourceChoicesAndTheirCancels) {
    Fill(noFile);
    Click(idOneFile);  // cancelled
    EXPECT_EQ(calls.openFile, 1);
    EXPECT_EQ(calls.lastFilter, "SGF files (*.sgf)|*.sgf|.GO files (*.go)|*.go|All files (*.*)|*.*");
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::BuiltIn);
    EXPECT_EQ(state->Settings.DirFileString, "Internal");
    EXPECT_EQ(Text(C(idSourceName)), "Internal");
    EXPECT_TRUE(Checked(C(idOneFile))) << "the radio stays where it was clicked";

    calls.fileAnswer = "C:\\games\\Honinbo.sgf";
    Click(idOneFile);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::OneFile);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games\\Honinbo.sgf");
    EXPECT_EQ(Text(C(idSourceName)), "C:\\games\\Honinbo.sgf") << "the whole path";

    Click(idRandomFromDirectory);  // cancelled
    EXPECT_EQ(calls.chooseDirectory, 1);
    EXPECT_FALSE(calls.lastStartDir.empty());
    EXPECT_NE(calls.lastStartDir.back(), '\\') << "the program's directory without a separator";
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::OneFile);
    EXPECT_EQ(Text(C(idSourceName)), "C:\\games\\Honinbo.sgf");

    calls.directoryAnswer = "C:\\games";
    Click(idRandomFromDirectory);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::Folder);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games");
    EXPECT_EQ(Text(C(idSourceName)), "C:\\games");

    Click(idBuiltInGames);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::BuiltIn);
    EXPECT_EQ(Text(C(idSourceName)), "Internal");
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games") << "the path is kept";
    EXPECT_EQ(calls.openFile, 2);
    EXPECT_EQ(calls.chooseDirectory, 2);
}

TEST_F(OptionPagesTest, StoredSourcesFillTheirRadioAndLabel) {
    state->Settings.FileLoadType = GameSourceKind::Folder;
    state->Settings.DirFileString = "C:\\games";
    Fill(noFile);
    EXPECT_TRUE(Checked(C(idRandomFromDirectory)));
    EXPECT_FALSE(Checked(C(idBuiltInGames)));
    EXPECT_EQ(Text(C(idSourceName)), "C:\\games");
}

TEST_F(OptionPagesTest, ThePauseTakesWholeNumbersAndIsKeptInRangeOnLeaving) {
    Fill(noFile);
    TypePause("17");
    EXPECT_EQ(state->Settings.PauseBetweenGames, 17);
    TypePause("abc");
    EXPECT_EQ(state->Settings.PauseBetweenGames, 0);
    TypePause("500");
    EXPECT_EQ(state->Settings.PauseBetweenGames, 500);
    LeavePause();
    EXPECT_EQ(Text(C(idPauseEdit)), "300");
    EXPECT_EQ(state->Settings.PauseBetweenGames, 300);
}

TEST_F(OptionPagesTest, AColourForStonesThatUsedABitmapClearsTheFlagAndKeepsThePath) {
    const std::string bmp = WriteBitmap("senvola_black.bmp");
    state->Settings.UseBitmap[geBlackStones] = true;
    state->Settings.BitmapName[geBlackStones] = bmp;
    Fill(noFile);
    SelectElement(geBlackStones);
    EXPECT_TRUE(Checked(C(idChoosePicture)));
    EXPECT_TRUE(pages->Graphics().PreviewPictureVisible());
    EXPECT_FALSE(pages->Graphics().PreviewColourVisible());
    EXPECT_EQ(Text(C(idPictureName)), "senvola_black.bmp");

    Click(idChooseColour);  // cancelled: everything as it was
    EXPECT_EQ(calls.colourPreset, 0x000000u);
    EXPECT_TRUE(Checked(C(idChoosePicture)));
    EXPECT_FALSE(Checked(C(idChooseColour)));
    EXPECT_TRUE(state->Settings.UseBitmap[geBlackStones]);
    EXPECT_TRUE(pages->Graphics().PreviewPictureVisible());

    calls.colourAnswer = 0x00FF00;
    Click(idChooseColour);
    EXPECT_FALSE(state->Settings.UseBitmap[geBlackStones]);
    EXPECT_EQ(state->Settings.BitmapName[geBlackStones], bmp);
    EXPECT_EQ(state->Settings.Color[geBlackStones], 0x00FF00u);
    EXPECT_TRUE(pages->Graphics().PreviewColourVisible());
    EXPECT_FALSE(pages->Graphics().PreviewPictureVisible());
    EXPECT_EQ(pages->Graphics().PreviewColour(), 0x00FF00u);
    EXPECT_TRUE(Checked(C(idChooseColour)));
    std::remove(bmp.c_str());
}

TEST_F(OptionPagesTest, ATextFileChosenAsABitmapGivesTheMessageAndChangesNothing) {
    const std::string txt = WriteText("senvola_board.txt");
    Fill(noFile);
    calls.fileAnswer = txt;
    Click(idChoosePicture);
    EXPECT_EQ(calls.lastFilter, "Picture files (*.bmp, *.png)|*.bmp;*.png|All files (*.*)|*.*");
    ASSERT_EQ(calls.errors.size(), 1u);
    EXPECT_EQ(calls.errors[0].first, "Invalid bitmap file!");
    EXPECT_EQ(calls.errors[0].second, "Error!");
    EXPECT_FALSE(state->Settings.UseBitmap[geBoard]);
    EXPECT_EQ(state->Settings.BitmapName[geBoard], "");
    EXPECT_TRUE(pages->Graphics().PreviewColourVisible());
    EXPECT_FALSE(pages->Graphics().PreviewPictureVisible());
    EXPECT_TRUE(Checked(C(idChooseColour)));
    EXPECT_FALSE(Checked(C(idChoosePicture)));
    std::remove(txt.c_str());
}

TEST_F(OptionPagesTest, ABitmapChosenForTheBoardIsShownAndStored) {
    const std::string bmp = WriteBitmap("senvola_board.bmp");
    Fill(noFile);
    Click(idChoosePicture);  // cancelled
    EXPECT_TRUE(Checked(C(idChooseColour)));
    EXPECT_FALSE(state->Settings.UseBitmap[geBoard]);
    calls.fileAnswer = bmp;
    Click(idChoosePicture);
    EXPECT_TRUE(calls.errors.empty());
    EXPECT_TRUE(state->Settings.UseBitmap[geBoard]);
    EXPECT_EQ(state->Settings.BitmapName[geBoard], bmp);
    EXPECT_TRUE(pages->Graphics().PreviewPictureVisible());
    EXPECT_TRUE(pages->Graphics().PreviewHasPicture());
    EXPECT_EQ(Text(C(idPictureName)), "senvola_board.bmp");
    SelectElement(geWhiteStones);
    EXPECT_TRUE(pages->Graphics().PreviewColourVisible());
    EXPECT_EQ(pages->Graphics().PreviewColour(), 0xFFFFFFu);
    SelectElement(geBoard);
    EXPECT_TRUE(pages->Graphics().PreviewPictureVisible());
    std::remove(bmp.c_str());
}

TEST_F(OptionPagesTest, APictureTheSaverWouldRefuseIsRefusedHereToo) {
    // A good picture followed by a megabyte its headers know nothing of: Windows' own loader takes
    // it, the saver does not, and neither does the page.
    const std::string bmp = WriteBitmap("senvola_bloated.bmp");
    std::ofstream(bmp, std::ios::binary | std::ios::app) << std::string(1 << 20, '\xEE');
    Fill(noFile);
    calls.fileAnswer = bmp;
    Click(idChoosePicture);
    ASSERT_EQ(calls.errors.size(), 1u);
    EXPECT_EQ(calls.errors[0].first, "Invalid bitmap file!");
    EXPECT_FALSE(state->Settings.UseBitmap[geBoard]);
    EXPECT_TRUE(pages->Graphics().PreviewColourVisible());

    // Stored, it is shown as the colour, as the saver will draw it.
    state->Settings.UseBitmap[geBoard] = true;
    state->Settings.BitmapName[geBoard] = bmp;
    calls.errors.clear();
    SelectElement(geWhiteStones);
    SelectElement(geBoard);
    EXPECT_TRUE(Checked(C(idChooseColour)));
    EXPECT_FALSE(pages->Graphics().PreviewHasPicture());
    EXPECT_TRUE(calls.errors.empty());
    std::remove(bmp.c_str());
}

TEST_F(OptionPagesTest, AMissingStoredBitmapShowsTheColourWithoutAMessage) {
    state->Settings.UseBitmap[geBoard] = true;
    state->Settings.BitmapName[geBoard] = "C:\\nowhere\\board.bmp";
    Fill(noFile);
    EXPECT_TRUE(Checked(C(idChooseColour)));
    EXPECT_TRUE(pages->Graphics().PreviewColourVisible());
    EXPECT_TRUE(state->Settings.UseBitmap[geBoard]) << "showing does not change the flag";
    EXPECT_TRUE(calls.errors.empty());
}

TEST_F(OptionPagesTest, WithoutFillingTheColourAndBitmapActionsDoNothing) {
    calls.colourAnswer = 0x123456;
    calls.fileAnswer = "C:\\x.bmp";
    Click(idChooseColour);
    Click(idChoosePicture);
    EXPECT_EQ(calls.chooseColour, 0);
    EXPECT_EQ(calls.openFile, 0);
    EXPECT_EQ(state->Settings.Color[geBoard], 0x5CB3DCu);
}

TEST_F(OptionPagesTest, LanguagesCaptionsAndTheSelectedEntryComeFromTheLanguageFile) {
    TestIni ini;
    ini.data["Languages"] = {{"0", "English"}, {"1", "German"}};
    ini.data["German"] = {{"LanguageOriginalName", "Deutsch"},
                          {"ReplayOptions", "Wiedergabe"},
                          {"Graphics", "Grafik"},
                          {"Language", "Sprache"},
                          {"ReplaySpeed", "Tempo"},
                          {"MovesPerSecond", "%1 Zug alle %2 Sekunden"},
                          {"ShowComments", "Kommentare zeigen"},
                          {"ChooseSGFOrGoFiles", "Dateien"}};
    state->Settings.Language = 1;
    Fill(ini);
    EXPECT_EQ(SendMessageA(C(idLanguageList), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(pages->SelectedLanguagePosition(), 1);
    EXPECT_EQ(pages->SelectedLanguageName(), "German / Deutsch");
    EXPECT_EQ(pages->Pages().Page(0).Caption(), "Wiedergabe");
    EXPECT_EQ(pages->Pages().Page(1).Caption(), "Grafik");
    EXPECT_EQ(pages->Pages().Page(2).Caption(), "Sprache");
    EXPECT_EQ(Text(C(idSpeedCaption)), "Tempo: 1 Zug alle 0.5 Sekunden");
    EXPECT_EQ(Text(C(idShowComments)), "Kommentare zeigen");
    EXPECT_EQ(Text(C(idSourceHeading)), "Dateien:");
    SendMessageA(C(idLanguageList), LB_SETCURSEL, 0, 0);
    EXPECT_EQ(pages->SelectedLanguagePosition(), 0);
    EXPECT_EQ(pages->SelectedLanguageName(), "English");
}

TEST_F(OptionPagesTest, AStoredLanguageBeyondTheListSelectsNothing) {
    TestIni ini;
    ini.data["Languages"] = {{"0", "English"}, {"1", "German"}, {"2", "Dutch"}};
    state->Settings.Language = 5;
    Fill(ini);
    EXPECT_EQ(pages->SelectedLanguagePosition(), -1);
    EXPECT_EQ(pages->Pages().Page(0).Caption(), "Replay options");
}

TEST_F(OptionPagesTest, TheHelpButtonsOpenNothingWithoutAHelpFile) {
    Fill(noFile);
    Click(idReplayHelp);
    Click(idGraphicsHelp);
    EXPECT_TRUE(helpCommands.empty());
    help = saverkit::Help("C:\\nowhere\\Senvola.hlp", recordHelp);
    Click(idGraphicsHelp);
    ASSERT_FALSE(helpCommands.empty());
    EXPECT_EQ(helpCommands[0], static_cast<UINT>(HELP_CONTENTS));
}

TEST_F(OptionPagesTest, BrowseChoosesItsSourceAndTheWholePathShows) {
    Fill(noFile);
    Click(idBrowseDirectory);  // cancelled: nothing changes, no radio moves
    EXPECT_EQ(calls.chooseDirectory, 1);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::BuiltIn);
    EXPECT_TRUE(Checked(C(idBuiltInGames)));
    EXPECT_FALSE(Checked(C(idRandomFromDirectory)));

    calls.fileAnswer = "C:\\games\\Honinbo.sgf";
    Click(idBrowseFile);
    EXPECT_EQ(calls.openFile, 1);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::OneFile);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games\\Honinbo.sgf");
    EXPECT_TRUE(Checked(C(idOneFile)));
    EXPECT_FALSE(Checked(C(idBuiltInGames)));
    EXPECT_EQ(Text(C(idSourceName)), "C:\\games\\Honinbo.sgf");

    // Too long for the box: the end stays, after an ellipsis, and fits.
    std::string deep = "C:\\games";
    for (int i = 0; i < 12; ++i) deep += "\\collection " + std::to_string(i);
    calls.directoryAnswer = deep + "\\Shusaku";
    Click(idBrowseDirectory);
    EXPECT_TRUE(Checked(C(idRandomFromDirectory)));
    EXPECT_FALSE(Checked(C(idOneFile)));
    EXPECT_EQ(state->Settings.DirFileString, deep + "\\Shusaku");
    wchar_t shown[512] = {};
    GetWindowTextW(C(idSourceName), shown, 512);
    const std::wstring text = shown;
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.front(), L'\u2026');
    EXPECT_EQ(text.substr(text.size() - 8), L"\\Shusaku");
    RECT r;
    GetClientRect(C(idSourceName), &r);
    EXPECT_LE(TextWidth(C(idSourceName)), r.right - 4);
    EXPECT_GT(TextWidth(C(idSourceName)), (r.right - 4) * 3 / 4) << "as much of the path as fits";
}

TEST_F(OptionPagesTest, TheHelpButtonsOpenTheHelpPageAtTheirPagesSection) {
    std::vector<std::wstring> opened;
    help = saverkit::Help::Page(L"C:\\Senvola\\Senvola.html",
                                [&](HWND, const std::wstring& url) { opened.push_back(url); });
    Fill(noFile);
    Click(idReplayHelp);
    Click(idGraphicsHelp);
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"file:///C:/Senvola/Senvola.html#replay",
                                                 L"file:///C:/Senvola/Senvola.html#graphics"}));
    EXPECT_TRUE(helpCommands.empty()) << "no WinHelp";
}

// Where a control's text runs out of the control in its own font, or a label under the bar.
std::vector<std::string> Overflows(HWND root) {
    std::vector<std::string> out;
    std::vector<HWND> all;
    EnumChildWindows(
        root, [](HWND h, LPARAM list) { reinterpret_cast<std::vector<HWND>*>(list)->push_back(h); return TRUE; },
        reinterpret_cast<LPARAM>(&all));
    for (HWND h : all) {
        char cls[64] = {};
        GetClassNameA(h, cls, sizeof cls);
        wchar_t buf[1024] = {};
        GetWindowTextW(h, buf, 1024);
        const std::wstring text = buf;
        if (text.empty()) continue;
        const LONG style = GetWindowLongW(h, GWL_STYLE);
        const int id = GetDlgCtrlID(h);
        RECT client;
        GetClientRect(h, &client);
        const int w = client.right, hgt = client.bottom;
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0));
        UINT format = DT_CALCRECT | DT_SINGLELINE;
        int room = w, height = hgt;
        if (lstrcmpiA(cls, "Static") == 0) {
            const LONG type = style & SS_TYPEMASK;
            if (type == SS_OWNERDRAW) {
                // Drawn wrapped in the page's own fonts.
                font = saverkit::FontForText(id == idContactText ? saverkit::DialogFont(h)
                                                                 : saverkit::SharedFontFor(h, "Arial", 13, true),
                                             text);
                format = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;
            } else if (type == SS_LEFTNOWORDWRAP) {
                room = w - 4;
                format |= DT_NOPREFIX;
            } else if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
                format = DT_CALCRECT | DT_WORDBREAK;
            } else {
                continue;
            }
        } else if (lstrcmpiA(cls, "Button") == 0) {
            const LONG type = style & BS_TYPEMASK;
            if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) room = w - 6;
            else if (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON || type == BS_AUTOCHECKBOX ||
                     type == BS_CHECKBOX)
                room = w - GetSystemMetrics(SM_CXMENUCHECK) - 4;
            else if (type == BS_GROUPBOX) room = w - 16;
            else continue;
        } else {
            continue;
        }
        HDC dc = GetDC(h);
        HGDIOBJ old = SelectObject(dc, font);
        RECT calc{0, 0, room, 0};
        DrawTextW(dc, text.c_str(), -1, &calc, format);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
        if (calc.right > room || calc.bottom > height)
            out.push_back("control " + std::to_string(id) + " (" + cls + "): " + senvola::Utf8FromWide(text) +
                          " needs " + std::to_string(calc.right) + " x " + std::to_string(calc.bottom) + ", has " +
                          std::to_string(room) + " x " + std::to_string(height));
    }
    return out;
}

RECT PlaceOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every shipped language, as a person reading it would see the pages and the dialog's own texts.
TEST_F(OptionPagesTest, InEveryShippedLanguageEveryTextFitsItsControl) {
    const IniFileReader file(std::string(SENVOLA_SOURCE_DIR) + "/data/Senvola.ini");
    ASSERT_TRUE(file.Loaded());
    LanguageTable probe;
    LoadLanguageTable(probe, file, 0);
    ASSERT_EQ(probe.LanguageList.size(), 8u);
    state->Settings.FileLoadType = GameSourceKind::Folder;
    state->Settings.DirFileString = "C:\\Users\\someone\\Documents\\Go\\professional games\\Honinbo Shusaku";
    for (int n = 0; n < static_cast<int>(probe.LanguageList.size()); ++n) {
        SCOPED_TRACE(probe.LanguageList[static_cast<std::size_t>(n)]);
        state->Settings.Language = n;
        state->Settings.Speed = 6;  // "0.75": the widest interval
        Fill(file);
        for (const std::string& overflow : Overflows(pages->Pages().Handle())) ADD_FAILURE() << overflow;
        const RECT fast = PlaceOf(C(idFastLabel)), slow = PlaceOf(C(idSlowLabel)), bar = PlaceOf(C(idSpeedBar));
        EXPECT_LE(fast.right, bar.left) << "the fast label runs under the bar";
        EXPECT_GE(slow.left, bar.right) << "the slow label runs under the bar";
        EXPECT_GE(bar.right - bar.left, 200) << "room for the bar's 18 steps";

        const saverkit::DialogTexts dialog = pages->DialogTexts("Tavrel's Senvola");
        EXPECT_NE(dialog.caption.find("Tavrel's Senvola"), std::string::npos);
        EXPECT_EQ(dialog.caption.find('%'), std::string::npos);
        EXPECT_FALSE(dialog.ok.empty());
        EXPECT_FALSE(dialog.cancel.empty());
        if (n > 0) {
            EXPECT_NE(dialog.cancel, "Cancel");
            EXPECT_NE(Text(C(idContactText)), DefaultText("LanguageNotListed"));
            EXPECT_NE(Text(C(idBrowseFile)), DefaultText("Browse"));
            Click(idBrowseFile);  // answered with a cancel
            EXPECT_NE(calls.lastFilter, "SGF files (*.sgf)|*.sgf|.GO files (*.go)|*.go|All files (*.*)|*.*");
            EXPECT_NE(calls.lastFilter.find(" (*.sgf)|*.sgf|"), std::string::npos) << calls.lastFilter;
        }
    }
    // The built-in games by their name in the language last shown (Korean).
    Click(idBuiltInGames);
    wchar_t shown[64] = {};
    GetWindowTextW(C(idSourceName), shown, 64);
    EXPECT_EQ(std::wstring(shown), L"\uB0B4\uC7A5 \uAE30\uBCF4");
}

// The pages inside the options dialog: the translated captions reach the tabs and every
// control still works after the move.
TEST_F(OptionPagesTest, InTheOptionsDialogThePagesKeepWorkingAndTheTabsAreTranslated) {
    senvola::MemoryRegistry registry;
    registry.OpenKey("Software\\Tavrel\\Senvola", true);
    TestIni ini;
    ini.data["Languages"] = {{"0", "German"}};
    ini.data["German"] = {{"ReplayOptions", "Wiedergabe"}, {"Graphics", "Grafik"}, {"Language", "Sprache"}};
    pages->ActivateFirstPage();
    saverkit::testing::TestHooks hooks;
    hooks.load = [&](RegistryKey&, saverkit::Mode) { Fill(ini); };
    saverkit::OptionsDialogSetup setup;
    setup.title = "Tavrel's Senvola";
    setup.applicationKey = "Software\\Tavrel\\Senvola";
    setup.generalPage = false;
    setup.optionPages = &pages->Pages();
    saverkit::OptionsDialog dialog(hooks, registry, setup);
    ASSERT_EQ(dialog.Pages().TabCount(), 3);
    EXPECT_EQ(dialog.Pages().TabCaption(0), "Replay options");
    dialog.Load();
    EXPECT_EQ(dialog.Pages().TabCaption(0), "Wiedergabe");
    EXPECT_EQ(dialog.Pages().TabCaption(1), "Grafik");
    EXPECT_EQ(dialog.Pages().TabCaption(2), "Sprache");
    EXPECT_EQ(dialog.Pages().ActivePage(), dialog.Pages().PageOfTab(0));
    EXPECT_EQ(GetAncestor(C(idSpeedBar), GA_ROOT), dialog.Handle());
    MoveSpeedBar(9);
    EXPECT_EQ(state->Settings.Speed, 9);
    Click(idShowBoardOnly);
    EXPECT_TRUE(state->Settings.ShowBoardOnly);
    calls.fileAnswer = "C:\\games\\a.go";
    Click(idOneFile);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games\\a.go");
    EXPECT_EQ(pages->SelectedLanguagePosition(), 0);
}

// On a 200 % monitor the pages, moved into the dialog, take twice the design's pixels; the
// layouts made from measured texts are made again at that size, in every shipped language.
TEST_F(OptionPagesTest, AtTwiceTheDpiThePagesDoubleAndEveryTextStillFits) {
    struct FakeDpi {
        FakeDpi() { saverkit::SetDpiSource([](HWND) { return 192; }); }
        ~FakeDpi() { saverkit::SetDpiSource({}); }
    } monitor;
    const IniFileReader file(std::string(SENVOLA_SOURCE_DIR) + "/data/Senvola.ini");
    ASSERT_TRUE(file.Loaded());
    senvola::MemoryRegistry registry;
    registry.OpenKey("Software\\Tavrel\\Senvola", true);
    saverkit::testing::TestHooks hooks;
    hooks.load = [&](RegistryKey&, saverkit::Mode) { Fill(file); };
    state->Settings.FileLoadType = GameSourceKind::Folder;
    state->Settings.DirFileString = "C:\\Users\\someone\\Documents\\Go\\professional games\\Honinbo Shusaku";
    // What runs out of its control at 96 DPI already is the design's business, not the scale's.
    auto overflowing = [](HWND root) {
        std::set<int> ids;
        for (const std::string& overflow : Overflows(root)) {
            int id = 0;
            if (std::sscanf(overflow.c_str(), "control %d", &id) == 1) ids.insert(id);
        }
        return ids;
    };
    LanguageTable probe;
    LoadLanguageTable(probe, file, 0);
    std::vector<std::set<int>> at96;
    for (int n = 0; n < static_cast<int>(probe.LanguageList.size()); ++n) {
        state->Settings.Language = n;
        state->Settings.Speed = 6;
        Fill(file);
        at96.push_back(overflowing(pages->Pages().Handle()));
    }
    state->Settings.Language = 0;
    pages->ActivateFirstPage();
    saverkit::OptionsDialogSetup setup;
    setup.title = "Tavrel's Senvola";
    setup.applicationKey = "Software\\Tavrel\\Senvola";
    setup.optionPages = &pages->Pages();
    saverkit::OptionsDialog dialog(hooks, registry, setup);
    dialog.Load();
    auto place = [&](int id) {
        const RECT r = PlaceOf(C(id));
        return std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top};
    };
    // The design's places (see ControlsSitWhereTheFormPutsThem), doubled.
    // A radio button may grow taller than twice its design to hold its text in the larger font.
    const std::vector<long> radio = place(idRandomFromDirectory);
    EXPECT_EQ(std::vector<long>(radio.begin(), radio.begin() + 3), (std::vector<long>{32, 104, 480}));
    EXPECT_GE(radio[3], 34);
    EXPECT_EQ(place(idBrowseDirectory), (std::vector<long>{524, 102, 150, 38}));
    EXPECT_EQ(place(idReplayHelp), (std::vector<long>{592, 384, 178, 50}));
    EXPECT_EQ(place(idPreviewPicture), (std::vector<long>{496, 64, 210, 210}));
    EXPECT_EQ(place(idLanguageList), (std::vector<long>{120, 160, 546, 194}));
    EXPECT_EQ(place(idContactAddress), (std::vector<long>{100, 112, 442, 66}));

    for (int n = 0; n < static_cast<int>(probe.LanguageList.size()); ++n) {
        SCOPED_TRACE(probe.LanguageList[static_cast<std::size_t>(n)]);
        state->Settings.Language = n;
        state->Settings.Speed = 6;
        dialog.Load();
        for (const std::string& overflow : Overflows(dialog.Handle())) {
            int id = 0;
            std::sscanf(overflow.c_str(), "control %d", &id);
            if (!at96[static_cast<std::size_t>(n)].count(id)) ADD_FAILURE() << overflow;
        }
        const RECT fast = PlaceOf(C(idFastLabel)), slow = PlaceOf(C(idSlowLabel)), bar = PlaceOf(C(idSpeedBar));
        EXPECT_LE(fast.right, bar.left) << "the fast label runs under the bar";
        EXPECT_GE(slow.left, bar.right) << "the slow label runs under the bar";
        EXPECT_GE(bar.right - bar.left, 400) << "room for the bar's 18 steps";
        const RECT ok = PlaceOf(dialog.OkButton()), cancel = PlaceOf(dialog.CancelButton());
        EXPECT_EQ(cancel.right, 2 * 411 - 2 * 5);
        EXPECT_EQ(ok.right, cancel.left - 2 * 5);
        EXPECT_EQ(ok.bottom - ok.top, 50);
    }
}

TEST_F(OptionPagesTest, TextsAndPathsOutsideTheCodePageReachTheControlsWhole) {
    // The language file and the settings hand over UTF-8; the controls must hold the characters
    // themselves, not what the system code page makes of them.
    auto wide = [](HWND h) {
        wchar_t buf[256] = {};
        GetWindowTextW(h, buf, 256);
        return std::wstring(buf);
    };
    senvola::MemoryRegistry registry;
    registry.OpenKey("Software\\Tavrel\\Senvola", true);
    TestIni ini;
    ini.data["Languages"] = {{"0", "English"}, {"1", "Chinese"}};
    ini.data["Chinese"] = {{"LanguageOriginalName", "\xE4\xB8\xAD\xE6\x96\x87"},
                           {"ReplayOptions", "\xE5\x9B\x9E\xE6\x94\xBE\xE9\x80\x89\xE9\xA1\xB9"},
                           {"ShowComments", "\xE6\x98\xBE\xE7\xA4\xBA\xE8\xAF\x84\xE8\xAE\xBA"},
                           {"Board", "\xE6\xA3\x8B\xE7\x9B\x98"}};
    state->Settings.Language = 1;
    pages->ActivateFirstPage();
    saverkit::testing::TestHooks hooks;
    hooks.load = [&](RegistryKey&, saverkit::Mode) { Fill(ini); };
    saverkit::OptionsDialogSetup setup;
    setup.title = "Tavrel's Senvola";
    setup.applicationKey = "Software\\Tavrel\\Senvola";
    setup.generalPage = false;
    setup.optionPages = &pages->Pages();
    saverkit::OptionsDialog dialog(hooks, registry, setup);
    dialog.Load();
    EXPECT_EQ(wide(C(idShowComments)), L"\u663E\u793A\u8BC4\u8BBA");
    // And in a font that has the glyphs (a fallback face where the dialog font lacks them), so
    // that they do not show as boxes.
    auto missing = [](HWND h, const std::wstring& text) {
        HDC dc = GetDC(h);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
        std::vector<WORD> glyphs(text.size());
        GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
        return static_cast<int>(std::count(glyphs.begin(), glyphs.end(), WORD{0xFFFF}));
    };
    bool cjkFace = false;
    {
        HDC dc = GetDC(nullptr);
        for (const wchar_t* face : kFallbackFaces) cjkFace = cjkFace || FaceInstalled(dc, face);
        ReleaseDC(nullptr, dc);
    }
    if (cjkFace) {
        EXPECT_EQ(missing(C(idShowComments), wide(C(idShowComments))), 0);
        EXPECT_EQ(missing(C(idLanguageList), L"\u4E2D\u6587"), 0);
        EXPECT_EQ(missing(C(idElementChoice), L"\u68CB\u76D8"), 0);
        // A Latin text gets the dialog font back.
        const HFONT chinese = reinterpret_cast<HFONT>(SendMessageW(C(idShowComments), WM_GETFONT, 0, 0));
        saverkit::SetControlText(C(idShowComments), "Show comments");
        EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(C(idShowComments), WM_GETFONT, 0, 0)), chinese);
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(C(idShowComments), WM_GETFONT, 0, 0)), saverkit::DefaultFont());
    } else {
        std::printf("note: no CJK face installed; the dialog's fallback font is not checked\n");
    }
    EXPECT_EQ(dialog.Pages().TabCaption(0), "\xE5\x9B\x9E\xE6\x94\xBE\xE9\x80\x89\xE9\xA1\xB9");
    EXPECT_EQ(pages->SelectedLanguageName(), "Chinese / \xE4\xB8\xAD\xE6\x96\x87");
    wchar_t item[64] = {};
    SendMessageW(C(idElementChoice), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
    EXPECT_EQ(std::wstring(item), L"\u68CB\u76D8");

    calls.directoryAnswer = "C:\\\xE6\xB8\xB8\xE6\x88\x8F\\\xED\x8A\xB8\xEC\x99\x80\xEC\x9D\xBC\xEB\x9D\xBC\xEC\x9E\x87";
    Click(idRandomFromDirectory);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\\xE6\xB8\xB8\xE6\x88\x8F\\\xED\x8A\xB8\xEC\x99\x80\xEC\x9D\xBC\xEB\x9D\xBC\xEC\x9E\x87");
    EXPECT_EQ(wide(C(idSourceName)), L"C:\\\u6E38\u620F\\\uD2B8\uC640\uC77C\uB77C\uC787");
    calls.fileAnswer = "C:\\\xE6\xB8\xB8\xE6\x88\x8F\\\xED\x8A\xB8\xEC\x99\x80\xEC\x9D\xBC\xEB\x9D\xBC\xEC\x9E\x87\\\xE9\x87\x91\xE6\xAF\x9B\xE6\xB5\x8B\xE8\xAF\x95 VS allin6379.SGF";
    Click(idOneFile);
    // Too long for the box: as much of its end as fits, after "…".
    const std::wstring shown = wide(C(idSourceName));
    const std::wstring path = L"C:\\\u6E38\u620F\\\uD2B8\uC640\uC77C\uB77C\uC787\\\u91D1\u6BDB\u6D4B\u8BD5 VS allin6379.SGF";
    ASSERT_GT(shown.size(), 14u);
    EXPECT_EQ(shown.front(), L'\u2026');
    EXPECT_EQ(path.substr(path.size() - (shown.size() - 1)), shown.substr(1));
}

}  // namespace
}  // namespace senvola::app
