#include "records/game_library.h"

#include <algorithm>
#include <cctype>
#include <random>

#include "records/builtin_games.h"
#include "records/go_reader.h"
#include "records/sgf_reader.h"

namespace senvola {

namespace {

constexpr std::size_t kMaxDirectoryFiles = 10000;

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

}  // namespace

bool IsGoFileName(const std::string& path) {
    // The extension belongs to the last path component only: "games.go\record" has none.
    const std::size_t sep = path.find_last_of("\\/");
    const std::size_t start = sep == std::string::npos ? 0 : sep + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < start) return false;
    if (path.size() - dot != 3) return false;
    return std::toupper(static_cast<unsigned char>(path[dot + 1])) == 'G' &&
           std::toupper(static_cast<unsigned char>(path[dot + 2])) == 'O';
}

uint8_t ReadGameFile(const std::string& path, GameRecord& LoadBuffer, uint8_t& HasComments) {
    if (IsGoFileName(path)) return ReadGoFile(path, LoadBuffer, HasComments);
    return ReadSgfFile(path, LoadBuffer, HasComments);
}

void LoadNextGame(AppState& s, const FileSystem& files) {
    const ReplaySettings& settings = s.Settings;
    if (settings.FileLoadType == 1 && files.FileExists(settings.DirFileString)) {
        const std::string path = settings.DirFileString;
        if (ReadGameFile(files.NativePath(path), s.LoadBuffer, s.HasComments) == 0) {
            CommitGame(s.LoadBuffer, s.CurrentGame);
            s.CurrentFileName = path;
            return;
        }
    }
    if (settings.FileLoadType == 2) {
        // A file that fails to load is not retried: it has already left DirectoryFiles.
        const std::string path = NextDirectoryFile(s, files);
        if (files.FileExists(path) &&
            ReadGameFile(files.NativePath(path), s.LoadBuffer, s.HasComments) == 0) {
            TraceMessage("Loading game " + path);
            CommitGame(s.LoadBuffer, s.CurrentGame);
            s.CurrentFileName = path;
            return;
        }
    }
    LoadBuiltInGame(s);
    s.CurrentFileName.clear();
}

std::string NextDirectoryFile(AppState& s, const FileSystem& files) {
    std::string& dir = s.Settings.DirFileString;
    // An empty folder setting would become "\", the root of the drive: no folder is set.
    if (std::all_of(dir.begin(), dir.end(), [](char c) { return c == ' ' || c == '\t'; })) {
        return std::string();
    }
    if (!s.DirectoryFilesCreated) {
        s.DirectoryFilesCreated = true;
        s.DirectoryFiles.clear();
        SeedFromClock(s.Random);
        // The setting keeps this separator for the rest of the run.
        if (dir.empty() || dir.back() != '\\') dir += '\\';
    }
    if (s.DirectoryFiles.empty()) {
        TraceMessage("Indexing all files in directory.");
        std::vector<std::string> names = files.ListPlainFiles(dir, kMaxDirectoryFiles);
        if (names.size() > kMaxDirectoryFiles) names.resize(kMaxDirectoryFiles);
        std::sort(names.begin(), names.end(), NameLess);
        names.erase(std::unique(names.begin(), names.end()), names.end());
        s.DirectoryFiles = std::move(names);
    }
    if (s.DirectoryFiles.empty()) return std::string();
    std::uniform_int_distribution<std::size_t> pick(0, s.DirectoryFiles.size() - 1);
    const std::size_t k = pick(s.Random);
    std::string name = std::move(s.DirectoryFiles[k]);
    s.DirectoryFiles.erase(s.DirectoryFiles.begin() + static_cast<std::ptrdiff_t>(k));
    return dir + name;
}

}  // namespace senvola
