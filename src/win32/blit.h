// Copying pictures between DCs: the one place where a picture's transparent colour is left out
// (TransparentBlt), for the replay's stones and for the pictures of the option pages alike.
#pragma once

#include <windows.h>

#include <optional>

#include "win32/bmp_win32.h"

namespace senvola {

// Copies all of `source` (a DC holding a picture of sourceWidth x sourceHeight) into `to` on
// `dest`, stretched to it in the destination's stretch mode. With a transparent colour, the
// picture's pixels of that colour leave the destination as it was.
void CopyPicture(HDC dest, const RECT& to, HDC source, int sourceWidth, int sourceHeight,
                 std::optional<COLORREF> transparent);

// The same for a loaded picture, through a memory DC of its own; transparent pictures leave out
// their bottom-left colour, pictures with alpha are blended by it.
void DrawPicture(HDC dest, const RECT& to, const BmpPicture& picture, bool transparent);

}  // namespace senvola
