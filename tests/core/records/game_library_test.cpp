// The game source against real directories of the platform the tests run on (native files, or
// Windows files under Wine): paths are built as the program builds them, "dir\name".
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "records/builtin_games.h"
#include "records/game_library.h"
#include "records/reader_support.h"
#include "native_file_system.h"

namespace senvola {
namespace {

namespace fs = std::filesystem;

// A fresh directory under the temporary directory, removed at the end of the test.
class TempDir {
public:
    explicit TempDir(const std::string& tag) {
        // Several builds may run this test at once: the name must not collide between them.
        std::random_device entropy;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = fs::temp_directory_path() /
                ("senvola-src-" + tag + "-" + std::to_string(entropy()) + "-" + std::to_string(stamp));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    // The directory as the settings hold it: the platform's own spelling, no trailing separator.
    std::string Path() const { return path_.string(); }
    // The full path the program builds for a file in it.
    std::string FileFor(const std::string& name) const { return Path() + "\\" + name; }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }
    fs::path Native() const { return path_; }

private:
    fs::path path_;
};

// A small valid SGF game that names itself in its event.
std::string Sgf(const std::string& event) { return "(;GM[1]SZ[9]EV[" + event + "];B[cc];W[gg])"; }

struct TraceCounter {
    std::vector<std::string> messages;
    TraceCounter() {
        SetTraceHook([this](std::string_view m) { messages.emplace_back(m); });
    }
    ~TraceCounter() { SetTraceHook(nullptr); }
    int Count(const std::string& text) const {
        int n = 0;
        for (const auto& m : messages) n += m == text;
        return n;
    }
};

TEST(GameSource, ReaderIsChosenByTheExtensionOfTheFileName) {
    EXPECT_TRUE(IsGoFileName("game.go"));
    EXPECT_TRUE(IsGoFileName("C:\\Games\\GAME.GO"));
    EXPECT_TRUE(IsGoFileName("/tmp/x.Go"));
    EXPECT_TRUE(IsGoFileName("a.b.go"));
    EXPECT_FALSE(IsGoFileName("game.sgf"));
    EXPECT_FALSE(IsGoFileName("game.txt"));
    EXPECT_FALSE(IsGoFileName("game"));
    EXPECT_FALSE(IsGoFileName("go"));
    EXPECT_FALSE(IsGoFileName("game.gob"));
    EXPECT_FALSE(IsGoFileName("game.go.sgf"));
    EXPECT_FALSE(IsGoFileName("C:\\old.go\\game"));  // the dot of a directory is no extension
    EXPECT_FALSE(IsGoFileName("C:/old.go/game"));
    EXPECT_FALSE(IsGoFileName(""));
}

TEST(GameSource, BuiltInSourceIgnoresAFileNamedInTheSetting) {
    TempDir dir("type0");
    dir.Write("game.sgf", Sgf("from file"));
    NativeFileSystem files;
    AppState s;
    s.Settings.FileLoadType = 0;
    s.Settings.DirFileString = dir.FileFor("game.sgf");
    s.BuiltInIndex = 2;
    s.CurrentFileName = "old";
    for (int row : {3, 4, 5}) {
        LoadNextGame(s, files);
        EXPECT_EQ(s.BuiltInIndex, row);
        EXPECT_TRUE(s.CurrentFileName.empty());
        EXPECT_NE(s.CurrentGame.Event, "from file");
        EXPECT_EQ(s.CurrentGame.BoardSize, 19);
    }
}

TEST(GameSource, OneFileIsReadByTheReaderItsNameSelects) {
    TempDir dir("type1");
    // The same text read as .GO gives a 9-line board; read as SGF (no "[" at all) it is an
    // empty 19-line game. That tells which reader ran.
    const std::string text = "EVENT test\r\nBOARDSIZE 9\r\n";
    for (const std::string name : {"small.go", "CAPS.GO", "plain.sgf", "notes.txt", "noextension"}) {
        dir.Write(name, text);
        NativeFileSystem files;
        AppState s;
        s.Settings.FileLoadType = 1;
        s.Settings.DirFileString = dir.FileFor(name);
        LoadNextGame(s, files);
        const bool go = name == "small.go" || name == "CAPS.GO";
        EXPECT_EQ(s.CurrentGame.BoardSize, go ? 9 : 19) << name;
        EXPECT_EQ(s.CurrentFileName, dir.FileFor(name)) << name;
        EXPECT_EQ(s.BuiltInIndex, 0) << name << " fell back to a built-in game";
        EXPECT_EQ(MoveListLength(s.CurrentGame), 0);
    }
}

TEST(GameSource, OneFileThatIsMissingOrBrokenGivesTheNextBuiltInGameEveryTime) {
    TempDir dir("type1bad");
    dir.Write("broken.sgf", "(;GM[1]SZ[9];B[cc];W[zz])");
    NativeFileSystem files;
    for (const std::string name : {"missing.sgf", "broken.sgf"}) {
        AppState s;
        s.Settings.FileLoadType = 1;
        s.Settings.DirFileString = dir.FileFor(name);
        s.BuiltInIndex = 5;
        s.CurrentFileName = "before";
        LoadNextGame(s, files);
        EXPECT_EQ(s.BuiltInIndex, 6) << name;
        EXPECT_TRUE(s.CurrentFileName.empty());
        EXPECT_EQ(s.CurrentGame.BoardSize, 19) << "the half-read game is never committed";
        EXPECT_NE(MoveListLength(s.CurrentGame), 2);
        LoadNextGame(s, files);  // tried again, failing again
        EXPECT_EQ(s.BuiltInIndex, 1) << name;
        EXPECT_EQ(s.Settings.DirFileString, dir.FileFor(name)) << "the one-file setting is not changed";
    }
}

TEST(GameSource, DirectoryOffersEachFileOnceThenIndexesAgain) {
    TempDir dir("type2");
    dir.Write("a.sgf", Sgf("a"));
    dir.Write("b.sgf", Sgf("b"));
    dir.Write("c.SGF", Sgf("c"));
    fs::create_directories(dir.Native() / "sub.sgf");  // a directory is never offered
    NativeFileSystem files;
    TraceCounter trace;
    AppState s;
    s.Settings.FileLoadType = 2;
    s.Settings.DirFileString = dir.Path();  // without the trailing separator
    std::multiset<std::string> events;
    for (int i = 0; i < 3; ++i) {
        LoadNextGame(s, files);
        events.insert(s.CurrentGame.Event);
        EXPECT_EQ(s.CurrentFileName, dir.FileFor(s.CurrentGame.Event == "c" ? "c.SGF" : s.CurrentGame.Event + ".sgf"));
        EXPECT_EQ(trace.Count("Loading game " + s.CurrentFileName), 1);
    }
    EXPECT_EQ(events, (std::multiset<std::string>{"a", "b", "c"}));
    EXPECT_EQ(s.BuiltInIndex, 0);
    EXPECT_EQ(trace.Count("Indexing all files in directory."), 1);
    EXPECT_EQ(s.Settings.DirFileString, dir.Path() + "\\") << "the separator stays in the setting";

    // All drawn: the next request indexes again and sees a file added meanwhile.
    dir.Write("d.sgf", Sgf("d"));
    events.clear();
    for (int i = 0; i < 4; ++i) {
        LoadNextGame(s, files);
        events.insert(s.CurrentGame.Event);
    }
    EXPECT_EQ(events, (std::multiset<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(trace.Count("Indexing all files in directory."), 2);
    EXPECT_EQ(s.Settings.DirFileString, dir.Path() + "\\") << "appended once only";
}

TEST(GameSource, DirectoryFileThatFailsIsNotRetried) {
    TempDir dir("type2bad");
    dir.Write("good.sgf", Sgf("good"));
    dir.Write("bad.sgf", "(;GM[4])");
    NativeFileSystem files;
    AppState s;
    s.Settings.FileLoadType = 2;
    s.Settings.DirFileString = dir.Path() + "\\";
    s.BuiltInIndex = 1;
    int builtIn = 0, good = 0;
    for (int i = 0; i < 2; ++i) {
        LoadNextGame(s, files);
        if (s.CurrentFileName.empty()) ++builtIn;
        if (s.CurrentFileName == dir.FileFor("good.sgf")) ++good;
    }
    EXPECT_EQ(builtIn, 1);
    EXPECT_EQ(good, 1);
    EXPECT_EQ(s.BuiltInIndex, 2) << "the fallback advanced the built-in rotation";
    EXPECT_EQ(s.Settings.DirFileString, dir.Path() + "\\") << "a trailing separator is not doubled";
}

TEST(GameSource, EmptyOrMissingDirectoryGivesBuiltInGamesAndIndexesEachTime) {
    TempDir dir("type2empty");
    NativeFileSystem files;
    for (const std::string path : {dir.Path(), dir.Path() + "\\no-such-directory"}) {
        TraceCounter trace;
        AppState s;
        s.Settings.FileLoadType = 2;
        s.Settings.DirFileString = path;
        s.BuiltInIndex = 6;
        for (int i = 1; i <= 3; ++i) {
            LoadNextGame(s, files);
            EXPECT_EQ(s.BuiltInIndex, i);
            EXPECT_TRUE(s.CurrentFileName.empty());
        }
        EXPECT_EQ(trace.Count("Indexing all files in directory."), 3) << path;
        EXPECT_EQ(NextDirectoryFile(s, files), "");
    }
}

// Enumeration as the platform would give it, for the limits the real file system cannot show
// cheaply.
class FakeFiles final : public FileSystem {
public:
    std::size_t listed = 0;
    std::size_t lastLimit = 0;
    std::string lastDirectory;
    int listings = 0;
    bool FileExists(const std::string&) const override { return false; }
    std::vector<std::string> ListPlainFiles(const std::string& directory, std::size_t limit) const override {
        auto* self = const_cast<FakeFiles*>(this);
        ++self->listings;
        self->lastLimit = limit;
        self->lastDirectory = directory;
        std::vector<std::string> names;
        for (std::size_t i = 0; i < listed; ++i) names.push_back("f" + std::to_string(i));
        return names;
    }
};

TEST(GameSource, AtMostTenThousandFilesAreListedAndAllAreDrawnBeforeIndexingAgain) {
    FakeFiles files;
    files.listed = 10003;  // an enumeration that ignores the limit must still be cut
    AppState s;
    s.Settings.DirFileString = "D:\\games";
    TraceCounter trace;
    std::set<std::string> seen;
    for (int i = 0; i < 10000; ++i) {
        const std::string p = NextDirectoryFile(s, files);
        ASSERT_EQ(p.rfind("D:\\games\\f", 0), 0u) << p;
        seen.insert(p);
    }
    EXPECT_EQ(files.lastLimit, 10000u);
    EXPECT_EQ(files.lastDirectory, "D:\\games\\");
    EXPECT_EQ(seen.size(), 10000u);
    EXPECT_EQ(trace.Count("Indexing all files in directory."), 1);
    EXPECT_TRUE(s.DirectoryFiles.empty());
    NextDirectoryFile(s, files);
    EXPECT_EQ(trace.Count("Indexing all files in directory."), 2);
    EXPECT_TRUE(std::is_sorted(s.DirectoryFiles.begin(), s.DirectoryFiles.end(),
                               [](const std::string& a, const std::string& b) {
                                   return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                       [](char x, char y) { return std::toupper(x) < std::toupper(y); });
                               }));
    // A listed file that no longer exists falls back like a broken one.
    s.Settings.FileLoadType = 2;
    s.BuiltInIndex = 0;
    LoadNextGame(s, files);
    EXPECT_EQ(s.BuiltInIndex, 1);
    EXPECT_TRUE(s.CurrentFileName.empty());
}

TEST(GameSource, ABlankFolderSettingPlaysTheBuiltInGames) {
    for (const std::string blank : {"", "   ", " \t "}) {
        FakeFiles files;
        files.listed = 3;
        AppState s;
        s.Settings.FileLoadType = 2;
        s.Settings.DirFileString = blank;
        s.BuiltInIndex = 2;
        EXPECT_EQ(NextDirectoryFile(s, files), "");
        LoadNextGame(s, files);
        EXPECT_EQ(s.BuiltInIndex, 3);
        EXPECT_TRUE(s.CurrentFileName.empty());
        EXPECT_EQ(files.listings, 0) << "the root of the drive was listed for \"" << blank << "\"";
        EXPECT_EQ(s.Settings.DirFileString, blank);
    }
}

// A file of `size` bytes that starts with `head`; the rest is a hole that takes no disk space.
void WriteSparse(const fs::path& path, const std::string& head, std::uint64_t size) {
    {
        std::ofstream out(path, std::ios::binary);
        out << head;
        out.seekp(static_cast<std::streamoff>(size - 1));
        out.put('\0');
    }
    ASSERT_EQ(fs::file_size(path), size);
}

TEST(GameFileLimit, FilesOverTheLimitAreRefusedBeforeTheyAreRead) {
    using reader_support::kMaxGameFileBytes;
    TempDir dir("limit");
    // A whole game at the start: the SGF reader would stop at its ")" without reading further,
    // so only the size can refuse it; past 4 GiB a size cut to 32 bits would look small.
    const std::string sgf = "(;GM[1]SZ[9];B[cc];W[gg])";
    const std::string go = "EVENT\r\nBOARDSIZE 9\r\nB 1 C7\r\n";
    for (const std::uint64_t size : {kMaxGameFileBytes + 1, (std::uint64_t{1} << 32) + 1}) {
        WriteSparse(dir.Native() / "big.sgf", sgf, size);
        WriteSparse(dir.Native() / "big.go", go, size);
        for (const std::string name : {"big.sgf", "big.go"}) {
            GameRecord game;
            uint8_t hasComments = 0;
            EXPECT_EQ(ReadGameFile((dir.Native() / name).string(), game, hasComments), 255) << name << " " << size;
            EXPECT_EQ(MoveListLength(game), 0) << name << " " << size;
        }
    }
    WriteSparse(dir.Native() / "limit.sgf", sgf, kMaxGameFileBytes);
    GameRecord game;
    uint8_t hasComments = 0;
    EXPECT_EQ(ReadGameFile((dir.Native() / "limit.sgf").string(), game, hasComments), 0);
    EXPECT_EQ(MoveListLength(game), 2);

    // The source falls back to a built-in game, as for any file that cannot be opened.
    NativeFileSystem files;
    AppState s;
    s.Settings.FileLoadType = 1;
    s.Settings.DirFileString = dir.FileFor("big.go");
    s.BuiltInIndex = 4;
    LoadNextGame(s, files);
    EXPECT_EQ(s.BuiltInIndex, 5);
    EXPECT_TRUE(s.CurrentFileName.empty());
}

// Input without end, like a pipe that never closes; counts the bytes taken from it.
class EndlessInput final : public std::streambuf {
public:
    std::uint64_t taken = 0;

protected:
    int_type underflow() override {
        buffer_.fill('(');
        setg(buffer_.data(), buffer_.data(), buffer_.data() + buffer_.size());
        taken += buffer_.size();
        return traits_type::to_int_type('(');
    }

private:
    std::array<char, 4096> buffer_{};
};

TEST(GameFileLimit, InputOfUnknownLengthIsReadOnlyToTheLimit) {
    const std::uint64_t limit = 1u << 20;
    EndlessInput endless;
    std::istream in(&endless);
    reader_support::ChunkedInput input(in, limit);
    std::uint64_t delivered = 0;
    for (std::string_view chunk = input.Next(); !chunk.empty(); chunk = input.Next()) delivered += chunk.size();
    EXPECT_TRUE(input.Failed());
    EXPECT_LE(delivered, limit);
    EXPECT_LE(endless.taken, limit + 1 + 4096);

    // Exactly the limit is still a file.
    std::istringstream exact(std::string(limit, 'x'));
    reader_support::ChunkedInput whole(exact, limit);
    delivered = 0;
    for (std::string_view chunk = whole.Next(); !chunk.empty(); chunk = whole.Next()) delivered += chunk.size();
    EXPECT_FALSE(whole.Failed());
    EXPECT_EQ(delivered, limit);
}

TEST(GameSource, AHugeGameThenASmallOneLeavesTheRecordsSmall) {
    TempDir dir("memory");
    dir.Write("huge.sgf", "(;GM[1]SZ[19]CP[" + std::string(2u << 20, 'c') + "];B[aa]C[" +
                              std::string(20u << 20, 'w') + "];W[bb])");
    dir.Write("small.sgf", "(;GM[1]SZ[19]CP[(c)];B[aa]C[short];W[bb])");
    NativeFileSystem files;
    AppState s;
    s.Settings.FileLoadType = 1;
    s.Settings.DirFileString = dir.FileFor("huge.sgf");
    LoadNextGame(s, files);
    ASSERT_EQ(s.CurrentGame.Comments[1].size(), 20u << 20);
    s.Settings.DirFileString = dir.FileFor("small.sgf");
    LoadNextGame(s, files);
    ASSERT_EQ(s.CurrentGame.Comments[1], "short");
    for (const GameRecord* g : {&s.LoadBuffer, &s.CurrentGame}) {
        EXPECT_LE(g->Comments[1].capacity(), kKeptTextCapacity);
        EXPECT_LE(g->Copyright.capacity(), kKeptTextCapacity);
    }
}

}  // namespace
}  // namespace senvola
