// The game library: the built-in rotation, the one-file source and the folder tree drawn without
// repetition, listed in slices so that a large tree never holds up a step.
#include "records/game_library.h"

#include <algorithm>
#include <chrono>
#include <iterator>

#include "records/builtin_games.h"
#include "records/game_file.h"

namespace senvola {

namespace {

// Entries listed between two looks at whether a file has turned up: small enough that the
// first game starts soon after the first file is found.
constexpr std::size_t kIndexChunk = 256;

std::uint32_t ClockSeed() {
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(now ^ (now >> 32));
}

bool IsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool EndsWithNoCase(std::string_view name, std::string_view lowerSuffix) {
    if (name.size() < lowerSuffix.size()) return false;
    const std::string_view tail = name.substr(name.size() - lowerSuffix.size());
    for (std::size_t i = 0; i < tail.size(); ++i) {
        const char c = tail[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lowerSuffix[i]) return false;
    }
    return true;
}

}  // namespace

bool HasGameFileExtension(std::string_view name) {
    return EndsWithNoCase(name, ".sgf") || EndsWithNoCase(name, ".go");
}

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
        StopIndexing();
    }
}

void GameLibrary::Next(GameRecord& game) {
    if (kind_ == GameSourceKind::OneFile && TryFile(location_, game)) return;
    if (kind_ == GameSourceKind::Folder) {
        // A file that fails has left the list with its draw: it is not tried again until the
        // folder is listed anew.
        std::size_t budget = kIndexEntriesPerGame;
        bool mayList = true;
        for (int tries = 0; tries < kTriesPerGame; ++tries) {
            const std::string path = DrawFolderFile(budget, mayList);
            if (path.empty()) break;
            if (TryFile(path, game)) {
                if (trace_ != nullptr) trace_->Trace("Loading game " + path);
                return;
            }
        }
    }
    NextBuiltIn(game);
}

bool GameLibrary::TryFile(const std::string& path, GameRecord& game) {
    if (!files_.FileExists(path)) {
        if (trace_ != nullptr && kind_ == GameSourceKind::Folder) trace_->Trace("Game file gone: " + path);
        return false;
    }
    if (ReadGameFile(files_.NativePath(path), loadBuffer_, trace_) != ReadError::None) return false;
    CommitGame(loadBuffer_, game);
    fileName_ = path;
    return true;
}

void GameLibrary::NextBuiltIn(GameRecord& game) {
    lastBuiltIn_ = lastBuiltIn_ >= 1 && lastBuiltIn_ < kBuiltInGameCount ? lastBuiltIn_ + 1 : 1;
    // Through the load buffer like a file, so that a huge file read before gives back its storage.
    LoadBuiltInGame(lastBuiltIn_, loadBuffer_);
    CommitGame(loadBuffer_, game);
    fileName_.clear();
}

std::string GameLibrary::NextFolderFile() {
    std::size_t budget = kIndexEntriesPerGame;
    bool mayList = true;
    return DrawFolderFile(budget, mayList);
}

std::string GameLibrary::DrawFolderFile(std::size_t& budget, bool& mayList) {
    if (IsBlank(location_)) return std::string();
    if (!folderListed_) {
        folderListed_ = true;
        folderFiles_.clear();
        folder_ = location_;
        if (folder_.back() != '\\') folder_ += '\\';
    }
    // All drawn, perhaps while the listing still ran: list afresh, once per new game at most,
    // so that a folder of broken files is not listed over and over.
    while (folderFiles_.empty()) {
        if (!indexing_) {
            if (!mayList) return std::string();
            mayList = false;
            StartIndexing();
        }
        while (folderFiles_.empty() && indexing_ && budget > 0) budget -= IndexStep(std::min(budget, kIndexChunk));
        if (budget == 0 && folderFiles_.empty()) return std::string();
    }
    // The last file takes the place of the one drawn: a draw costs the same in any size of list.
    std::uniform_int_distribution<std::size_t> pick(0, folderFiles_.size() - 1);
    const std::size_t k = pick(random_);
    std::string path = folder_ + folderFiles_[k];
    if (k + 1 != folderFiles_.size()) folderFiles_[k] = std::move(folderFiles_.back());
    folderFiles_.pop_back();
    return path;
}

bool GameLibrary::IndexSome(std::size_t entries) {
    if (kind_ != GameSourceKind::Folder) return indexing_;
    while (indexing_ && entries > 0) entries -= IndexStep(std::min(entries, kIndexChunk));
    return indexing_;
}

void GameLibrary::StartIndexing() {
    if (trace_ != nullptr) trace_->Trace("Indexing all files in directory.");
    StopIndexing();
    indexing_ = true;
    filesFound_ = 0;
    foldersToList_.emplace_back();  // the folder itself
}

void GameLibrary::StopIndexing() {
    indexing_ = false;
    foldersToList_.clear();
    subfolders_.clear();
    listing_.reset();
}

std::size_t GameLibrary::IndexStep(std::size_t entries) {
    if (!listing_) {
        if (foldersToList_.empty()) {
            StopIndexing();
            if (trace_ != nullptr) trace_->Trace("Indexed " + std::to_string(filesFound_) + " game files.");
            return 1;
        }
        listedFolder_ = std::move(foldersToList_.back());
        foldersToList_.pop_back();
        listing_ = files_.ListFolder(folder_ + listedFolder_);
        folderStart_ = folderFiles_.size();
        return 1;
    }
    batch_.clear();
    const bool more = listing_->Next(batch_, entries);
    for (FolderEntry& e : batch_) {
        if (e.Type == FolderEntry::Kind::Folder) {
            subfolders_.push_back(listedFolder_ + e.Name + '\\');
        } else if (HasGameFileExtension(e.Name)) {
            folderFiles_.push_back(listedFolder_ + e.Name);
            if (++filesFound_ == kMaxFolderFiles) {
                // The rest of the tree is never looked at.
                SortListedFolder();
                foldersToList_.clear();
                subfolders_.clear();
                listing_.reset();
                return entries;
            }
        }
    }
    if (!more) {
        listing_.reset();
        SortListedFolder();
        // Depth first, in name order.
        std::sort(subfolders_.begin(), subfolders_.end());
        std::move(subfolders_.rbegin(), subfolders_.rend(), std::back_inserter(foldersToList_));
        subfolders_.clear();
    }
    return entries;
}

// One order for one set of files whatever order the platform listed them in, so that a seeded
// draw repeats: each folder's files by name, the folders by name. Sorted a folder at a time, in
// plain byte order: one sort of a whole large tree, or a case-folding comparison, would cost
// more than the listing itself and hold up the step that ends it.
void GameLibrary::SortListedFolder() {
    // Whatever lies past the start is this folder's: a draw only moves the last file into the
    // place of the one drawn.
    const std::size_t start = std::min(folderStart_, folderFiles_.size());
    std::sort(folderFiles_.begin() + static_cast<std::ptrdiff_t>(start), folderFiles_.end());
}

}  // namespace senvola
