// How long the game library takes over a large folder tree: from selecting the folder to the
// first game loaded, and to the end of the listing, done in the slices the replay gives it
// between two steps (the longest slice is what a step can be held up by).
// Usage: senvola_folder_bench [DIRECTORY [RUNS]]. The directory (default: a folder in the
// temporary directory) is filled first with 100 folders of 10 subfolders of 100 game files, a
// README and a text file each, unless it holds that tree already; a second tree, 10,000 files
// in one folder, lies beside it. Times itself and prints the figures; it asserts nothing.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "native_file_system.h"
#include "records/game_library.h"

namespace {

using namespace senvola;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kGame = "(;GM[1]FF[4]SZ[19]PB[Black]PW[White];B[pd];W[dp];B[pq];W[dd])";

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void WriteFile(const fs::path& path, const char* text) { std::ofstream(path, std::ios::binary) << text; }

// The tree is made once: a marker file says it is complete.
void MakeTree(const fs::path& root) {
    if (fs::exists(root / "complete.txt")) return;
    std::printf("making %s ...\n", root.string().c_str());
    char name[32];
    for (int a = 0; a < 100; ++a) {
        for (int b = 0; b < 10; ++b) {
            std::snprintf(name, sizeof name, "set%02d/year%d", a, b);
            const fs::path dir = root / name;
            fs::create_directories(dir);
            WriteFile(dir / "README.md", "# notes\n");
            WriteFile(dir / "index.txt", "games\n");
            for (int c = 0; c < 100; ++c) {
                std::snprintf(name, sizeof name, "game%02d%d%02d.sgf", a, b, c);
                WriteFile(dir / name, kGame);
            }
        }
    }
    WriteFile(root / "complete.txt", "100000\n");
}

void MakeFlat(const fs::path& root) {
    if (fs::exists(root / "complete.txt")) return;
    std::printf("making %s ...\n", root.string().c_str());
    fs::create_directories(root);
    char name[32];
    for (int c = 0; c < 10000; ++c) {
        std::snprintf(name, sizeof name, "game%05d.sgf", c);
        WriteFile(root / name, kGame);
    }
    WriteFile(root / "complete.txt", "10000\n");
}

struct Run {
    double firstGame = 0, whole = 0, longestSlice = 0;
    std::size_t files = 0;
    int slices = 0;
};

Run TimeOne(const std::string& location) {
    const NativeFileSystem files;
    GameLibrary library(files, 1u);
    GameRecord game;
    Run r;
    const Clock::time_point start = Clock::now();
    library.Select(GameSourceKind::Folder, location);
    library.Next(game);
    r.firstGame = Ms(Clock::now() - start);
    if (library.FileName().empty()) std::printf("  the first game was a built-in one: no game file found\n");
    while (library.Indexing()) {
        const Clock::time_point t = Clock::now();
        library.IndexSome(GameLibrary::kIndexEntriesPerStep);
        r.longestSlice = std::max(r.longestSlice, Ms(Clock::now() - t));
        ++r.slices;
    }
    r.whole = Ms(Clock::now() - start);
    r.files = library.FolderFilesLeft().size() + 1;
    return r;
}

void Report(const char* what, const fs::path& root, int runs) {
    std::vector<Run> all;
    for (int i = 0; i < runs; ++i) all.push_back(TimeOne(root.string()));
    const Run first = all.front();
    std::sort(all.begin(), all.end(), [](const Run& a, const Run& b) { return a.whole < b.whole; });
    const Run& median = all[all.size() / 2];
    std::printf("%s: %zu game files, %d runs\n", what, median.files, runs);
    std::printf("  first run  first game %8.2f ms   whole listing %8.2f ms\n", first.firstGame, first.whole);
    std::printf("  median     first game %8.2f ms   whole listing %8.2f ms   %d slices of %zu entries, longest %.2f ms\n",
                median.firstGame, median.whole, median.slices, GameLibrary::kIndexEntriesPerStep,
                median.longestSlice);
    std::printf("  fastest    whole listing %8.2f ms   slowest %8.2f ms\n", all.front().whole, all.back().whole);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "senvola-folder-bench";
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    MakeTree(base / "tree");
    MakeFlat(base / "flat");
    Report("100 x 10 folders of 100 files", base / "tree", runs);
    Report("one folder of 10,000 files", base / "flat", runs);
    return 0;
}
