#include "win32/blit.h"

#include "win32/handles.h"

namespace senvola {

void CopyPicture(HDC dest, const RECT& to, HDC source, int sourceWidth, int sourceHeight,
                 std::optional<COLORREF> transparent) {
    const int w = to.right - to.left, h = to.bottom - to.top;
    if (transparent)
        TransparentBlt(dest, to.left, to.top, w, h, source, 0, 0, sourceWidth, sourceHeight, *transparent);
    else if (w == sourceWidth && h == sourceHeight)
        BitBlt(dest, to.left, to.top, w, h, source, 0, 0, SRCCOPY);
    else
        StretchBlt(dest, to.left, to.top, w, h, source, 0, 0, sourceWidth, sourceHeight, SRCCOPY);
}

void DrawPicture(HDC dest, const RECT& to, const BmpPicture& picture, bool transparent) {
    if (!picture.bitmap) return;
    const UniqueDc memory(CreateCompatibleDC(dest));
    if (!memory) return;
    const ScopedSelectObject select(memory.get(), picture.bitmap.get());
    if (picture.alpha) {
        AlphaBlend(dest, to.left, to.top, to.right - to.left, to.bottom - to.top, memory.get(), 0, 0, picture.width,
                   picture.height, BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
        return;
    }
    CopyPicture(dest, to, memory.get(), picture.width, picture.height,
                transparent ? std::optional<COLORREF>(picture.bottomLeft) : std::nullopt);
}

}  // namespace senvola
