// Helpers for tests of the replay's moves: a MoveDisplay that records its calls, and a way to put
// stones down as a diagram says through the whole move procedure.
#pragma once

#include <string>
#include <vector>

#include "app_state.h"
#include "core/go/board_test_support.h"
#include "records/game_record.h"
#include "replay/move_display.h"
#include "replay/move_replay.h"

namespace senvola::testing {

// Records every drawing call as a short text: "stone 3,4 B marker", "empty 3,4", "counter",
// "comment".
class RecordingDisplay final : public MoveDisplay {
public:
    std::vector<std::string> calls;
    void DrawStone(int x, int y, bool black, bool marker) override {
        calls.push_back("stone " + std::to_string(x) + "," + std::to_string(y) + (black ? " B" : " W") +
                        (marker ? " marker" : ""));
    }
    void DrawEmptyPoint(int x, int y) override {
        calls.push_back("empty " + std::to_string(x) + "," + std::to_string(y));
    }
    void DrawMoveCounter() override { calls.push_back("counter"); }
    void DrawComment() override { calls.push_back("comment"); }
};

// An empty game of the given size committed to CurrentGame and an empty position.
inline void NewBoard(AppState& s, int size) {
    ClearGame(s.CurrentGame);
    s.CurrentGame.BoardSize = size;
    ResetPosition(s);
}

// Puts one stone of the given colour through the full move procedure without taking a move
// number (as a setup stone). Returns PlayMove's result.
inline go::MoveResult Put(AppState& s, int x, int y, bool black) {
    NullMoveDisplay none;
    s.Board.SetToMove(black ? go::Stone::Black : go::Stone::White);
    return PlayMove(s, none, x, y, true);
}

// Puts the stones of a diagram, row y = 1 first: 'X' black, 'O' white, anything else empty.
// Every stone must be legal where it stands in this order.
inline bool PutDiagram(AppState& s, const std::vector<std::string>& rows) {
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c != 'X' && c != 'O') continue;
            if (Put(s, static_cast<int>(x) + 1, static_cast<int>(y) + 1, c == 'X') != go::MoveResult::Played)
                return false;
        }
    }
    return true;
}

// The board as rows of '.', 'X', 'O'.
inline std::vector<std::string> Diagram(const AppState& s) { return Diagram(s.Board); }

}  // namespace senvola::testing
