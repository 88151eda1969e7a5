// What the replay's ticks cost at 1920 x 1080 on the recording canvas: a new game (load, board,
// panel, comment box, setup stones) and one move; and the comment wrap against comment length.
#include <benchmark/benchmark.h>

#include <string>

#include "app_state.h"
#include "native_file_system.h"
#include "recording_canvas.h"
#include "draw/info_panel.h"
#include "replay/replay.h"
#include "draw/board_painter.h"
#include "platform/ini_file.h"

namespace {

using namespace senvola;

class NoIni final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

constexpr int kWidth = 1920, kHeight = 1080, kInterval = 500;

void PrepareState(AppState& s, bool bitmapBoard) {
    InitReplay(s);
    s.Settings.FileLoadType = 0;  // built-in games
    s.Settings.PauseBetweenGames = 0;
    s.Settings.UseBitmap[geBoard] = bitmapBoard;
    s.Settings.Bitmaps[geBoard] = std::make_unique<RecordingBitmap>(128, 128, false);
}

void BM_NewGameTick(benchmark::State& state) {
    AppState s;
    PrepareState(s, state.range(0) != 0);
    RecordingCanvas c;
    NativeFileSystem files;
    NoIni ini;
    std::size_t calls = 0;
    for (auto _ : state) {
        s.NeedNewGame = true;
        c.Clear();
        ReplayTick(s, c, files, ini, kWidth, kHeight, kInterval);
        calls += c.CallCount();
    }
    state.counters["canvas_calls"] = benchmark::Counter(static_cast<double>(calls) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_NewGameTick)->Arg(0)->Arg(1)->ArgName("bitmap_board");

void BM_MoveTick(benchmark::State& state) {
    AppState s;
    PrepareState(s, state.range(0) != 0);
    s.Settings.ShowComments = true;
    RecordingCanvas c;
    NativeFileSystem files;
    NoIni ini;
    ReplayTick(s, c, files, ini, kWidth, kHeight, kInterval);
    std::size_t calls = 0;
    for (auto _ : state) {
        // A game that has ended starts again, outside the measured time.
        const int n = s.Board.MoveNumber();
        if (s.NeedNewGame || n > kMaxMoves || s.CurrentGame.MoveX[static_cast<std::size_t>(n)] == 0) {
            state.PauseTiming();
            s.NeedNewGame = true;
            ReplayTick(s, c, files, ini, kWidth, kHeight, kInterval);
            state.ResumeTiming();
        }
        c.Clear();
        ReplayTick(s, c, files, ini, kWidth, kHeight, kInterval);
        calls += c.CallCount();
    }
    state.counters["canvas_calls"] = benchmark::Counter(static_cast<double>(calls) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_MoveTick)->Arg(0)->Arg(1)->ArgName("bitmap_board");

// The comment of one move, of state.range(0) characters of short words.
void BM_DrawLongComment(benchmark::State& state) {
    AppState s;
    PrepareState(s, false);
    s.Layout.ScreenWidth = kWidth;
    s.Layout.ScreenHeight = kHeight;
    s.CurrentGame.BoardSize = 19;
    RecordingCanvas c;
    NoIni ini;
    DrawBoard(s, c);
    DrawInfoPanel(s, c);
    DrawCommentBox(s, c, ini);
    std::string text;
    while (static_cast<long long>(text.size()) < state.range(0)) text += "move ";
    s.Board.Pass();  // move 2
    s.CurrentGame.Comments[2] = text;
    for (auto _ : state) {
        c.Clear();
        DrawComment(s, c, ini);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_DrawLongComment)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);

}  // namespace
