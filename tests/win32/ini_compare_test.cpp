// The host INI reader against GetPrivateProfileStringA on the same files, odd ones included.
// Where the two differ on purpose the test says so and checks both sides of the difference:
// - a quoted value whose text between the quotes is exactly 1023 characters: Wine hands out 1022
//   (it drops the closing quote only when the whole value fits the buffer, and then removes the
//   last character it copied); the host reader drops the quotes first and cuts at 1023.
// - the host reader hands out UTF-8 (names are asked for in UTF-8 too): its answers are turned
//   into the ANSI code page for the comparison, as the ANSI call converts, look-alikes ("best
//   fit") included; a file without a byte-order mark that is valid UTF-8 is read as UTF-8 by
//   the host reader, as ANSI text by Windows (none of the files below is such a file).
// - the five bytes Windows-1252 leaves undefined (81, 8D, 8F, 90, 9D): Windows hands them
//   through, the platform's decoder shows U+FFFD for them, a '?' back in the code page.
// Wine compares names without regard to the case of ASCII letters only ("\xC9" and "\xE9" are
// different names); the host reader does the same, since that is the behaviour we can check and
// language files use ASCII names.
#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/settings/temp_file.h"
#include "ini_file_reader.h"
#include "win32/ini_win32.h"
#include "win32/text_decoder_win32.h"

namespace senvola {
namespace {

using namespace std::string_literals;
constexpr const char* kDef = "<missing>";

struct Query {
    std::string section, key;
};

std::string Convert(const std::string& text, UINT from, UINT to) {
    if (text.empty()) return text;
    const int n = MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(from, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    const int m = WideCharToMultiByte(to, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(m), '\0');
    WideCharToMultiByte(to, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}
std::string Utf8ToAnsi(const std::string& text) { return Convert(text, CP_UTF8, CP_ACP); }

// Reads every query through both readers and expects the same answer.
void ExpectSameAnswers(const std::string& path, const std::vector<Query>& queries) {
    const Win32TextDecoder decoder;
    const IniFileReader host(path, &decoder);
    const Win32IniFile win(path);
    // A name in the code page, as the host reader's decoding of the file spells it.
    auto asked = [&decoder](const std::string& name) { return decoder.ToUtf8(name, text::Charset::SystemAnsi); };
    for (const Query& q : queries) {
        std::string expected = win.ReadString(q.section, q.key, kDef);
        if (GetACP() == 1252) {
            for (char& c : expected) {
                const auto b = static_cast<unsigned char>(c);
                if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) c = '?';
            }
        }
        EXPECT_EQ(Utf8ToAnsi(host.ReadString(asked(q.section), asked(q.key), kDef)), expected)
            << "file " << path << ", section [" << q.section << "], key [" << q.key << "]";
    }
}

std::vector<Query> Cross(const std::vector<std::string>& sections, const std::vector<std::string>& keys) {
    std::vector<Query> out;
    for (const auto& s : sections)
        for (const auto& k : keys) out.push_back({s, k});
    return out;
}

struct OddFile {
    const char* name;
    std::string bytes;
    std::vector<std::string> sections, keys;
};

std::vector<OddFile> OddFiles() {
    const std::string x5000(5000, 'x');
    return {
        {"plain", "[Languages]\r\n0=English\r\n1=Dutch\r\n[Dutch]\r\nWhite=Wit\r\n",
         {"Languages", "languages", "Dutch", "DUTCH", "German", ""},
         {"0", "1", "2", "White", "white", "Black"}},
        {"missing sections", "White=Wit\r\nBlack=Zwart\r\n", {"", "Dutch", "Languages"}, {"White", "Black"}},
        {"duplicate keys and sections",
         "[S]\r\ndup=first\r\ndup=second\r\nhidden\r\nhidden=value\r\n[T]\r\nt=1\r\n[s]\r\ndup=third\r\nonly2=yes\r\n"
         "[T]\r\nt=2\r\n",
         {"S", "s", "T"}, {"dup", "hidden", "only2", "t"}},
        {"quotes",
         "[Q]\r\ndouble=\"quoted\"\r\nsingle='single'\r\ninner= \" spaced \" \r\nempty=\"\"\r\nlone=\"\r\n"
         "unbalanced=\"open\r\nclose=shut\"\r\nmixed=\"mixed'\r\nmiddle=\"a\"b\"\r\nsq=''\r\n"
         "\"quotedkey\"=k\r\n[\"quoted section\"]\r\nq=qs\r\n",
         {"Q", "\"quoted section\"", "quoted section"},
         {"double", "single", "inner", "empty", "lone", "unbalanced", "close", "mixed", "middle", "sq",
          "\"quotedkey\"", "quotedkey", "q"}},
        {"long values",
         "[L]\r\nlong=" + x5000 + "\r\nn1022=" + std::string(1022, 'n') + "\r\nn1023=" + std::string(1023, 'n') +
             "\r\nn1024=" + std::string(1024, 'n') + "\r\nq1022=\"" + std::string(1022, 'q') + "\"\r\nq1024=\"" +
             std::string(1024, 'q') + "\"\r\nq5000=\"" + x5000 + "\"\r\n" + x5000 + "=longname\r\nafter=ok\r\n[" +
             x5000 + "]\r\nk=longsection\r\n",
         {"L", x5000}, {"long", "n1022", "n1023", "n1024", "q1022", "q1024", "q5000", x5000, "after", "k"}},
        {"no final newline", "[S]\r\na=1\r\nlast=nofinal", {"S"}, {"a", "last"}},
        {"no final newline in a header", "[S]\r\na=1\r\n[T]", {"S", "T"}, {"a"}},
        {"blanks around names",
         "  [  Spaced  ]  \r\n  Key One  =  value one  \r\n\t tab \t=\t x\ty \t\r\n\x1A" "ctrlz\x1A=\x1Az\x1A\r\n"
         "\x0B" "vt\x0C=\x0Bv\x0C\r\nnbsp=\xA0n\xA0\r\n",
         {"Spaced", "  spaced  ", " Spaced"}, {"Key One", "key one ", " tab", "ctrlz", "vt", "nbsp", "Key"}},
        {"keys without values",
         "[K]\r\nnovalue\r\nempty=\r\nblank=   \r\n=nameless\r\n;comment=c\r\n; just a comment\r\n",
         {"K"}, {"novalue", "empty", "blank", "", ";comment", "comment", "; just a comment"}},
        {"empty file", "", {"Languages", ""}, {"0", ""}},
        {"headers",
         "top=1\r\n[S]\r\n[Broken=x\r\n[T] ; note\r\na=2\r\n[U]junk]\r\nb=3\r\n[]\r\nc=4\r\n[ ]\r\nd=5\r\n[V\r\ne=6\r\n",
         {"", "S", "T", "U]junk", "U", "V", "[V"}, {"top", "[Broken", "a", "b", "c", "d", "e", "[V"}},
        {"CR-only line ends", "[A]\ra=1\rb=2\r\r[B]\rc=3", {"A", "B"}, {"a", "b", "c"}},
        {"LF-only and mixed line ends", "[A]\na=1\n\rb=2\n\n\r\r\nc=3\n[B]\r\n\nd=4", {"A", "B"}, {"a", "b", "c", "d"}},
        {"tabs", "[\tT\t]\r\n\tk\t=\tv\t\r\nk2=a\tb\r\n", {"T", "\tT"}, {"k", "k2", "\tk"}},
        {"case of Windows-1252 letters",
         "[\xC9" "cole]\r\n\x8A\x8C\x8E\x9F=caron\r\n\xC0\xDE=latin\r\n\xD7=times\r\n\xDF=sz\r\n\xB5=micro\r\n",
         {"\xC9" "cole", "\xE9" "COLE", "\xE9" "cole"},
         {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F", "\xE0\xFE", "\xD7", "\xF7", "\xDF", "SS", "\xB5"}},
        {"high bytes", "[H]\r\nk=\x80\x81\x8D\x8F\x90\x9D\xFF\xA0\xAD\r\n", {"H"}, {"k"}},
        {"nul bytes", "[W]\r\nnul=ab\0cd\r\ne\0f=g\r\n[X\0Y]\r\nx=1\r\n"s, {"W", "X"}, {"nul", "e", "x"}},
        {"utf-8 with byte-order mark", "\xEF\xBB\xBF[B]\r\nk=\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\r\n\xC3\x89=E\r\n",
         {"B", "b"}, {"k", "\xE9", "\xC9"}},
        {"utf-16 with byte-order mark", "\xFF\xFE[\0B\0]\0\r\0\n\0k\0=\0\xE9\0t\0\xE9\0 \0\xAC\x20"s, {"B"}, {"k"}},
        {"ctrl-z at the end", "[S]\r\na=1\r\n\x1A", {"S"}, {"a"}},
    };
}

TEST(IniCompare, OddFilesReadAlike) {
    testutil::TempDir dir;
    int n = 0;
    for (const OddFile& f : OddFiles()) {
        SCOPED_TRACE(f.name);
        // A fresh name for every file: Windows caches profile files by name.
        ExpectSameAnswers(dir.Write("odd" + std::to_string(n++) + ".ini", f.bytes), Cross(f.sections, f.keys));
    }
}

TEST(IniCompare, MissingFileReadsAsEmpty) {
    testutil::TempDir dir;
    const std::string path = dir.Path("does-not-exist.ini");
    ExpectSameAnswers(path, {{"Languages", "0"}, {"English", "White"}});
    EXPECT_EQ(Win32IniFile(path).ReadString("Languages", "0", "English"), "English");
}

// Both sides of the one deliberate difference (see the top of the file).
TEST(IniCompare, QuotedValueOfExactly1023Characters) {
    testutil::TempDir dir;
    const std::string text(1023, 'q');
    const std::string path = dir.Write("q1023.ini", "[L]\r\nq=\"" + text + "\"\r\n");
    EXPECT_EQ(IniFileReader(path).ReadString("L", "q", kDef), text);
    const std::string win = Win32IniFile(path).ReadString("L", "q", kDef);
    EXPECT_TRUE(win == text || win == text.substr(0, 1022)) << win.size();
}

TEST(IniCompare, DefaultsComeBackUnchanged) {
    testutil::TempDir dir;
    const std::string path = dir.Write("defaults.ini", "[S]\r\nk=v\r\n");
    const Win32IniFile win(path);
    const IniFileReader host(path);
    for (const char* def : {"", "plain", "trailing blanks   ", "\"quoted\"", "  leading"}) {
        EXPECT_EQ(win.ReadString("S", "missing", def), def);
        EXPECT_EQ(host.ReadString("S", "missing", def), def);
        EXPECT_EQ(win.ReadString("T", "k", def), def);
    }
    EXPECT_EQ(win.ReadString("S", "k", "x"), "v");
}

TEST(IniCompare, RelativePathIsMadeAbsolute) {
    testutil::TempDir dir;
    const std::string path = dir.Write("relative.ini", "[S]\r\nk=here\r\n");
    char old[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, old), 0u);
    const std::string folder = path.substr(0, path.find_last_of("\\/"));
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    const Win32IniFile win("relative.ini");
    SetCurrentDirectoryA(old);
    EXPECT_EQ(win.Path(), path);
    EXPECT_EQ(win.ReadString("S", "k", kDef), "here");
}

// The names a file holds, as a reader might ask for them, in both cases.
std::vector<std::string> NamesIn(const std::string& bytes, bool sections) {
    std::set<std::string> names;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        pos = end + 1;
        line = line.substr(0, line.find('\0'));  // names reach Windows as C strings
        if (sections) {
            const std::size_t open = line.find('['), close = line.rfind(']');
            if (open != std::string::npos && close != std::string::npos && close > open)
                names.insert(line.substr(open + 1, close - open - 1));
        } else if (const std::size_t eq = line.find('='); eq != std::string::npos) {
            names.insert(line.substr(0, eq));
        }
    }
    std::vector<std::string> out;
    for (const std::string& n : names) {
        out.push_back(n);
        std::string upper = n;
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        out.push_back(upper);
        if (out.size() > 30) break;
    }
    out.push_back("");
    return out;
}

TEST(IniCompare, BinaryJunkReadsAlike) {
    testutil::TempDir dir;
    std::mt19937 random(20240229);
    for (int round = 0; round < 25; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 3000), '\0');
        for (char& c : bytes) {
            static constexpr char kSpecial[] = "[]=\r\n\"' ;\t\x1A" "abAB";
            c = random() % 2 ? kSpecial[random() % (sizeof kSpecial - 1)] : static_cast<char>(random());
        }
        // Byte-order marks change the decoding; leave them to the odd files above.
        if (bytes.size() >= 2 && (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0))
            bytes[0] = 'x';
        if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes[0] = 'x';
        const std::string path = dir.Write("junk" + std::to_string(round) + ".ini", bytes);
        SCOPED_TRACE(path);
        ExpectSameAnswers(path, Cross(NamesIn(bytes, true), NamesIn(bytes, false)));
    }
}

TEST(IniCompare, ShippedLanguageFileReadsAlike) {
    // The file is UTF-8 without a mark. The profile calls take it for the ANSI code page and
    // hand its bytes back through that code page unchanged; the host reader hands back the same
    // bytes as UTF-8 text. So the two agree byte for byte.
    const std::string path = std::string(SENVOLA_SOURCE_DIR) + "/data/Senvola.ini";
    const Win32TextDecoder decoder;
    const IniFileReader host(path, &decoder);
    ASSERT_TRUE(host.Loaded()) << path;
    const Win32IniFile win(path);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int values = 0;
    for (const Query& q : Cross(NamesIn(bytes, true), NamesIn(bytes, false))) {
        const std::string expected = win.ReadString(q.section, q.key, kDef);
        EXPECT_EQ(host.ReadString(q.section, q.key, kDef), expected) << "section [" << q.section << "], key [" << q.key << "]";
        if (expected != kDef) ++values;
    }
    EXPECT_GT(values, 200) << "the languages' texts were compared";
}

}  // namespace
}  // namespace senvola
