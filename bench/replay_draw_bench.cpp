// What the replay's ticks cost at 1920 x 1080 on the recording canvas: a new game (load, board,
// panel, comment box, setup stones) and one move; and the comment wrap against comment length.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "draw/comment_box.h"
#include "native_file_system.h"
#include "native_text_decoder.h"
#include "platform/ini_file.h"
#include "portable/recording_canvas.h"
#include "replay/replay.h"
#include "settings/language.h"

namespace {

using namespace senvola;

class NoIni final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

constexpr int kWidth = 1920, kHeight = 1080;

// The built-in games at 500 ms a move, without a pause, on a colour or a picture board.
struct Bench {
    ReplaySettings settings;
    BoardPictures pictures;
    LanguageTable language;
    NoIni ini;
    NativeFileSystem files;
    NativeTextDecoder decoder;
    std::unique_ptr<Replay> replay;
    RecordingCanvas canvas;

    explicit Bench(bool bitmapBoard) {
        settings.PauseBetweenGames = 0;
        settings.UseBitmap[geBoard] = bitmapBoard;
        pictures[geBoard] = std::make_unique<RecordingBitmap>(128, 128, false);
        replay = std::make_unique<Replay>(ReplaySources{settings, pictures, language, ini, files, decoder});
    }
    void Tick() { replay->Tick(canvas, kWidth, kHeight); }
};

void BM_NewGameTick(benchmark::State& state) {
    Bench b(state.range(0) != 0);
    std::size_t calls = 0;
    for (auto _ : state) {
        b.replay->RequestNewGame();
        b.canvas.Clear();
        b.Tick();
        calls += b.canvas.CallCount();
    }
    state.counters["canvas_calls"] = benchmark::Counter(static_cast<double>(calls) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_NewGameTick)->Arg(0)->Arg(1)->ArgName("bitmap_board");

void BM_MoveTick(benchmark::State& state) {
    Bench b(state.range(0) != 0);
    b.settings.ShowComments = true;
    b.Tick();
    std::size_t calls = 0;
    for (auto _ : state) {
        // A game that has ended starts again, outside the measured time.
        const int n = b.replay->Board().MoveNumber();
        if (b.replay->NewGameDue() || n > kMaxMoves || b.replay->Game().MoveX[static_cast<std::size_t>(n)] == 0) {
            state.PauseTiming();
            b.replay->RequestNewGame();
            b.Tick();
            state.ResumeTiming();
        }
        b.canvas.Clear();
        b.Tick();
        calls += b.canvas.CallCount();
    }
    state.counters["canvas_calls"] = benchmark::Counter(static_cast<double>(calls) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_MoveTick)->Arg(0)->Arg(1)->ArgName("bitmap_board");

// The comment of one move, of state.range(0) characters of short words, in the box a new game
// laid out.
void BM_DrawLongComment(benchmark::State& state) {
    Bench b(false);
    b.Tick();
    const std::string introduction = AboutGoText(b.language, b.ini);
    std::string text;
    while (static_cast<long long>(text.size()) < state.range(0)) text += "move ";
    CommentBox box;
    for (auto _ : state) {
        b.canvas.Clear();
        box.Draw(b.canvas, b.replay->Layout(), text, introduction);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_DrawLongComment)->RangeMultiplier(10)->Range(1000, 1000000)->Complexity(benchmark::oN);

}  // namespace
