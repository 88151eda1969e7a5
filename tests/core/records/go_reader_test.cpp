// The .GO reader: keywords, moves, setup lines, comment blocks and what ends a file.
#include "records/go_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/records/reader_test_support.h"

namespace senvola {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

using namespace reader_test;

class GoReaderTest : public ReaderTest {
protected:
    // Reads `text` as the bytes of a .GO file.
    int Read(const std::string& text) {
        trace.clear();
        std::istringstream in(text);
        game.HasComments = true;  // the reader must set it either way
        return Code(ReadGoStream(in, "test.go", game, &log));
    }
};

TEST_F(GoReaderTest, ReadsAWholeGame) {
    const int code = Read(
        "EVENT Club championship\n"
        "BOARDSIZE 19\n"
        "BLACK Alpha Beta\n"
        "WHITE   Gamma  \n"
        "DATE 2001-02-03\n"
        "KOMI 5.5\n"
        "PLACE The club\n"
        "RECORDER Someone\n"
        "RESULT W+2.5\n"
        "TIMELIMIT 1 hour\n"
        "RULES Japanese\n"
        "SOURCE a book\n"
        "HANDICAP 0\n"
        "B 1 D4\n"
        "W 2 Q16\n"
        "PRISONER 0 0\n"
        "MARK A1\n"
        "ANALYSIS none\n"
        "B 3 PASS\n");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(game.BlackName, "Alpha Beta");
    EXPECT_EQ(game.WhiteName, "Gamma");
    EXPECT_EQ(game.Date, "2001-02-03");
    EXPECT_EQ(game.Komi, "5.5");
    EXPECT_EQ(game.Place, "The club");
    EXPECT_EQ(game.User, "Someone");
    EXPECT_EQ(game.Result, "W+2.5");
    EXPECT_EQ(game.TimeLimit, "1 hour");
    EXPECT_EQ(game.Event, "");  // the event's own text is not kept
    EXPECT_EQ(game.BoardSize, 19);
    EXPECT_EQ(game.Handicap, 0);  // no setup stones
    EXPECT_EQ(game.FirstToMove, go::Stone::Black);
    EXPECT_EQ(MoveListLength(game), 3);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(4, 16));
    EXPECT_EQ(MoveAt(game, 2), std::make_pair(16, 4));
    EXPECT_EQ(MoveAt(game, 3), kPass);
    EXPECT_FALSE(game.HasComments);
    EXPECT_TRUE(trace.empty());
}

TEST_F(GoReaderTest, EventLinesGateEverything) {
    EXPECT_EQ(Read("BLACK Someone\nEVENT\n"), 8);
    EXPECT_EQ(trace.front(), "Unknown keyword: BLACK");
    EXPECT_EQ(game.BlackName, "");
    // Blank and indented lines are skipped before, inside and after the game.
    EXPECT_EQ(Read("\n   \n  BLACK Someone\nEVENT\n  B 1 D4\n\n"), 0);
    EXPECT_EQ(MoveListLength(game), 0);
    // Keywords are case-insensitive.
    EXPECT_EQ(Read("event\nblack x\nb 1 d4\n"), 0);
    EXPECT_EQ(game.BlackName, "x");
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(4, 16));
    // After a second EVENT only blank lines and further EVENT lines may follow.
    EXPECT_EQ(Read("EVENT\nB 1 D4\nEVENT\n\n   W 2 Q16\nEVENT\n"), 0);
    EXPECT_EQ(MoveListLength(game), 1);
    EXPECT_EQ(Read("EVENT\nB 1 D4\nEVENT\nW 2 Q16\n"), 8);
    EXPECT_EQ(trace, (std::vector<std::string>{"Unknown keyword: W",
                                               "Error loading .GO file 8: test.go"}));
    // Block ends on their own are unknown.
    EXPECT_EQ(Read("EVENT\nENDCOM\n"), 8);
    EXPECT_EQ(Read("EVENT\nNONSENSE here\nB 1 D4\n"), 8);
    EXPECT_EQ(MoveListLength(game), 0);  // reading stopped at the unknown line
    // A tab does not separate words, so it does not hide a keyword either.
    EXPECT_EQ(Read("EVENT\n\tBLACK\tx\n"), 8);
    EXPECT_EQ(Read("EVENT\n\tBLACK x\n"), 0);
    EXPECT_EQ(game.BlackName, "x");
}

TEST_F(GoReaderTest, MovePointsAndColumns) {
    EXPECT_EQ(Read("EVENT\nB 1 T19\nW 2 A1\nB 3 I4\nW 4 H4\nB 5 J10\n"), 0);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(19, 1));
    EXPECT_EQ(MoveAt(game, 2), std::make_pair(1, 19));
    EXPECT_EQ(MoveAt(game, 3), std::make_pair(8, 16));  // I counts as H
    EXPECT_EQ(MoveAt(game, 4), std::make_pair(8, 16));
    EXPECT_EQ(MoveAt(game, 5), std::make_pair(9, 10));

    EXPECT_EQ(Read("EVENT\nB 1 U19\n"), 4);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(20, 1));  // stored, then refused
    EXPECT_EQ(Read("EVENT\nB 1 D20\n"), 4);
    EXPECT_EQ(Read("EVENT\nB 1 D0\n"), 4);
    EXPECT_EQ(Read("EVENT\nB 1 D100\n"), 4);
    EXPECT_EQ(MoveListLength(game), 0);  // not a point at all: nothing stored
    EXPECT_EQ(Read("EVENT\nB 1 4D\n"), 4);
    EXPECT_EQ(Read("EVENT\nB 1\n"), 4);
    EXPECT_EQ(Read("EVENT\nB 1 D04\n"), 0);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(4, 16));
}

TEST_F(GoReaderTest, TurnsAndNumbering) {
    EXPECT_EQ(Read("EVENT\nB 1 D4\nB 2 Q16\n"), 4);
    EXPECT_EQ(MoveListLength(game), 1);
    EXPECT_EQ(Read("EVENT\nW 1 D4\nB 2 Q16\n"), 0);
    EXPECT_EQ(game.FirstToMove, go::Stone::White);
    EXPECT_EQ(Read("EVENT\nW 1 PASS\n"), 0);
    EXPECT_EQ(game.FirstToMove, go::Stone::White);
    EXPECT_EQ(MoveAt(game, 1), kPass);
    EXPECT_EQ(Read("EVENT\nB 1 D4\nW 3 Q16\n"), 4);
    EXPECT_EQ(Read("EVENT\nB 01 D4\n"), 4);
    EXPECT_EQ(Read("EVENT\nB 1 D4\nW 2 PASS\nB 3 Q16\n"), 0);
    EXPECT_EQ(MoveListLength(game), 3);
    EXPECT_EQ(MoveAt(game, 2), kPass);
    EXPECT_EQ(Read("EVENT\nB 1 D4\nW 2 pass\nB 3 Q16\n"), 0);
}

TEST_F(GoReaderTest, SmallerBoardsKeepTheNineteenLineRows) {
    EXPECT_EQ(Read("EVENT\nBOARDSIZE 9\nB 1 E15\nW 2 C11\n"), 0);
    EXPECT_EQ(game.BoardSize, 9);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(5, 5));
    EXPECT_EQ(MoveAt(game, 2), std::make_pair(3, 9));
    EXPECT_EQ(Read("EVENT\nBOARDSIZE 9\nB 1 E5\n"), 4);
    EXPECT_EQ(Read("EVENT\nBOARDSIZE 13\nB 1 N7\n"), 0);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(13, 13));
    EXPECT_EQ(Read("EVENT\nBOARDSIZE 13\nB 1 O7\n"), 4);

    EXPECT_EQ(Read("EVENT\nBOARDSIZE 11\n"), 2);
    EXPECT_EQ(game.BoardSize, 19);
    EXPECT_EQ(Read("EVENT\nBOARDSIZE\n"), 2);
    EXPECT_EQ(Read("EVENT\nBOARDSIZE 09\n"), 2);
    EXPECT_EQ(Read("EVENT\nBOARDSIZE 13 lines\n"), 0);
    EXPECT_EQ(game.BoardSize, 13);
}

TEST_F(GoReaderTest, SizeGivenAfterTheStonesItGoverns) {
    EXPECT_EQ(Read("EVENT\nB 1 Q16\nBOARDSIZE 9\n"), 4);
    EXPECT_EQ(Read("EVENT\nSETUP B Q16\nBOARDSIZE 9\n"), 3);
    EXPECT_EQ(Read("EVENT\nSETUP B Q16\nB 1 A1\nBOARDSIZE 9\n"), 3);
    EXPECT_EQ(Read("EVENT\nSETUP B C13\nB 1 PASS\nW 2 D12\nBOARDSIZE 9\n"), 0);
    EXPECT_EQ(SetupText(game), "ZCG");
}

TEST_F(GoReaderTest, SetupStones) {
    EXPECT_EQ(Read("EVENT\nSETUP B D4 Q16\n"), 0);
    EXPECT_EQ(SetupText(game), "ZDPZPD");
    EXPECT_EQ(game.Handicap, 2);
    EXPECT_EQ(Read("EVENT\nSETUP B D4 W Q16\n"), 0);
    EXPECT_EQ(SetupText(game), "ZDPWPD");
    EXPECT_EQ(game.Handicap, 0);
    EXPECT_EQ(Read("EVENT\nSETUP black D4\nSETUP White T1 J9 B C3\n"), 0);
    EXPECT_EQ(SetupText(game), "ZDPWSSWIKZCQ");
    EXPECT_EQ(Read("EVENT\nSETUP B D4 Q16 K10 Q4 D16\n"), 0);
    EXPECT_EQ(game.Handicap, 5);

    EXPECT_EQ(Read("EVENT\nSETUP X D4\n"), 3);
    EXPECT_EQ(SetupText(game), "");
    EXPECT_EQ(Read("EVENT\nSETUP\n"), 3);
    // Words after a faulty one are still read and stored; the load fails all the same.
    EXPECT_EQ(Read("EVENT\nSETUP B D444 U4 C3\nB 1 D4\n"), 3);
    EXPECT_EQ(SetupText(game), "ZTPZCQ");
    EXPECT_EQ(MoveListLength(game), 0);
    EXPECT_EQ(game.Handicap, 2);
    // A point of the right form off the board is stored with its row letter as computed.
    EXPECT_EQ(Read("EVENT\nSETUP B D44\n"), 3);
    EXPECT_EQ(SetupText(game), "ZD(");
    // Two spaces are one separator; a trailing space ends the list.
    EXPECT_EQ(Read("EVENT\nSETUP B  D4   Q16 \n"), 0);
    EXPECT_EQ(SetupText(game), "ZDPZPD");
}

TEST_F(GoReaderTest, CommentBlocks) {
    EXPECT_EQ(Read("EVENT\nB 1 D4\nCOM First line\nsecond line\n  third, indented\nENDCOM\n"), 0);
    EXPECT_EQ(game.Comments[1], " First line\r\nsecond line\r\n  third, indented");
    EXPECT_TRUE(game.HasComments);

    // Before any move the comment goes to slot 0; a block without text starts with a break.
    EXPECT_EQ(Read("EVENT\nCOM\nhello\nENDCOM\n"), 0);
    EXPECT_EQ(game.Comments[0], "\r\nhello");

    // Several blocks for one move are joined with line breaks.
    EXPECT_EQ(Read("EVENT\nB 1 D4\nCOM one\nENDCOM\nCOM two\nmore\nENDCOM\nW 2 C3\nCOM three\n"
                   "ENDCOM\n"),
              0);
    EXPECT_EQ(game.Comments[1], " one\r\n two\r\nmore");
    EXPECT_EQ(game.Comments[2], " three");

    // The text is taken after the first "COM" in capitals as written.
    EXPECT_EQ(Read("EVENT\nCOM see COMMENTS\nENDCOM\n"), 0);
    EXPECT_EQ(game.Comments[0], " see COMMENTS");
    EXPECT_EQ(Read("EVENT\ncom lower COMet\nENDCOM\n"), 0);
    EXPECT_EQ(game.Comments[0], "et");
    EXPECT_EQ(Read("EVENT\ncom only small letters\nENDCOM\n"), 0);
    EXPECT_EQ(game.Comments[0], "");
    EXPECT_TRUE(game.HasComments);

    // Statements inside a block are text; a block never closed runs to the end.
    EXPECT_EQ(Read("EVENT\nCOM x\nB 1 D4\nFOO\nendcom trailing\nW 1 D4\n"), 0);
    EXPECT_EQ(game.Comments[0], " x\r\nB 1 D4\r\nFOO");
    EXPECT_EQ(game.FirstToMove, go::Stone::White);
}

TEST_F(GoReaderTest, ABlockEndingTheFileLeavesItsLastLineToTheTestsAfterIt) {
    EXPECT_EQ(Read("EVENT\nCOM\ntext\nB 1 D4"), 0);
    EXPECT_EQ(game.Comments[0], "\r\ntext\r\nB 1 D4");
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(4, 16));

    EXPECT_EQ(Read("EVENT\nVAR\nB 1 D4\nWHITE Late"), 0);
    EXPECT_EQ(MoveListLength(game), 0);
    EXPECT_EQ(game.WhiteName, "Late");

    // Tests before the block in the same pass are not made again.
    EXPECT_EQ(Read("EVENT\nVAR\nBOARDSIZE 9\n"), 0);
    EXPECT_EQ(game.BoardSize, 19);
}

TEST_F(GoReaderTest, VariationsAreSkipped) {
    EXPECT_EQ(Read("EVENT\nB 1 D4\nVAR\nW 2 C3\nBOGUS\nENDVAR\nW 2 Q16\n"), 0);
    EXPECT_EQ(MoveListLength(game), 2);
    EXPECT_EQ(MoveAt(game, 2), std::make_pair(16, 4));
}

TEST_F(GoReaderTest, UserBlocksReplaceTheCommentWithoutCountingAsComments) {
    EXPECT_EQ(Read("EVENT\nB 1 D4\nUSER\nsome text\nENDUSER\n"), 0);
    EXPECT_EQ(game.Comments[1], "\r\nsome text\r\nENDUSER");
    EXPECT_FALSE(game.HasComments);

    // The gathering text still holds the last comment block, even from an earlier move.
    EXPECT_EQ(Read("EVENT\nB 1 D4\nCOM c1\nENDCOM\nW 2 Q16\nUSER\nu\nENDUSER\n"), 0);
    EXPECT_EQ(game.Comments[1], " c1");
    EXPECT_EQ(game.Comments[2], " c1\r\nu\r\nENDUSER");
    EXPECT_TRUE(game.HasComments);

    // ... and keeps growing over several user blocks.
    EXPECT_EQ(Read("EVENT\nUSER\na\nENDUSER\nB 1 D4\nUSER\nb\nENDUSER\n"), 0);
    EXPECT_EQ(game.Comments[0], "\r\na\r\nENDUSER");
    EXPECT_EQ(game.Comments[1], "\r\na\r\nENDUSER\r\nb\r\nENDUSER");

    // A comment block after a user block for the same move starts from that move's comment.
    EXPECT_EQ(Read("EVENT\nUSER\nx\nENDUSER\nCOM y\nENDCOM\n"), 0);
    EXPECT_EQ(game.Comments[0], "\r\nx\r\nENDUSER\r\n y");

    // A user block at the end of the file with nothing after it still stores the text.
    EXPECT_EQ(Read("EVENT\nCOM c\nENDCOM\nB 1 D4\nUSER"), 0);
    EXPECT_EQ(game.Comments[1], " c");
}

TEST_F(GoReaderTest, HeaderValues) {
    EXPECT_EQ(Read("EVENT\nBLACK\nWHITE  \nDATE  a  b  \n"), 0);
    EXPECT_EQ(game.BlackName, "");
    EXPECT_EQ(game.WhiteName, "");
    EXPECT_EQ(game.Date, "a  b");
    EXPECT_EQ(Read("EVENT\nBLACK first\nBLACK\nWHITE w\tx y\n"), 0);
    EXPECT_EQ(game.BlackName, "first");  // a keyword alone leaves the field as it was
    EXPECT_EQ(game.WhiteName, "w\tx y");  // only the keyword and its space go
}

TEST_F(GoReaderTest, LineEnds) {
    for (const std::string eol : {"\n", "\r\n", "\r"}) {
        SCOPED_TRACE(::testing::PrintToString(eol));
        std::string text = "EVENT" + eol + "COM a" + eol + "b" + eol + eol + "ENDCOM" + eol +
                           "B 1 D4" + eol + "W 2 Q16";  // no line end after the last line
        EXPECT_EQ(Read(text), 0);
        EXPECT_EQ(MoveListLength(game), 2);
        EXPECT_EQ(game.Comments[0], " a\r\nb\r\n");
    }
    // LF CR is two line ends, with an empty line between them.
    EXPECT_EQ(Read("EVENT\nCOM\n\rx\nENDCOM\n"), 0);
    EXPECT_EQ(game.Comments[0], "\r\n\r\nx");
}

TEST_F(GoReaderTest, CrLfSplitAcrossTheReadChunk) {
    // The CR is the last byte of the first 64 KiB chunk and the LF the first of the next.
    std::string text = "EVENT\nCOM\n";
    text += std::string(65536 - text.size() - 1, 'z') + "\r\nENDCOM\nB 1 D4\n";
    EXPECT_EQ(Read(text), 0);
    EXPECT_EQ(game.Comments[0].size(), 2 + 65536 - 10 - 1);
    EXPECT_EQ(MoveListLength(game), 1);
}

TEST_F(GoReaderTest, MoreThan800MovesLoadsTheFirst800) {
    std::string text = "EVENT\n";
    for (int n = 1; n <= 900; ++n) {
        text += (n % 2 ? "B " : "W ") + std::to_string(n) + (n % 3 ? " D4\n" : " PASS\n");
        if (n == 800 || n == 801) text += "COM c" + std::to_string(n) + "\nENDCOM\n";
    }
    EXPECT_EQ(Read(text), 0);
    EXPECT_EQ(MoveListLength(game), 800);
    EXPECT_EQ(game.Comments[800], " c800");
    EXPECT_EQ(MoveAt(game, 800), std::make_pair(4, 16));  // 800 is not a multiple of 3

    // Numbering keeps counting past the stored slots.
    EXPECT_EQ(Read(text + "B 902 D4\n"), 4);
    EXPECT_EQ(Read(text + "B 901 D4\nW 902 Q16\n"), 0);
    EXPECT_EQ(Read(text + "B 901 Z4\n"), 4);
    EXPECT_EQ(MoveListLength(game), 800);
}

TEST_F(GoReaderTest, FilesAndThingsThatAreNotFiles) {
    const fs::path path = Dir() / "game.GO";
    {
        std::ofstream out(path, std::ios::binary);
        out << "EVENT\r\nBOARDSIZE 13\r\nB 1 G10\r\n";
    }
    EXPECT_EQ(Code(ReadGoFile(path.string(), game, &log)), 0);
    EXPECT_EQ(game.BoardSize, 13);
    EXPECT_EQ(MoveAt(game, 1), std::make_pair(7, 10));

    trace.clear();
    const std::string missing = (Dir() / "missing.go").string();
    EXPECT_EQ(Code(ReadGoFile(missing, game, &log)), 255);
    EXPECT_EQ(game.BoardSize, 19);
    EXPECT_EQ(game.Handicap, 0);
    EXPECT_EQ(trace, std::vector<std::string>{"Error loading .GO file 255: " + missing});
    EXPECT_EQ(Code(ReadGoFile(Dir().string(), game, &log)), 255);
}

TEST_F(GoReaderTest, BadInputGetsACode) {
    EXPECT_EQ(Read("EV\0ENT\n"s), 8);  // a NUL is part of a word, not a separator...
    EXPECT_EQ(Read("EVENT\nB 1 D4\0\n"s), 0);  // ...but it is trimmed from the end of one
    EXPECT_EQ(Read(""), 0);
    EXPECT_EQ(game.BoardSize, 19);

    std::mt19937 rng(2024);
    for (int round = 0; round < 200; ++round) {
        std::string junk = round % 2 ? "EVENT\n" : "";
        const std::size_t n = 1 + rng() % 2000;
        for (std::size_t i = 0; i < n; ++i) junk.push_back(static_cast<char>(rng() % 256));
        const int code = Read(junk);
        EXPECT_TRUE(code == 0 || code == 2 || code == 3 || code == 4 || code == 8) << int(code);
    }

    const std::string big(50u * 1024 * 1024, 'x');
    EXPECT_EQ(Read("EVENT\nBLACK " + big + "\nCOM\n" + big + "\nENDCOM\nB 1 D4\n"), 0);
    EXPECT_EQ(game.BlackName.size(), big.size());
    EXPECT_EQ(game.Comments[0].size(), big.size() + 2);
}

TEST_F(GoReaderTest, ManyBlocksStayLinear) {
    // Each block adds to the text gathered so far; reading must not copy it every time.
    std::string text = "EVENT\n";
    for (int i = 0; i < 200000; ++i) text += "COM\nENDCOM\nUSER\nENDUSER\n";
    EXPECT_EQ(Read(text), 0);
    EXPECT_EQ(game.Comments[0].size(), 200000u * 11 - 2);
}

TEST_F(GoReaderTest, UserBlocksCannotCopyWithoutEnd) {
    // Every user block at a new move copies all the text gathered so far into that move's
    // comment. A file that makes those copies add up past 64 MiB is refused as unreadable
    // instead of growing with the square of its size.
    const std::string line(1024 * 1024, 'u');
    std::string text = "EVENT\nUSER\n" + line + "\nENDUSER\n";
    for (int n = 1; n <= 70; ++n) {
        text += (n % 2 ? "B " : "W ") + std::to_string(n) + " PASS\nUSER\nENDUSER\n";
    }
    EXPECT_EQ(Read(text), 255);
    EXPECT_EQ(trace.back(), "Error loading .GO file 255: test.go");

    // Fewer copies of the same text load normally, each move keeping its copy.
    std::string fewer = "EVENT\nUSER\n" + line + "\nENDUSER\n";
    for (int n = 1; n <= 40; ++n) {
        fewer += (n % 2 ? "B " : "W ") + std::to_string(n) + " PASS\nUSER\nENDUSER\n";
    }
    EXPECT_EQ(Read(fewer), 0);
    EXPECT_EQ(game.Comments[40].size(), 2 + line.size() + 41 * 9);
    EXPECT_EQ(game.Comments[0].size(), 2 + line.size() + 9);
}

}  // namespace
}  // namespace senvola
