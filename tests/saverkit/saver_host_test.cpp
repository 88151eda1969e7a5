// The saver host in this process: command-line dispatch, the settings it reads, the full-screen
// and preview windows, and the frames (never overlapping, errors painted, the timer re-armed with
// each frame's delay). Needs a display (Wine on a virtual X screen).
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "memory_registry.h"
#include "saverkit/saver_host.h"
#include "saverkit/test_hooks.h"

namespace saverkit {
namespace {

using namespace std::chrono_literals;
using testing::TestHooks;
using Clock = std::chrono::steady_clock;
constexpr const char* kAppKey = "Software\\Tavrel\\Senvola";
constexpr const char* kSaversKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";

// Runs the thread's messages for a while; remembers the exit code of a quit request.
struct Pump {
    std::vector<int> quitCodes;
    void For(std::chrono::milliseconds d) {
        const auto end = Clock::now() + d;
        do {
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.message == WM_QUIT) {
                    quitCodes.push_back(static_cast<int>(m.wParam));
                    continue;
                }
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            Sleep(2);
        } while (Clock::now() < end);
    }
    template <typename Pred>
    bool Until(Pred pred, std::chrono::milliseconds limit) {
        const auto end = Clock::now() + limit;
        while (!pred() && Clock::now() < end) For(std::chrono::milliseconds(5));
        return pred();
    }
};

std::string ClassOf(HWND h) {
    char name[128] = "";
    GetClassNameA(h, name, sizeof name);
    return name;
}

class HostTest : public ::testing::Test {
protected:
    void SetUp() override {
        Pump drain;
        drain.For(std::chrono::milliseconds(1));
    }
    senvola::MemoryRegistry registry;
    TestHooks hooks;
    Pump pump;
    // A host whose settings key is kAppKey: this test program has no version resource.
    std::unique_ptr<SaverHost> MakeHost() {
        SaverHost::Options options;
        options.fallbackKey = kAppKey;
        return std::make_unique<SaverHost>(hooks, registry, options);
    }
};

TEST_F(HostTest, EverySpellingOfTheSaverParameterStartsTheSaver) {
    for (const char* p : {"/S", "-s", "s", "/s", "/sc"}) {
        auto s = MakeHost();
        s->Run({p});
        EXPECT_TRUE(s->ModeChosen()) << p;
        EXPECT_EQ(s->CurrentMode(), Mode::Saver) << p;
        ASSERT_NE(s->Fullscreen(), nullptr) << p;
        EXPECT_EQ(s->Preview(), nullptr) << p;
    }
}

TEST_F(HostTest, UnknownModeOpensNothingAndEndsWithZero) {
    auto s = MakeHost();
    s->Run({"/a"});
    EXPECT_FALSE(s->ModeChosen());
    EXPECT_EQ(s->DrawingWindowHandle(), nullptr);
    pump.For(std::chrono::milliseconds(20));
    EXPECT_EQ(pump.quitCodes, std::vector<int>{0});
    EXPECT_EQ(registry.WriteCount(), 0);
}

TEST_F(HostTest, PreviewWithoutAUsableWindowEndsWithOne) {
    // Real windows that cannot hold a preview: the desktop (a screen-sized preview that nothing
    // would ever close) and a message-only window.
    const HWND messageOnly = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr,
                                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(messageOnly, nullptr);
    auto handle = [](HWND w) { return std::to_string(reinterpret_cast<uintptr_t>(w)); };
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"/p"}, {"/p", "abc"}, {"/p", "0"}, {"/p", "123456789"}, {"/p", handle(GetDesktopWindow())},
             {"/p", handle(messageOnly)}}) {
        auto s = MakeHost();
        bool read = false;
        hooks.load = [&](senvola::RegistryKey&, Mode) { read = true; };
        s->Run(args);
        EXPECT_EQ(s->DrawingWindowHandle(), nullptr);
        EXPECT_FALSE(read);
        // Waited for rather than given a fixed slice: on a loaded machine the end can come late.
        Pump p;
        p.Until([&] { return !p.quitCodes.empty(); }, std::chrono::milliseconds(2000));
        p.For(std::chrono::milliseconds(20));
        EXPECT_EQ(p.quitCodes, std::vector<int>{1}) << args.back();
    }
    DestroyWindow(messageOnly);
}

TEST_F(HostTest, SaverWindowCoversTheScreenAboveAllAndTicksAtOnce) {
    auto s = MakeHost();
    int ticks = 0;
    HWND sender = nullptr;
    bool visibleAtFirstTick = false;
    hooks.draw = [&](HWND w, HDC dc) {
        ++ticks;
        sender = w;
        visibleAtFirstTick = IsWindowVisible(w) && dc != nullptr;
    };
    s->Run({"/s"});
    EXPECT_EQ(ticks, 1);  // before Execute returns
    const HWND w = s->DrawingWindowHandle();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(sender, w);
    EXPECT_TRUE(visibleAtFirstTick);
    EXPECT_EQ(ClassOf(w), "WindowsScreenSaverClass");
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_TRUE(style & WS_CLIPSIBLINGS);
    EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(GetClassLongA(w, GCL_STYLE), 0x80B);
    EXPECT_EQ(GetClassLongPtrA(w, GCLP_HCURSOR), 0);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_TRUE(s->TimerArmed());
    // System commands are answered and none carried out: the window stays.
    EXPECT_EQ(SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0), 1);
    EXPECT_EQ(SendMessageA(w, WM_SYSCOMMAND, SC_SCREENSAVE, 0), 1);
    EXPECT_EQ(SendMessageA(w, WM_SYSCOMMAND, SC_MINIMIZE, 0), 0);
    pump.For(std::chrono::milliseconds(50));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_FALSE(s->Fullscreen()->DismissalRules().Closing());
    EXPECT_TRUE(pump.quitCodes.empty());
    // The colour is the prepared background: black for the default Color.
    HDC dc = GetDC(w);
    EXPECT_EQ(GetPixel(dc, 100, 100), RGB(0, 0, 0));
    ReleaseDC(w, dc);
}

TEST_F(HostTest, SaverReadsTheSharedSettingsAndTheApplicationKeyWithoutWriting) {
    registry.Key(kSaversKey).values["mouse threshold"] = int32_t{400};
    registry.Key(kSaversKey).values["password delay index"] = int32_t{1};
    registry.Key(kSaversKey).values["password delay"] = int32_t{150};
    auto s = MakeHost();
    std::vector<Mode> modes;
    hooks.load = [&](senvola::RegistryKey& key, Mode mode) {
        modes.push_back(mode);
        key.ReadInteger("Speed");
        hooks.delay = 50ms;  // as the application does from its speed setting
    };
    s->Run({"/s"});
    EXPECT_EQ(modes, std::vector<Mode>{Mode::Saver});
    EXPECT_EQ(s->OpenedKey(), kAppKey);
    EXPECT_FALSE(registry.KeyExists(kAppKey));  // read as empty when missing, never created
    EXPECT_EQ(s->DismissalValues().mouseThreshold, 400);
    EXPECT_EQ(s->DismissalValues().passwordDelayUnit, 1);
    EXPECT_EQ(s->DismissalValues().passwordDelay, 2);  // 150 s in whole minutes
    EXPECT_EQ(s->FrameDelay(), 50ms);
    EXPECT_EQ(registry.WriteCount(), 0);

    registry.Key(kSaversKey).values["password delay index"] = int32_t{0};
    auto seconds = MakeHost();
    seconds->Run({"/s"});
    EXPECT_EQ(seconds->DismissalValues().passwordDelay, 150);
    registry.Key(kSaversKey).values["password delay index"] = int32_t{2};
    auto other = MakeHost();
    other->Run({"/s"});
    EXPECT_EQ(other->DismissalValues().passwordDelay, 0);
}

TEST_F(HostTest, WithoutAVersionResourceTheKeyIsTheFallbackAndNeverAnEmptyName) {
    // This test program has no version resource, as a program whose file the version calls
    // cannot read.
    registry.Key(kAppKey).values["speed"] = int32_t{3};
    auto s = MakeHost();
    std::optional<int32_t> speed;
    hooks.load = [&](senvola::RegistryKey& key, Mode) { speed = key.ReadInteger("Speed"); };
    s->Run({"/s"});
    EXPECT_EQ(s->SettingsKey(), kAppKey);
    EXPECT_EQ(s->OpenedKey(), kAppKey);
    EXPECT_EQ(speed, 3);

    // No fallback either: no key at all is read, rather than one above the program's.
    TestHooks bareHooks;
    SaverHost bare(bareHooks, registry, SaverHost::Options{});
    bool read = false;
    bareHooks.load = [&](senvola::RegistryKey&, Mode) { read = true; };
    bare.Run({"/s"});
    EXPECT_FALSE(read);
    EXPECT_EQ(bare.OpenedKey(), "");
    EXPECT_EQ(registry.WriteCount(), 0);
}

TEST_F(HostTest, WrongTypesAndMissingValuesKeepTheDefaults) {
    registry.Key(kSaversKey).values["mouse threshold"] = std::string("10");
    auto s = MakeHost();
    s->Run({"/s"});
    EXPECT_EQ(s->DismissalValues().mouseThreshold, 200);
    EXPECT_EQ(s->DismissalValues().passwordDelay, 0);
    EXPECT_EQ(s->DismissalValues().passwordDelayUnit, 1);
}

TEST_F(HostTest, TicksNeverOverlapEvenWhenTheHandlerPumpsMessages) {
    auto s = MakeHost();
    hooks.delay = 20ms;
    int depth = 0, maxDepth = 0, ticks = 0;
    hooks.draw = [&](HWND, HDC) {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        Pump inner;  // three periods of messages inside the handler
        inner.For(std::chrono::milliseconds(60));
        --depth;
    };
    s->Run({"/s"});
    ASSERT_TRUE(pump.Until([&] { return ticks >= 4; }, std::chrono::milliseconds(3000)));
    EXPECT_EQ(maxDepth, 1);
}

TEST_F(HostTest, AnErrorOfTheTickIsPaintedAndTheNextTickStillComes) {
    auto s = MakeHost();
    hooks.delay = 30ms;
    int ticks = 0;
    hooks.draw = [&](HWND, HDC dc) {
        ++ticks;
        if (ticks == 1) {
            // Something drawn first, which the error picture replaces.
            RECT r{0, 0, 400, 400};
            HBRUSH b = CreateSolidBrush(RGB(0, 0, 255));
            FillRect(dc, &r, b);
            DeleteObject(b);
            throw std::runtime_error("WWWWWWWWWWWWWWWW error in the drawing code");
        }
    };
    s->Run({"/s"});
    const HWND w = s->DrawingWindowHandle();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(s->TimerArmed());
    HDC dc = GetDC(w);
    // The message over a fresh picture: black text on white at the top left, the rest of the
    // picture (the blue drawing included) replaced by black.
    EXPECT_EQ(GetPixel(dc, 300, 300), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1), RGB(0, 0, 0));
    int dark = 0, light = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 150; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            dark += c == RGB(0, 0, 0);
            light += c == RGB(255, 255, 255);
        }
    EXPECT_GT(dark, 30);
    EXPECT_GT(light, 300);
    int lightBelow = 0;
    for (int y = 40; y < 60; ++y)
        for (int x = 0; x < 150; ++x) lightBelow += GetPixel(dc, x, y) != RGB(0, 0, 0);
    EXPECT_EQ(lightBelow, 0);  // one line of 12-point text
    ReleaseDC(w, dc);
    EXPECT_TRUE(pump.Until([&] { return ticks >= 3; }, std::chrono::milliseconds(2000)));
    EXPECT_TRUE(pump.quitCodes.empty());  // no message box, no end
}

TEST_F(HostTest, InputBeyondTheThresholdClosesOnceWithTheNotice) {
    registry.Key(kSaversKey).values["mouse threshold"] = int32_t{200};
    auto s = MakeHost();
    std::vector<Mode> notices;
    hooks.closing = [&] { notices.push_back(s->CurrentMode()); };
    s->Run({"/s"});
    const HWND w = s->DrawingWindowHandle();
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(500, 500));
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(650, 550));
    EXPECT_TRUE(notices.empty());
    SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(notices.empty());
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(651, 550));
    EXPECT_EQ(notices, std::vector<Mode>{Mode::Saver});
    EXPECT_FALSE(IsWindowVisible(w));
    EXPECT_FALSE(s->TimerArmed());
    SendMessageA(w, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(notices.size(), 1u);
    pump.For(std::chrono::milliseconds(20));
    EXPECT_EQ(pump.quitCodes, std::vector<int>{0});
}

// What the system erases is painted again by the application; a change of the display (a monitor
// waking up, say) puts the window back over the whole screen, and the pointer is followed on the
// screen, so the window's move is not taken for the user's.
TEST_F(HostTest, ErasedPartsAreRepaintedAndADisplayChangeCoversTheScreenAgain) {
    registry.Key(kSaversKey).values["mouse threshold"] = int32_t{200};
    auto s = MakeHost();
    int repaints = 0;
    RECT repaintedWindow{};
    hooks.repaint = [&](HWND w, HDC dc) {
        ++repaints;
        EXPECT_NE(dc, nullptr);
        GetWindowRect(w, &repaintedWindow);
    };
    s->Run({"/s"});
    const HWND w = s->DrawingWindowHandle();
    pump.For(std::chrono::milliseconds(20));
    repaints = 0;
    RECT part{10, 10, 50, 50};
    InvalidateRect(w, &part, TRUE);
    UpdateWindow(w);
    EXPECT_EQ(repaints, 1);

    // Moving a window under the pointer makes the system report the pointer to it again.
    POINT pointer{};
    GetCursorPos(&pointer);
    auto at = [](int x, int y) { return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y))); };
    SendMessageA(w, WM_MOUSEMOVE, 0, at(pointer.x, pointer.y));
    SetWindowPos(w, nullptr, 300, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(w, WM_MOUSEMOVE, 0, at(pointer.x - 300, pointer.y));
    EXPECT_FALSE(s->Fullscreen()->DismissalRules().Closing());

    repaints = 0;
    SendMessageA(w, WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    UpdateWindow(w);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(r.right - r.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(r.bottom - r.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(repaintedWindow.right - repaintedWindow.left, r.right - r.left) << "painted at the new size";
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(pump.quitCodes.empty());
}

TEST_F(HostTest, KeyReleaseAloneAndClickEachEndTheSaver) {
    for (UINT msg : {UINT{WM_KEYUP}, UINT{WM_KEYDOWN}, UINT{WM_LBUTTONDOWN}, UINT{WM_RBUTTONDOWN}}) {
        auto s = MakeHost();
        s->Run({"/s"});
        const HWND w = s->DrawingWindowHandle();
        SendMessageA(w, msg, 0, 0);
        EXPECT_TRUE(s->Fullscreen()->DismissalRules().Closing()) << msg;
        Pump p;
        p.For(std::chrono::milliseconds(5));
    }
}

TEST_F(HostTest, TheTimerIsArmedWithTheDelayEachFrameReturns) {
    auto s = MakeHost();
    std::vector<Clock::time_point> frames;
    hooks.delay = 20ms;
    hooks.draw = [&](HWND, HDC) {
        frames.push_back(Clock::now());
        hooks.delay = frames.size() == 3 ? 700ms : 20ms;
    };
    s->Run({"/s"});
    ASSERT_TRUE(pump.Until([&] { return frames.size() >= 3; }, 3000ms));
    EXPECT_EQ(s->FrameDelay(), 700ms);
    pump.For(400ms);
    EXPECT_EQ(frames.size(), 3u) << "the third frame asked for a long wait";
    ASSERT_TRUE(pump.Until([&] { return frames.size() >= 4; }, 3000ms));
    EXPECT_GE(frames[3] - frames[2], 600ms);
    EXPECT_EQ(s->FrameDelay(), 20ms);
}

TEST_F(HostTest, AFrameThatFailsKeepsTheDelayInForce) {
    auto s = MakeHost();
    hooks.delay = 25ms;  // what the settings named before the first frame
    hooks.draw = [&](HWND, HDC) {
        hooks.delay = 900ms;
        throw std::runtime_error("no frame");
    };
    s->Run({"/s"});
    EXPECT_EQ(s->FrameDelay(), 25ms);
    EXPECT_TRUE(s->TimerArmed());
}

class PreviewTest : public HostTest {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SenvolaTestHost";
        RegisterClassA(&wc);
        host = CreateWindowExA(0, "SenvolaTestHost", "Display properties", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60,
                               400, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        // The host's preview area: a borderless child.
        area = CreateWindowExA(0, "SenvolaTestHost", "", WS_CHILD | WS_VISIBLE, 20, 30, 152, 112, host, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(area, nullptr);
    }
    void TearDown() override {
        if (IsWindow(host)) DestroyWindow(host);
        pump.For(std::chrono::milliseconds(5));
    }
    HWND host = nullptr, area = nullptr;
};

TEST_F(PreviewTest, PreviewFillsTheHostAreaAndTicksOneIntervalLater) {
    auto s = MakeHost();
    std::vector<Clock::time_point> ticks;
    HWND sender = nullptr;
    std::string readKey;
    hooks.load = [&](senvola::RegistryKey&, Mode) {
        readKey = s->OpenedKey();
        hooks.delay = 300ms;
    };
    hooks.draw = [&](HWND w, HDC) {
        ticks.push_back(Clock::now());
        sender = w;
    };
    const auto shown = Clock::now();
    s->Run({"/p", std::to_string(reinterpret_cast<uintptr_t>(area))});
    EXPECT_EQ(s->CurrentMode(), Mode::Preview);
    EXPECT_EQ(readKey, kAppKey);
    const HWND w = s->DrawingWindowHandle();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(ClassOf(w), "TfrmScreenSaverPreview");
    EXPECT_EQ(GetParent(w), area);
    EXPECT_TRUE(GetWindowLongA(w, GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(GetClassLongA(w, GCL_STYLE), 0x80B);
    RECT r;
    GetClientRect(w, &r);
    EXPECT_EQ(r.right, 152);
    EXPECT_EQ(r.bottom, 112);
    POINT origin{0, 0};
    MapWindowPoints(w, area, &origin, 1);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
    EXPECT_TRUE(ticks.empty());  // not before Run returns
    pump.For(std::chrono::milliseconds(150));
    EXPECT_TRUE(ticks.empty());  // nor before the interval
    ASSERT_TRUE(pump.Until([&] { return !ticks.empty(); }, std::chrono::milliseconds(2000)));
    EXPECT_GE(ticks[0] - shown, std::chrono::milliseconds(250));
    EXPECT_EQ(sender, w);
    // No input of its own ends the preview.
    SendMessageA(w, WM_KEYDOWN, 'A', 0);
    SendMessageA(w, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
    pump.For(std::chrono::milliseconds(30));
    EXPECT_TRUE(pump.quitCodes.empty());
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(registry.WriteCount(), 0);
}

TEST_F(PreviewTest, PreviewOfABorderedAreaTakesTheConvertedWindowCorner) {
    const HWND framed = CreateWindowExA(WS_EX_CLIENTEDGE, "SenvolaTestHost", "", WS_CHILD | WS_VISIBLE, 0, 0, 160,
                                        120, host, nullptr, GetModuleHandleA(nullptr), nullptr);
    RECT wr, cr;
    GetWindowRect(framed, &wr);
    POINT br{wr.right, wr.bottom};
    ScreenToClient(framed, &br);
    GetClientRect(framed, &cr);
    auto s = MakeHost();
    s->Run({"/p", std::to_string(reinterpret_cast<uintptr_t>(framed))});
    RECT r;
    GetClientRect(s->DrawingWindowHandle(), &r);
    EXPECT_EQ(r.right, br.x);
    EXPECT_EQ(r.bottom, br.y);
    EXPECT_GT(r.right, cr.right);  // the frame is counted in
}

TEST_F(PreviewTest, PreviewEndsWhenTheHostDestroysItsArea) {
    auto s = MakeHost();
    hooks.delay = 20ms;
    int ticks = 0;
    hooks.draw = [&](HWND, HDC) { ++ticks; };
    s->Run({"/p", std::to_string(reinterpret_cast<uintptr_t>(area))});
    ASSERT_TRUE(pump.Until([&] { return ticks >= 1; }, std::chrono::milliseconds(2000)));
    DestroyWindow(area);
    const int before = ticks;
    ASSERT_TRUE(pump.Until([&] { return !pump.quitCodes.empty(); }, std::chrono::milliseconds(2000)));
    EXPECT_EQ(pump.quitCodes[0], 0);
    pump.For(std::chrono::milliseconds(100));
    EXPECT_EQ(ticks, before);  // no drawing into a window that is gone
    EXPECT_FALSE(s->TimerArmed());
}

TEST_F(PreviewTest, TickNoticesAParentThatVanishedUnseen) {
    // Another process's window can vanish without our child hearing of it; the tick checks.
    auto s = MakeHost();
    s->Run({"/p", std::to_string(reinterpret_cast<uintptr_t>(area))});
    SetParent(s->DrawingWindowHandle(), nullptr);  // detach, so the destruction is not passed on
    DestroyWindow(area);
    pump.For(std::chrono::milliseconds(5));
    pump.quitCodes.clear();
    int ticks = 0;
    hooks.draw = [&](HWND, HDC) { ++ticks; };
    s->Tick();
    EXPECT_EQ(ticks, 0);
    EXPECT_FALSE(s->TimerArmed());
    pump.For(std::chrono::milliseconds(20));
    EXPECT_FALSE(pump.quitCodes.empty());
}

}  // namespace
}  // namespace saverkit
