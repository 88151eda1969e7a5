// The one board position of the game being replayed.
#pragma once

#include <cstdint>

namespace senvola {

constexpr int kBoardArray = 21;  // points 1..19 plus the frame on every side
constexpr int kMaxChains = 250;  // chain numbers 1..250; 0 is never given out

enum PointValue : uint8_t { ptEmpty = 0, ptBlack = 1, ptWhite = 2, ptFrame = 3 };

struct BoardPosition {
    uint8_t Points[kBoardArray][kBoardArray];   // [x][y]: PointValue
    uint8_t ChainOf[kBoardArray][kBoardArray];  // chain number of the stone; 0 on empty points
    uint8_t Removed[kBoardArray][kBoardArray];  // colour of a captured stone not yet redrawn
    uint8_t ChainColour[kMaxChains + 1];        // 0 = number free, 1 black, 2 white
    uint8_t ChainLiberties[kMaxChains + 1];     // distinct empty neighbours of the chain
    uint8_t ToMove;                             // 1 = black to move, 0 = white
    int32_t MoveNumber;                         // next move to play, from 1
    int32_t KoX, KoY;                           // ko point; KoX = 0: none
    uint8_t LastMoveX, LastMoveY;               // stone carrying the marker; 0: none
};

}  // namespace senvola
