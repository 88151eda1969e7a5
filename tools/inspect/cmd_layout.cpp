// layout W H N [--board-only]: the board geometry the replay computes for a window and a board.
#include <charconv>
#include <cstdio>
#include <string>

#include "commands.h"
#include "draw/board_layout.h"

namespace senvola::inspect {

namespace {

bool ParseInt(const std::string& text, long long low, long long high, int& out) {
    long long v = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (text.empty() || r.ec != std::errc() || r.ptr != end || v < low || v > high) return false;
    out = static_cast<int>(v);
    return true;
}

constexpr long long kMaxWindow = 1000000;

}  // namespace

int CmdLayout(const Args& args) {
    bool boardOnly = false;
    Args numbers;
    for (const std::string& a : args) {
        if (a == "--board-only") {
            boardOnly = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return UsageError("layout: unknown option " + a);
        } else {
            numbers.push_back(a);
        }
    }
    if (numbers.size() != 3) return UsageError("layout: expected W H N");
    int w = 0, h = 0, n = 0;
    if (!ParseInt(numbers[0], 0, kMaxWindow, w) || !ParseInt(numbers[1], 0, kMaxWindow, h)) {
        return UsageError("layout: W and H must be whole numbers from 0 to " + std::to_string(kMaxWindow));
    }
    if (!ParseInt(numbers[2], 1, kMaxLayoutBoardSize, n)) {
        return UsageError("layout: N must be a whole number from 1 to " + std::to_string(kMaxLayoutBoardSize));
    }

    BoardLayout l;
    l.ScreenWidth = w;
    l.ScreenHeight = h;
    ComputeBoardLayout(l, n, boardOnly);
    std::printf("{\"ScreenWidth\": %d, \"ScreenHeight\": %d, \"BoardAreaHeight\": %d, \"BoardAreaWidth\": %d, "
                "\"CellWidth\": %d, \"CellHeight\": %d, \"BoardLeft\": %d, \"BoardTop\": %d, \"BoardCentreX\": %d",
                l.ScreenWidth, l.ScreenHeight, l.BoardAreaHeight, l.BoardAreaWidth, l.CellWidth, l.CellHeight,
                l.BoardLeft, l.BoardTop, l.BoardCentreX);
    // A preview-sized window shows the board alone even when the panel was asked for.
    if (!l.BoardOnly) {
        ComputePanelFrame(l);
        std::printf(", \"PanelLeft\": %d, \"PanelRight\": %d, \"PanelBottom\": %d, \"CommentLeft\": %d, "
                    "\"CommentRight\": %d, \"CommentBottom\": %d",
                    l.PanelLeft, l.PanelRight, l.PanelBottom, l.CommentLeft, l.CommentRight, l.CommentBottom);
    }
    std::printf("}\n");
    return 0;
}

}  // namespace senvola::inspect
