// How board and stones look: colours and picture choices from the graphics options, and the
// pictures loaded for them once per run.
#pragma once

#include <array>
#include <memory>

#include "draw/board_sprites.h"
#include "platform/bitmap.h"
#include "settings/replay_settings.h"

namespace senvola {

// Board, black stones and white stones, by GraphicsElement; null where none is loaded.
using BoardPictures = std::array<std::unique_ptr<Bitmap>, 3>;

// What the painters read, and the pictures they make for the layout; all must outlive it.
struct BoardLook {
    const ReplaySettings& settings;
    const BoardPictures& pictures;
    BoardSprites& sprites;
};

// The board is drawn from its picture: asked for, and a picture of positive size is loaded.
bool BoardUsesBitmap(const BoardLook& look);

// Loads black stones, white stones, board (stones transparent); a picture that fails for any
// reason clears its UseBitmap flag in memory only, without a message, and keeps any picture
// loaded before.
void LoadGraphicsBitmaps(ReplaySettings& settings, BoardPictures& pictures, BitmapLoader& loader);

}  // namespace senvola
