// How long the replay's ticks take on real GDI at 1920 x 1080 and 3840 x 2160: the new-game tick
// (whole board, panel and comment box) and the move tick (one stone, captures, counter,
// comment), shaded and flat stones, on a memory DIB section and, when a display is there, on a
// window's DC as the saver draws; a full board of 361 anti-aliased stones, per stone; and
// the comment display of one move whose comment is 60 MB long; and single panel texts, Latin
// and CJK (which takes a fallback face).
// Times itself with QueryPerformanceCounter and prints the figures; it asserts nothing.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw/board_painter.h"
#include "draw/comment_box.h"
#include "draw/stone_drawing.h"
#include "replay/replay.h"
#include "settings/language.h"
#include "win32/canvas_gdi.h"
#include "win32/file_system_win32.h"
#include "win32/handles.h"
#include "win32/render_win32.h"
#include "win32/text_decoder_win32.h"
#include "settings/settings_store.h"

namespace {

using namespace senvola;

int screenWidth = 1920, screenHeight = 1080;
constexpr int kNewGameRounds = 60;

class EnglishOnly final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return double(b.QuadPart - a.QuadPart) / double(freq.QuadPart);
}

void Report(const char* what, const std::string& where, std::vector<double> t) {
    if (t.empty()) return;
    std::sort(t.begin(), t.end());
    double sum = 0;
    for (double v : t) sum += v;
    const auto at = [&](double q) { return t[std::min(t.size() - 1, static_cast<std::size_t>(q * t.size()))]; };
    std::printf("%-14s %-50s n=%5zu  mean %9.1f us  median %9.1f us  p99 %9.1f us  max %9.1f us\n", what,
                where.c_str(), t.size(), 1e6 * sum / t.size(), 1e6 * at(0.5), 1e6 * at(0.99), 1e6 * t.back());
}

// Runs both measurements for one surface and set of settings. Each tick gets its own canvas
// on the DC, as the saver window's timer handler does; with `keepObjects` they share one cache
// of GDI objects (the saver's way), otherwise every tick makes its pens, brushes and fonts anew.
void Measure(const std::string& where, HDC dc,
             const std::function<void(ReplaySettings&, BoardPictures&)>& configure,
             bool keepObjects = true) {
    ReplaySettings settings;
    BoardPictures pictures;
    ApplyDefaults(settings);
    if (configure) configure(settings, pictures);
    settings.FileLoadType = GameSourceKind::BuiltIn;
    settings.Speed = 7;  // one second a move
    const LanguageTable language;
    Win32FileSystem files;
    const Win32TextDecoder decoder;
    EnglishOnly ini;
    auto replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, ini, files, decoder});
    replay->Library().SetNextBuiltIn(1);
    GdiObjectCache cache;
    LARGE_INTEGER a, b;
    auto tick = [&] {
        GdiCanvas canvas(dc, keepObjects ? &cache : nullptr);
        replay->Tick(canvas, screenWidth, screenHeight);
    };

    std::vector<double> newGame, move;
    for (int i = 0; i < kNewGameRounds; ++i) {
        replay->RequestNewGame();
        QueryPerformanceCounter(&a);
        tick();
        GdiFlush();
        QueryPerformanceCounter(&b);
        newGame.push_back(Seconds(a, b));
    }
    // Every built-in game played through, each move tick timed on its own.
    for (int g = 0; g < 6; ++g) {
        replay->RequestNewGame();
        tick();
        for (int t = 0; t < 1000 && !replay->NewGameDue(); ++t) {
            const int n = replay->Board().MoveNumber();
            if (n < 1 || n > kMaxMoves || replay->Game().MoveX[n] == 0) break;
            QueryPerformanceCounter(&a);
            tick();
            GdiFlush();
            QueryPerformanceCounter(&b);
            move.push_back(Seconds(a, b));
        }
    }
    Report("new-game tick", where, newGame);
    Report("move tick", where, move);
}

// A comment of 60 MB (words and line breaks, as pasted text has them) as the comment of move 2:
// how long showing it takes, which is what a move tick spends on it.
void MeasureLongComment(const std::string& where, HDC dc) {
    ReplaySettings settings;
    ApplyDefaults(settings);
    settings.FileLoadType = GameSourceKind::BuiltIn;
    const BoardPictures pictures;
    const LanguageTable language;
    Win32FileSystem files;
    const Win32TextDecoder decoder;
    EnglishOnly ini;
    auto replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, ini, files, decoder});
    GdiObjectCache cache;
    {
        GdiCanvas canvas(dc, &cache);
        replay->Tick(canvas, screenWidth, screenHeight);
    }
    // Shown in the box the new game laid out, as a move tick shows its comment.
    const std::string introduction = AboutGoText(language, ini);
    const std::string line = "a comment that goes on and on, line after line of words\r\n";
    std::string comment;
    comment.reserve(60000000 + line.size());
    while (comment.size() < 60000000) comment += line;
    CommentBox box;
    std::vector<double> t;
    LARGE_INTEGER a, b;
    for (int i = 0; i < 3; ++i) {
        GdiCanvas canvas(dc, &cache);
        QueryPerformanceCounter(&a);
        box.Draw(canvas, replay->Layout(), comment, introduction);
        GdiFlush();
        QueryPerformanceCounter(&b);
        t.push_back(Seconds(a, b));
    }
    Report("60 MB comment", where, t);
}

// Measuring and drawing panel texts in the panel's font: Latin only, and names the font has no
// glyph for (drawn in a fallback face), per call, on a warm cache as the saver's ticks have it.
void MeasureText(const std::string& where, HDC dc) {
    const std::pair<const char*, std::string> texts[] = {
        {"Latin", "Lee Sedol, 9p"},
        {"Chinese", "\xE9\x87\x91\xE6\xAF\x9B\xE6\xB5\x8B\xE8\xAF\x95, 9\xE6\xAE\xB5"},
        {"Korean + Latin", "\xEB\xA0\x9B\xEC\xB8\xA0\xEA\xB8\xB0\xEB\xA6\xBF (Lets go) 9\xEB\x8B\xA8"},
        {"CJK comment", std::string("\xE9\xBB\x91\xE6\xA3\x8B\xE8\xBF\x99\xE6\x89\x8B\xE6\x89\xB3\xE6\x98\xAF\xE6\x9C\xAC\xE5\xB1\x80\xE7\x9A\x84\xE5\x85\xB3\xE9\x94\xAE\xEF\xBC\x8C\xE7\x99\xBD\xE6\xA3\x8B\xE5\xA6\x82\xE6\x9E\x9C\xE9\x80\x80\xEF\xBC\x8C\xE9\xBB\x91\xE6\xA3\x8B\xE5\x8F\xAF\xE4\xBB\xA5\xE5\x85\x88\xE6\x89\x8B\xE8\xA1\xA5\xE5\xBC\xBA\xE5\x8F\xB3\xE8\xBE\xB9\xEF\xBC\x8C\xE7\x84\xB6\xE5\x90\x8E\xE5\x86\x8D\xE8\xBD\xAC\xE5\x90\x91\xE5\xB7\xA6\xE4\xB8\x8B\xE8\xA7\x92\xE7\x9A\x84\xE6\x88\x98\xE6\x96\x97\xE3\x80\x82")},
    };
    GdiObjectCache cache;
    for (const auto& [what, text] : texts) {
        std::vector<double> extent, draw;
        LARGE_INTEGER a, b;
        GdiCanvas canvas(dc, &cache);
        canvas.SetFont("Arial", 12, 0xFFFFFF, false);
        canvas.SetBrush(0, false);
        for (int i = 0; i < 2000; ++i) {
            QueryPerformanceCounter(&a);
            canvas.TextExtent(text);
            QueryPerformanceCounter(&b);
            extent.push_back(Seconds(a, b));
            QueryPerformanceCounter(&a);
            canvas.DrawString(10, 10, text);
            GdiFlush();
            QueryPerformanceCounter(&b);
            draw.push_back(Seconds(a, b));
        }
        Report("TextExtent", where + ", " + what, extent);
        Report("DrawString", where + ", " + what, draw);
    }
}

// The whole board drawn again with a stone on each of its 361 points: time per stone and per
// full redraw (board and stones), as the anti-aliased path draws them.
void MeasureFullBoard(const std::string& where, HDC dc, bool flat) {
    ReplaySettings settings;
    ApplyDefaults(settings);
    settings.FlatStones = flat;
    settings.ShowBoardOnly = false;
    const BoardPictures pictures;
    BoardSprites sprites;
    const BoardLook look{settings, pictures, sprites};
    GdiObjectCache cache;
    BoardLayout layout;
    layout.ScreenWidth = screenWidth;
    layout.ScreenHeight = screenHeight;
    std::vector<double> redraw, stone;
    LARGE_INTEGER a, b, c;
    for (int round = 0; round < 20; ++round) {
        GdiCanvas canvas(dc, &cache);
        QueryPerformanceCounter(&a);
        DrawBoard(canvas, layout, 19, look);
        GdiFlush();
        QueryPerformanceCounter(&b);
        for (int y = 1; y <= 19; ++y)
            for (int x = 1; x <= 19; ++x) DrawStone(canvas, layout, look, x, y, (x + y) % 2 == 0, false);
        GdiFlush();
        QueryPerformanceCounter(&c);
        redraw.push_back(Seconds(a, c));
        stone.push_back(Seconds(b, c) / 361);
    }
    Report("361 stones", where, redraw);
    Report("per stone", where, stone);
}

std::string WriteBmp(const std::string& name, int w, int h, const std::function<COLORREF(int, int)>& pixel) {
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "senvola_bench_" + name + ".bmp";
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> f(54 + stride * h, 0);
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = (v >> (8 * i)) & 0xFF;
    };
    f[0] = 'B', f[1] = 'M';
    put32(2, static_cast<uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &f[54 + (h - 1 - y) * stride + 3 * x];
            const COLORREF c = pixel(x, y);
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(f.data()), f.size());
    return path;
}

}  // namespace

int main() {
    const std::string tile = WriteBmp("board", 128, 128, [](int x, int y) {
        return RGB(190 + (x * 7 + y) % 30, 140 + (y * 3) % 20, 70 + (x + y) % 10);
    });
    auto disc = [](COLORREF inside) {
        return [inside](int x, int y) {
            const int dx = 2 * x - 63, dy = 2 * y - 63;
            return dx * dx + dy * dy <= 60 * 60 ? inside : RGB(255, 0, 255);
        };
    };
    const std::string blackStone = WriteBmp("black", 64, 64, disc(RGB(20, 20, 20)));
    const std::string whiteStone = WriteBmp("white", 64, 64, disc(RGB(235, 235, 235)));
    auto pictures = [&](ReplaySettings& st, BoardPictures& loaded) {
        st.UseBitmap = {true, true, true};
        st.BitmapName = {tile, blackStone, whiteStone};
        Win32BitmapLoader loader;
        LoadGraphicsBitmaps(st, loaded, loader);
    };

    for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        screenWidth = w;
        screenHeight = h;
        std::printf("Replay ticks on GDI at %dx%d (built-in games 1-6; times per tick)\n", screenWidth, screenHeight);
        DibSurface surface(screenWidth, screenHeight);
        if (!surface.Valid()) {
            std::fprintf(stderr, "cannot make the surface\n");
            return 1;
        }
        Measure("DIB section, panel, shaded stones", surface.Dc(), {});
        Measure("DIB section, panel, flat stones", surface.Dc(),
                [](ReplaySettings& st, BoardPictures&) { st.FlatStones = true; });
        Measure("DIB section, board only, shaded stones", surface.Dc(),
                [](ReplaySettings& st, BoardPictures&) { st.ShowBoardOnly = true; });
        Measure("DIB section, panel, picture board and stones", surface.Dc(), pictures);
        MeasureFullBoard("DIB section, shaded", surface.Dc(), false);
        MeasureFullBoard("DIB section, flat", surface.Dc(), true);
        if (w == 1920) {
            MeasureLongComment("DIB section, panel", surface.Dc());
            MeasureText("DIB section", surface.Dc());
        }
    }
    screenWidth = 1920;
    screenHeight = 1080;

    HWND wnd = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "Senvola benchmark", WS_POPUP | WS_VISIBLE, 0, 0, screenWidth,
                               screenHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (wnd) {
        {
            const ScopedGetDc dc(wnd);
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Measure("window DC, panel, colour board", dc.get(), {});
            Measure("window DC, panel, colour board, no kept objects", dc.get(), {}, false);
            Measure("window DC, panel, picture board and stones", dc.get(), pictures);
            MeasureLongComment("window DC, panel", dc.get());
        }
        DestroyWindow(wnd);
    } else {
        std::printf("(no window could be made: window DC not measured)\n");
    }
    DeleteFileA(tile.c_str());
    DeleteFileA(blackStone.c_str());
    DeleteFileA(whiteStone.c_str());
    return 0;
}
