// What playing a move draws. The move procedure calls it in a fixed order; the replay draws on a
// Canvas, tests record the calls.
#pragma once

namespace senvola {

class MoveDisplay {
public:
    virtual ~MoveDisplay() = default;
    // A stone at (x, y); with marker it carries the red last-move marker.
    virtual void DrawStone(int x, int y, bool black, bool marker) = 0;
    // An empty point: board surface, grid pieces, star point.
    virtual void DrawEmptyPoint(int x, int y) = 0;
    // Rewrites the move-number line.
    virtual void DrawMoveCounter() = 0;
    // Clears the comment box and shows the comment of the current move.
    virtual void DrawComment() = 0;
};

// Draws nothing: for replaying without a screen.
class NullMoveDisplay final : public MoveDisplay {
public:
    void DrawStone(int, int, bool, bool) override {}
    void DrawEmptyPoint(int, int) override {}
    void DrawMoveCounter() override {}
    void DrawComment() override {}
};

}  // namespace senvola
