#include "replay/screen_display.h"

#include "draw/info_panel.h"
#include "draw/stone_drawing.h"

namespace senvola {

void ScreenDisplay::DrawStone(int x, int y, bool black, bool marker) {
    senvola::DrawStone(s_, canvas_, x, y, black, marker);
}

void ScreenDisplay::DrawEmptyPoint(int x, int y) { senvola::DrawEmptyPoint(s_, canvas_, x, y); }

void ScreenDisplay::DrawMoveCounter() { senvola::DrawMoveCounter(s_, canvas_); }

void ScreenDisplay::DrawComment() { senvola::DrawComment(s_, canvas_, languageFile_); }

}  // namespace senvola
