// Helpers for tests of the replay's moves: a MoveDisplay that records its calls, records with
// setup stones spelled as letters, and a way to put stones down as a diagram says through the
// whole move procedure.
#pragma once

#include <string>
#include <vector>

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

// Setup stones from three letters each: "Z" black or "W" white, then column and row ("A" = 1).
inline std::vector<SetupStone> SetupFrom(const std::string& letters) {
    std::vector<SetupStone> setup;
    for (std::size_t i = 0; i + 2 < letters.size(); i += 3) {
        setup.push_back({letters[i] == 'W' ? go::Stone::White : go::Stone::Black,
                         static_cast<uint8_t>(letters[i + 1] - 64), static_cast<uint8_t>(letters[i + 2] - 64)});
    }
    return setup;
}

// An empty position of the given size, Black to move, no marker.
inline void NewBoard(Position& p, int size) { p = Position{go::Board(size)}; }

// Puts one stone of the given colour through the full move procedure without taking a move
// number (as a setup stone). Returns PlayMove's result.
inline go::MoveResult Put(Position& p, int x, int y, bool black) {
    NullMoveDisplay none;
    p.Board.SetToMove(black ? go::Stone::Black : go::Stone::White);
    return PlayMove(p, none, {x, y}, true, false);
}

// Puts the stones of a diagram, row y = 1 first: 'X' black, 'O' white, anything else empty.
// Every stone must be legal where it stands in this order.
inline bool PutDiagram(Position& p, const std::vector<std::string>& rows) {
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c != 'X' && c != 'O') continue;
            if (Put(p, static_cast<int>(x) + 1, static_cast<int>(y) + 1, c == 'X') != go::MoveResult::Played)
                return false;
        }
    }
    return true;
}

// The board as rows of '.', 'X', 'O'.
inline std::vector<std::string> Diagram(const Position& p) { return Diagram(p.Board); }

}  // namespace senvola::testing
