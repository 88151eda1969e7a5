// One game as the replay plays it: the header texts, the handicap or setup stones, one line of
// play in a fixed number of move slots, and a comment per slot.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "go/board.h"
#include "text/charset.h"

namespace senvola {

class TextDecoder;

constexpr int kMaxMoves = 800;       // move slots 1..800
constexpr uint8_t kPassCoord = 255;  // MoveX/MoveY of a pass

// A stone on the board before the first move. x and y count from 1 as the file's letters do
// ('A' = 1). A value the file spelled off every board is kept modulo 256, so it may wrap round
// below 1 or far above 19, but never onto a board.
struct SetupStone {
    go::Stone colour = go::Stone::Black;
    uint8_t x = 0;
    uint8_t y = 0;
    friend constexpr bool operator==(const SetupStone&, const SetupStone&) = default;
};

// A mark the record puts on the board at one move, drawn while that move is the last one shown.
enum class MarkKind : uint8_t { Label, Triangle, Square, Circle, Cross };

// At most this many bytes of a label are kept: a label names a point in a letter or two, and a
// longer one would not fit its point anyway.
constexpr std::size_t kMaxLabelBytes = 7;

struct BoardMark {
    uint16_t Move = 0;  // the move slot it belongs to, 0 before the first move
    MarkKind Kind = MarkKind::Label;
    uint8_t x = 0, y = 0;  // 1-based, on the board
    uint8_t LabelLength = 0;
    std::array<char, kMaxLabelBytes> Label{};  // the label's bytes, in the record's set until decoded
    std::string_view LabelText() const { return {Label.data(), LabelLength}; }
    friend constexpr bool operator==(const BoardMark&, const BoardMark&) = default;
};

// The most marks a record keeps; a file with more gets its first ones.
constexpr std::size_t kMaxBoardMarks = 65536;

// A point the record sets during the game (AB, AW or AE after the first move): the replay plays
// it after the move of its slot, before the next one. AE before the first move is kept here too,
// in slot 0, and is played after the setup stones.
struct SetupChange {
    uint16_t Move = 0;                   // the move slot it follows
    go::Stone Colour = go::Stone::Empty;  // the stone put there; Empty takes the stone off
    uint8_t x = 0, y = 0;                // 1-based, on the board
    friend constexpr bool operator==(const SetupChange&, const SetupChange&) = default;
};

// The most setup changes a record keeps; a file with more gets its first ones.
constexpr std::size_t kMaxSetupChanges = 65536;

// A whole game. Texts are the file's bytes, in the set `Charset` names; comment line breaks are
// CR LF.
struct GameRecord {
    std::string WhiteName;  // name of the white player
    std::string WhiteRank;  // rank of the white player, free text
    std::string BlackName;  // name of the black player
    std::string BlackRank;  // rank of the black player
    std::string Copyright;  // copyright line
    std::string Date;       // date of play, free text
    std::string Event;      // event or tournament
    std::string GameName;   // name of the game, the panel's title line
    std::string Komi;       // komi as written; never converted
    std::string Place;      // place of play
    std::string Result;     // result as written
    std::string TimeLimit;  // time limit, free text
    std::string User;       // user or recorder
    std::string Round;      // no source fills it
    uint8_t Handicap = 0;   // handicap stones; 0 and 1 both mean an even game
    // Lines of the board as the source wrote them. Kept wider than a byte so that a
    // size such as 275 can never wrap round to a valid-looking 19.
    int32_t BoardSize = 0;
    std::vector<SetupStone> Setup;  // in the order the file gives them
    std::array<uint8_t, kMaxMoves + 1> MoveX{};  // slot 0 unused; 0 = no such move, 255 = pass
    std::array<uint8_t, kMaxMoves + 1> MoveY{};
    std::array<std::string, kMaxMoves + 1> Comments;  // slot 0: before the first move
    // Marks by move slot, in slot order: those of one slot lie together, so the replay walks
    // them with a cursor and allocates nothing.
    std::vector<BoardMark> Marks;
    // Setup changes by move slot, in slot order and, within a slot, in file order.
    std::vector<SetupChange> InGameSetup;
    go::Stone FirstToMove = go::Stone::Black;  // colour of move 1
    bool HasComments = false;  // the source stored a comment in some slot
    // The set the texts are in: the one the file declares, else UTF-8 where the texts are UTF-8
    // beyond plain ASCII, else the system's ANSI code page (resolved by the decoder).
    text::Charset Charset = text::Charset::SystemAnsi;
};

// Storage a text keeps for reuse once emptied. A text that held one huge game gives back what
// is beyond this, so that the process returns to its usual size with the next small game.
constexpr std::size_t kKeptTextCapacity = 64 * 1024;

// Empties `text`. Its storage is kept when it is at most kKeptTextCapacity or at most twice
// `next`, the size the text is about to receive, and freed otherwise.
void ResetText(std::string& text, std::size_t next = 0);

// Resets a record to the empty game (Handicap 1, BoardSize 0, Black first, no comments, texts
// in the ANSI code page); texts and setup by ResetText's rule.
void ClearGame(GameRecord& game);

// Copies the whole of `from` into `to`; reuses the target's storage as far as ResetText keeps it.
void CommitGame(const GameRecord& from, GameRecord& to);

// The set of a record whose file declares none (or one unknown here): UTF-8 when every text is
// valid UTF-8 and some text goes beyond ASCII, else the system's ANSI code page.
text::Charset UndeclaredCharset(const GameRecord& game);

// Turns every text of `game` into UTF-8 by `decoder` and marks the record so. A text that reads
// the same either way (plain ASCII, or UTF-8 that is valid) is left where it is, so a record in
// plain ASCII costs no copy; a broken sequence becomes U+FFFD.
void DecodeTexts(GameRecord& game, const TextDecoder& decoder);

// The marks of move slot `move`: the run of `game.Marks` from index `from` on whose Move is
// `move` (marks of earlier slots before it are skipped). `from` is where the search starts and
// is left at the end of the run, so walking the moves in order costs each mark once.
std::span<const BoardMark> MarksAt(const GameRecord& game, int move, std::size_t& from);

// The setup changes of move slot `move`, walked with a cursor the way MarksAt walks the marks.
std::span<const SetupChange> SetupChangesAt(const GameRecord& game, int move, std::size_t& from);

// Number of move-list entries: slots from 1 up to the first 0, or 800.
int MoveListLength(const GameRecord& game);

}  // namespace senvola
