// The SGF reader: properties, moves and setup stones, comments, and the faults it refuses.
#include "records/sgf_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "core/records/reader_test_support.h"
#include "native_text_decoder.h"

namespace senvola {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using namespace reader_test;

class SgfReaderTest : public ReaderTest {
protected:
    // Reads `text` as the bytes of an SGF file.
    int Read(const std::string& text) {
        trace.clear();
        std::istringstream in(text);
        game.HasComments = true;  // the reader must set it either way
        return Code(ReadSgfStream(in, "test.sgf", game, &log));
    }
};

TEST_F(SgfReaderTest, ReadsHeaderTextsAndMoves) {
    const int code = Read(
        "(;GM[1]FF[4]SZ[19]PB[Black Player]BR[3d]PW[White Player]WR[5d]CP[(c) someone]"
        "DT[2001-02-03]EV[Cup]GN[Final]KM[6.5]PC[Tokyo]RE[B+R]TM[1h]US[rec]RO[2]"
        ";B[pd];W[dp];B[qq])");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(game.BlackName, "Black Player");
    EXPECT_EQ(game.BlackRank, "3d");
    EXPECT_EQ(game.WhiteName, "White Player");
    EXPECT_EQ(game.WhiteRank, "5d");
    EXPECT_EQ(game.Copyright, "(c) someone");  // only "]" and "\\" are escapes
    EXPECT_EQ(game.Date, "2001-02-03");
    EXPECT_EQ(game.Event, "Cup");
    EXPECT_EQ(game.GameName, "Final");
    EXPECT_EQ(game.Komi, "6.5");
    EXPECT_EQ(game.Place, "Tokyo");
    EXPECT_EQ(game.Result, "B+R");
    EXPECT_EQ(game.TimeLimit, "1h");
    EXPECT_EQ(game.User, "rec");
    EXPECT_EQ(game.Round, "");
    EXPECT_EQ(game.BoardSize, 19);
    EXPECT_EQ(game.Handicap, 1);
    EXPECT_EQ(game.FirstToMove, go::Stone::Black);
    EXPECT_EQ(MoveListLength(game), 3);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(16, 4));
    EXPECT_EQ(MoveAt(game, 2), std::make_pair(4, 16));
    EXPECT_EQ(MoveAt(game, 3), std::make_pair(17, 17));
    EXPECT_FALSE(game.HasComments);
    EXPECT_TRUE(trace.empty());
}

TEST_F(SgfReaderTest, OnlyFirstLineOfPlayAndFirstGameAreRead) {
    EXPECT_EQ(Read("(;SZ[19];B[aa];W[bb](;B[cc])(;B[ee]))"), 0);
    EXPECT_EQ(MoveListLength(game), 3);
    EXPECT_EQ(MoveAt(game, 3), std::make_pair(3, 3));

    EXPECT_EQ(Read("(;PB[first];B[aa])(;PB[second]SZ[7];B[bb];W[cc])"), 0);
    EXPECT_EQ(game.BlackName, "first");
    EXPECT_EQ(MoveListLength(game), 1);
}

TEST_F(SgfReaderTest, MissingTurnsBecomePasses) {
    EXPECT_EQ(Read("(;B[pd];B[dd])"), 0);
    EXPECT_EQ(MoveListLength(game), 3);
    EXPECT_EQ(MoveAt(game, 2), kPass);
    EXPECT_EQ(MoveAt(game, 3), std::make_pair(4, 4));

    EXPECT_EQ(Read("(;W[dd];W[pp])"), 0);
    EXPECT_EQ(game.FirstToMove, go::Stone::White);
    EXPECT_EQ(MoveListLength(game), 3);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(4, 4));
    EXPECT_EQ(MoveAt(game, 2), kPass);
}

TEST_F(SgfReaderTest, EmptyMoveValueIsAPassLikeTT) {
    EXPECT_EQ(Read("(;B[pd];W[];B[tt];W[dd])"), 0);
    EXPECT_EQ(MoveListLength(game), 4);
    EXPECT_EQ(MoveAt(game, 2), kPass);
    EXPECT_EQ(MoveAt(game, 3), kPass);

    // A first move that passes still gives the colour of move 1.
    EXPECT_EQ(Read("(;W[];B[dd])"), 0);
    EXPECT_EQ(game.FirstToMove, go::Stone::White);
    EXPECT_EQ(MoveAt(game, 1), kPass);

    // Two empty black values: the implied white pass still comes between them.
    EXPECT_EQ(Read("(;B[];B[])"), 0);
    EXPECT_EQ(MoveListLength(game), 3);

    // The board-size check holds for passes too: the move is refused (and the size fails).
    EXPECT_EQ(Read("(;SZ[7];B[])"), 7);
    EXPECT_EQ(MoveListLength(game), 0);
}

TEST_F(SgfReaderTest, MoveValuesMustBeTwoSmallLettersOnTheBoard) {
    EXPECT_EQ(Read("(;B[PD])"), 4);
    EXPECT_EQ(Read("(;B[pdd])"), 4);
    EXPECT_EQ(MoveListLength(game), 0);
    EXPECT_EQ(Read("(;B[p])"), 4);

    // The faulty move is stored before the scan stops; nothing after it is read.
    EXPECT_EQ(Read("(;B[pd];W[za];B[aa])"), 4);
    EXPECT_EQ(MoveAt(game, 2), std::make_pair(26, 1));
    EXPECT_EQ(game.MoveX[3], 0);

    EXPECT_EQ(Read("(;SZ[13];B[na])"), 4);
    EXPECT_EQ(Read("(;SZ[13];B[ma])"), 0);
    EXPECT_EQ(game.BoardSize, 13);
    // "tt" is a pass on any board.
    EXPECT_EQ(Read("(;SZ[9];B[tt])"), 0);
    EXPECT_EQ(MoveAt(game, 1), kPass);
    // A board size that is not playable refuses every move.
    EXPECT_EQ(Read("(;SZ[11];B[aa])"), 7);
    EXPECT_EQ(MoveListLength(game), 0);
}

TEST_F(SgfReaderTest, SetupStonesInCapitalsAndHandicap) {
    EXPECT_EQ(Read("(;HA[2]AB[dd][pp];W[qd])"), 0);
    EXPECT_EQ(game.Handicap, 2);
    EXPECT_EQ(SetupText(game), "ZDDZPP");
    EXPECT_EQ(game.FirstToMove, go::Stone::White);

    EXPECT_EQ(Read("(;AB[PD]AW[dq])"), 0);
    EXPECT_EQ(SetupText(game), "ZPDWDQ");
    EXPECT_EQ(game.Handicap, 1);

    EXPECT_EQ(Read("(;HA[2]AB[dd];W[qd])"), 5);
    EXPECT_EQ(Read("(;HA[0])"), 0);
    EXPECT_EQ(game.Handicap, 1);
    // 246..254 stop the scan with code 3, but the stored handicap is still held to the
    // setup-stone count at the end, which replaces the code unless the count matches.
    EXPECT_EQ(Read("(;HA[250])"), 5);
    EXPECT_EQ(game.Handicap, 250);
    std::string many = "(;AB";
    for (int i = 0; i < 250; ++i) many += "[aa]";
    EXPECT_EQ(Read(many + "HA[250])"), 3);
    EXPECT_EQ(Read(many + "HA[245])"), 5);
    EXPECT_EQ(Read("(;HA[255])"), 5);  // accepted by HA, then short of setup stones
    EXPECT_EQ(Read("(;HA[256])"), 0);  // 256 wraps to 0, which is an even game
    EXPECT_EQ(game.Handicap, 1);
    EXPECT_EQ(Read("(;HA[2 stones]AB[aa][bb])"), 0);  // digits are taken wherever they stand
    EXPECT_EQ(game.Handicap, 2);
    EXPECT_EQ(Read("(;HA[none])"), 0);
    EXPECT_EQ(game.Handicap, 1);

    EXPECT_EQ(Read("(;HA[10]AB[aa][bb][cc][dd][ee][ff][gg][hh][ii][jj])"), 0);
    EXPECT_EQ(game.Handicap, 10);
    EXPECT_EQ(game.Setup.size(), 10u);
}

TEST_F(SgfReaderTest, HandicapDigitsBeyondThirtyTwoBitsFailWithCode3) {
    EXPECT_EQ(Read("(;HA[2147483647])"), 5);  // 2147483647 mod 256 = 255: read, then short
    EXPECT_EQ(game.Handicap, 255);
    EXPECT_EQ(Read("(;HA[2147483648])"), 3);
    EXPECT_EQ(game.Handicap, 1);  // no number read, nothing stored
    EXPECT_EQ(Read("(;HA[000000000000000000002]AB[aa][bb])"), 0);
    EXPECT_EQ(game.Handicap, 2);
}

TEST_F(SgfReaderTest, SetupStoneFaults) {
    // After the first move a setup stone is a change of the game, not a fault of the start.
    EXPECT_EQ(Read("(;B[pd]AB[dd])"), 0);
    EXPECT_EQ(SetupText(game), "");
    EXPECT_EQ(game.InGameSetup, (std::vector<SetupChange>{{1, go::Stone::Black, 4, 4}}));
    EXPECT_EQ(Read("(;AB[ddd])"), 3);
    EXPECT_EQ(Read("(;AB[])"), 3);
    // Off the board: stored, and the load fails.
    EXPECT_EQ(Read("(;SZ[9]AB[aj])"), 3);
    EXPECT_EQ(SetupText(game), "ZAJ");
    EXPECT_EQ(Read("(;SZ[15]AB[aa])"), 7);
    EXPECT_EQ(SetupText(game), "");
}

TEST_F(SgfReaderTest, BoardSizeIsAWholeNumberAsWritten) {
    EXPECT_EQ(Read("(;SZ[9])"), 0);
    EXPECT_EQ(game.BoardSize, 9);
    EXPECT_EQ(Read("(;SZ[+13])"), 0);
    EXPECT_EQ(game.BoardSize, 13);
    EXPECT_EQ(Read("(;SZ[0019])"), 0);
    EXPECT_EQ(Read("(;SZ[1\r\n9])"), 0);  // line breaks leave every value but a comment
    EXPECT_EQ(game.BoardSize, 19);

    // 275 does not wrap round to 19.
    EXPECT_EQ(Read("(;SZ[275];B[aa])"), 7);
    EXPECT_EQ(game.BoardSize, 275);
    EXPECT_EQ(Read("(;SZ[-19])"), 7);
    EXPECT_EQ(game.BoardSize, -19);

    for (const char* bad : {"", "abc", "+", "-", " 19", "19 ", "19:19", "1.9", "2147483648",
                            "99999999999999999999", "0x13"}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(Read(std::string("(;SZ[") + bad + "])"), 2);
        EXPECT_EQ(game.BoardSize, 19);  // a value that is no number leaves the size alone
    }
    EXPECT_EQ(Read("(;SZ[-2147483648])"), 7);
    EXPECT_EQ(game.BoardSize, -2147483647 - 1);
    // The scan stops at the bad size, so the following property is not read.
    EXPECT_EQ(Read("(;SZ[x]PB[late])"), 2);
    EXPECT_EQ(game.BlackName, "");
}

TEST_F(SgfReaderTest, SizeGivenAfterTheStonesItGoverns) {
    EXPECT_EQ(Read("(;B[pd]SZ[9])"), 4);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(16, 4));
    EXPECT_EQ(Read("(;AB[pd]SZ[9])"), 3);
    EXPECT_EQ(Read("(;AB[pd];B[pp]SZ[9])"), 3);  // setup stone is reported first
    EXPECT_EQ(Read("(;AB[cc];B[pp]SZ[9])"), 4);
    EXPECT_EQ(Read("(;AB[cc];B[gg];W[]SZ[9])"), 0);  // all on the smaller board, pass included
    EXPECT_EQ(game.BoardSize, 9);
    // A size that is not playable is refused by the final check, not this one.
    EXPECT_EQ(Read("(;B[pd]SZ[21])"), 7);
    // Later end checks still replace the code.
    EXPECT_EQ(Read("(;B[pd]SZ[9]GM[3])"), 6);
}

TEST_F(SgfReaderTest, GameTypeMustBeGo) {
    EXPECT_EQ(Read("(;GM[4];B[aa])"), 6);
    EXPECT_EQ(Read("(;GM[2])"), 6);
    EXPECT_EQ(Read("(;GM[5])"), 0);
    EXPECT_EQ(Read("(;GM[3]GM[1])"), 0);  // a later value sets it again
    // The game type wins over every other end code.
    EXPECT_EQ(Read("(;GM[3]SZ[11])"), 6);
    EXPECT_EQ(trace, std::vector<std::string>{"Error loading .SGF file 6: test.sgf"});
}

TEST_F(SgfReaderTest, Comments) {
    // Slot 0 before the first move; move then comment in a node; comment then move.
    EXPECT_EQ(Read("(;C[intro];B[aa]C[first];C[before two]W[bb])"), 0);
    EXPECT_EQ(game.Comments[0], "intro");
    EXPECT_EQ(game.Comments[1], "before two");  // the comment of the node before move 2
    EXPECT_EQ(game.Comments[2], "");
    EXPECT_TRUE(game.HasComments);

    EXPECT_EQ(Read("(;B[aa]C[one]C[two])"), 0);
    EXPECT_EQ(game.Comments[1], "two");

    EXPECT_EQ(Read("(;B[aa]C[\r\nline 1\r\nline 2(x)\\(y\\)\\]\\\\z])"), 0);
    EXPECT_EQ(game.Comments[1], "line 1\r\nline 2(x)(y)]\\z");

    // Only one leading line break goes; a lone LF stays.
    EXPECT_EQ(Read("(;C[\r\n\r\nx])"), 0);
    EXPECT_EQ(game.Comments[0], "\r\nx");
    EXPECT_EQ(Read("(;C[\nx])"), 0);
    EXPECT_EQ(game.Comments[0], "\nx");

    // An empty comment still counts as a comment.
    EXPECT_EQ(Read("(;C[])"), 0);
    EXPECT_TRUE(game.HasComments);
    EXPECT_EQ(Read("(;B[aa])"), 0);
    EXPECT_FALSE(game.HasComments);
}

TEST_F(SgfReaderTest, ValueAndNameScanning) {
    // Line breaks and control characters leave names; tab and NUL leave comments too.
    EXPECT_EQ(Read("(;PB[Lee\r\nSedol]PW[A\tB]C[x\ty\0z\r\n])"s), 0);
    EXPECT_EQ(game.BlackName, "LeeSedol");
    EXPECT_EQ(game.WhiteName, "AB");
    EXPECT_EQ(game.Comments[0], "xyz\r\n");

    // Small letters between capitals of a name are dropped, as old files write them.
    EXPECT_EQ(Read("(;AddBlack[aa]PlayerBlack[Someone]Size[9];Black[bb])"), 0);
    EXPECT_EQ(SetupText(game), "ZAA");
    EXPECT_EQ(game.BlackName, "Someone");
    EXPECT_EQ(game.BoardSize, 19);  // "Size" is the property "S"
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(2, 2));
    EXPECT_EQ(Read("(;AddBlack[aa]BlackRank[1k];B[bb])"), 0);
    EXPECT_EQ(SetupText(game), "ZAA");
    EXPECT_EQ(game.BlackRank, "1k");

    // Several values belong to the same property; escapes take the next byte whatever it is.
    EXPECT_EQ(Read("(;AW[aa][bb]\n[cc])"), 0);
    EXPECT_EQ(SetupText(game), "WAAWBBWCC");
    EXPECT_EQ(Read("(;PB[a\\]b\\[c[d])"), 0);
    EXPECT_EQ(game.BlackName, "a]b[c[d");  // an unescaped "[" inside a value is text too
    // A "]" between values completes an empty value of the last property.
    EXPECT_EQ(Read("(;B[aa]])"), 0);
    EXPECT_EQ(MoveListLength(game), 3);  // black aa, implied white pass, black pass
    EXPECT_EQ(Read("(;SZ[9]])"), 2);
}

TEST_F(SgfReaderTest, AFileWithoutAGameIsRefusedWithCode9) {
    EXPECT_EQ(Read("Just some text.\nNo game here at all.\n"), 9);
    EXPECT_EQ(trace, std::vector<std::string>{"Error loading .SGF file 9: test.sgf"});
    EXPECT_EQ(Read(""), 9);
    EXPECT_EQ(Read("PB[no node]SZ[9]B[aa]"), 9);  // properties outside any "(;" are no game
    EXPECT_EQ(MoveListLength(game), 0);
    EXPECT_EQ(Read("( (x ;B[aa])"), 9);
    // What comes before the first "(;" is not read: a ")" there ends nothing.
    EXPECT_EQ(Read("README ) [notes] B[zz]\n(\r\n ;SZ[9]B[aa])"), 0);
    EXPECT_EQ(game.BoardSize, 9);
    EXPECT_EQ(MoveListLength(game), 1);
    EXPECT_EQ(Read("(;)"), 0);  // an empty game is still a game
}

TEST_F(SgfReaderTest, MoreThan800MovesLoadsTheFirst800) {
    std::string sgf = "(;SZ[19]";
    for (int n = 1; n <= 900; ++n) {
        const char c = static_cast<char>('a' + (n % 19));
        sgf += (n % 2 ? ";B[" : ";W[");
        sgf += c;
        sgf += c;
        sgf += "]";
        if (n == 800 || n == 801) sgf += "C[c" + std::to_string(n) + "]";
    }
    sgf += ";W[aa]C[after])";  // an implied black pass beyond 800 too
    EXPECT_EQ(Read(sgf), 0);
    EXPECT_EQ(MoveListLength(game), 800);
    EXPECT_EQ(MoveAt(game, 800), std::make_pair(1 + 800 % 19, 1 + 800 % 19));
    EXPECT_EQ(game.Comments[800], "c800");

    // A fault beyond slot 800 still fails the game.
    std::string bad = sgf;
    bad.insert(bad.size() - 1, ";B[zz]");
    EXPECT_EQ(Read(bad), 4);
    EXPECT_EQ(MoveListLength(game), 800);
}

TEST_F(SgfReaderTest, FailureIsReportedOnceWithCodeAndPath) {
    EXPECT_EQ(Read("(;B[pd];W[zz])"), 4);
    EXPECT_EQ(trace, std::vector<std::string>{"Error loading .SGF file 4: test.sgf"});
    EXPECT_EQ(Read("(;B[pd])"), 0);
    EXPECT_TRUE(trace.empty());
}

TEST_F(SgfReaderTest, FilesAndThingsThatAreNotFiles) {
    const std::string path = WriteFile("game.sgf", "(;SZ[9]PB[x]\r;B[cc]\r;W[gg]C[a\r\nb])");
    EXPECT_EQ(Code(ReadSgfFile(path, game, &log)), 0);
    EXPECT_EQ(game.BoardSize, 9);
    EXPECT_EQ(MoveListLength(game), 2);
    EXPECT_EQ(game.Comments[2], "a\r\nb");  // binary reading keeps CR LF as written

    trace.clear();
    const std::string missing = (Dir() / "missing.sgf").string();
    EXPECT_EQ(Code(ReadSgfFile(missing, game, &log)), 255);
    EXPECT_EQ(game.BoardSize, 19);
    EXPECT_EQ(trace, std::vector<std::string>{"Error loading .SGF file 255: " + missing});
    EXPECT_EQ(Code(ReadSgfFile(Dir().string(), game, &log)), 255);

    // Paths are UTF-8: names outside any one code page open like any other.
    for (const std::string name : {"partie \xc3\xa9t\xc3\xa9.sgf", "\xe9\x87\x91\xe6\xaf\x9b \xed\x8a\xb8.sgf"}) {
        const std::u8string u8(name.begin(), name.end());
        {
            std::ofstream out(Dir() / fs::path(u8), std::ios::binary);
            out << "(;B[aa])";
        }
        const std::u8string dirName = Dir().u8string();
        const std::string path = std::string(dirName.begin(), dirName.end()) + "/" + name;
        EXPECT_EQ(Code(ReadSgfFile(path, game, &log)), 0) << name;
        EXPECT_EQ(MoveListLength(game), 1);
    }
}

TEST_F(SgfReaderTest, BadInputGetsACode) {
    // NUL bytes and other controls are dropped wherever they stand.
    EXPECT_EQ(Read("(;\0B\0[p\0d\x01]\0;W[\x7f\x03" "a])"s), 4);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(16, 4));
    EXPECT_EQ(MoveAt(game, 2), std::make_pair(31, 1));

    // Unbalanced brackets: a value never closed is never processed.
    EXPECT_EQ(Read("(;SZ[9;B[aa]"), 2);  // the size's value runs on to "9;Baa"
    EXPECT_EQ(Read("(;SZ[9]B[aa"), 0);    // a value never closed is never used
    EXPECT_EQ(MoveListLength(game), 0);
    EXPECT_EQ(Read("(;B[aa];W[bb"), 0);
    EXPECT_EQ(MoveListLength(game), 1);
    EXPECT_EQ(Read("(;C[ends with a backslash\\"), 0);
    EXPECT_EQ(Read("(;]]]]"), 0);  // four empty values without a name
    EXPECT_EQ(Read("(((((;B[aa]"), 0);

    // Random bytes: any code, never a crash.
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round) {
        std::string junk(1 + rng() % 2000, '\0');
        for (char& c : junk) c = static_cast<char>(rng() % 256);
        const int code = Read(junk);
        EXPECT_TRUE(code == 0 || (code >= 2 && code <= 7) || code == 9) << int(code);
        // The same behind a game's start, read in a set of two-byte characters too.
        for (const char* start : {"(;", "(;CA[GBK]", "(;CA[Shift_JIS]"}) {
            const int inGame = Read(start + junk);
            EXPECT_TRUE(inGame == 0 || (inGame >= 2 && inGame <= 7)) << inGame;
        }
    }
}

TEST_F(SgfReaderTest, HugeValuesAreReadInFull) {
    const std::string big(50u * 1024 * 1024, 'x');
    EXPECT_EQ(Read("(;XX[" + big + "]C[" + big + "];B[aa])"), 0);
    EXPECT_EQ(game.Comments[0].size(), big.size());
    EXPECT_EQ(MoveListLength(game), 1);
}

TEST_F(SgfReaderTest, EscapeAcrossTheReadChunk) {
    // The backslash is the last byte of the first 64 KiB chunk.
    const std::string head = "(;C[";
    std::string text = head + std::string(65536 - head.size() - 1, 'y') + "\\]tail];B[aa])";
    EXPECT_EQ(Read(text), 0);
    ASSERT_EQ(game.Comments[0].size(), 65536 - head.size() - 1 + 5);
    EXPECT_EQ(game.Comments[0].substr(game.Comments[0].size() - 5), "]tail");
    EXPECT_EQ(MoveListLength(game), 1);
}

// Marks stay with the move whose node holds them (or the last move before a node without one);
// a rectangle of points is spelled out; a mark off every board or a label without text is left
// out, and none of it refuses the game. A label keeps its first bytes, and after decoding only
// whole characters of them.
TEST_F(SgfReaderTest, MarksAreKeptWithTheirMove) {
    ASSERT_EQ(Read("(;SZ[19]TR[aa]LB[bb:]C[intro];B[dd]LB[dd:1][ee:Long label]MA[ff];W[pp];C[later]CR[ab:bc]SQ[zz];"
                   "B[qq])"),
              0);
    auto mark = [](uint16_t move, MarkKind kind, int x, int y, std::string_view label = {}) {
        BoardMark m;
        m.Move = move;
        m.Kind = kind;
        m.x = static_cast<uint8_t>(x);
        m.y = static_cast<uint8_t>(y);
        std::copy(label.begin(), label.end(), m.Label.begin());
        m.LabelLength = static_cast<uint8_t>(label.size());
        return m;
    };
    const std::vector<BoardMark> expected = {
        mark(0, MarkKind::Triangle, 1, 1),     mark(1, MarkKind::Label, 4, 4, "1"),
        mark(1, MarkKind::Label, 5, 5, "Long la"), mark(1, MarkKind::Cross, 6, 6),
        mark(2, MarkKind::Circle, 1, 2),       mark(2, MarkKind::Circle, 2, 2),
        mark(2, MarkKind::Circle, 1, 3),       mark(2, MarkKind::Circle, 2, 3)};
    EXPECT_EQ(game.Marks, expected);
    EXPECT_EQ(MoveListLength(game), 3);

    // Walked move by move with one cursor; a move without marks gets none.
    std::size_t cursor = 0;
    EXPECT_EQ(MarksAt(game, 0, cursor).size(), 1u);
    EXPECT_EQ(MarksAt(game, 1, cursor).size(), 3u);
    const std::span<const BoardMark> second = MarksAt(game, 2, cursor);
    ASSERT_EQ(second.size(), 4u);
    EXPECT_EQ(second[0].Kind, MarkKind::Circle);
    EXPECT_TRUE(MarksAt(game, 3, cursor).empty());
    EXPECT_EQ(cursor, game.Marks.size());

    // A label in UTF-8 longer than kept is cut between characters once decoded: 日本語 is 9 bytes.
    ASSERT_EQ(Read("(;CA[UTF-8]SZ[19];B[dd]LB[dd:\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E])"), 0);
    ASSERT_EQ(game.Marks.size(), 1u);
    EXPECT_EQ(game.Marks[0].LabelLength, 7u);
    const NativeTextDecoder decoder;
    DecodeTexts(game, decoder);
    EXPECT_EQ(game.Marks[0].LabelText(), "\xE6\x97\xA5\xE6\x9C\xAC");

    // Emptying the record drops them.
    ClearGame(game);
    EXPECT_TRUE(game.Marks.empty());
}

// AB, AW and AE after the first move are kept in file order with the slot of the last move
// before them; AE before the first move is kept in slot 0 and AB/AW there stay the game's setup
// stones. A rectangle is spelled out, and a point no board has is left out without refusing
// the game.
TEST_F(SgfReaderTest, SetupDuringTheGameIsKeptByMoveSlot) {
    ASSERT_EQ(Read("(;SZ[9]AB[cc];AE[cc]AW[gg];B[ee];W[dd]AE[ee];AB[aa:ba]AW[DD]C[set];B[ff]AE[zz][a];W[ca])"), 0);
    // AW[gg] in a node before the first move is a setup stone like AB[cc].
    EXPECT_EQ(SetupText(game), "ZCCWGG");
    const std::vector<SetupChange> expected = {
        {0, go::Stone::Empty, 3, 3}, {2, go::Stone::Empty, 5, 5}, {2, go::Stone::Black, 1, 1},
        {2, go::Stone::Black, 2, 1}, {2, go::Stone::White, 4, 4}};
    EXPECT_EQ(game.InGameSetup, expected);
    EXPECT_EQ(MoveListLength(game), 4);
    EXPECT_EQ(game.Comments[2], "set");

    std::size_t cursor = 0;
    EXPECT_EQ(SetupChangesAt(game, 0, cursor).size(), 1u);
    EXPECT_TRUE(SetupChangesAt(game, 1, cursor).empty());
    EXPECT_EQ(SetupChangesAt(game, 2, cursor).size(), 4u);
    EXPECT_TRUE(SetupChangesAt(game, 3, cursor).empty());
    EXPECT_EQ(cursor, game.InGameSetup.size());

    ClearGame(game);
    EXPECT_TRUE(game.InGameSetup.empty());
}

}  // namespace
}  // namespace senvola
