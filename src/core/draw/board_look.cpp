// Loading the pictures the graphics options name, and the rule for drawing the board from one.
#include "draw/board_look.h"

namespace senvola {

bool BoardUsesBitmap(const BoardLook& look) {
    const Bitmap* b = look.pictures[geBoard].get();
    return look.settings.UseBitmap[geBoard] && b != nullptr && b->Width() > 0 && b->Height() > 0;
}

void LoadGraphicsBitmaps(ReplaySettings& s, BoardPictures& pictures, BitmapLoader& loader) {
    for (int e : {geBlackStones, geWhiteStones, geBoard}) {
        if (!s.UseBitmap[e]) continue;
        std::unique_ptr<Bitmap> picture;
        try {
            picture = loader.Load(s.BitmapName[e], e != geBoard);
        } catch (...) {
            picture.reset();  // any failure of the loader counts as a picture that cannot be read
        }
        if (picture) {
            pictures[e] = std::move(picture);
        } else {
            s.UseBitmap[e] = false;  // drawn in its colour; the stored setting stays as it is
        }
    }
}

}  // namespace senvola
