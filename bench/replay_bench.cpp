// Replay speed of the rules alone (no drawing): the built-in games, and the corpus games when
// the corpus is there. Figures in moves per second ("items_per_second").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "records/builtin_games.h"
#include "records/game_file.h"
#include "replay/game_replay.h"

namespace senvola {
namespace {

// Replays each record in turn; each iteration is one whole game.
void ReplayGames(benchmark::State& state, const std::vector<GameRecord>& games) {
    if (games.empty()) {
        state.SkipWithError("no games");
        return;
    }
    NullMoveDisplay none;
    Position position;
    std::size_t next = 0;
    int64_t moves = 0;
    for (auto _ : state) {
        const ReplayOutcome r = ReplayGame(games[next], position, none);
        next = (next + 1) % games.size();
        moves += r.Played;
        benchmark::DoNotOptimize(position.Board);
    }
    state.SetItemsProcessed(moves);
}

std::vector<GameRecord> BuiltInRecords() {
    std::vector<GameRecord> games(kBuiltInGameCount);
    for (int i = 0; i < kBuiltInGameCount; ++i) LoadBuiltInGame(i + 1, games[static_cast<std::size_t>(i)]);
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
    auto game = std::make_unique<GameRecord>();
    for (const fs::path& f : files) {
        if (ReadGameFile(f.string(), *game) != ReadError::None) continue;
        if (MoveListLength(*game) < 50) continue;  // problems and fragments: little to replay
        games.push_back(*game);
        games.back().Comments = {};  // the replay reads no comment; keep memory small
        games.back().HasComments = false;
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
