// The program's three option pages in this process, driven with their controls' messages; the
// common dialogs are answered by the test.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OptionsDialog.h"
#include "Unit1Pages.h"
#include "memory_registry.h"
#include "settings/language.h"
#include "vekPageControl.h"
#include "vekScreenSaverOptions.h"

namespace senvola::app {
namespace {

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
        pages = std::make_unique<TForm1Pages>(*state, GetModuleHandleA(nullptr), parent);
        TForm1Dialogs d;
        d.OpenFile = [this](HWND, const std::string& filter, const std::string& dir, std::string& path) {
            ++calls.openFile;
            calls.lastFilter = filter;
            calls.lastInitialDir = dir;
            if (!calls.fileAnswer) return false;
            path = *calls.fileAnswer;
            return true;
        };
        d.ChooseDirectory = [this](HWND, const std::string& start, std::string& dir) {
            ++calls.chooseDirectory;
            calls.lastStartDir = start;
            if (!calls.directoryAnswer) return false;
            dir = *calls.directoryAnswer;
            return true;
        };
        d.ChooseColour = [this](HWND, unsigned long& c) {
            ++calls.chooseColour;
            calls.colourPreset = c;
            if (!calls.colourAnswer) return false;
            c = *calls.colourAnswer;
            return true;
        };
        d.ShowError = [this](HWND, const std::string& t, const std::string& c) { calls.errors.emplace_back(t, c); };
        pages->SetDialogs(d);
        vek::Application().HelpFile.clear();
    }
    void TearDown() override {
        pages.reset();
        DestroyWindow(parent);
        vek::Application().HelpEngine = nullptr;
        vek::Application().HelpFile.clear();
    }
    // What the read-registry handler does in configuration mode.
    void Fill(const IniFile& file) {
        LoadLanguageTable(state->Language, file, state->Settings.Language);
        pages->FillPages(file);
    }
    HWND C(int id) { return pages->Control(id); }
    void Click(int id) { SendMessageA(C(id), BM_CLICK, 0, 0); }
    void MoveSpeedBar(int pos) {
        SendMessageA(C(idSpeedBar), TBM_SETPOS, TRUE, pos);
        SendMessageA(GetParent(C(idSpeedBar)), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos),
                     reinterpret_cast<LPARAM>(C(idSpeedBar)));
    }
    void SelectElement(int e) {
        SendMessageA(C(idcombo_graphicskeuzes), CB_SETCURSEL, static_cast<WPARAM>(e), 0);
        SendMessageA(GetParent(C(idcombo_graphicskeuzes)), WM_COMMAND,
                     MAKEWPARAM(idcombo_graphicskeuzes, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(C(idcombo_graphicskeuzes)));
    }
    void TypePause(const std::string& text) { SetWindowTextA(C(idspin_pause), text.c_str()); }
    void LeavePause() {
        SendMessageA(GetParent(C(idspin_pause)), WM_COMMAND, MAKEWPARAM(idspin_pause, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(C(idspin_pause)));
    }

    HWND parent = nullptr;
    std::unique_ptr<OptionsState> state;
    std::unique_ptr<TForm1Pages> pages;
    Calls calls;
    TestIni noFile;
};

TEST_F(OptionPagesTest, AFreshUserSeesTheFreshInstallationState) {
    Fill(noFile);
    EXPECT_EQ(SendMessageA(C(idSpeedBar), TBM_GETPOS, 0, 0), 5);
    EXPECT_EQ(Text(C(idlblReplay)), "Replay speed: 1 move every 0.5 seconds");
    EXPECT_EQ(Text(C(idlbl_Fast)), "Fast");
    EXPECT_EQ(Text(C(idlbl_slow)), "Slow");
    EXPECT_EQ(Text(C(idlbl_ChooseFiles)), "Choose .SGF or .GO files:");
    EXPECT_TRUE(Checked(C(idrad_InternalProGames)));
    EXPECT_FALSE(Checked(C(idrad_SelectOneFile)));
    EXPECT_FALSE(Checked(C(idrad_ChooseRandom)));
    EXPECT_EQ(Text(C(idlbl_sgfname)), "Internal");
    EXPECT_EQ(Text(C(idspin_pause)), "5");
    EXPECT_EQ(Text(C(idbitbtn_help)), "&Help");
    EXPECT_EQ(Text(C(idbitbtn_help2)), "&Help");
    EXPECT_EQ(SendMessageA(C(idcombo_graphicskeuzes), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(C(idcombo_graphicskeuzes), CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Checked(C(idradio_choosecolor)));
    EXPECT_FALSE(Checked(C(idradio_choosebitmap)));
    EXPECT_TRUE(pages->PreviewShapeVisible());
    EXPECT_FALSE(pages->PreviewImageVisible());
    EXPECT_EQ(pages->PreviewShapeColour(), 0x004080u) << "brown board";
    EXPECT_EQ(Text(C(idlbl_bestandsnaam)), "");
    EXPECT_FALSE(Checked(C(idchkShowBoardOnly)));
    EXPECT_TRUE(Checked(C(idchk_ShowComments)));
    EXPECT_TRUE(IsWindowEnabled(C(idchk_ShowComments)));
    EXPECT_EQ(Text(C(idchk_ShowComments)), "Show comments");
    EXPECT_EQ(Text(C(idlbl_ChooseLanguage)),
              "Senvola supports several languages. Please choose your language from the list below.");
    EXPECT_EQ(SendMessageA(C(idlistbox_Language), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(pages->SelectedLanguagePosition(), -1);
    EXPECT_EQ(pages->SelectedLanguageName(), "");
    EXPECT_EQ(Text(C(idLabel6)), kMakerEmail);
    EXPECT_NE(Text(C(idWerftekstLabel)).find(kMakerEmail), std::string::npos);
    EXPECT_EQ(Text(C(idWerftekstLabel)), Text(C(idWerftekstLabel2)));
    vek::TPageControl& pc = pages->PageControl1();
    ASSERT_EQ(pc.PageCount(), 3);
    EXPECT_EQ(pc.Pages(0).Caption(), "Replay options");
    EXPECT_EQ(pc.Pages(1).Caption(), "Graphics");
    EXPECT_EQ(pc.Pages(2).Caption(), "Language");
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
    EXPECT_EQ(pos(idrad_ChooseRandom), (std::vector<long>{16, 52, 265, 17}));
    EXPECT_EQ(pos(idbitbtn_help), (std::vector<long>{296, 192, 89, 25}));
    EXPECT_EQ(pos(idimg_voorbeeldplaatje), (std::vector<long>{248, 32, 105, 105}));
    EXPECT_EQ(pos(idshape_voorbeeldkleur), (std::vector<long>{248, 32, 105, 105}));
    EXPECT_EQ(pos(idchk_ShowComments), (std::vector<long>{41, 193, 184, 15}));
    EXPECT_EQ(pos(idlistbox_Language), (std::vector<long>{60, 80, 273, 97}));
    EXPECT_EQ(pos(idLabel6), (std::vector<long>{50, 56, 221, 33}));
    EXPECT_EQ(Text(C(idLabel3)),
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
        EXPECT_EQ(Text(C(idlblReplay)), label);
        EXPECT_EQ(state->Settings.Speed, pos);
    }
}

TEST_F(OptionPagesTest, ShowBoardOnlyDisablesShowCommentsAndKeepsItsCheck) {
    Fill(noFile);
    Click(idchkShowBoardOnly);
    EXPECT_TRUE(state->Settings.ShowBoardOnly);
    EXPECT_FALSE(IsWindowEnabled(C(idchk_ShowComments)));
    EXPECT_TRUE(Checked(C(idchk_ShowComments)));
    EXPECT_TRUE(state->Settings.ShowComments);
    Click(idchkShowBoardOnly);
    EXPECT_FALSE(state->Settings.ShowBoardOnly);
    EXPECT_TRUE(IsWindowEnabled(C(idchk_ShowComments)));
    Click(idchk_ShowComments);
    EXPECT_FALSE(state->Settings.ShowComments);
}

TEST_F(OptionPagesTest, StoredBoardOnlyFillsTheCommentsBoxDisabled) {
    state->Settings.ShowBoardOnly = true;
    state->Settings.ShowComments = false;
    Fill(noFile);
    EXPECT_TRUE(Checked(C(idchkShowBoardOnly)));
    EXPECT_FALSE(Checked(C(idchk_ShowComments)));
    EXPECT_FALSE(IsWindowEnabled(C(idchk_ShowComments)));
}

TEST_F(OptionPagesTest, SourceChoicesAndTheirCancels) {
    Fill(noFile);
    Click(idrad_SelectOneFile);  // cancelled
    EXPECT_EQ(calls.openFile, 1);
    EXPECT_EQ(calls.lastFilter, "SGF files (*.sgf)|*.sgf|.GO files (*.go)|*.go|All files (*.*)|*.*");
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::BuiltIn);
    EXPECT_EQ(state->Settings.DirFileString, "Internal");
    EXPECT_EQ(Text(C(idlbl_sgfname)), "Internal");
    EXPECT_TRUE(Checked(C(idrad_SelectOneFile))) << "the radio stays where it was clicked";

    calls.fileAnswer = "C:\\games\\Honinbo.sgf";
    Click(idrad_SelectOneFile);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::OneFile);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games\\Honinbo.sgf");
    EXPECT_EQ(Text(C(idlbl_sgfname)), "Honinbo.sgf");

    Click(idrad_ChooseRandom);  // cancelled
    EXPECT_EQ(calls.chooseDirectory, 1);
    EXPECT_FALSE(calls.lastStartDir.empty());
    EXPECT_NE(calls.lastStartDir.back(), '\\') << "the program's directory without a separator";
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::OneFile);
    EXPECT_EQ(Text(C(idlbl_sgfname)), "Honinbo.sgf");

    calls.directoryAnswer = "C:\\games";
    Click(idrad_ChooseRandom);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::Folder);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games");
    EXPECT_EQ(Text(C(idlbl_sgfname)), "C:\\games");

    Click(idrad_InternalProGames);
    EXPECT_EQ(state->Settings.FileLoadType, GameSourceKind::BuiltIn);
    EXPECT_EQ(Text(C(idlbl_sgfname)), "Internal");
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games") << "the path is kept";
    EXPECT_EQ(calls.openFile, 2);
    EXPECT_EQ(calls.chooseDirectory, 2);
}

TEST_F(OptionPagesTest, StoredSourcesFillTheirRadioAndLabel) {
    state->Settings.FileLoadType = GameSourceKind::Folder;
    state->Settings.DirFileString = "C:\\games";
    Fill(noFile);
    EXPECT_TRUE(Checked(C(idrad_ChooseRandom)));
    EXPECT_FALSE(Checked(C(idrad_InternalProGames)));
    EXPECT_EQ(Text(C(idlbl_sgfname)), "C:\\games");
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
    EXPECT_EQ(Text(C(idspin_pause)), "300");
    EXPECT_EQ(state->Settings.PauseBetweenGames, 300);
}

TEST_F(OptionPagesTest, AColourForStonesThatUsedABitmapClearsTheFlagAndKeepsThePath) {
    const std::string bmp = WriteBitmap("senvola_black.bmp");
    state->Settings.UseBitmap[geBlackStones] = true;
    state->Settings.BitmapName[geBlackStones] = bmp;
    Fill(noFile);
    SelectElement(geBlackStones);
    EXPECT_TRUE(Checked(C(idradio_choosebitmap)));
    EXPECT_TRUE(pages->PreviewImageVisible());
    EXPECT_FALSE(pages->PreviewShapeVisible());
    EXPECT_EQ(Text(C(idlbl_bestandsnaam)), "senvola_black.bmp");

    Click(idradio_choosecolor);  // cancelled: everything as it was
    EXPECT_EQ(calls.colourPreset, 0x000000u);
    EXPECT_TRUE(Checked(C(idradio_choosebitmap)));
    EXPECT_FALSE(Checked(C(idradio_choosecolor)));
    EXPECT_TRUE(state->Settings.UseBitmap[geBlackStones]);
    EXPECT_TRUE(pages->PreviewImageVisible());

    calls.colourAnswer = 0x00FF00;
    Click(idradio_choosecolor);
    EXPECT_FALSE(state->Settings.UseBitmap[geBlackStones]);
    EXPECT_EQ(state->Settings.BitmapName[geBlackStones], bmp);
    EXPECT_EQ(state->Settings.Color[geBlackStones], 0x00FF00u);
    EXPECT_TRUE(pages->PreviewShapeVisible());
    EXPECT_FALSE(pages->PreviewImageVisible());
    EXPECT_EQ(pages->PreviewShapeColour(), 0x00FF00u);
    EXPECT_TRUE(Checked(C(idradio_choosecolor)));
    std::remove(bmp.c_str());
}

TEST_F(OptionPagesTest, ATextFileChosenAsABitmapGivesTheMessageAndChangesNothing) {
    const std::string txt = WriteText("senvola_board.txt");
    Fill(noFile);
    calls.fileAnswer = txt;
    Click(idradio_choosebitmap);
    EXPECT_EQ(calls.lastFilter, "Bitmap files (*.bmp)|*.bmp|All files (*.*)|*.*");
    ASSERT_EQ(calls.errors.size(), 1u);
    EXPECT_EQ(calls.errors[0].first, "Invalid bitmap file!");
    EXPECT_EQ(calls.errors[0].second, "Error!");
    EXPECT_FALSE(state->Settings.UseBitmap[geBoard]);
    EXPECT_EQ(state->Settings.BitmapName[geBoard], "");
    EXPECT_TRUE(pages->PreviewShapeVisible());
    EXPECT_FALSE(pages->PreviewImageVisible());
    EXPECT_TRUE(Checked(C(idradio_choosecolor)));
    EXPECT_FALSE(Checked(C(idradio_choosebitmap)));
    std::remove(txt.c_str());
}

TEST_F(OptionPagesTest, ABitmapChosenForTheBoardIsShownAndStored) {
    const std::string bmp = WriteBitmap("senvola_board.bmp");
    Fill(noFile);
    Click(idradio_choosebitmap);  // cancelled
    EXPECT_TRUE(Checked(C(idradio_choosecolor)));
    EXPECT_FALSE(state->Settings.UseBitmap[geBoard]);
    calls.fileAnswer = bmp;
    Click(idradio_choosebitmap);
    EXPECT_TRUE(calls.errors.empty());
    EXPECT_TRUE(state->Settings.UseBitmap[geBoard]);
    EXPECT_EQ(state->Settings.BitmapName[geBoard], bmp);
    EXPECT_TRUE(pages->PreviewImageVisible());
    EXPECT_TRUE(pages->PreviewHasBitmap());
    EXPECT_EQ(Text(C(idlbl_bestandsnaam)), "senvola_board.bmp");
    SelectElement(geWhiteStones);
    EXPECT_TRUE(pages->PreviewShapeVisible());
    EXPECT_EQ(pages->PreviewShapeColour(), 0xFFFFFFu);
    SelectElement(geBoard);
    EXPECT_TRUE(pages->PreviewImageVisible());
    std::remove(bmp.c_str());
}

TEST_F(OptionPagesTest, APictureTheSaverWouldRefuseIsRefusedHereToo) {
    // A good picture followed by a megabyte its headers know nothing of: Windows' own loader takes
    // it, the saver does not, and neither does the page.
    const std::string bmp = WriteBitmap("senvola_bloated.bmp");
    std::ofstream(bmp, std::ios::binary | std::ios::app) << std::string(1 << 20, '\xEE');
    Fill(noFile);
    calls.fileAnswer = bmp;
    Click(idradio_choosebitmap);
    ASSERT_EQ(calls.errors.size(), 1u);
    EXPECT_EQ(calls.errors[0].first, "Invalid bitmap file!");
    EXPECT_FALSE(state->Settings.UseBitmap[geBoard]);
    EXPECT_TRUE(pages->PreviewShapeVisible());

    // Stored, it is shown as the colour, as the saver will draw it.
    state->Settings.UseBitmap[geBoard] = true;
    state->Settings.BitmapName[geBoard] = bmp;
    calls.errors.clear();
    SelectElement(geWhiteStones);
    SelectElement(geBoard);
    EXPECT_TRUE(Checked(C(idradio_choosecolor)));
    EXPECT_FALSE(pages->PreviewHasBitmap());
    EXPECT_TRUE(calls.errors.empty());
    std::remove(bmp.c_str());
}

TEST_F(OptionPagesTest, AMissingStoredBitmapShowsTheColourWithoutAMessage) {
    state->Settings.UseBitmap[geBoard] = true;
    state->Settings.BitmapName[geBoard] = "C:\\nowhere\\board.bmp";
    Fill(noFile);
    EXPECT_TRUE(Checked(C(idradio_choosecolor)));
    EXPECT_TRUE(pages->PreviewShapeVisible());
    EXPECT_TRUE(state->Settings.UseBitmap[geBoard]) << "showing does not change the flag";
    EXPECT_TRUE(calls.errors.empty());
}

TEST_F(OptionPagesTest, WithoutFillingTheColourAndBitmapActionsDoNothing) {
    calls.colourAnswer = 0x123456;
    calls.fileAnswer = "C:\\x.bmp";
    Click(idradio_choosecolor);
    Click(idradio_choosebitmap);
    EXPECT_EQ(calls.chooseColour, 0);
    EXPECT_EQ(calls.openFile, 0);
    EXPECT_EQ(state->Settings.Color[geBoard], 0x004080u);
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
    EXPECT_EQ(SendMessageA(C(idlistbox_Language), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(pages->SelectedLanguagePosition(), 1);
    EXPECT_EQ(pages->SelectedLanguageName(), "German / Deutsch");
    EXPECT_EQ(pages->PageControl1().Pages(0).Caption(), "Wiedergabe");
    EXPECT_EQ(pages->PageControl1().Pages(1).Caption(), "Grafik");
    EXPECT_EQ(pages->PageControl1().Pages(2).Caption(), "Sprache");
    EXPECT_EQ(Text(C(idlblReplay)), "Tempo: 1 Zug alle 0.5 Sekunden");
    EXPECT_EQ(Text(C(idchk_ShowComments)), "Kommentare zeigen");
    EXPECT_EQ(Text(C(idlbl_ChooseFiles)), "Dateien:");
    SendMessageA(C(idlistbox_Language), LB_SETCURSEL, 0, 0);
    EXPECT_EQ(pages->SelectedLanguagePosition(), 0);
    EXPECT_EQ(pages->SelectedLanguageName(), "English");
}

TEST_F(OptionPagesTest, AStoredLanguageBeyondTheListSelectsNothing) {
    TestIni ini;
    ini.data["Languages"] = {{"0", "English"}, {"1", "German"}, {"2", "Dutch"}};
    state->Settings.Language = 5;
    Fill(ini);
    EXPECT_EQ(pages->SelectedLanguagePosition(), -1);
    EXPECT_EQ(pages->PageControl1().Pages(0).Caption(), "Replay options");
}

TEST_F(OptionPagesTest, TheHelpButtonsOpenNothingWithoutAHelpFile) {
    std::vector<UINT> commands;
    vek::Application().HelpEngine = [&](HWND, const std::string&, UINT c, ULONG_PTR) { commands.push_back(c); };
    Fill(noFile);
    Click(idbitbtn_help);
    Click(idbitbtn_help2);
    EXPECT_TRUE(commands.empty());
    vek::Application().HelpFile = "C:\\nowhere\\Senvola.hlp";
    Click(idbitbtn_help2);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands[0], static_cast<UINT>(HELP_CONTENTS));
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
    vek::TvekfrmScreenSaverOptions dialog(nullptr, "Tavrel's Senvola");
    dialog.Registry = &registry;
    dialog.ApplicationKey = "Software\\Tavrel\\Senvola";
    dialog.SetShowGeneral(false);
    dialog.OnReadRegistry = [&](void*, RegistryKey&, const std::string&) { Fill(ini); };
    dialog.MergePages(pages->PageControl1());
    ASSERT_EQ(dialog.PageControl().TabCount(), 3);
    EXPECT_EQ(dialog.PageControl().TabCaption(0), "Replay options");
    dialog.Load();
    EXPECT_EQ(dialog.PageControl().TabCaption(0), "Wiedergabe");
    EXPECT_EQ(dialog.PageControl().TabCaption(1), "Grafik");
    EXPECT_EQ(dialog.PageControl().TabCaption(2), "Sprache");
    EXPECT_EQ(dialog.PageControl().ActivePage(), dialog.PageControl().PageOfTab(0));
    EXPECT_EQ(GetAncestor(C(idSpeedBar), GA_ROOT), dialog.Handle());
    MoveSpeedBar(9);
    EXPECT_EQ(state->Settings.Speed, 9);
    Click(idchkShowBoardOnly);
    EXPECT_TRUE(state->Settings.ShowBoardOnly);
    calls.fileAnswer = "C:\\games\\a.go";
    Click(idrad_SelectOneFile);
    EXPECT_EQ(state->Settings.DirFileString, "C:\\games\\a.go");
    EXPECT_EQ(pages->SelectedLanguagePosition(), 0);
}

}  // namespace
}  // namespace senvola::app
