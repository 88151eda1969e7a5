// check, read and replay: what the screensaver's readers and rules make of game files.
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "commands.h"
#include "game_input.h"
#include "native_file_system.h"
#include "json_text.h"
#include "native_text_decoder.h"
#include "records/builtin_games.h"
#include "records/game_file.h"
#include "records/game_library.h"
#include "replay/game_replay.h"

namespace senvola::inspect {

namespace {

// The records are large (801 comment slots): keep them off the stack.
std::unique_ptr<GameRecord> NewRecord() { return std::make_unique<GameRecord>(); }

bool BadBuiltInPath(const std::string& path) {
    int n = 0;
    return IsBuiltInPath(path, n) && (n < 1 || n > kBuiltInGameCount);
}

std::string Num(long long v) { return std::to_string(v); }

// The setup stones as the report has always spelled them: per stone "Z" (black) or "W" (white),
// then the column and the row as letters, "A" = 1.
std::string SetupText(const std::vector<SetupStone>& setup) {
    std::string text;
    for (const SetupStone& s : setup) {
        text += s.colour == go::Stone::White ? 'W' : 'Z';
        text += static_cast<char>(64 + s.x);
        text += static_cast<char>(64 + s.y);
    }
    return text;
}

// The texts of a record by the names the report gives them.
using NamedTexts = std::array<std::pair<const char*, const std::string*>, 14>;
NamedTexts TextsOf(const GameRecord& g) {
    return {{{"WhiteName", &g.WhiteName}, {"WhiteRank", &g.WhiteRank}, {"BlackName", &g.BlackName},
             {"BlackRank", &g.BlackRank}, {"Copyright", &g.Copyright}, {"Date", &g.Date},
             {"Event", &g.Event},         {"GameName", &g.GameName},   {"Komi", &g.Komi},
             {"Place", &g.Place},         {"Result", &g.Result},       {"TimeLimit", &g.TimeLimit},
             {"User", &g.User},           {"Round", &g.Round}}};
}

// "Comments": the non-empty comment slots by number, each written by `quote`.
std::string CommentsJson(const GameRecord& g, std::string (*quote)(std::string_view)) {
    std::string j = "\"Comments\": {";
    bool first = true;
    for (int k = 0; k <= kMaxMoves; ++k) {
        if (g.Comments[k].empty()) continue;
        if (!first) j += ", ";
        first = false;
        j += "\"" + Num(k) + "\": " + quote(g.Comments[k]);
    }
    return j + "}";
}

// The texts of a record decoded to Unicode, as the screen shows them.
std::string DecodedTextJson(const GameRecord& decoded) {
    std::string j = "{";
    for (const auto& [name, value] : TextsOf(decoded)) {
        j += "\"" + std::string(name) + "\": " + JsonUnicodeString(*value) + ", ";
    }
    return j + CommentsJson(decoded, JsonUnicodeString) + "}";
}

std::string RecordJson(const GameRecord& g) {
    std::string j = "{";
    for (const auto& [name, value] : TextsOf(g)) j += "\"" + std::string(name) + "\": " + JsonString(*value) + ", ";
    j += "\"Handicap\": " + Num(g.Handicap) + ", ";
    j += "\"BoardSize\": " + Num(g.BoardSize) + ", ";
    j += "\"FirstColour\": " + Num(g.FirstToMove == go::Stone::White ? 2 : 1) + ", ";
    j += "\"Setup\": " + JsonString(SetupText(g.Setup)) + ", ";
    j += "\"Moves\": [";
    for (int k = 1; k <= kMaxMoves && g.MoveX[k] != 0; ++k) {
        if (k > 1) j += ", ";
        j += "[" + Num(g.MoveX[k]) + ", " + Num(g.MoveY[k]) + "]";
    }
    j += "], " + CommentsJson(g, JsonString) + "}";
    return j;
}

void PrintLine(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

const char* CodeReason(const std::string& path, ReadError error) {
    const int code = static_cast<int>(error);
    if (code == 0) return "loaded";
    if (code == 255) return "file cannot be opened or read";
    if (IsGoFileName(path)) {
        switch (code) {
            case 2: return "BOARDSIZE not 9, 13 or 19";
            case 3: return "bad SETUP colour or point";
            case 4: return "bad move: out of turn, wrong number, or bad point";
            case 8: return "unknown keyword";
        }
    } else {
        switch (code) {
            case 2: return "SZ is not a whole number";
            case 3: return "bad HA value or setup stone";
            case 4: return "bad move value or point off the board";
            case 5: return "handicap does not match the setup stones";
            case 6: return "not a game of Go (GM 2, 3 or 4)";
            case 7: return "board size not 9, 13 or 19";
            case 9: return "no game in the file (no \"(;\")";
        }
    }
    return "unknown error";
}

// The reason's number in the reports, as the rules have always numbered it.
int IllegalReasonCode(go::MoveResult r) {
    switch (r) {
        case go::MoveResult::Played: return 0;
        case go::MoveResult::Occupied: return 1;
        case go::MoveResult::Suicide: return 2;
        case go::MoveResult::Ko: return 3;
        case go::MoveResult::ChainLimit: return 4;
    }
    return 0;
}

const char* IllegalReasonText(go::MoveResult r) {
    switch (r) {
        case go::MoveResult::Occupied: return "point occupied";
        case go::MoveResult::Suicide: return "suicide";
        case go::MoveResult::Ko: return "ko";
        case go::MoveResult::ChainLimit: return "no free chain number";
        case go::MoveResult::Played: break;
    }
    return "unknown";
}

struct CheckTotals {
    int files = 0, loaded = 0, failed = 0, complete = 0, illegal = 0;
};

void CheckOne(const std::string& path, CheckTotals& t) {
    auto game = NewRecord();
    const ReadError error = ReadGamePath(*game, path);
    ++t.files;
    std::string line = path + ": code " + Num(static_cast<int>(error)) + " (" + CodeReason(path, error) + ")";
    if (error != ReadError::None) {
        ++t.failed;
        PrintLine(line + ", not replayed");
        return;
    }
    ++t.loaded;
    NullMoveDisplay none;
    Position position;
    const ReplayOutcome r = ReplayGame(*game, position, none);
    line += ", " + Num(r.Entries) + " moves, ";
    if (r.IllegalMove == 0) {
        ++t.complete;
        line += "replay reaches the end";
    } else {
        ++t.illegal;
        line += "replay stops at move " + Num(r.IllegalMove) + " (" + Num(r.IllegalX) + ", " + Num(r.IllegalY) +
                "): illegal, reason " + Num(IllegalReasonCode(r.Reason)) + " (" + IllegalReasonText(r.Reason) + ")";
    }
    PrintLine(line);
}

// Paths on the command line and in the readers are UTF-8; on Windows a path built from a plain
// string would be read in the ANSI code page and miss every name outside it.
std::filesystem::path PathFromUtf8(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

void CollectDirectory(const std::filesystem::path& dir, bool recursive, std::vector<std::string>& out) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files, dirs;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (it->is_directory(e2)) dirs.push_back(it->path());
        else if (it->is_regular_file(e2)) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    std::sort(dirs.begin(), dirs.end());
    for (const auto& f : files) {
        const std::u8string u = f.u8string();
        out.emplace_back(u.begin(), u.end());
    }
    if (recursive)
        for (const auto& d : dirs) CollectDirectory(d, true, out);
}

// The files the saver's folder source offers from `dir`, as it lists them, in byte order; `dir`
// as a person types it, with or without a closing separator.
std::vector<std::string> FolderSourceFiles(std::string dir, const FileSystem& files) {
    while (dir.size() > 1 && (dir.back() == '/' || dir.back() == '\\')) dir.pop_back();
    GameLibrary library(files, 1u);
    library.Select(GameSourceKind::Folder, dir);
    std::string first = library.NextFolderFile();
    while (library.IndexSome(GameLibrary::kMaxFolderFiles)) {
    }
    // The first file may lie deeper than one game looks.
    if (first.empty()) first = library.NextFolderFile();
    if (first.empty()) return {};
    const std::string folder = dir + (dir.back() == '\\' ? "" : "\\");
    std::vector<std::string> out{first};
    for (const std::string& f : library.FolderFilesLeft()) out.push_back(folder + f);
    std::sort(out.begin(), out.end());
    for (std::string& f : out) f = files.NativePath(f);
    return out;
}

}  // namespace

int CmdCheck(const Args& args) {
    bool recursive = false;
    std::vector<std::string> paths;
    for (const std::string& a : args) {
        if (a == "-r") recursive = true;
        else if (!a.empty() && a[0] == '-') return UsageError("check: unknown option " + a);
        else paths.push_back(a);
    }
    if (paths.empty()) return UsageError("check: no PATH given");
    for (const std::string& p : paths)
        if (BadBuiltInPath(p)) return UsageError("check: " + p + ": N must be 1..6");

    CheckTotals t;
    for (const std::string& p : paths) {
        std::error_code ec;
        int n = 0;
        if (!IsBuiltInPath(p, n) && std::filesystem::is_directory(PathFromUtf8(p), ec)) {
            std::vector<std::string> files;
            if (recursive) {
                // Every plain file of the tree, whatever the folder source would make of it.
                CollectDirectory(PathFromUtf8(p), true, files);
            } else {
                const NativeFileSystem fileSystem;
                files = FolderSourceFiles(p, fileSystem);
                PrintLine(p + ": the folder source offers " + Num(static_cast<long long>(files.size())) +
                          " game files (.sgf or .go in any case, from the folder and all its subfolders; hidden "
                          "and system entries and links left out; at most " +
                          Num(static_cast<long long>(GameLibrary::kMaxFolderFiles)) +
                          (files.size() == GameLibrary::kMaxFolderFiles ? ", reached" : "") + ")");
            }
            for (const std::string& f : files) CheckOne(f, t);
        } else {
            CheckOne(p, t);
        }
    }
    PrintLine(Num(t.files) + (t.files == 1 ? " file: " : " files: ") + Num(t.loaded) + " loaded, " + Num(t.failed) + " failed to load; " +
              Num(t.complete) + " replayed to the end, " + Num(t.illegal) + " stopped at an illegal move");
    return 0;
}

int CmdRead(const Args& args) {
    if (args.size() != 1) return UsageError("read: exactly one PATH expected");
    if (BadBuiltInPath(args[0])) return UsageError("read: " + args[0] + ": N must be 1..6");
    auto game = NewRecord();
    const ReadError error = ReadGamePath(*game, args[0]);
    // The set the texts are shown in, the system's ANSI code page named as the one it is here.
    const NativeTextDecoder decoder;
    const text::Charset charset = decoder.Resolve(game->Charset);
    auto decoded = NewRecord();
    CommitGame(*game, *decoded);
    DecodeTexts(*decoded, decoder);
    PrintLine("{\"code\": " + Num(static_cast<int>(error)) + ", \"HasComments\": " +
              Num(game->HasComments ? 1 : 0) + ", \"record\": " + RecordJson(*game) + ", \"Charset\": " +
              JsonString(text::CharsetName(charset)) + ", \"Text\": " + DecodedTextJson(*decoded) +
              ", \"Markup\": " + Num(static_cast<int>(game->Marks.size())) +
              ", \"InGameSetup\": " + Num(static_cast<int>(game->InGameSetup.size())) + "}");
    return 0;
}

int CmdReplay(const Args& args) {
    if (args.size() != 1) return UsageError("replay: exactly one PATH expected");
    if (BadBuiltInPath(args[0])) return UsageError("replay: " + args[0] + ": N must be 1..6");
    auto game = NewRecord();
    const ReadError error = ReadGamePath(*game, args[0]);
    if (error != ReadError::None) {
        PrintLine("{\"code\": " + Num(static_cast<int>(error)) + "}");
        return 0;
    }
    NullMoveDisplay none;
    Position position;
    const ReplayOutcome r = ReplayGame(*game, position, none);
    const go::Board& b = position.Board;
    std::string j = "{\"code\": 0, \"entries\": " + Num(r.Entries) + ", \"played\": " + Num(r.Played) +
                    ", \"illegal\": ";
    if (r.IllegalMove == 0) {
        j += "null";
    } else {
        j += "{\"move\": " + Num(r.IllegalMove) + ", \"x\": " + Num(r.IllegalX) + ", \"y\": " + Num(r.IllegalY) +
             ", \"reason\": " + Num(IllegalReasonCode(r.Reason)) + "}";
    }
    // The ko's row is that of the latest ko even when none is left: the report has always shown
    // it so.
    j += ", \"moveNumber\": " + Num(b.MoveNumber()) + ", \"toMove\": " + Num(b.ToMove() == go::Stone::Black ? 1 : 0) +
         ", \"ko\": [" + Num(b.Ko().x) + ", " + Num(b.LastKo().y) + "], \"board\": [";
    const int n = std::clamp(game->BoardSize, 0, go::Board::kMaxSize);
    for (int y = 1; y <= n; ++y) {
        std::string row;
        for (int x = 1; x <= n; ++x) {
            const go::Stone v = b.At({x, y});
            row += v == go::Stone::Black ? 'X' : v == go::Stone::White ? 'O' : '.';
        }
        if (y > 1) j += ", ";
        j += "\"" + row + "\"";
    }
    j += "]}";
    PrintLine(j);
    return 0;
}

}  // namespace senvola::inspect
