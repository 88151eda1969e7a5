// Shared pieces of the replay drawing tests: a state with a laid-out board, a language file
// that holds nothing, and queries over recorded canvas calls.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "app_state.h"
#include "recording_canvas.h"
#include "draw/board_painter.h"
#include "replay/move_replay.h"
#include "platform/ini_file.h"

namespace senvola::replay_test {

class EmptyIni final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

// A new empty game of `size` lines on a w x h window, with the layout computed.
inline void LayOut(AppState& s, int w, int h, int size, bool boardOnly = false) {
    ClearGame(s.CurrentGame);
    s.CurrentGame.BoardSize = size;
    ResetPosition(s);
    s.Settings.ShowBoardOnly = boardOnly;
    s.Layout.ScreenWidth = w;
    s.Layout.ScreenHeight = h;
    ComputeBoardLayout(s.Layout, size, boardOnly);
}

// The position of a fresh board at move n (n passes less one): what the panel reads.
inline void AtMove(AppState& s, int n) {
    s.Board = go::Board(s.Board.Size());
    while (s.Board.MoveNumber() < n) s.Board.Pass();
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

}  // namespace senvola::replay_test
