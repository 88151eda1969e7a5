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
#include <map>
#include <memory>
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

// A small valid .GO game.
const std::string kGoGame = "EVENT\r\nBOARDSIZE 9\r\n";

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

TEST(GameLibrary, FolderFileThatFailsIsNotRetriedAndTheNextIsDrawnAtOnce) {
    TempDir dir("type2bad");
    fs::create_directories(dir.Native() / "more");
    dir.Write("more/good.sgf", Sgf("good"));
    dir.Write("bad.sgf", "(;GM[4])");
    for (int i = 0; i < 5; ++i) dir.Write("bad" + std::to_string(i) + ".sgf", "(;GM[4])");
    dir.Write("broken.go", "BOARDSIZE 12\r\n");
    dir.Write("gone.sgf", Sgf("gone"));
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::Folder, dir.Path() + "\\");
    l.library.SetNextBuiltIn(2);
    // Listed whole, then a file taken away before it is drawn: it fails like a broken one.
    ASSERT_FALSE(l.library.NextFolderFile().empty());
    while (l.library.IndexSome(100)) {
    }
    fs::remove(dir.Native() / "gone.sgf");
    for (int i = 0; i < 3; ++i) {
        l.Next();
        // A trailing separator is not doubled.
        EXPECT_EQ(l.library.FileName(), dir.FileFor("more\\good.sgf")) << "game " << i;
        EXPECT_EQ(l.game.Event, "good");
    }
    EXPECT_EQ(l.library.LastBuiltIn(), 1) << "a built-in game stood in for a broken file";
    // No file fails twice in one listing.
    std::set<std::string> failed;
    int failures = 0;
    for (const std::string& m : l.log.messages) {
        if (m == "Indexing all files in directory.") failed.clear();
        if (m.rfind("Error loading", 0) != 0 && m.rfind("Game file gone", 0) != 0) continue;
        ++failures;
        EXPECT_TRUE(failed.insert(m.substr(m.find(": ") + 2)).second) << m;
    }
    EXPECT_GE(failures, 3);
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

// Draws the files of one listing: their paths relative to the folder, "\\" between folder and
// name.
std::set<std::string> DrawAll(Library& l, const TempDir& dir) {
    std::set<std::string> drawn;
    for (std::string p = l.library.NextFolderFile(); !p.empty(); p = l.library.NextFolderFile()) {
        EXPECT_EQ(p.rfind(dir.Path() + "\\", 0), 0u) << p;
        // A file drawn again: all were drawn, and the folder is listed anew.
        if (!drawn.insert(p.substr(dir.Path().size() + 1)).second) break;
    }
    return drawn;
}

// Every visible game file of every visible folder, by its extension in any case; dot-files count
// as hidden (on POSIX, and under Wine, which marks them so).
TEST(GameLibraryFolderTree, OffersTheGameFilesOfEveryVisibleSubfolder) {
    TempDir dir("tree");
    for (const char* sub : {"sub/deeper/deepest", ".hidden-folder", "empty", "games.sgf"}) {
        fs::create_directories(dir.Native() / sub);
    }
    for (const char* name : {"a.sgf", "README.md", "NOEXTENSION", "sgf", "x.sgf.bak", "y.gox", ".hidden.sgf",
                             "sub/b.SGF", "sub/deeper/c.Go", "sub/deeper/notes.txt", "sub/deeper/deepest/d.gO",
                             ".hidden-folder/e.sgf", "games.sgf/f.sgf"}) {
        const std::string n = name;
        dir.Write(n, std::tolower(static_cast<unsigned char>(n.back())) == 'o' ? kGoGame : Sgf(n));
    }
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::Folder, dir.Path());
    EXPECT_EQ(DrawAll(l, dir), (std::set<std::string>{"a.sgf", "games.sgf\\f.sgf", "sub\\b.SGF", "sub\\deeper\\c.Go",
                                                     "sub\\deeper\\deepest\\d.gO"}));
    // Every one of them loads by the path the library built.
    l.library.Select(GameSourceKind::Folder, dir.Path() + "\\");
    const int builtIn = l.library.LastBuiltIn();
    std::set<std::string> loaded;
    for (int i = 0; i < 5; ++i) {
        l.Next();
        loaded.insert(l.library.FileName());
    }
    EXPECT_EQ(loaded, (std::set<std::string>{dir.FileFor("a.sgf"), dir.FileFor("games.sgf\\f.sgf"),
                                             dir.FileFor("sub\\b.SGF"), dir.FileFor("sub\\deeper\\c.Go"),
                                             dir.FileFor("sub\\deeper\\deepest\\d.gO")}));
    EXPECT_EQ(l.library.LastBuiltIn(), builtIn);
}

TEST(GameLibraryFolderTree, SymbolicLinksAreNotFollowed) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows file system's reparse points are tested in the Windows layer's tests";
#else
    TempDir dir("links");
    TempDir outside("links-outside");
    outside.Write("elsewhere.sgf", Sgf("elsewhere"));
    fs::create_directories(dir.Native() / "sub");
    dir.Write("sub/own.sgf", Sgf("own"));
    fs::create_directory_symlink(outside.Native(), dir.Native() / "linked-folder");
    fs::create_directory_symlink(dir.Native(), dir.Native() / "sub" / "loop");  // back up the tree
    fs::create_symlink(outside.Native() / "elsewhere.sgf", dir.Native() / "linked.sgf");
    fs::create_symlink(dir.Native() / "missing.sgf", dir.Native() / "dangling.sgf");
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::Folder, dir.Path());
    EXPECT_EQ(DrawAll(l, dir), (std::set<std::string>{"sub\\own.sgf"}));
#endif
}

TEST(GameLibraryFolderTree, AFolderWhereNothingLoadsGivesTheBuiltInGames) {
    TempDir dir("allbroken");
    fs::create_directories(dir.Native() / "sub");
    dir.Write("README.md", "# not a game");
    dir.Write("sub/a.sgf", "(;GM[4])");
    dir.Write("sub/b.GO", "BOARDSIZE 12\r\n");
    NativeFileSystem files;
    Library l(files);
    l.library.Select(GameSourceKind::Folder, dir.Path());
    l.library.SetNextBuiltIn(5);
    for (int game = 0; game < 3; ++game) {
        l.Next();
        EXPECT_EQ(l.library.LastBuiltIn(), game == 0 ? 5 : game == 1 ? 6 : 1);
        EXPECT_TRUE(l.library.FileName().empty());
    }
    // Each game lists the folder once and tries each of its two files once.
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 3);
    EXPECT_EQ(l.log.Count("Indexed 2 game files."), 3);
}

// Folders as the platform would list them, for trees and limits the real file system cannot show
// cheaply: `tree` maps a folder (as the library asks for it, with its closing "\\") to its
// entries; a folder not in it holds `listed` files "f0.sgf", "f1.sgf", ...
class FakeFiles final : public FileSystem {
public:
    std::map<std::string, std::vector<FolderEntry>> tree;
    std::size_t listed = 0;
    mutable int listings = 0;
    mutable std::string lastDirectory;
    mutable std::size_t entriesRead = 0;  // handed out by every listing together
    mutable std::set<std::string> opened;

    bool FileExists(const std::string&) const override { return false; }
    std::unique_ptr<FolderListing> ListFolder(const std::string& directory) const override {
        ++listings;
        lastDirectory = directory;
        opened.insert(directory);
        std::vector<FolderEntry> entries;
        if (const auto it = tree.find(directory); it != tree.end()) {
            entries = it->second;
        } else {
            for (std::size_t i = 0; i < listed; ++i) entries.push_back({"f" + std::to_string(i) + ".sgf"});
        }
        return std::make_unique<Listing>(std::move(entries), entriesRead);
    }

private:
    class Listing final : public FolderListing {
    public:
        Listing(std::vector<FolderEntry> entries, std::size_t& read) : entries_(std::move(entries)), read_(read) {}
        bool Next(std::vector<FolderEntry>& out, std::size_t budget) override {
            for (; budget > 0 && next_ < entries_.size(); --budget, ++read_) out.push_back(entries_[next_++]);
            return next_ < entries_.size();
        }

    private:
        std::vector<FolderEntry> entries_;
        std::size_t next_ = 0;
        std::size_t& read_;
    };
};

TEST(GameLibrary, AtMostAHundredThousandFilesAreListedAndAllAreDrawnBeforeListingAgain) {
    // 100,003 files in nested folders: the listing stops at the limit and never opens the folder
    // after it.
    FakeFiles files;
    std::vector<FolderEntry>& root = files.tree["D:\\games\\"];
    for (int d = 0; d < 11; ++d) {
        const std::string name = (d < 10 ? "d0" : "d") + std::to_string(d);
        root.push_back({name, FolderEntry::Kind::Folder});
        std::vector<FolderEntry>& sub = files.tree["D:\\games\\" + name + "\\"];
        for (int i = 0; i < (d == 10 ? 3 : 10000); ++i) sub.push_back({"g" + std::to_string(i) + ".sgf"});
    }
    Library l(files);
    l.library.Select(GameSourceKind::Folder, "D:\\games");
    std::set<std::string> seen;
    for (std::size_t i = 0; i < GameLibrary::kMaxFolderFiles; ++i) {
        const std::string p = l.library.NextFolderFile();
        ASSERT_EQ(p.rfind("D:\\games\\d", 0), 0u) << p;
        seen.insert(p);
    }
    EXPECT_EQ(seen.size(), GameLibrary::kMaxFolderFiles);
    EXPECT_EQ(files.opened.size(), 11u) << "the folder after the limit was listed, or one before it was not";
    EXPECT_EQ(files.entriesRead, 11u + GameLibrary::kMaxFolderFiles) << "the listing went on past the limit";
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 1);
    EXPECT_TRUE(l.library.FolderFilesLeft().empty());
    l.library.NextFolderFile();
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 2);
    while (l.library.IndexSome(5000)) {
    }
    const std::vector<std::string>& left = l.library.FolderFilesLeft();
    EXPECT_EQ(left.size(), GameLibrary::kMaxFolderFiles - 1);
    EXPECT_TRUE(std::is_sorted(left.begin(), left.end())) << "a finished listing of d00..d09 is in byte order";
    // A listed file that no longer exists falls back like a broken one.
    l.library.SetNextBuiltIn(1);
    l.Next();
    EXPECT_EQ(l.library.LastBuiltIn(), 1);
    EXPECT_TRUE(l.library.FileName().empty());
    EXPECT_EQ(std::count_if(l.log.messages.begin(), l.log.messages.end(),
                            [](const std::string& m) { return m.rfind("Game file gone: D:\\games\\d", 0) == 0; }),
              GameLibrary::kTriesPerGame);
    EXPECT_EQ(left.size(), GameLibrary::kMaxFolderFiles - 1 - GameLibrary::kTriesPerGame)
        << "a new game tries a bounded number of files";
}

// A tree of ten folders of 1,000 files, listed a slice at a time: the first file is drawn long
// before the listing ends, each slice stays in its budget, and every file is found once.
TEST(GameLibrary, ALargeTreeIsListedInSlicesAndTheFirstFileComesAtOnce) {
    FakeFiles files;
    for (int d = 0; d < 10; ++d) {
        const std::string name = "set" + std::to_string(d);
        files.tree["D:\\games\\"].push_back({name, FolderEntry::Kind::Folder});
        for (int i = 0; i < 1000; ++i) files.tree["D:\\games\\" + name + "\\"].push_back({"g" + std::to_string(i) + ".go"});
    }
    Library l(files);
    l.library.Select(GameSourceKind::Folder, "D:\\games");
    EXPECT_FALSE(l.library.Indexing());
    const std::string first = l.library.NextFolderFile();
    EXPECT_EQ(first.rfind("D:\\games\\set", 0), 0u) << first;
    EXPECT_TRUE(l.library.Indexing());
    EXPECT_LE(files.entriesRead, 10u + 256u) << "more was listed than the first file needed";
    std::set<std::string> all{first};
    int slices = 0;
    while (l.library.IndexSome(500)) {
        const std::size_t before = files.entriesRead;
        ++slices;
        ASSERT_LT(slices, 1000);
        // Draws between slices come from what is found so far.
        if (slices % 4 == 0) all.insert(l.library.NextFolderFile());
        EXPECT_LE(files.entriesRead - before, 500u);
    }
    EXPECT_GE(slices, 15);
    for (const std::string& f : l.library.FolderFilesLeft()) all.insert("D:\\games\\" + f);
    EXPECT_EQ(all.size(), 10000u) << "a file was found twice or not at all";
    EXPECT_EQ(l.log.Count("Indexing all files in directory."), 1);
    EXPECT_EQ(l.log.Count("Indexed 10000 game files."), 1);
    // A tree whose first game file lies past what one game may look at: none for now, and the
    // listing goes on.
    files.tree["D:\\late\\"].assign(GameLibrary::kIndexEntriesPerGame, FolderEntry{"notes.txt"});
    files.tree["D:\\late\\"].push_back({"z", FolderEntry::Kind::Folder});
    files.tree["D:\\late\\z\\"].push_back({"game.sgf"});
    l.library.Select(GameSourceKind::Folder, "D:\\late");
    EXPECT_EQ(l.library.NextFolderFile(), "");
    EXPECT_TRUE(l.library.Indexing());
    while (l.library.IndexSome(500)) {
    }
    EXPECT_EQ(l.library.NextFolderFile(), "D:\\late\\z\\game.sgf");

    // Another kind of source does not list the folder between steps.
    files.listed = 5000;
    l.library.Select(GameSourceKind::Folder, "D:\\other");
    l.library.NextFolderFile();
    l.library.Select(GameSourceKind::BuiltIn, "D:\\other");
    const std::size_t read = files.entriesRead;
    l.library.IndexSome(500);
    EXPECT_EQ(files.entriesRead, read);
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

// The platform lists a folder in an order of its own, which differs between copies of the same
// files: a seeded draw must not depend on it.
TEST(GameLibrary, TheListingOrderOfThePlatformDoesNotChangeTheDraws) {
    FakeFiles files[2];
    for (int copy = 0; copy < 2; ++copy) {
        std::map<std::string, std::vector<FolderEntry>>& tree = files[copy].tree;
        for (const char* name : {"b", "a", "a b", "C"}) {
            tree["D:\\games\\"].push_back({name, FolderEntry::Kind::Folder});
            for (const char* file : {"z.sgf", "x.go", "y.SGF", "Y.sgf"}) {
                tree["D:\\games\\" + std::string(name) + "\\"].push_back({file});
            }
            tree["D:\\games\\"].push_back({std::string(name) + ".sgf"});
        }
        if (copy == 1) {
            for (auto& [folder, entries] : tree) std::reverse(entries.begin(), entries.end());
        }
    }
    std::vector<std::string> left[2], draws[2];
    for (int copy = 0; copy < 2; ++copy) {
        GameLibrary library(files[copy], 11u);
        library.Select(GameSourceKind::Folder, "D:\\games");
        draws[copy].push_back(library.NextFolderFile());
        while (library.IndexSome(3)) {
        }
        left[copy] = library.FolderFilesLeft();
        for (int i = 0; i < 10; ++i) draws[copy].push_back(library.NextFolderFile());
    }
    EXPECT_EQ(left[0], left[1]);
    EXPECT_EQ(draws[0], draws[1]);
    EXPECT_EQ(left[0].size(), 19u);
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
