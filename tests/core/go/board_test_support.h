// Helpers for tests of the board: stones put down as a diagram says, and the board read back as
// one.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "go/board.h"

namespace senvola::go {

// Readable failure messages.
inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(Stone s, std::ostream* os) {
    *os << (s == Stone::Black ? "Black" : s == Stone::White ? "White" : "Empty");
}
inline void PrintTo(MoveResult r, std::ostream* os) {
    const char* const names[] = {"Played", "Occupied", "Suicide", "Ko", "ChainLimit"};
    *os << names[static_cast<int>(r)];
}

}  // namespace senvola::go

namespace senvola::testing {

// Puts the stones of a diagram as setup stones, row y = 1 first: 'X' black, 'O' white, anything
// else empty. Every stone must be legal where it stands in this order.
inline bool PutDiagram(go::Board& b, const std::vector<std::string>& rows) {
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            if (c != 'X' && c != 'O') continue;
            const go::Point p{static_cast<int>(x) + 1, static_cast<int>(y) + 1};
            if (b.PlaceSetupStone(p, c == 'X' ? go::Stone::Black : go::Stone::White) != go::MoveResult::Played)
                return false;
        }
    }
    return true;
}

// The board as rows of '.', 'X', 'O'.
inline std::vector<std::string> Diagram(const go::Board& b) {
    std::vector<std::string> rows;
    for (int y = 1; y <= b.Size(); ++y) {
        std::string row;
        for (int x = 1; x <= b.Size(); ++x) {
            const go::Stone v = b.At({x, y});
            row += v == go::Stone::Black ? 'X' : v == go::Stone::White ? 'O' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace senvola::testing
