// Replay speed of the rules alone (no drawing): the built-in games, and the corpus games when
// the corpus is there. Figures in moves per second ("items_per_second").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "records/builtin_games.h"
#include "records/game_library.h"
#include "replay/game_replay.h"

namespace senvola {
namespace {

// Replays each record in turn; each iteration is one whole game.
void ReplayGames(benchmark::State& state, const std::vector<GameRecord>& games) {
    if (games.empty()) {
        state.SkipWithError("no games");
        return;
    }
    auto s = std::make_unique<AppState>();
    NullMoveDisplay none;
    std::size_t next = 0;
    int64_t moves = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CommitGame(games[next], s->CurrentGame);
        next = (next + 1) % games.size();
        state.ResumeTiming();
        const ReplayOutcome r = ReplayCurrentGame(*s, none);
        moves += r.Played;
        benchmark::DoNotOptimize(s->Board);
    }
    state.SetItemsProcessed(moves);
}

std::vector<GameRecord> BuiltInRecords() {
    std::vector<GameRecord> games;
    auto s = std::make_unique<AppState>();
    s->BuiltInIndex = kBuiltInGameCount;
    for (int i = 0; i < kBuiltInGameCount; ++i) {
        LoadBuiltInGame(*s);
        games.push_back(s->CurrentGame);
    }
    return games;
}

std::vector<GameRecord> CorpusRecords() {
    std::vector<GameRecord> games;
    namespace fs = std::filesystem;
    const fs::path root = fs::path(SENVOLA_SHARED_DIR) / "sgf-corpus";
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return games;
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (it->is_regular_file(e2)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    auto s = std::make_unique<AppState>();
    for (const fs::path& f : files) {
        if (ReadGameFile(f.string(), s->LoadBuffer, s->HasComments) != 0) continue;
        if (MoveListLength(s->LoadBuffer) < 50) continue;  // problems and fragments: little to replay
        games.push_back(s->LoadBuffer);
        games.back().Comments = {};  // the replay reads no comment; keep memory small
    }
    return games;
}

void BM_ReplayBuiltInGames(benchmark::State& state) {
    static const std::vector<GameRecord> games = BuiltInRecords();
    ReplayGames(state, games);
}
BENCHMARK(BM_ReplayBuiltInGames);

void BM_ReplayCorpusGames(benchmark::State& state) {
    static const std::vector<GameRecord> games = CorpusRecords();
    if (games.empty()) {
        state.SkipWithError("no corpus beside the repository");
        return;
    }
    ReplayGames(state, games);
}
BENCHMARK(BM_ReplayCorpusGames);

}  // namespace
}  // namespace senvola
