// What playing a move draws, drawn on a Canvas from the program's state.
#pragma once

#include "app_state.h"
#include "draw/canvas.h"
#include "replay/move_display.h"
#include "platform/ini_file.h"

namespace senvola {

class ScreenDisplay final : public MoveDisplay {
public:
    // The language file is read only if a comment is shown before the introduction is built.
    ScreenDisplay(AppState& s, Canvas& canvas, const IniFile& languageFile)
        : s_(s), canvas_(canvas), languageFile_(languageFile) {}
    void DrawStone(int x, int y, bool black, bool marker) override;
    void DrawEmptyPoint(int x, int y) override;
    void DrawMoveCounter() override;
    void DrawComment() override;

private:
    AppState& s_;
    Canvas& canvas_;
    const IniFile& languageFile_;
};

}  // namespace senvola
