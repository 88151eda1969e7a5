// Where the next game comes from: the built-in games in turn, one file, or game files drawn at
// random from a folder and all its subfolders, listed a slice at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/trace_sink.h"
#include "records/game_record.h"
#include "records/game_source.h"

namespace senvola {

class GameLibrary {
public:
    // At most this many game files of a folder tree are listed.
    static constexpr std::size_t kMaxFolderFiles = 100000;
    // Files a new game may try before it settles for a built-in game.
    static constexpr int kTriesPerGame = 20;
    // Folder entries a new game may look at to find its first file when none is listed yet;
    // past that it plays a built-in game, and the listing goes on between steps.
    static constexpr std::size_t kIndexEntriesPerGame = 20000;
    // Folder entries the replay lets the listing look at between two steps.
    static constexpr std::size_t kIndexEntriesPerStep = 2000;

    // Built-in games, the first of them drawn at random, from a generator seeded from the clock.
    // `files` and `trace` (which may be null) must outlive the library.
    explicit GameLibrary(const FileSystem& files, TraceSink* trace = nullptr);
    // The same with a generator seeded by `seed`, so that every draw can be repeated.
    GameLibrary(const FileSystem& files, std::uint32_t seed, TraceSink* trace = nullptr);

    GameLibrary(const GameLibrary&) = delete;
    GameLibrary& operator=(const GameLibrary&) = delete;

    // Where the next games come from: `location` is the file (OneFile) or folder (Folder) as
    // the options spell it, "dir\name" on every platform, in UTF-8. A new location is listed
    // afresh.
    void Select(GameSourceKind kind, std::string_view location);

    // Loads the next game into `game`. OneFile: the file, each time. Folder: game files drawn at
    // random from those not drawn since the folder was last listed, until one loads (at most
    // kTriesPerGame of them); the folder is listed again once all are drawn. Whatever does not
    // load, and the BuiltIn kind, gives the next built-in game. Never fails.
    void Next(GameRecord& game);

    // Carries on listing the folder, looking at up to `entries` more folder entries. Returns
    // true while the listing is unfinished. Does nothing unless the folder is the source.
    bool IndexSome(std::size_t entries);
    // True while a listing of the folder is under way.
    bool Indexing() const { return indexing_; }

    // The file of the game Next gave last; empty for a built-in game.
    const std::string& FileName() const { return fileName_; }

    // The built-in game the next built-in turn follows: the one given last, or the one before
    // the game SetNextBuiltIn named (0 before game 1).
    int LastBuiltIn() const { return lastBuiltIn_; }
    // The next built-in turn gives game `number` (1..6).
    void SetNextBuiltIn(int number) { lastBuiltIn_ = number - 1; }

    // A game file drawn at random, without repetition, from the folder tree: "folder\sub\name",
    // or empty when the folder offers no game file, when none turned up in kIndexEntriesPerGame
    // entries (IndexSome carries on), or when the location is empty or only blanks (which
    // names no folder at all, not the root of the drive). Lists the folder first if all its
    // files are drawn, and lists only until a file is found.
    std::string NextFolderFile();
    // The files found and not drawn yet, relative to the folder. Once the listing is finished
    // and before the next draw they are in the order of the tree: by name in each folder, a
    // folder's own files before its subfolders', the subfolders by name; the draws change it.
    const std::vector<std::string>& FolderFilesLeft() const { return folderFiles_; }

private:
    void NextBuiltIn(GameRecord& game);
    bool TryFile(const std::string& path, GameRecord& game);
    // Draws from the files listed, listing afresh (if `mayList`, which it then clears) when
    // none is left, and listing on while none is found, at most `budget` entries.
    std::string DrawFolderFile(std::size_t& budget, bool& mayList);
    void StartIndexing();
    void StopIndexing();
    void SortListedFolder();
    // Looks at up to `entries` entries of the folder being listed, or opens the next folder.
    // Returns the entries it used up (at least 1).
    std::size_t IndexStep(std::size_t entries);

    const FileSystem& files_;
    TraceSink* trace_;
    std::mt19937 random_;
    GameSourceKind kind_ = GameSourceKind::BuiltIn;
    std::string location_;
    std::string folder_;        // the location with its closing separator, once listed
    bool folderListed_ = false;
    std::vector<std::string> folderFiles_;  // relative to folder_

    // The listing under way: the folders still to list (relative, each with its closing
    // separator), the one being listed, and how many files this listing has found.
    bool indexing_ = false;
    std::vector<std::string> foldersToList_;
    std::string listedFolder_;
    std::vector<std::string> subfolders_;  // of the folder being listed, listed after it
    std::size_t folderStart_ = 0;           // where its files begin in folderFiles_
    std::unique_ptr<FolderListing> listing_;
    std::vector<FolderEntry> batch_;
    std::size_t filesFound_ = 0;

    int lastBuiltIn_ = 0;
    std::string fileName_;
    GameRecord loadBuffer_;     // a file is read here and copied out only if it loads
};

// True for a name that ends in ".sgf" or ".go", in any case.
bool HasGameFileExtension(std::string_view name);

}  // namespace senvola
