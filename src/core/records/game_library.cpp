// The game library: the built-in rotation, the one-file source and the folder drawn without
// repetition.
#include "records/game_library.h"

#include <algorithm>
#include <cctype>
#include <chrono>

#include "records/builtin_games.h"
#include "records/game_file.h"

namespace senvola {

namespace {

// Case-insensitive order first, so that "a.sgf" and "B.sgf" sort as a person expects; the
// exact bytes break ties so that the order is total.
bool NameLess(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = std::toupper(static_cast<unsigned char>(a[i]));
        const int cb = std::toupper(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

std::uint32_t ClockSeed() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(now ^ (now >> 32));
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

GameLibrary::GameLibrary(const FileSystem& files, TraceSink* trace) : GameLibrary(files, ClockSeed(), trace) {}

GameLibrary::GameLibrary(const FileSystem& files, std::uint32_t seed, TraceSink* trace)
    : files_(files), trace_(trace), random_(seed) {
    lastBuiltIn_ = std::uniform_int_distribution<int>(1, kBuiltInGameCount)(random_);
}

void GameLibrary::Select(GameSourceKind kind, std::string_view location) {
    kind_ = kind;
    if (location != location_) {
        location_.assign(location);
        folderListed_ = false;
        folderFiles_.clear();
    }
}

void GameLibrary::Next(GameRecord& game) {
    if (kind_ == GameSourceKind::OneFile && files_.FileExists(location_)) {
        if (ReadGameFile(files_.NativePath(location_), loadBuffer_, trace_) == ReadError::None) {
            CommitGame(loadBuffer_, game);
            fileName_ = location_;
            return;
        }
    }
    if (kind_ == GameSourceKind::Folder) {
        // A file that fails to load is not retried: it has already left the list.
        const std::string path = NextFolderFile();
        if (files_.FileExists(path) &&
            ReadGameFile(files_.NativePath(path), loadBuffer_, trace_) == ReadError::None) {
            if (trace_ != nullptr) trace_->Trace("Loading game " + path);
            CommitGame(loadBuffer_, game);
            fileName_ = path;
            return;
        }
    }
    NextBuiltIn(game);
}

void GameLibrary::NextBuiltIn(GameRecord& game) {
    lastBuiltIn_ = lastBuiltIn_ >= 1 && lastBuiltIn_ < kBuiltInGameCount ? lastBuiltIn_ + 1 : 1;
    // Through the load buffer like a file, so that a huge file read before gives back its storage.
    LoadBuiltInGame(lastBuiltIn_, loadBuffer_);
    CommitGame(loadBuffer_, game);
    fileName_.clear();
}

std::string GameLibrary::NextFolderFile() {
    if (IsBlank(location_)) return std::string();
    if (!folderListed_) {
        folderListed_ = true;
        folderFiles_.clear();
        folder_ = location_;
        if (folder_.back() != '\\') folder_ += '\\';
    }
    if (folderFiles_.empty()) {
        if (trace_ != nullptr) trace_->Trace("Indexing all files in directory.");
        std::vector<std::string> names = files_.ListPlainFiles(folder_, kMaxFolderFiles);
        if (names.size() > kMaxFolderFiles) names.resize(kMaxFolderFiles);
        std::sort(names.begin(), names.end(), NameLess);
        names.erase(std::unique(names.begin(), names.end()), names.end());
        folderFiles_ = std::move(names);
    }
    if (folderFiles_.empty()) return std::string();
    std::uniform_int_distribution<std::size_t> pick(0, folderFiles_.size() - 1);
    const std::size_t k = pick(random_);
    std::string name = std::move(folderFiles_[k]);
    folderFiles_.erase(folderFiles_.begin() + static_cast<std::ptrdiff_t>(k));
    return folder_ + name;
}

}  // namespace senvola
