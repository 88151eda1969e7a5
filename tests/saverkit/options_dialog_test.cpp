// The options dialog in this process: the General page's load and save against an in-memory
// registry, the corner menu and the delay key filter, the merge of application pages, "What's
// This?" help, placement over a window, OK and Cancel through the modal loop, and an About page
// for a program that has an about box.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "memory_registry.h"
#include "saverkit/about_page.h"
#include "saverkit/dialog_scale.h"
#include "saverkit/options_dialog.h"
#include "saverkit/shared_settings.h"
#include "saverkit/test_hooks.h"
#include "win32/handles.h"

namespace saverkit {
namespace {

using testing::TestHooks;

constexpr const char* kAppKey = "Software\\Tavrel\\Senvola";
constexpr const char* kScreenSaversKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";

std::string Text(HWND h) {
    char buf[512] = {};
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
}

int Sel(HWND combo) { return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0)); }

struct HelpCall {
    UINT command;
    ULONG_PTR data;
};

class OptionsDialogTest : public ::testing::Test {
protected:
    // A help file that is not there: the requests are recorded, nothing opens.
    void UseHelpFile() { helpFile = Help("C:\\nowhere\\Senvola.hlp", recordHelp); }
    OptionsDialogSetup DialogSetup() {
        OptionsDialogSetup setup;
        setup.title = "Tavrel's Senvola";
        setup.applicationKey = kAppKey;
        setup.help = &helpFile;
        return setup;
    }
    std::unique_ptr<OptionsDialog> MakeDialog(OptionsDialogSetup setup) {
        auto d = std::make_unique<OptionsDialog>(hooks, registry, setup);
        d->SetMenuChooser([this](HMENU, POINT) { return menuAnswer; });
        return d;
    }
    std::unique_ptr<OptionsDialog> MakeDialog() { return MakeDialog(DialogSetup()); }
    // With the application's pages moved in, after the General page or without one.
    std::unique_ptr<OptionsDialog> MakeDialogWith(TabPages& pages, bool generalPage) {
        OptionsDialogSetup setup = DialogSetup();
        setup.optionPages = &pages;
        setup.generalPage = generalPage;
        return MakeDialog(setup);
    }
    std::optional<int32_t> Int(const char* key, const char* name) {
        auto k = registry.OpenKey(key, false);
        return k ? k->ReadInteger(name) : std::nullopt;
    }
    std::optional<std::string> Str(const char* key, const char* name) {
        auto k = registry.OpenKey(key, false);
        return k ? k->ReadString(name) : std::nullopt;
    }
    void Store(const char* name, int32_t v) { registry.OpenKey(kScreenSaversKey, true)->WriteInteger(name, v); }
    void Store(const char* name, const std::string& v) {
        registry.OpenKey(kScreenSaversKey, true)->WriteString(name, v);
    }

    senvola::MemoryRegistry registry;
    TestHooks hooks;
    std::vector<HelpCall> help;  // the requests that reached the help engine
    Help::Engine recordHelp = [this](HWND, const std::string&, UINT c, ULONG_PTR d) { help.push_back({c, d}); };
    Help helpFile{{}, recordHelp};
    int menuAnswer = 0;  // what every popup menu answers
};

TEST_F(OptionsDialogTest, CaptionLayoutAndTheHiddenGeneralPage) {
    auto d = MakeDialog();
    EXPECT_EQ(d->Caption(), "Options for Tavrel's Senvola");
    RECT c;
    GetClientRect(d->Handle(), &c);
    EXPECT_EQ(c.right, 411);
    EXPECT_EQ(c.bottom, 420);
    EXPECT_TRUE(GetWindowLongA(d->Handle(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    EXPECT_EQ(Text(d->OkButton()), "OK");
    EXPECT_EQ(Text(d->CancelButton()), "Cancel");
    EXPECT_EQ(HelpContext(d->OkButton()), 10);
    EXPECT_EQ(HelpContext(d->CancelButton()), 2);
    EXPECT_EQ(HelpContext(d->Handle()), 10);
    d->SetShowGeneral(true);
    EXPECT_EQ(d->Pages().TabCount(), 1);
    EXPECT_EQ(d->Pages().TabCaption(0), "General");
    d->SetShowGeneral(false);
    EXPECT_EQ(d->Pages().TabCount(), 0) << "no General page, no about box: no tabs of its own";
    EXPECT_EQ(Text(GetDlgItem(d->GeneralTab().Handle(), idcGeneralHeading)), "General screen saver options");
    HWND items[] = {d->General().MouseThreshold(), d->General().PasswordDelay(), d->General().PasswordDelayIndex()};
    for (HWND h : items) EXPECT_TRUE(IsWindow(h)) << "the General page exists even when hidden";
    EXPECT_EQ(SendMessageA(d->General().MouseThreshold(), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageA(d->General().PasswordDelayIndex(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(GetMenuItemCount(d->General().CornerMenu()), 3);
}

TEST_F(OptionsDialogTest, NothingStoredLoadsTheDefaultsAndOkWritesThem) {
    auto d = MakeDialog();
    int reads = 0, writes = 0;
    hooks.load = [&](senvola::RegistryKey&, Mode) { ++reads; };
    hooks.save = [&](senvola::RegistryKey& key) {
        ++writes;
        key.WriteInteger("Marker", 1);
    };
    d->Load();
    EXPECT_EQ(Sel(d->General().MouseThreshold()), 1);
    EXPECT_EQ(Sel(d->General().PasswordDelayIndex()), 1);
    EXPECT_EQ(Text(d->General().PasswordDelay()), "0");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d->General().StateOf(static_cast<ScreenCorner>(i)), CornerState::Default);
    EXPECT_EQ(reads, 0) << "no application key yet: nothing to load";
    d->Save();
    EXPECT_EQ(Int(kScreenSaversKey, "Password Delay Index"), 1);
    EXPECT_EQ(Int(kScreenSaversKey, "Password Delay"), 0);
    EXPECT_EQ(Int(kScreenSaversKey, "Mouse Threshold Index"), 1);
    EXPECT_EQ(Int(kScreenSaversKey, "Mouse Threshold"), 200);
    EXPECT_EQ(Str(kScreenSaversKey, "Mouse Corners"), "----");
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(Int(kAppKey, "Marker"), 1) << "the application key is created on save";
}

TEST_F(OptionsDialogTest, TheApplicationLoadsFromItsKeyInConfigurationMode) {
    registry.OpenKey(kAppKey, true)->WriteInteger("Speed", 9);
    auto d = MakeDialog();
    std::vector<std::string> seen;
    hooks.load = [&](senvola::RegistryKey& key, Mode mode) {
        EXPECT_EQ(mode, Mode::Configure);
        seen.push_back(std::to_string(key.ReadInteger("Speed").value_or(-1)));
    };
    d->Load();
    EXPECT_EQ(seen, std::vector<std::string>{"9"});
}

TEST_F(OptionsDialogTest, StoredCornersThresholdAndDelayLoadAndSaveUnchanged) {
    Store("Mouse Corners", std::string("Y--N"));
    Store("Mouse Threshold Index", 3);
    Store("Password Delay Index", 1);
    Store("Password Delay", 90);
    auto d = MakeDialog();
    d->Load();
    EXPECT_EQ(d->General().StateOf(ScreenCorner::TopLeft), CornerState::Now);
    EXPECT_EQ(d->General().StateOf(ScreenCorner::TopRight), CornerState::Default);
    EXPECT_EQ(d->General().StateOf(ScreenCorner::BottomRight), CornerState::Default);
    EXPECT_EQ(d->General().StateOf(ScreenCorner::BottomLeft), CornerState::Never);
    EXPECT_EQ(Sel(d->General().MouseThreshold()), 3);
    EXPECT_EQ(Text(d->General().PasswordDelay()), "1") << "90 seconds in minutes";
    d->Save();
    EXPECT_EQ(Str(kScreenSaversKey, "Mouse Corners"), "Y--N");
    EXPECT_EQ(Int(kScreenSaversKey, "Mouse Threshold"), 999999);
    EXPECT_EQ(Int(kScreenSaversKey, "Password Delay"), 60);
}

TEST_F(OptionsDialogTest, DelayInSecondsAndLowerCaseOrWrongLengthCorners) {
    Store("Password Delay Index", 0);
    Store("Password Delay", 90);
    Store("Mouse Corners", std::string("y-N"));
    auto d = MakeDialog();
    d->Load();
    EXPECT_EQ(Text(d->General().PasswordDelay()), "90");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(d->General().StateOf(static_cast<ScreenCorner>(i)), CornerState::Default);
    Store("Mouse Corners", std::string("yNnY"));
    d->Load();
    EXPECT_EQ(d->General().StateOf(ScreenCorner::TopLeft), CornerState::Default) << "letters count in upper case only";
    EXPECT_EQ(d->General().StateOf(ScreenCorner::TopRight), CornerState::Never);
    EXPECT_EQ(d->General().StateOf(ScreenCorner::BottomRight), CornerState::Default);
    EXPECT_EQ(d->General().StateOf(ScreenCorner::BottomLeft), CornerState::Now);
    d->Save();
    EXPECT_EQ(Int(kScreenSaversKey, "Password Delay"), 90);
    EXPECT_EQ(Str(kScreenSaversKey, "Mouse Corners"), "-N-Y");
}

TEST_F(OptionsDialogTest, IndexesOutsideTheListsLeaveTheSharedValuesAlone) {
    Store("Mouse Threshold Index", 9);
    Store("Mouse Threshold", 123);
    Store("Password Delay Index", 5);
    Store("Password Delay", 77);
    auto d = MakeDialog();
    d->Load();
    EXPECT_EQ(Sel(d->General().MouseThreshold()), -1);
    EXPECT_EQ(Sel(d->General().PasswordDelayIndex()), -1);
    EXPECT_EQ(Text(d->General().PasswordDelay()), "0") << "the delay is not read without a unit";
    d->Save();
    EXPECT_EQ(Int(kScreenSaversKey, "Mouse Threshold Index"), 9);
    EXPECT_EQ(Int(kScreenSaversKey, "Mouse Threshold"), 123);
    EXPECT_EQ(Int(kScreenSaversKey, "Password Delay Index"), 5);
    EXPECT_EQ(Int(kScreenSaversKey, "Password Delay"), 77);
    EXPECT_EQ(Str(kScreenSaversKey, "Mouse Corners"), "----");
}

TEST_F(OptionsDialogTest, TheDelayEditTakesDigitsAndBackspaceOnly) {
    auto d = MakeDialog();
    HWND edit = d->General().PasswordDelay();
    SetWindowTextA(edit, "");
    for (char c : std::string("1a2-. "))
        SendMessageA(edit, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
    EXPECT_EQ(Text(edit), "12");
    SendMessageA(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(Text(edit), "1");
    SendMessageA(d->General().PasswordDelayIndex(), CB_SETCURSEL, 1, 0);
    d->Save();
    EXPECT_EQ(Int(kScreenSaversKey, "Password Delay"), 60);
}

TEST_F(OptionsDialogTest, TheCornerMenuSetsTheMarkerThatWasClicked) {
    auto d = MakeDialog();
    d->Load();
    HWND marker = d->General().CornerMarker(ScreenCorner::TopRight);
    menuAnswer = idmCornerNow;
    SendMessageA(marker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(marker, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(d->General().StateOf(ScreenCorner::TopRight), CornerState::Now);
    menuAnswer = idmCornerNever;
    d->General().CornerPressed(ScreenCorner::BottomLeft, POINT{3, 3});
    menuAnswer = idmCornerDefault;
    d->General().CornerPressed(ScreenCorner::TopRight, POINT{3, 3});
    menuAnswer = 0;  // the menu closed without a choice
    d->General().CornerPressed(ScreenCorner::BottomLeft, POINT{3, 3});
    EXPECT_EQ(d->General().StateOf(ScreenCorner::TopRight), CornerState::Default);
    EXPECT_EQ(d->General().StateOf(ScreenCorner::BottomLeft), CornerState::Never);
    d->Save();
    EXPECT_EQ(Str(kScreenSaversKey, "Mouse Corners"), "---N");
}

TEST_F(OptionsDialogTest, TheMarkersShowTheirBitmapsOverTheMonitor) {
    if (!FindResourceA(GetModuleHandleA(nullptr), "BM_NOWCHECK", MAKEINTRESOURCEA(2)))
        GTEST_SKIP() << "the kit's pictures are not linked in";
    ASSERT_TRUE(FindResourceA(GetModuleHandleA(nullptr), "BM_NEVERSPOT", MAKEINTRESOURCEA(2)));
    ASSERT_TRUE(FindResourceA(GetModuleHandleA(nullptr), "BM_MONITOR", MAKEINTRESOURCEA(2)));
    auto d = MakeDialog();
    d->SetShowGeneral(true);
    ShowWindow(d->Handle(), SW_SHOWNOACTIVATE);
    auto capture = [&](ScreenCorner c) {
        HWND m = d->General().CornerMarker(c);
        RedrawWindow(m, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetDC(m);
        std::vector<COLORREF> px;
        for (int y = 0; y < 19; ++y)
            for (int x = 0; x < 21; ++x) px.push_back(GetPixel(dc, x, y));
        ReleaseDC(m, dc);
        return px;
    };
    const auto plain = capture(ScreenCorner::TopLeft);
    d->General().SetCorner(ScreenCorner::TopLeft, CornerState::Now);
    const auto now = capture(ScreenCorner::TopLeft);
    d->General().SetCorner(ScreenCorner::TopLeft, CornerState::Never);
    const auto never = capture(ScreenCorner::TopLeft);
    EXPECT_NE(plain, now);
    EXPECT_NE(now, never);
    EXPECT_NE(plain, never);
    ShowWindow(d->Handle(), SW_HIDE);
}

// An application page control of `count` pages, each with a button and a panel holding a
// disabled button with help context 20; page `active` is the active one.
struct AppPages {
    HWND parent;
    std::unique_ptr<TabPages> pc;
    AppPages(int count, int active) {
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        pc = std::make_unique<TabPages>(parent, 0, 0, 401, 377);
        for (int i = 0; i < count; ++i) {
            TabPage& p = pc->AddPage("Page " + std::to_string(i));
            CreateControl(p.Handle(), "BUTTON", "first", WS_VISIBLE, 10, 10, 80, 20, 500 + i);
            HWND panel = CreatePanel(p.Handle(), 10, 40, 200, 100, Bevel::Raised, {}, 600 + i);
            HWND inner = CreateControl(panel, "BUTTON", "inner", WS_VISIBLE | WS_DISABLED, 20, 20, 80, 20, 700 + i);
            SetHelpContext(inner, 20);
        }
        pc->SetActivePageIndex(active);
    }
    ~AppPages() {
        pc.reset();
        DestroyWindow(parent);
    }
};

TEST_F(OptionsDialogTest, ThreePagesArriveInOrderWithTheActiveOneSelected) {
    AppPages app(3, 1);
    auto d = MakeDialogWith(*app.pc, false);
    TabPages& pc = d->Pages();
    ASSERT_EQ(pc.TabCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(pc.TabCaption(i), "Page " + std::to_string(i));
    EXPECT_EQ(pc.Page(0).Handle(), d->GeneralTab().Handle()) << "General stays first";
    EXPECT_EQ(pc.ActivePage(), pc.PageOfTab(1));
    for (int i = 0; i < 3; ++i) {
        TabPage* page = pc.PageOfTab(i);
        auto controls = page->Controls();
        ASSERT_EQ(controls.size(), 2u);
        EXPECT_EQ(GetDlgCtrlID(controls[0]), 500 + i) << "child order kept";
        EXPECT_EQ(GetDlgCtrlID(controls[1]), 600 + i);
        EXPECT_TRUE(app.pc->Page(i).Controls().empty()) << "every control moved";
    }
}

// Holds the given keys down for GetKeyState while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys) {
        GetKeyboardState(saved_);
        BYTE now[256];
        std::copy(std::begin(saved_), std::end(saved_), now);
        for (int k : keys) now[k] = 0x80;
        SetKeyboardState(now);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256] = {};
};

TEST_F(OptionsDialogTest, CtrlTabAndCtrlShiftTabGoRoundTheVisibleTabs) {
    AppPages app(3, 0);
    auto d = MakeDialogWith(*app.pc, true);  // General, three pages; the About tab stays hidden
    TabPages& pc = d->Pages();
    ASSERT_EQ(pc.TabCount(), 4);
    pc.SetActivePage(pc.PageOfTab(0));
    const HWND inside = pc.PageOfTab(1)->Controls().at(0);
    const MSG tab{inside, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    {
        const HeldKeys ctrl{VK_CONTROL};
        for (int expected : {1, 2, 3, 0}) {
            EXPECT_TRUE(d->SwitchesPage(tab));
            EXPECT_EQ(pc.ActivePage(), pc.PageOfTab(expected));
            EXPECT_EQ(static_cast<int>(SendMessageW(pc.TabHandle(), TCM_GETCURSEL, 0, 0)), expected);
        }
        EXPECT_TRUE(d->SwitchesPage(MSG{d->Handle(), WM_KEYDOWN, VK_NEXT, 0, 0, {}}));
        EXPECT_EQ(pc.ActivePage(), pc.PageOfTab(1));
    }
    {
        const HeldKeys ctrlShift{VK_CONTROL, VK_SHIFT};
        for (int expected : {0, 3}) {
            EXPECT_TRUE(d->SwitchesPage(tab));
            EXPECT_EQ(pc.ActivePage(), pc.PageOfTab(expected));
        }
        auto shown = [](const TabPage* p) { return (GetWindowLongW(p->Handle(), GWL_STYLE) & WS_VISIBLE) != 0; };
        EXPECT_TRUE(shown(pc.PageOfTab(3)));
        EXPECT_FALSE(shown(pc.PageOfTab(0)));
    }
    // Tab alone moves the focus as usual, and keys for other windows are not the dialog's.
    EXPECT_FALSE(d->SwitchesPage(tab));
    const HeldKeys ctrl{VK_CONTROL};
    EXPECT_FALSE(d->SwitchesPage(MSG{d->Handle(), WM_KEYDOWN, 'A', 0, 0, {}}));
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_FALSE(d->SwitchesPage(MSG{other, WM_KEYDOWN, VK_TAB, 0, 0, {}}));
    DestroyWindow(other);
    EXPECT_EQ(pc.ActivePage(), pc.PageOfTab(3));
}

TEST_F(OptionsDialogTest, AHelpPageOpensInTheBrowserAtTheTopicsSection) {
    std::vector<std::wstring> opened;
    helpFile = Help::Page(L"C:\\Program Files\\Senvola\\Senvola.html",
                          [&](HWND, const std::wstring& url) { opened.push_back(url); });
    auto d = MakeDialog();
    // F1 (the title-bar help as well) on a label: the nearest topic upwards, without a pop-up
    // position that would open the page a second time.
    d->ContextHelp(GetDlgItem(d->GeneralTab().Handle(), idcWaitLabel));
    d->ContextHelp(GetDlgItem(d->GeneralTab().Handle(), idcDismissHeading));
    menuAnswer = idmWhatsThis;
    d->PopupWhatsThis(d->CancelButton(), POINT{0, 0});
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"file:///C:/Program%20Files/Senvola/Senvola.html#topic-4",
                                                 L"file:///C:/Program%20Files/Senvola/Senvola.html#topic-10",
                                                 L"file:///C:/Program%20Files/Senvola/Senvola.html#topic-2"}));
    opened.clear();
    EXPECT_TRUE(helpFile.ShowSection(nullptr, "replay"));
    EXPECT_TRUE(helpFile.Show(nullptr, HELP_CONTENTS, 0));
    EXPECT_TRUE(helpFile.Show(nullptr, HELP_SETPOPUP_POS, 0));
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"file:///C:/Program%20Files/Senvola/Senvola.html#replay",
                                                 L"file:///C:/Program%20Files/Senvola/Senvola.html#contents"}));
    // Any folder: characters beyond ASCII as UTF-8, and the URL's own signs escaped.
    EXPECT_EQ(Help::PageUrl(L"D:\\\uBC14\uB451 #1%\\Senvola.html", "topic-3"),
              L"file:///D:/%EB%B0%94%EB%91%91%20%231%25/Senvola.html#topic-3");
    // A help file, when there is one, is still asked through its engine.
    UseHelpFile();
    EXPECT_TRUE(helpFile.ShowSection(nullptr, "replay"));
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].command, static_cast<UINT>(HELP_CONTENTS));
    EXPECT_EQ(help[1].command, static_cast<UINT>(HELP_COMMAND));
    EXPECT_FALSE(Help().ShowSection(nullptr, "replay")) << "no help: nothing opens";
}

TEST_F(OptionsDialogTest, SixPagesGiveSixTabsOnlyTheFirstFourFilled) {
    AppPages app(6, 0);
    auto d = MakeDialogWith(*app.pc, false);
    TabPages& pc = d->Pages();
    ASSERT_EQ(pc.TabCount(), 6);
    for (int i = 0; i < 6; ++i) {
        TabPage* page = pc.PageOfTab(i);
        if (i < 4) {
            EXPECT_EQ(page->Caption(), "Page " + std::to_string(i));
            EXPECT_EQ(page->Controls().size(), 2u);
        } else {
            EXPECT_EQ(page->Caption(), "");
            EXPECT_TRUE(page->Controls().empty());
            EXPECT_EQ(app.pc->Page(i).Controls().size(), 2u) << "left where they were";
        }
    }
    EXPECT_EQ(pc.ActivePage(), pc.PageOfTab(0));
}

TEST_F(OptionsDialogTest, MergedTabsTakeTheCaptionsTheApplicationGivesItsPagesWhenLoading) {
    registry.OpenKey(kAppKey, true);
    AppPages app(3, 0);
    auto d = MakeDialogWith(*app.pc, false);
    hooks.load = [&](senvola::RegistryKey&, Mode) {
        app.pc->Page(0).SetCaption("Wiedergabe");
        app.pc->Page(2).SetCaption("Sprache");
    };
    d->Load();
    EXPECT_EQ(d->Pages().TabCaption(0), "Wiedergabe");
    EXPECT_EQ(d->Pages().TabCaption(1), "Page 1");
    EXPECT_EQ(d->Pages().TabCaption(2), "Sprache");
}

TEST_F(OptionsDialogTest, RightClickOnADisabledControlOpensWhatsThisForIt) {
    AppPages app(1, 0);
    auto d = MakeDialogWith(*app.pc, true);
    HWND panel = GetDlgItem(d->Pages().PageOfTab(d->Pages().TabCount() - 1)->Handle(), 600);
    ASSERT_TRUE(panel);
    HWND inner = GetDlgItem(panel, 700);
    EXPECT_EQ(PopupMenu(inner), d->WhatsThisMenu()) << "help context above 10";
    EXPECT_EQ(PopupMenu(GetDlgItem(d->Pages().PageOfTab(1)->Handle(), 500)), nullptr);
    EXPECT_EQ(RightClickSearchChild(panel, POINT{30, 30}), inner);
    EXPECT_EQ(RightClickSearchChild(panel, POINT{20, 20}), nullptr) << "the edge is not inside";

    menuAnswer = idmWhatsThis;
    SendMessageA(panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 30));
    EXPECT_TRUE(help.empty()) << "no help file: nothing opens";

    UseHelpFile();
    menuAnswer = idmWhatsThis;
    SendMessageA(panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(30, 30));
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
    EXPECT_EQ(help[0].data, 20u);
    menuAnswer = idmWhatsThis;
    SendMessageA(panel, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 90));  // on no control
    EXPECT_EQ(help.size(), 1u);
}

TEST_F(OptionsDialogTest, TitleBarHelpTakesTheNearestHelpContextUpwards) {
    UseHelpFile();
    auto d = MakeDialog();
    HWND label = GetDlgItem(d->GeneralTab().Handle(), idcWaitLabel);
    d->ContextHelp(label);
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[0].command, static_cast<UINT>(HELP_SETPOPUP_POS));
    EXPECT_EQ(help[1].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
    EXPECT_EQ(help[1].data, 4u);
    help.clear();
    d->ContextHelp(GetDlgItem(d->GeneralTab().Handle(), idcDismissHeading));  // none: up to the dialog
    ASSERT_EQ(help.size(), 2u);
    EXPECT_EQ(help[1].data, 10u);
    help.clear();
    menuAnswer = idmWhatsThis;
    d->PopupWhatsThis(d->CancelButton(), POINT{0, 0});
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].data, 2u);
    help.clear();
    menuAnswer = idmWhatsThis;
    d->PopupWhatsThis(GetDlgItem(d->GeneralTab().Handle(), idcMonitor), POINT{0, 0});
    ASSERT_EQ(help.size(), 1u);
    EXPECT_EQ(help[0].data, 1u) << "a picture's topic is its tag";
    help.clear();
    menuAnswer = idmWhatsThis;
    SendMessageA(d->General().PasswordDelay(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(d->General().PasswordDelay()), MAKELPARAM(5, 5));
    ASSERT_EQ(help.size(), 1u) << "the delay edit offers \"What's This?\" instead of its edit menu";
    EXPECT_EQ(help[0].data, 4u);
}

TEST_F(OptionsDialogTest, TheApplicationsPagesTakeTheDialogsPageSizeWhereTheyAre) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    {
        TabPages pages(parent, 8, 9, 200, 100);
        auto d = MakeDialogWith(pages, false);
        RECT r;
        GetWindowRect(pages.Handle(), &r);
        EXPECT_EQ(r.right - r.left, 401);
        EXPECT_EQ(r.bottom - r.top, 377);
        POINT p{r.left, r.top};
        ScreenToClient(parent, &p);
        EXPECT_EQ(p.x, 8);  // stays where it was
        EXPECT_EQ(p.y, 9);
    }
    DestroyWindow(parent);
}

// Runs ShowOptionsDialog and answers from inside its modal loop.
// A rectangle in its parent's client coordinates.
RECT InParent(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT Times(RECT r, int num, int den) {
    return {MulDiv(r.left, num, den), MulDiv(r.top, num, den), MulDiv(r.right, num, den), MulDiv(r.bottom, num, den)};
}

LONG FontHeight(HWND h) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf.lfHeight;
}

// Gives the monitor's DPI back to the system when the test ends, however it ends.
struct FakeDpi {
    explicit FakeDpi(int dpi) { SetDpiSource([dpi](HWND) { return dpi; }); }
    ~FakeDpi() { SetDpiSource({}); }
};

TEST_F(OptionsDialogTest, AtTwiceTheDpiTheWholeDialogDoublesAndFollowsADpiChange) {
    // The 96-DPI layout, as the application made it.
    AppPages plainApp(2, 0);
    auto plain = MakeDialogWith(*plainApp.pc, true);
    plain->Load();
    struct Layout {
        RECT client, ok, cancel, pages, heading, first, panel, inner, delay;
        LONG okFont, innerFont;
    };
    auto layoutOf = [](OptionsDialog& d) {
        Layout l{};
        GetClientRect(d.Handle(), &l.client);
        l.ok = InParent(d.OkButton());
        l.cancel = InParent(d.CancelButton());
        l.pages = InParent(d.Pages().Handle());
        l.heading = InParent(GetDlgItem(d.GeneralTab().Handle(), idcGeneralHeading));
        HWND page = d.Pages().Page(1).Handle();
        l.first = InParent(GetDlgItem(page, 500));
        HWND panel = GetDlgItem(page, 600);
        l.panel = InParent(panel);
        l.inner = InParent(GetDlgItem(panel, 700));
        l.delay = InParent(d.General().PasswordDelay());
        l.okFont = FontHeight(d.OkButton());
        l.innerFont = FontHeight(GetDlgItem(panel, 700));
        return l;
    };
    const Layout at96 = layoutOf(*plain);
    EXPECT_EQ(at96.client.right, 411);
    EXPECT_EQ(at96.client.bottom, 420);
    EXPECT_EQ(at96.okFont, -11);

    const FakeDpi monitor(192);
    AppPages app(2, 0);
    auto d = MakeDialogWith(*app.pc, true);
    d->Load();
    EXPECT_EQ(LayoutDpi(d->Handle()), 192);
    EXPECT_EQ(LayoutDpi(app.parent), 96) << "the application's own window stays at the design size";
    const Layout at192 = layoutOf(*d);
    auto expectDoubled = [](const RECT& big, const RECT& small, const char* what) {
        const RECT want = Times(small, 2, 1);
        EXPECT_TRUE(EqualRect(&big, &want)) << what << ": " << big.left << "," << big.top << "," << big.right << ","
                                            << big.bottom;
    };
    expectDoubled(at192.client, at96.client, "client area");
    expectDoubled(at192.ok, at96.ok, "OK");
    expectDoubled(at192.cancel, at96.cancel, "Cancel");
    expectDoubled(at192.pages, at96.pages, "page control");
    expectDoubled(at192.heading, at96.heading, "General heading");
    expectDoubled(at192.first, at96.first, "application page's button");
    expectDoubled(at192.panel, at96.panel, "panel");
    expectDoubled(at192.inner, at96.inner, "button in the panel");
    expectDoubled(at192.delay, at96.delay, "password delay");
    EXPECT_EQ(at192.okFont, -22);
    EXPECT_EQ(at192.innerFont, -22);
    // The tab strip's taller font pushes the pages down, but they still lie inside the strip.
    RECT pageRect = d->Pages().PageRect();
    RECT strip;
    GetClientRect(d->Pages().TabHandle(), &strip);
    EXPECT_GT(pageRect.top, 2 * 5);
    EXPECT_LE(pageRect.bottom, strip.bottom);

    // Moved to a 96-DPI monitor: back to the design, at the place Windows suggests.
    RECT suggested{40, 30, 40 + 411, 30 + 420};
    AdjustWindowRectEx(&suggested, GetWindowLongW(d->Handle(), GWL_STYLE), FALSE,
                       GetWindowLongW(d->Handle(), GWL_EXSTYLE));
    SendMessageW(d->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    RECT window;
    GetWindowRect(d->Handle(), &window);
    EXPECT_TRUE(EqualRect(&window, &suggested));
    const Layout back = layoutOf(*d);
    for (auto [now, was, what] : {std::tuple{back.client, at96.client, "client area"}, {back.ok, at96.ok, "OK"},
                                  {back.cancel, at96.cancel, "Cancel"}, {back.first, at96.first, "button"},
                                  {back.inner, at96.inner, "button in the panel"}, {back.delay, at96.delay, "delay"}})
        EXPECT_TRUE(EqualRect(&now, &was)) << what;
    EXPECT_EQ(back.okFont, -11);

    // And to one at 150 %: a new control made on a page now comes at that scale too.
    SendMessageW(d->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Scaled(d->OkButton(), 100), 150);
    HWND late = CreateControl(d->Pages().Page(1).Handle(), "BUTTON", "late", WS_VISIBLE, 10, 10, 80, 20, 900);
    const RECT lateRect = InParent(late), firstRect = InParent(GetDlgItem(d->Pages().Page(1).Handle(), 500));
    EXPECT_TRUE(EqualRect(&lateRect, &firstRect)) << "made late, it lies where the one made early went";
    EXPECT_EQ(FontHeight(late), FontHeight(GetDlgItem(d->Pages().Page(1).Handle(), 500)));
}

struct ModalRun {
    static inline std::function<void(HWND dialog)> action;
    static inline RECT rect{};
    static inline bool ownerEnabledDuring = true;
    static inline HWND owner = nullptr;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        HWND dlg = FindWindowA("vekOptionsDialog", nullptr);
        if (!dlg || !IsWindowVisible(dlg)) return;
        KillTimer(nullptr, id);
        GetWindowRect(dlg, &rect);
        if (owner) ownerEnabledDuring = IsWindowEnabled(owner) != FALSE;
        action(dlg);
    }
    static int Run(SaverHooks& hooks, senvola::Registry& registry, const OptionsDialogSetup& setup,
                   std::function<void(HWND)> a) {
        action = std::move(a);
        owner = setup.owner;
        SetTimer(nullptr, 0, 20, Tick);
        return ShowOptionsDialog(hooks, registry, setup);
    }
};

TEST_F(OptionsDialogTest, AtTwiceTheDpiTheMonitorPictureFillsItsDoubledPlace) {
    if (!FindResourceA(GetModuleHandleA(nullptr), "BM_MONITOR", MAKEINTRESOURCEA(2)))
        GTEST_SKIP() << "the kit's pictures are not linked in";
    const FakeDpi monitor(192);
    auto d = MakeDialog();
    d->SetShowGeneral(true);
    ShowWindow(d->Handle(), SW_SHOWNOACTIVATE);
    HWND picture = GetDlgItem(d->GeneralTab().Handle(), idcMonitor);
    ASSERT_TRUE(picture);
    RECT r;
    GetClientRect(picture, &r);
    EXPECT_EQ(r.right, 2 * 184);
    // Drawn alone into a bitmap of its own, without the markers over it.
    const senvola::ScopedGetDc screen(nullptr);
    const senvola::UniqueDc memory(CreateCompatibleDC(screen.get()));
    const senvola::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), r.right, r.bottom));
    const HDC dc = memory.get();
    const senvola::ScopedSelectObject select(dc, bitmap.get());
    DRAWITEMSTRUCT di{};
    di.CtlType = ODT_STATIC;
    di.CtlID = idcMonitor;
    di.itemAction = ODA_DRAWENTIRE;
    di.hwndItem = picture;
    di.hDC = dc;
    di.rcItem = r;
    SendMessageW(GetParent(picture), WM_DRAWITEM, idcMonitor, reinterpret_cast<LPARAM>(&di));
    // The part beyond the picture's own size: empty face unless the picture grew with the DPI,
    // and the corner markers, placed at twice their design places, would miss the screen.
    int drawn = 0;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    for (int y = 169 + 4; y < r.bottom - 4; y += 3)
        for (int x = 184 + 4; x < r.right - 4; x += 3)
            if (GetPixel(dc, x, y) != face) ++drawn;
    EXPECT_GT(drawn, 100);
    ShowWindow(d->Handle(), SW_HIDE);
}

TEST_F(OptionsDialogTest, OverAWindowTheDialogSitsOnItAndTheWindowWorksAgainAfterwards) {
    HWND owner = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 200, 500, 400,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    OptionsDialogSetup setup = DialogSetup();
    setup.owner = owner;
    std::string caption;
    const int result = ModalRun::Run(hooks, registry, setup, [&](HWND dlg) {
        caption = Text(dlg);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(caption, "Options for Tavrel's Senvola");
    RECT r;
    GetWindowRect(owner, &r);
    EXPECT_EQ(ModalRun::rect.left, r.left + GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(ModalRun::rect.top, r.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));
    EXPECT_FALSE(ModalRun::ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(registry.KeyExists(kScreenSaversKey)) << "Cancel writes nothing";
    EXPECT_EQ(registry.WriteCount(), 0);
    DestroyWindow(owner);
}

TEST_F(OptionsDialogTest, FreeStandingTheDialogIsCentredAndOkSaves) {
    int writes = 0;
    hooks.save = [&](senvola::RegistryKey&) { ++writes; };
    ModalRun::owner = nullptr;
    const int result = ModalRun::Run(hooks, registry, DialogSetup(), [](HWND dlg) {
        SendMessageA(GetDlgItem(dlg, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(result, IDOK);
    const int w = ModalRun::rect.right - ModalRun::rect.left;
    EXPECT_EQ(ModalRun::rect.left, (GetSystemMetrics(SM_CXSCREEN) - w) / 2);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(Str(kScreenSaversKey, "Mouse Corners"), "----");
}

TEST_F(OptionsDialogTest, TheApplicationWordsTheCaptionAndTheButtons) {
    hooks.texts = {"Opties voor Tavrel's Senvola", "OK", "Annuleren"};
    std::string caption, ok, cancel;
    ModalRun::owner = nullptr;
    ModalRun::Run(hooks, registry, DialogSetup(), [&](HWND dlg) {
        caption = Text(dlg);
        ok = Text(GetDlgItem(dlg, IDOK));
        cancel = Text(GetDlgItem(dlg, IDCANCEL));
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(caption, "Opties voor Tavrel's Senvola");
    EXPECT_EQ(ok, "OK");
    EXPECT_EQ(cancel, "Annuleren");
    // Texts it leaves empty keep the kit's own; a long word widens its button, which stays at
    // the right edge with OK beside it.
    hooks.texts = {"", "", "Abbrechen und schliessen"};
    RECT okRect{}, cancelRect{}, client{};
    ModalRun::Run(hooks, registry, DialogSetup(), [&](HWND dlg) {
        caption = Text(dlg);
        cancel = Text(GetDlgItem(dlg, IDCANCEL));
        GetWindowRect(GetDlgItem(dlg, IDOK), &okRect);
        GetWindowRect(GetDlgItem(dlg, IDCANCEL), &cancelRect);
        GetClientRect(dlg, &client);
        MapWindowPoints(dlg, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(caption, "Options for Tavrel's Senvola");
    EXPECT_EQ(cancel, "Abbrechen und schliessen");
    EXPECT_GT(cancelRect.right - cancelRect.left, 75);
    EXPECT_EQ(cancelRect.right, client.right - 5);
    EXPECT_EQ(okRect.right, cancelRect.left - 5);
    EXPECT_EQ(okRect.right - okRect.left, 75);
}

TEST_F(OptionsDialogTest, AnAssignedAboutBoxFillsTheAboutPage) {
    AboutBox about;
    const std::string scr = std::string("Z:") + SENVOLA_SCR_PATH;
    const bool haveScr = GetFileAttributesA(scr.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (haveScr) about.versionFile = scr;
    std::vector<AboutPanel*> pressed;
    about.onTechSupport = [&](AboutPanel& panel) { pressed.push_back(&panel); };
    about.techSupportCaption = "&Support...";
    about.SetLegalNotice({"line one", "line two"});
    OptionsDialogSetup setup = DialogSetup();
    setup.aboutBox = &about;
    setup.generalPage = false;
    auto d = MakeDialog(setup);
    ASSERT_EQ(d->Pages().TabCount(), 1);
    EXPECT_EQ(d->Pages().TabCaption(0), "About");
    // What showing the dialog does: load, then let the about box fill its page.
    d->Load();
    about.FillAboutPage(d->AboutTab(), "Tavrel's Senvola");
    AboutPanel* panel = about.Panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->Caption(), "About Tavrel's Senvola");
    EXPECT_EQ(GetParent(panel->Handle()), d->AboutTab().Handle());
    EXPECT_FALSE(IsWindowVisible(panel->Item(idcAboutOK)) && IsWindowVisible(d->Handle()));
    EXPECT_FALSE(GetWindowLongA(panel->Item(idcAboutOK), GWL_STYLE) & WS_VISIBLE) << "OK hidden on the page";
    EXPECT_FALSE(GetWindowLongA(panel->Item(idcSystemInfo), GWL_STYLE) & WS_VISIBLE) << "no action, no button";
    EXPECT_TRUE(GetWindowLongA(panel->Item(idcTechSupport), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(panel->Text(idcTechSupport), "&Support...");
    EXPECT_EQ(panel->Text(idcLegalNotice), "line one\r\nline two");
    EXPECT_TRUE(panel->Icon() != nullptr || panel->HasPicture());
    SendMessageA(panel->Item(idcTechSupport), BM_CLICK, 0, 0);
    EXPECT_EQ(pressed, std::vector<AboutPanel*>{panel}) << "the action gets the panel";
    if (!haveScr) GTEST_SKIP() << "Senvola.scr is not built: version texts not checked";
    EXPECT_EQ(panel->Text(idcProductName), "Senvola");
    EXPECT_EQ(panel->Text(idcVersion), "Version 2.1.0 (Build 0)");
    EXPECT_EQ(panel->Text(idcCopyright), panel->Version().LegalCopyright());
    EXPECT_EQ(panel->Text(idcDescription), panel->Version().FileDescription());
}

}  // namespace
}  // namespace saverkit
