// Shared pieces of the drawing tests: a scene with a laid-out board, a language file that holds
// nothing, and queries over recorded canvas calls.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "draw/board_layout.h"
#include "draw/board_look.h"
#include "platform/ini_file.h"
#include "portable/recording_canvas.h"
#include "records/game_record.h"
#include "settings/language_table.h"
#include "settings/replay_settings.h"

namespace senvola::draw_test {

class EmptyIni final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

// What the painters are handed: options and pictures, the layout, the game and its move.
struct Scene {
    ReplaySettings Settings;
    BoardPictures Pictures;
    BoardLayout Layout;
    GameRecord Game;
    LanguageTable Language;
    int MoveNumber = 1;
    std::string FileName;

    mutable BoardSprites Sprites;

    BoardLook Look() const { return {Settings, Pictures, Sprites}; }
    int Lines() const { return DrawnBoardSize(Game.BoardSize); }
};

// A new empty game of `size` lines at move 1 on a w x h window, with the board's layout computed.
inline void LayOut(Scene& s, int w, int h, int size, bool boardOnly = false) {
    ClearGame(s.Game);
    s.Game.BoardSize = size;
    s.MoveNumber = 1;
    s.Settings.ShowBoardOnly = boardOnly;
    s.Layout.ScreenWidth = w;
    s.Layout.ScreenHeight = h;
    ComputeBoardLayout(s.Layout, size, boardOnly);
}

// The board fields of the layout of a w x h window for a board of n lines.
inline BoardLayout Layout(int w, int h, int n, bool boardOnly) {
    BoardLayout l;
    l.ScreenWidth = w;
    l.ScreenHeight = h;
    ComputeBoardLayout(l, n, boardOnly);
    return l;
}

inline std::vector<CanvasOp> OpsOf(const RecordingCanvas& c, CanvasOpKind kind) {
    std::vector<CanvasOp> out;
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind == kind) out.push_back(op);
    }
    return out;
}

inline std::vector<std::string> TextsOf(const RecordingCanvas& c) {
    std::vector<std::string> out;
    for (const CanvasOp& op : c.Ops()) {
        if (op.kind == CanvasOpKind::DrawString) out.push_back(op.text);
    }
    return out;
}

inline bool Inside(const Rect& inner, const Rect& outer) {
    if (inner.x1 == inner.x2 || inner.y1 == inner.y2) return true;  // paints nothing
    return inner.x1 >= outer.x1 && inner.y1 >= outer.y1 && inner.x2 <= outer.x2 && inner.y2 <= outer.y2;
}

inline bool SameRect(const Rect& a, const Rect& b) {
    return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
}

}  // namespace senvola::draw_test
