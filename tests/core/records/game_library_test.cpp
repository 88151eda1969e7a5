// The game library against real directories of the platform the tests run on (native files, or
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

#include "core/platform/trace_log.h"
#include "native_file_system.h"
#include "records/builtin_games.h"
#include "records/game_file.h"
#include "records/game_library.h"
#include "records/reader_support.h"

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

// A library over `files`, its generator seeded so that every draw repeats, with the game read
// into a record of its own.
struct Library {
    explicit Library(const FileSystem& files) : library(files, 20240601u, &log) {}
    testing::TraceLog log;
    GameLibrary library;
    GameRecord game;
    void Next() { library.Next(game); }
};

TEST(GameLibrary, BuiltInKindIgnoresAFileNamedInTheSetting) {
    TempDir dir("type0");
    dir.Write("game.sgf", Sgf("from file"));
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::BuiltIn, dir.FileFor("game.sgf"));
    l.library.SetNextBuiltIn(3);
    for (int row : {3, 4, 5}) {
        l.Next();
        EXPECT_EQ(l.library.LastBuiltIn(), row);
        EXPECT_TRUE(l.library.FileName().empty());
        EXPECT_NE(l.game.Event, "from file");
        EXPECT_EQ(l.game.BoardSize, 19);
    }
}

TEST(GameLibrary, OneFileIsReadByTheReaderItsNameSelects) {
    TempDir dir("type1");
    // The same text read as .GO gives a 9-line board; read as SGF (a "(;" but no "[" at all) it
    // is an empty 19-line game. That tells which reader ran.
    const std::string text = "EVENT (;test\r\nBOARDSIZE 9\r\n";
    for (const std::string name : {"small.go", "CAPS.GO", "plain.sgf", "notes.txt", "noextension"}) {
        dir.Write(name, text);
        NativeFileSystem files;
        Library l(files);
        l.library.Select(GameSourceKind::OneFile, dir.FileFor(name));
        const int before = l.library.LastBuiltIn();
        l.Next();
        const bool go = name == "small.go" || name == "CAPS.GO";
        EXPECT_EQ(l.game.BoardSize, go ? 9 : 19) << name;
        EXPECT_EQ(l.library.FileName(), dir.FileFor(name)) << name;
        EXPECT_EQ(l.library.LastBuiltIn(), before) << name << " fell back to a built-in game";
        EXPECT_EQ(MoveListLength(l.game), 0);
    }
}

TEST(GameLibrary, OneFileThatIsMissingOrBrokenGivesTheNextBuiltInGameEveryTime) {
    TempDir dir("type1bad");
    dir.Write("broken.sgf", "(;GM[1]SZ[9];B[cc];W[zz])");
    NativeFileSystem files;
    for (const std::string name : {"missing.sgf", "broken.sgf"}) {
        Library l(files);
        l.library.Select(GameSourceKind::OneFile, dir.FileFor(name));
        l.library.SetNextBuiltIn(6);
        l.Next();
        EXPECT_EQ(l.library.LastBuiltIn(), 6) << name;
        EXPECT_TRUE(l.library.FileName().empty());
        EXPECT_EQ(l.game.BoardSize, 19) << "the half-read game is never committed";
        EXPECT_NE(MoveListLength(l.game), 2);
        l.Next();  // tried again, failing again
        EXPECT_EQ(l.library.LastBuiltIn(), 1) << name;
    }
}

TEST(GameLibrary, FolderOffersEachFileOnceThenListsAgain) {
    TempDir dir("type2");
    dir.Write("a.sgf", Sgf("a"));
    dir.Write("b.sgf", Sgf("b"));
    dir.Write("c.SGF", Sgf("c"));
    fs::create_directories(dir.Native() / "sub.sgf");  // a directory is never offered
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::Folder, dir.Path());  // without the trailing separator
    const int builtIn = l.library.LastBuiltIn();
    std::multiset<std::string> events;
    for (int i = 0; i < 3; ++i) {
        l.Next();
        events.insert(l.game.Event);
        // One separator between folder and name, though the setting has none.
        EXPECT_EQ(l.library.FileName(), dir.FileFor(l.game.Event == "c" ? "c.SGF" : l.game.Event + ".sgf"));
        EXPECT_EQ(l.log.Count("Loading game " + l.library.FileName()), 1);
    }
    EXPECT_EQ(events, (std::multiset<std::string>{"a", "b", "c"}));
    EXPECT_EQ(l.library.LastBuiltIn(), builtIn);
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 1);

    // All drawn: the next request lists again and sees a file added meanwhile; the same
    // location selected again (as at every new game) does not start the listing over.
    dir.Write("d.sgf", Sgf("d"));
    events.clear();
    for (int i = 0; i < 4; ++i) {
        l.library.Select(GameSourceKind::Folder, dir.Path());
        l.Next();
        events.insert(l.game.Event);
        EXPECT_EQ(l.library.FileName().find("\\\\"), std::string::npos) << "the separator is added once only";
    }
    EXPECT_EQ(events, (std::multiset<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 2);
}

TEST(GameLibrary, FolderFileThatFailsIsNotRetried) {
    TempDir dir("type2bad");
    dir.Write("good.sgf", Sgf("good"));
    dir.Write("bad.sgf", "(;GM[4])");
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::Folder, dir.Path() + "\\");
    l.library.SetNextBuiltIn(2);
    int builtIn = 0, good = 0;
    for (int i = 0; i < 2; ++i) {
        l.Next();
        if (l.library.FileName().empty()) ++builtIn;
        if (l.library.FileName() == dir.FileFor("good.sgf")) ++good;  // a trailing separator is not doubled
    }
    EXPECT_EQ(builtIn, 1);
    EXPECT_EQ(good, 1);
    EXPECT_EQ(l.library.LastBuiltIn(), 2) << "the fallback advanced the built-in rotation";
}

TEST(GameLibrary, EmptyOrMissingFolderGivesBuiltInGamesAndListsEachTime) {
    TempDir dir("type2empty");
    NativeFileSystem files;
    for (const std::string& path : {dir.Path(), dir.Path() + "\\no-such-directory"}) {
        Library l(files);
        l.library.Select(GameSourceKind::Folder, path);
        l.library.SetNextBuiltIn(1);
        for (int i = 1; i <= 3; ++i) {
            l.Next();
            EXPECT_EQ(l.library.LastBuiltIn(), i);
            EXPECT_TRUE(l.library.FileName().empty());
        }
        EXPECT_EQ(l.log.Count("Indexing all files in directory."), 3) << path;
        EXPECT_EQ(l.library.NextFolderFile(), "");
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

TEST(GameLibrary, AtMostTenThousandFilesAreListedAndAllAreDrawnBeforeListingAgain) {
    FakeFiles files;
    files.listed = 10003;  // an enumeration that ignores the limit must still be cut
    Library l(files);
    l.library.Select(GameSourceKind::Folder, "D:\\games");
    std::set<std::string> seen;
    for (int i = 0; i < 10000; ++i) {
        const std::string p = l.library.NextFolderFile();
        ASSERT_EQ(p.rfind("D:\\games\\f", 0), 0u) << p;
        seen.insert(p);
    }
    EXPECT_EQ(files.lastLimit, 10000u);
    EXPECT_EQ(files.lastDirectory, "D:\\games\\");
    EXPECT_EQ(seen.size(), 10000u);
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 1);
    EXPECT_TRUE(l.library.FolderFilesLeft().empty());
    l.library.NextFolderFile();
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 2);
    const std::vector<std::string>& left = l.library.FolderFilesLeft();
    EXPECT_TRUE(std::is_sorted(left.begin(), left.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return std::toupper(x) < std::toupper(y); });
    }));
    // A listed file that no longer exists falls back like a broken one.
    l.library.SetNextBuiltIn(1);
    l.Next();
    EXPECT_EQ(l.library.LastBuiltIn(), 1);
    EXPECT_TRUE(l.library.FileName().empty());
}

TEST(GameLibrary, ABlankFolderSettingPlaysTheBuiltInGames) {
    for (const std::string blank : {"", "   ", " \t "}) {
        FakeFiles files;
        files.listed = 3;
        Library l(files);
        l.library.Select(GameSourceKind::Folder, blank);
        l.library.SetNextBuiltIn(3);
        EXPECT_EQ(l.library.NextFolderFile(), "");
        l.Next();
        EXPECT_EQ(l.library.LastBuiltIn(), 3);
        EXPECT_TRUE(l.library.FileName().empty());
        EXPECT_EQ(files.listings, 0) << "the root of the drive was listed for \"" << blank << "\"";
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
            EXPECT_EQ(ReadGameFile((dir.Native() / name).string(), game), ReadError::Unreadable) << name << " " << size;
            EXPECT_EQ(MoveListLength(game), 0) << name << " " << size;
        }
    }
    WriteSparse(dir.Native() / "limit.sgf", sgf, kMaxGameFileBytes);
    GameRecord game;
    EXPECT_EQ(ReadGameFile((dir.Native() / "limit.sgf").string(), game), ReadError::None);
    EXPECT_EQ(MoveListLength(game), 2);

    // The library falls back to a built-in game, as for any file that cannot be opened.
    NativeFileSystem files;
    GameLibrary library(files, 1);
    library.Select(GameSourceKind::OneFile, dir.FileFor("big.go"));
    library.SetNextBuiltIn(5);
    library.Next(game);
    EXPECT_EQ(library.LastBuiltIn(), 5);
    EXPECT_TRUE(library.FileName().empty());
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

TEST(GameLibrary, AHugeGameThenASmallOneLeavesTheRecordsSmall) {
    TempDir dir("memory");
    dir.Write("huge.sgf", "(;GM[1]SZ[19]CP[" + std::string(2u << 20, 'c') + "];B[aa]C[" +
                              std::string(20u << 20, 'w') + "];W[bb])");
    dir.Write("small.sgf", "(;GM[1]SZ[19]CP[(c)];B[aa]C[short];W[bb])");
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::OneFile, dir.FileFor("huge.sgf"));
    l.Next();
    ASSERT_EQ(l.game.Comments[1].size(), 20u << 20);
    l.library.Select(GameSourceKind::OneFile, dir.FileFor("small.sgf"));
    l.Next();
    ASSERT_EQ(l.game.Comments[1], "short");
    EXPECT_LE(l.game.Comments[1].capacity(), kKeptTextCapacity);
    EXPECT_LE(l.game.Copyright.capacity(), kKeptTextCapacity);
}

// The kinds side by side, as the replay selects them at each new game: switching the kind keeps
// the folder's draw, another folder starts a draw of its own.
TEST(GameLibrary, EachKindAndLocationKeepsItsOwnTurn) {
    FakeFiles files;
    files.listed = 5;
    Library l(files);
    l.library.Select(GameSourceKind::Folder, "D:\\one");
    l.library.NextFolderFile();
    l.library.NextFolderFile();
    ASSERT_EQ(l.library.FolderFilesLeft().size(), 3u);
    l.library.Select(GameSourceKind::BuiltIn, "D:\\one");
    l.library.SetNextBuiltIn(4);
    l.Next();
    EXPECT_EQ(l.library.LastBuiltIn(), 4);
    EXPECT_EQ(l.library.FolderFilesLeft().size(), 3u) << "a built-in game draws no file";
    l.library.Select(GameSourceKind::Folder, "D:\\one");
    EXPECT_EQ(l.library.FolderFilesLeft().size(), 3u);
    l.library.Select(GameSourceKind::Folder, "D:\\two");
    EXPECT_EQ(l.library.NextFolderFile().rfind("D:\\two\\f", 0), 0u);
    EXPECT_EQ(files.lastDirectory, "D:\\two\\");
    EXPECT_EQ(files.listings, 2);
}

// The draws come from the library's own generator: one seed, one order; the first built-in
// game is drawn from it too.
TEST(GameLibrary, TheSameSeedDrawsTheSameFilesAndFirstBuiltInGame) {
    FakeFiles files;
    files.listed = 50;
    std::vector<std::string> orders[2];
    int firsts[2] = {0, 0};
    for (int run = 0; run < 2; ++run) {
        GameLibrary library(files, 7u);
        firsts[run] = library.LastBuiltIn();
        library.Select(GameSourceKind::Folder, "D:\\games");
        for (int i = 0; i < 50; ++i) orders[run].push_back(library.NextFolderFile());
    }
    EXPECT_EQ(orders[0], orders[1]);
    EXPECT_NE(orders[0], (std::vector<std::string>(orders[0].rbegin(), orders[0].rend())));
    EXPECT_EQ(firsts[0], firsts[1]);
    std::set<int> seen;
    for (std::uint32_t seed = 0; seed < 200; ++seed) seen.insert(GameLibrary(files, seed).LastBuiltIn());
    EXPECT_EQ(seen, (std::set<int>{1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace senvola
