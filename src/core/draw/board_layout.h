// Pixel geometry of the replay screen, recomputed at every new game.
#pragma once

#include <cstdint>

namespace senvola {

struct BoardLayout {
    int32_t ScreenWidth = 0, ScreenHeight = 0;        // outer size of the replay window
    int32_t BoardAreaHeight = 0, BoardAreaWidth = 0;  // space given to the board
    int32_t CellWidth = 0, CellHeight = 0;            // distance between grid lines
    int32_t BoardLeft = 0, BoardTop = 0;              // pixel of grid point (1, 1)
    int32_t BoardCentreX = 0;                         // x of the middle grid column
    int32_t PanelLeft = 0, PanelTop = 0, PanelRight = 0, PanelBottom = 0;
    int32_t CommentLeft = 0, CommentTop = 0, CommentRight = 0, CommentBottom = 0;
    int32_t MoveBoxLeft = 0, MoveBoxTop = 0, MoveBoxRight = 0, MoveBoxBottom = 0;
    uint8_t PanelFontSize = 0;  // points, information lines
};

}  // namespace senvola
