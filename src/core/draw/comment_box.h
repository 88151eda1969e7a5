// The framed box beside the board that shows the comment of the current move, word-wrapped; one
// longer than the box ends with an ellipsis on its last line.
#pragma once

#include <string>
#include <string_view>

#include "draw/board_layout.h"
#include "draw/canvas.h"

namespace senvola {

class CommentBox {
public:
    // The panel frame and the comment area below the information lines: sets the frame fields
    // and CommentTop of `layout`. After DrawInfoPanel.
    void DrawFrame(Canvas& canvas, BoardLayout& layout);

    // Clears the box and shows `comment` (UTF-8). One that starts like `introduction` (its first
    // ten characters) is titled by its own first line, any other by "Comment:". Only what can show
    // on the screen is read and measured: the work and the memory are bounded by the screen,
    // whatever the comment's length.
    void Draw(Canvas& canvas, const BoardLayout& layout, std::string_view comment, std::string_view introduction);

private:
    class TextSource;
    void DrawBody(Canvas& canvas, const BoardLayout& layout, TextSource rest, int lineHeight);
    void DrawLastLine(Canvas& canvas, const BoardLayout& layout, int y, long long lineWidth);

    // Working strings of the word wrap, kept between comments so that a move's comment allocates
    // only when it is longer than every comment before it. The wrap bounds them by the screen.
    std::string line_;
    std::string word_;
    std::string above_;  // the line drawn last, which may yet take the ellipsis
};

}  // namespace senvola
