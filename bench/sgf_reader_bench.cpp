// Throughput of the SGF reader over the whole shared corpus, file by file as the saver reads.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "native_text_decoder.h"
#include "records/sgf_reader.h"

namespace {

namespace fs = std::filesystem;

struct Corpus {
    std::vector<std::string> files;
    int64_t bytes = 0;
};

const Corpus& SgfCorpus() {
    static const Corpus corpus = [] {
        Corpus c;
        const fs::path root = fs::path(SENVOLA_SHARED_DIR) / "sgf-corpus";
        std::error_code ec;
        if (!fs::is_directory(root, ec)) return c;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            if (!entry.is_regular_file()) continue;
            c.files.push_back(entry.path().string());
            c.bytes += static_cast<int64_t>(entry.file_size());
        }
        std::sort(c.files.begin(), c.files.end());
        return c;
    }();
    return corpus;
}

void BM_ReadSgfFileCorpus(benchmark::State& state) {
    const Corpus& corpus = SgfCorpus();
    if (corpus.files.empty()) {
        state.SkipWithError("game-file corpus not found beside the repository (../shared/sgf-corpus)");
        return;
    }
    auto game = std::make_unique<senvola::GameRecord>();
    int loaded = 0;
    for (auto _ : state) {
        loaded = 0;
        for (const std::string& path : corpus.files) {
            loaded += senvola::ReadSgfFile(path, *game) == senvola::ReadError::None;
        }
        benchmark::DoNotOptimize(loaded);
    }
    state.SetBytesProcessed(state.iterations() * corpus.bytes);
    state.counters["files"] = static_cast<double>(corpus.files.size());
    state.counters["loaded"] = loaded;
}
BENCHMARK(BM_ReadSgfFileCorpus)->Unit(benchmark::kMillisecond);

// The same with what the replay adds when a game starts: its texts decoded to UTF-8 (in the set
// the file declares, or found by the rule for undeclared texts).
void BM_ReadAndDecodeCorpus(benchmark::State& state) {
    const Corpus& corpus = SgfCorpus();
    if (corpus.files.empty()) {
        state.SkipWithError("game-file corpus not found beside the repository (../shared/sgf-corpus)");
        return;
    }
    auto game = std::make_unique<senvola::GameRecord>();
    const senvola::NativeTextDecoder decoder;
    for (auto _ : state) {
        for (const std::string& path : corpus.files) {
            senvola::ReadSgfFile(path, *game);
            senvola::DecodeTexts(*game, decoder);
        }
        benchmark::DoNotOptimize(game->WhiteName.data());
    }
    state.SetBytesProcessed(state.iterations() * corpus.bytes);
    state.counters["files"] = static_cast<double>(corpus.files.size());
}
BENCHMARK(BM_ReadAndDecodeCorpus)->Unit(benchmark::kMillisecond);

// The 776 KB, 100,000-move file alone: the scanner's speed without per-file costs.
void BM_ReadSgfFileLongGame(benchmark::State& state) {
    const std::string path =
        (fs::path(SENVOLA_SHARED_DIR) / "sgf-corpus" / "misc" / "move1e5.sgf").string();
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        state.SkipWithError("misc/move1e5.sgf not found in the game-file corpus");
        return;
    }
    const auto size = static_cast<int64_t>(fs::file_size(path));
    auto game = std::make_unique<senvola::GameRecord>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(senvola::ReadSgfFile(path, *game));
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_ReadSgfFileLongGame)->Unit(benchmark::kMillisecond);

}  // namespace
