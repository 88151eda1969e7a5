// Where the next game comes from: the built-in games in turn, one file, or files drawn at random
// from a folder, with the built-in games standing in for any file that does not load.
#pragma once

#include <cstdint>
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
    // At most this many files of a folder are listed.
    static constexpr std::size_t kMaxFolderFiles = 10000;

    // Built-in games, the first of them drawn at random, from a generator seeded from the clock.
    // `files` and `trace` (which may be null) must outlive the library.
    explicit GameLibrary(const FileSystem& files, TraceSink* trace = nullptr);
    // The same with a generator seeded by `seed`, so that every draw can be repeated.
    GameLibrary(const FileSystem& files, std::uint32_t seed, TraceSink* trace = nullptr);

    GameLibrary(const GameLibrary&) = delete;
    GameLibrary& operator=(const GameLibrary&) = delete;

    // Where the next games come from: `location` is the file (OneFile) or folder (Folder) as
    // the options spell it, "dir\name" on every platform. A new location is listed afresh.
    void Select(GameSourceKind kind, std::string_view location);

    // Loads the next game into `game`. OneFile: the file, each time; Folder: a file drawn at
    // random from those not drawn since the folder was last listed, none ever tried twice in a
    // listing; the folder is listed again once all are drawn. Whatever does not load, and the
    // BuiltIn kind, gives the next built-in game. Never fails.
    void Next(GameRecord& game);

    // The file of the game Next gave last; empty for a built-in game.
    const std::string& FileName() const { return fileName_; }

    // The built-in game the next built-in turn follows: the one given last, or the one before
    // the game SetNextBuiltIn named (0 before game 1).
    int LastBuiltIn() const { return lastBuiltIn_; }
    // The next built-in turn gives game `number` (1..6).
    void SetNextBuiltIn(int number) { lastBuiltIn_ = number - 1; }

    // A file drawn at random, without repetition, from the folder: "folder\name", or empty when
    // the folder holds no plain file or the location is empty or only blanks (which names no
    // folder at all, not the root of the drive).
    std::string NextFolderFile();
    // The folder's files not drawn yet, in name order.
    const std::vector<std::string>& FolderFilesLeft() const { return folderFiles_; }

private:
    void NextBuiltIn(GameRecord& game);

    const FileSystem& files_;
    TraceSink* trace_;
    std::mt19937 random_;
    GameSourceKind kind_ = GameSourceKind::BuiltIn;
    std::string location_;
    std::string folder_;        // the location with its closing separator, once listed
    bool folderListed_ = false;
    std::vector<std::string> folderFiles_;
    int lastBuiltIn_ = 0;
    std::string fileName_;
    GameRecord loadBuffer_;     // a file is read here and copied out only if it loads
};

}  // namespace senvola
