// The in-memory game record: one game, one line of play, in a fixed-size record.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace senvola {

constexpr int kMaxMoves = 800;       // move slots 1..800
constexpr uint8_t kPassCoord = 255;  // MoveX/MoveY of a pass

// A whole game. Texts are byte strings in the ANSI code page; comment line breaks are CR LF.
struct PartijRec {
    std::string WhiteName;  // name of the white player
    std::string WhiteRank;  // rank of the white player, free text
    std::string BlackName;  // name of the black player
    std::string BlackRank;  // rank of the black player
    std::string Copyright;  // copyright line
    std::string Date;       // date of play, free text
    std::string Event;      // event or tournament
    std::string GameName;   // name of the game (kept, never displayed)
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
    std::string Setup;  // three characters per stone: 'Z'/'W', column letter, row letter ('A' = 1)
    std::array<uint8_t, kMaxMoves + 1> MoveX{};  // slot 0 unused; 0 = no such move, 255 = pass
    std::array<uint8_t, kMaxMoves + 1> MoveY{};
    std::array<std::string, kMaxMoves + 1> Comments;  // slot 0: before the first move
    uint8_t FirstColour = 0;  // colour of move 1: 1 = Black, 2 = White
};
using GameRecord = PartijRec;

// Storage a text keeps for reuse once emptied. A text that held one huge game gives back what
// is beyond this, so that the process returns to its usual size with the next small game.
constexpr std::size_t kKeptTextCapacity = 64 * 1024;

// Empties `text`. Its storage is kept when it is at most kKeptTextCapacity or at most twice
// `next`, the size the text is about to receive, and freed otherwise.
void ResetText(std::string& text, std::size_t next = 0);

// Resets a record to the empty game (Handicap 1, BoardSize 0, FirstColour 1); texts by
// ResetText.
void ClearGame(GameRecord& LoadBuffer);

// Copies the whole load buffer into the current game; reuses the target's storage as far as
// ResetText keeps it.
void CommitGame(const GameRecord& LoadBuffer, GameRecord& CurrentGame);

// Number of move-list entries: slots from 1 up to the first 0, or 800.
int MoveListLength(const GameRecord& game);

// Diagnostic sink. Messages are discarded: no game-file error is ever shown to the user.
// Tests may install a hook to observe them; the program never does.
void TraceMessage(std::string_view text);
using TraceHook = std::function<void(std::string_view)>;
void SetTraceHook(TraceHook hook);

}  // namespace senvola
