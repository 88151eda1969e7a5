// The replay drawn by real GDI, read back pixel by pixel and compared with the geometry of the
// layout and with the position the rules produce. The rules' position comes from a second,
// independent replay of the same game on a canvas that draws nothing.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw/board_look.h"
#include "draw/board_painter.h"
#include "draw/stone_drawing.h"
#include "replay/replay.h"
#include "win32/bmp_win32.h"
#include "win32/canvas_gdi.h"
#include "win32/file_system_win32.h"
#include "win32/render_win32.h"
#include "win32/text_decoder_win32.h"
#include "settings/settings_store.h"

namespace senvola {
namespace {

constexpr COLORREF kBoardWood = RGB(0xDC, 0xB3, 0x5C);  // 0x5CB3DC
constexpr COLORREF kBlackPx = RGB(0, 0, 0);
constexpr COLORREF kWhitePx = RGB(255, 255, 255);
constexpr COLORREF kRedPx = RGB(0xDC, 0x2E, 0x2E);  // the marker, where it covers a pixel whole

class EnglishOnly final : public IniFile {
public:
    std::string ReadString(std::string_view, std::string_view, std::string_view def) const override {
        return std::string(def);
    }
};

// Draws nothing; text has a fixed size. For replaying the rules alone.
class NullCanvas final : public Canvas {
public:
    void SetPen(Colour, bool) override {}
    void SetBrush(Colour, bool) override {}
    void SetFont(std::string_view, int, Colour, bool) override {}
    void Rectangle(int, int, int, int) override {}
    void FillRect(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void Line(int, int, int, int) override {}
    void DrawString(int, int, std::string_view) override {}
    Size TextExtent(std::string_view t) override { return {static_cast<int>(t.size()) * 6, 12}; }
    void DrawBitmap(const Bitmap&, int, int) override {}
    void StretchBitmap(const Bitmap&, const Rect&) override {}
    void CopySelf(const Rect&, const Rect&) override {}
    std::unique_ptr<Bitmap> MakeAlphaBitmap(const uint32_t*, int, int) override { return nullptr; }
    void BlendBitmap(const Bitmap&, int, int) override {}
    void TileBitmap(const Bitmap&, int, int, const Rect&) override {}
};

std::string Shared(const std::string& rel) { return std::string(SENVOLA_SHARED_DIR) + "/" + rel; }

bool Exists(const std::string& path) {
    std::ifstream f(path);
    return static_cast<bool>(f);
}

// What the render command builds for a game: options, pictures and texts, and the replay over
// them, with the replay's running game under the names the checks below read.
struct RenderState {
    ReplaySettings Settings;
    BoardPictures Pictures;
    LanguageTable Language;
    EnglishOnly Ini;
    Win32FileSystem Files;
    Win32TextDecoder Decoder;
    Replay Run{ReplaySources{Settings, Pictures, Language, Ini, Files, Decoder}};
    const BoardLayout& Layout = Run.Layout();
    const GameRecord& CurrentGame = Run.Game();
    const go::Board& Board = Run.Board();
    const std::string& CurrentFileName = Run.GameFileName();
    go::Point LastMove() const { return Run.LastMove(); }
};

// The state the render command builds, for `source`, with `configure` applied to the settings
// and the pictures they name loaded.
std::unique_ptr<RenderState> NewState(const std::string& source, bool boardOnly,
                                   const std::function<void(ReplaySettings&)>& configure = {}) {
    auto s = std::make_unique<RenderState>();
    ApplyDefaults(s->Settings);
    s->Settings.ShowBoardOnly = boardOnly;
    if (configure) configure(s->Settings);
    Win32BitmapLoader loader;
    LoadGraphicsBitmaps(s->Settings, s->Pictures, loader);
    std::string error;
    EXPECT_TRUE(SelectRenderSource(s->Settings, s->Run.Library(), source, s->Files, error)) << error;
    return s;
}

// The rules' own replay: the new-game tick and `ticks` more, drawing nothing.
std::unique_ptr<RenderState> Reference(const std::string& source, int ticks) {
    auto s = NewState(source, false);
    NullCanvas none;
    s->Run.RequestNewGame();
    for (int t = 0; t <= ticks; ++t) s->Run.Tick(none, 1024, 768);
    return s;
}

struct Render {
    std::unique_ptr<RenderState> s;
    std::unique_ptr<DibSurface> surface;

    // One more tick on the same surface, as the saver window's next timer tick.
    void Tick() {
        GdiCanvas canvas(surface->Dc());
        s->Run.Tick(canvas, surface->Width(), surface->Height());
    }
    COLORREF At(int x, int y) const { return surface->Pixel(x, y); }
};

std::unique_ptr<Render> RenderGame(const std::string& source, int w, int h, int ticks, bool boardOnly,
                                   const std::function<void(ReplaySettings&)>& configure = {}) {
    auto r = std::make_unique<Render>();
    r->s = NewState(source, boardOnly, configure);
    r->surface = std::make_unique<DibSurface>(w, h);
    EXPECT_TRUE(r->surface->Valid());
    RenderReplay(r->s->Run, *r->surface, ticks);
    return r;
}

bool IsBright(COLORREF c) { return GetRValue(c) >= 192 && GetGValue(c) >= 192 && GetBValue(c) >= 192; }

int CountIf(const Render& r, int x1, int y1, int x2, int y2, const std::function<bool(COLORREF)>& pred) {
    int n = 0;
    for (int y = std::max(0, y1); y < std::min(y2, r.surface->Height()); ++y)
        for (int x = std::max(0, x1); x < std::min(x2, r.surface->Width()); ++x) n += pred(r.At(x, y));
    return n;
}

using BoardPixel = std::function<bool(COLORREF)>;

// Shaded stones vary across their face: black ones stay dark, white ones light.
bool IsBlackStone(COLORREF c) { return GetRValue(c) < 0x70 && GetGValue(c) < 0x70 && GetBValue(c) < 0x70; }
bool IsWhiteStone(COLORREF c) { return GetRValue(c) > 0xB0 && GetGValue(c) > 0xB0 && GetBValue(c) > 0xB0; }
BoardPixel Exactly(COLORREF colour) {
    return [colour](COLORREF c) { return c == colour; };
}

// Whether two replays left the same stones on every point.
bool SameStones(const go::Board& a, const go::Board& b) {
    for (int x = 1; x <= go::Board::kMaxSize; ++x)
        for (int y = 1; y <= go::Board::kMaxSize; ++y)
            if (a.At({x, y}) != b.At({x, y})) return false;
    return a.Size() == b.Size();
}

// The record marks (x, y) at the move on the screen, and the panel is shown, so the mark is.
bool MarkedNow(const RenderState& s, int x, int y) {
    if (s.Settings.ShowBoardOnly || !s.Settings.ShowComments) return false;
    const int shown = s.Board.MoveNumber() - 1;
    return std::any_of(s.CurrentGame.Marks.begin(), s.CurrentGame.Marks.end(), [&](const BoardMark& m) {
        return m.Move == shown && m.x == x && m.y == y;
    });
}

// Every point of the board as the replay `expected` left it, with the geometry of the layout:
// stone discs in their colours, empty points showing board and grid, star points, the marker.
void CheckBoard(const Render& r, const RenderState& expected, const BoardPixel& isBoard,
                const BoardPixel& blackStone = IsBlackStone, const BoardPixel& whiteStone = IsWhiteStone) {
    const RenderState& s = *r.s;
    const BoardLayout& l = s.Layout;
    const int n = s.CurrentGame.BoardSize;
    const int cw = l.CellWidth, ch = l.CellHeight;
    const int rx = StoneRadius(cw), ry = StoneRadius(ch);
    const int qx = rx / 2, qy = ry / 2;
    ASSERT_GE(qx, 1);
    ASSERT_GE(qy, 1);
    for (int x = 1; x <= n; ++x) {
        for (int y = 1; y <= n; ++y) {
            SCOPED_TRACE("point " + std::to_string(x) + "," + std::to_string(y));
            const int px = l.BoardLeft + (x - 1) * cw, py = l.BoardTop + (y - 1) * ch;
            // A board wider or taller than the window is cut at its edges; its points there
            // cannot be seen.
            if (px - cw < 0 || py - ch < 0 || px + cw >= l.ScreenWidth || py + ch >= l.ScreenHeight) continue;
            // A mark of the record over the point changes its pixels; the marks have checks of
            // their own.
            if (MarkedNow(s, x, y)) continue;
            const go::Stone v = expected.Board.At({x, y});
            const int quad[4][2] = {{px - qx, py - qy}, {px + qx, py - qy}, {px - qx, py + qy}, {px + qx, py + qy}};
            for (auto& q : quad) {
                const COLORREF c = r.At(q[0], q[1]);
                if (v == go::Stone::Black) {
                    EXPECT_TRUE(blackStone(c)) << "black stone pixel at " << q[0] << "," << q[1] << " is " << std::hex << c;
                } else if (v == go::Stone::White) {
                    EXPECT_TRUE(whiteStone(c)) << "white stone pixel at " << q[0] << "," << q[1] << " is " << std::hex << c;
                } else {
                    EXPECT_TRUE(isBoard(c)) << "board pixel at " << q[0] << "," << q[1] << " is " << std::hex << c;
                }
            }
            // Grid lines half-way to the next point are never covered by a stone.
            if (x < n) {
                EXPECT_EQ(r.At(px + cw / 2, py), kBlackPx) << "horizontal grid line";
            }
            if (y < n) {
                EXPECT_EQ(r.At(px, py + ch / 2), kBlackPx) << "vertical grid line";
            }
            const bool marked = expected.LastMove() == go::Point{x, y};
            if (marked) {
                EXPECT_EQ(r.At(px, py), kRedPx) << "marker";
            } else if (v == go::Stone::White) {
                EXPECT_TRUE(whiteStone(r.At(px, py)));
            } else if (v == go::Stone::Empty) {
                // The intersection itself, corners included: the outer square is closed.
                EXPECT_EQ(r.At(px, py), kBlackPx) << "intersection";
            }
            if (v == go::Stone::Empty && IsStarPoint(n, x, y)) {
                // A disc about a sixth of the cell: black across its middle, board just beyond.
                const int rs = static_cast<int>(StarPointRadius(cw));
                for (int d = -rs + 2; d < rs - 1; ++d) EXPECT_TRUE(IsBlackStone(r.At(px + d, py + 1))) << "star point, d " << d;
                EXPECT_TRUE(isBoard(r.At(px + rs + 2, py + rs + 2))) << "beside the star point";
                EXPECT_TRUE(isBoard(r.At(px - rs - 2, py - rs - 2))) << "beside the star point";
            }
        }
    }
    // Red appears only in the marker's box around the last move.
    const int totalRed = CountIf(r, 0, 0, l.ScreenWidth, l.ScreenHeight, [](COLORREF c) { return c == kRedPx; });
    if (expected.LastMove() != go::kNoPoint) {
        const int mr = static_cast<int>(MarkerRadiusFor(cw)) + 2;
        const int px = l.BoardLeft + (expected.LastMove().x - 1) * cw, py = l.BoardTop + (expected.LastMove().y - 1) * ch;
        const int boxRed = CountIf(r, px - mr, py - mr, px + mr, py + mr, [](COLORREF c) { return c == kRedPx; });
        EXPECT_GT(boxRed, 0);
        EXPECT_EQ(totalRed, boxRed) << "red outside the marker";
    } else {
        EXPECT_EQ(totalRed, 0);
    }
    // Nothing of the board beyond its surface: the surface's outer rows and columns are board,
    // the pixels just outside them black.
    const int mx = BoardMarginX(l), my = BoardMarginY(l);
    const int sx1 = l.BoardLeft - mx, sy1 = l.BoardTop - my;
    const int sx2 = l.BoardLeft + (n - 1) * cw + mx, sy2 = l.BoardTop + (n - 1) * ch + my;
    const int midY = l.BoardTop + ch / 2 + 1, midX = l.BoardLeft + cw / 2 + 1;
    // Only a board whose margins lie wholly in the window has edges to look at.
    if (l.BoardLeft < cw || l.BoardTop < ch || sx2 > l.ScreenWidth || sy2 > l.ScreenHeight) return;
    EXPECT_TRUE(isBoard(r.At(sx1, midY)));
    EXPECT_TRUE(isBoard(r.At(midX, sy1)));
    EXPECT_TRUE(isBoard(r.At(sx2 - 1, midY)));
    EXPECT_TRUE(isBoard(r.At(midX, sy2 - 1)));
    if (sx1 > 0) {
        EXPECT_EQ(r.At(sx1 - 1, midY), kBlackPx);
    }
    if (sy1 > 0) {
        EXPECT_EQ(r.At(midX, sy1 - 1), kBlackPx);
    }
    if (sx2 < l.ScreenWidth) {
        EXPECT_EQ(r.At(sx2, midY), kBlackPx);
    }
    if (sy2 < l.ScreenHeight) {
        EXPECT_EQ(r.At(midX, sy2), kBlackPx);
    }
}

// Everything the panel draws: the white frame, white text in the information lines, in the
// comment box and under the board.
void CheckPanel(const Render& r) {
    const BoardLayout& l = r.s->Layout;
    ASSERT_GT(l.PanelTop, 0);
    ASSERT_LT(l.PanelTop, l.PanelBottom);
    for (int y = l.PanelTop; y < l.PanelBottom; ++y) {
        ASSERT_EQ(r.At(l.PanelLeft, y), kWhitePx) << "left frame at y " << y;
        ASSERT_EQ(r.At(l.PanelRight - 1, y), kWhitePx) << "right frame at y " << y;
    }
    for (int x = l.PanelLeft; x < l.PanelRight; ++x) {
        ASSERT_EQ(r.At(x, l.PanelTop), kWhitePx) << "top frame at x " << x;
        ASSERT_EQ(r.At(x, l.PanelBottom - 1), kWhitePx) << "bottom frame at x " << x;
    }
    EXPECT_EQ(r.At(l.PanelRight, (l.PanelTop + l.PanelBottom) / 2), kBlackPx);
    EXPECT_EQ(r.At(l.PanelLeft - 1, (l.PanelTop + l.PanelBottom) / 2), kBlackPx);
    // Text: the information lines above the frame, the introduction or comment inside it, the
    // four fixed lines under the board.
    EXPECT_GT(CountIf(r, l.PanelLeft, 0, l.ScreenWidth, l.PanelTop, IsBright), 100);
    // The introduction stays in the box unless the game's own comments are shown, which leave
    // it empty at a move without one.
    if (!(r.s->CurrentGame.HasComments && r.s->Settings.ShowComments)) {
        EXPECT_GT(CountIf(r, l.CommentLeft, l.CommentTop, l.CommentRight, l.CommentBottom, IsBright), 100);
    }
    const int boardBottom = l.BoardTop + (r.s->CurrentGame.BoardSize - 1) * l.CellHeight + BoardMarginY(l);
    EXPECT_GT(CountIf(r, 0, boardBottom, l.PanelLeft, l.ScreenHeight, IsBright), 100);
    // The move counter's value area holds white text too.
    EXPECT_GT(CountIf(r, l.MoveBoxLeft, l.MoveBoxTop, l.MoveBoxRight, l.MoveBoxBottom, IsBright), 5);
}

bool IsWood(COLORREF c) { return c == kBoardWood; }

TEST(Render, ColourBoardAt1024x768MatchesTheLayoutAndTheRules) {
    auto r = RenderGame("builtin:1", 1024, 768, 60, false);
    const BoardLayout& l = r->s->Layout;
    ASSERT_EQ(r->s->CurrentGame.BoardSize, 19);
    EXPECT_EQ(l.CellWidth, 31);
    EXPECT_EQ(l.CellHeight, 31);
    EXPECT_EQ(l.BoardLeft, 57);
    EXPECT_EQ(l.BoardTop, 74);
    EXPECT_EQ(l.PanelLeft, 684);
    EXPECT_EQ(l.PanelRight, 1004);
    EXPECT_EQ(l.PanelBottom, 748);
    auto ref = Reference("builtin:1", 60);
    CheckBoard(*r, *ref, IsWood);
    CheckPanel(*r);
    // The rules' replay and the drawn one agree on the whole position.
    EXPECT_TRUE(SameStones(ref->Board, r->s->Board));
    EXPECT_EQ(r->s->Board.MoveNumber(), 61);
}

TEST(Render, EveryBuiltInGameAtSeveralSizesInBothModes) {
    const int sizes[][2] = {{640, 480}, {800, 600}, {1280, 1024}, {1920, 1080}, {1366, 768}};
    int run = 0;
    for (int g = 1; g <= 6; ++g) {
        const std::string source = "builtin:" + std::to_string(g);
        const int ticks = 25 + 17 * g;
        auto ref = Reference(source, ticks);
        for (const auto& wh : sizes) {
            for (bool boardOnly : {false, true}) {
                if (++run % 3 != g % 3) continue;  // a spread of combinations keeps this quick
                SCOPED_TRACE(source + " at " + std::to_string(wh[0]) + "x" + std::to_string(wh[1]) +
                             (boardOnly ? " board only" : " with panel"));
                auto r = RenderGame(source, wh[0], wh[1], ticks, boardOnly);
                CheckBoard(*r, *ref, IsWood);
                if (!boardOnly) CheckPanel(*r);
            }
        }
    }
}

TEST(Render, BoardOnlyDrawsNothingOutsideTheBoardSurface) {
    for (auto wh : {std::pair{1024, 768}, std::pair{800, 600}, std::pair{1920, 1080}, std::pair{500, 700}}) {
        SCOPED_TRACE(std::to_string(wh.first) + "x" + std::to_string(wh.second));
        auto r = RenderGame("builtin:2", wh.first, wh.second, 80, true);
        const BoardLayout& l = r->s->Layout;
        const int n = r->s->CurrentGame.BoardSize;
        const int sx1 = l.BoardLeft - BoardMarginX(l), sy1 = l.BoardTop - BoardMarginY(l);
        const int sx2 = l.BoardLeft + (n - 1) * l.CellWidth + BoardMarginX(l);
        const int sy2 = l.BoardTop + (n - 1) * l.CellHeight + BoardMarginY(l);
        auto notBlack = [](COLORREF c) { return c != 0; };
        const int all = CountIf(*r, 0, 0, wh.first, wh.second, notBlack);
        const int inside = CountIf(*r, sx1, sy1, sx2, sy2, notBlack);
        EXPECT_GT(inside, 0);
        EXPECT_EQ(all, inside) << "pixels drawn outside the board surface";
        // The surface itself is fully painted: board colour at its four corners.
        EXPECT_EQ(r->At(sx1, sy1), kBoardWood);
        EXPECT_EQ(r->At(sx2 - 1, sy2 - 1), kBoardWood);
        auto ref = Reference("builtin:2", 80);
        CheckBoard(*r, *ref, IsWood);
    }
}

TEST(Render, PreviewAndTinyWindowsAreDrawnWithoutFault) {
    // The host's preview is about 152 x 112; smaller windows give cells of a few pixels or none.
    for (auto wh : {std::pair{152, 112}, std::pair{64, 48}, std::pair{20, 15}, std::pair{1, 1}}) {
        for (bool boardOnly : {false, true}) {
            SCOPED_TRACE(std::to_string(wh.first) + "x" + std::to_string(wh.second) + (boardOnly ? " board only" : ""));
            auto r = RenderGame("builtin:1", wh.first, wh.second, 120, boardOnly);
            const BoardLayout& l = r->s->Layout;
            EXPECT_EQ(l.ScreenWidth, wh.first);
            const int n = r->s->CurrentGame.BoardSize;
            const int sx1 = l.BoardLeft - BoardMarginX(l), sy1 = l.BoardTop - BoardMarginY(l);
            const int sx2 = l.BoardLeft + (n - 1) * l.CellWidth + BoardMarginX(l);
            const int sy2 = l.BoardTop + (n - 1) * l.CellHeight + BoardMarginY(l);
            // With cells under two pixels the stones (radius at least 2) reach past the margin.
            if (boardOnly && l.CellWidth >= 2 && l.CellHeight >= 2) {
                auto notBlack = [](COLORREF c) { return c != 0; };
                EXPECT_EQ(CountIf(*r, 0, 0, wh.first, wh.second, notBlack), CountIf(*r, sx1, sy1, sx2, sy2, notBlack));
            }
            if (l.CellWidth >= 4) {
                // Stones are still told apart: the last move's marker is there.
                const int px = l.BoardLeft + (r->s->LastMove().x - 1) * l.CellWidth;
                const int py = l.BoardTop + (r->s->LastMove().y - 1) * l.CellHeight;
                EXPECT_EQ(r->At(px, py), kRedPx);
            }
        }
    }
}

// The first move of a built-in game that captures: the tick and a point it empties.
struct Capture {
    std::string source;
    int tick = 0;
    int x = 0, y = 0;
};

Capture FindCapture() {
    for (int g = 1; g <= 6; ++g) {
        const std::string source = "builtin:" + std::to_string(g);
        auto s = NewState(source, false);
        NullCanvas none;
        s->Run.RequestNewGame();
        s->Run.Tick(none, 1024, 768);
        for (int t = 1; t < 400 && !s->Run.NewGameDue(); ++t) {
            const go::Board before = s->Board;
            s->Run.Tick(none, 1024, 768);
            for (int x = 1; x <= s->CurrentGame.BoardSize; ++x)
                for (int y = 1; y <= s->CurrentGame.BoardSize; ++y)
                    if (before.At({x, y}) != go::Stone::Empty && s->Board.At({x, y}) == go::Stone::Empty)
                        return {source, t, x, y};
        }
    }
    return {};
}

TEST(Render, MarkerMovesFromStoneToStoneAndACaptureIsErasedToBoardAndGrid) {
    const Capture cap = FindCapture();
    ASSERT_GT(cap.tick, 2) << "no built-in game captures";
    auto r = RenderGame(cap.source, 1024, 768, cap.tick - 2, false);
    const BoardLayout& l = r->s->Layout;
    auto expectedAt = [&](int t) { return Reference(cap.source, t); };

    // Two ticks before the capture, then one before it, then the capture itself.
    for (int t = cap.tick - 2; t <= cap.tick; ++t) {
        SCOPED_TRACE("tick " + std::to_string(t));
        if (t > cap.tick - 2) {
            const int oldX = r->s->LastMove().x, oldY = r->s->LastMove().y;
            r->Tick();
            const int newX = r->s->LastMove().x, newY = r->s->LastMove().y;
            if (oldX != 0 && (oldX != newX || oldY != newY)) {
                // The marker left its old stone: that stone shows its own colour at its centre.
                const int px = l.BoardLeft + (oldX - 1) * l.CellWidth, py = l.BoardTop + (oldY - 1) * l.CellHeight;
                EXPECT_NE(r->At(px, py), kRedPx) << "old marker still shown";
            }
        }
        auto ref = expectedAt(t);
        CheckBoard(*r, *ref, IsWood);
    }
    // The captured point in detail: board colour around, both grid lines through it.
    const int px = l.BoardLeft + (cap.x - 1) * l.CellWidth, py = l.BoardTop + (cap.y - 1) * l.CellHeight;
    const int n = r->s->CurrentGame.BoardSize;
    EXPECT_EQ(r->At(px + 3, py + 4), kBoardWood);
    EXPECT_EQ(r->At(px - 4, py - 3), kBoardWood);
    const int e = cap.x == 1 || cap.x == n ? l.EdgeWidth : l.LineWidth;
    for (int d = -l.CellWidth / 2 + 1; d < l.CellWidth / 2; ++d) {
        const bool beyond = (cap.x == 1 && px + d < LineStart(px, e)) || (cap.x == n && px + d >= LineStart(px, e) + e);
        if (beyond) {
            EXPECT_EQ(r->At(px + d, py), kBoardWood) << "no grid beyond the edge, d " << d;
        } else {
            EXPECT_EQ(r->At(px + d, py), kBlackPx) << "horizontal line restored, d " << d;
        }
    }
}

// A board texture with colours no stone or line uses.
COLORREF TilePixel(int x, int y) { return RGB(180 + x, 120 + y, 40); }
bool IsTile(COLORREF c) {
    return GetRValue(c) >= 180 && GetRValue(c) < 200 && GetGValue(c) >= 120 && GetGValue(c) < 134 && GetBValue(c) == 40;
}
constexpr COLORREF kStoneBlue = RGB(20, 20, 90);

std::vector<unsigned char> Bmp24(int w, int h, COLORREF (*pixel)(int, int)) {
    const int stride = (w * 3 + 3) & ~3;
    std::vector<unsigned char> f(54 + stride * h, 0);
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i) f[at + i] = (v >> (8 * i)) & 0xFF;
    };
    f[0] = 'B', f[1] = 'M';
    put32(2, static_cast<uint32_t>(f.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    f[26] = 1;
    f[28] = 24;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &f[54 + (h - 1 - y) * stride + 3 * x];
            const COLORREF c = pixel(x, y);
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    return f;
}

COLORREF StonePicture(int x, int y) {
    const int dx = 2 * x - 15, dy = 2 * y - 15;  // centre of a 16 x 16 picture
    return dx * dx + dy * dy <= 14 * 14 ? kStoneBlue : RGB(255, 0, 255);
}

class BitmapBoardRender : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        const std::string stem = std::string(dir) + "senvola_render_" + std::to_string(GetCurrentProcessId());
        tile = stem + "_board.bmp";
        stone = stem + "_stone.bmp";
        auto write = [](const std::string& p, const std::vector<unsigned char>& b) {
            std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), b.size());
        };
        write(tile, Bmp24(20, 14, TilePixel));
        write(stone, Bmp24(16, 16, StonePicture));
    }
    void TearDown() override {
        DeleteFileA(tile.c_str());
        DeleteFileA(stone.c_str());
    }
    std::function<void(ReplaySettings&)> Pictures(bool blackStones) {
        return [this, blackStones](ReplaySettings& st) {
            st.UseBitmap[geBoard] = true;
            st.BitmapName[geBoard] = tile;
            st.UseBitmap[geBlackStones] = blackStones;
            st.BitmapName[geBlackStones] = stone;
        };
    }
    std::string tile, stone;
};

TEST_F(BitmapBoardRender, TilesTheBoardAndRestoresCapturedPointsFromTheTexture) {
    const Capture cap = FindCapture();
    ASSERT_GT(cap.tick, 1);
    auto r = RenderGame(cap.source, 1024, 768, cap.tick - 1, false, Pictures(false));
    ASSERT_TRUE(r->s->Settings.UseBitmap[geBoard]) << "board picture did not load";
    const BoardLayout& l = r->s->Layout;
    const int mx = BoardMarginX(l), my = BoardMarginY(l);
    const int ox = l.BoardLeft - mx, oy = l.BoardTop - my;
    // The tiles lie unscaled from the surface's top-left corner.
    for (int b = 0; b < my - StoneRadius(l.CellHeight) - 1; ++b)
        for (int a = 0; a < mx - StoneRadius(l.CellWidth) - 1; ++a)
            ASSERT_EQ(r->At(ox + a, oy + b), TilePixel(a % 20, b % 14)) << a << "," << b;
    CheckBoard(*r, *Reference(cap.source, cap.tick - 1), IsTile);
    r->Tick();
    CheckBoard(*r, *Reference(cap.source, cap.tick), IsTile);
    // The captured point: texture around, grid through it.
    const int px = l.BoardLeft + (cap.x - 1) * l.CellWidth, py = l.BoardTop + (cap.y - 1) * l.CellHeight;
    EXPECT_EQ(CountIf(*r, px - 10, py - 10, px + 10, py + 10, [](COLORREF c) { return c == kWhitePx; }), 0);
    EXPECT_EQ(CountIf(*r, px + 1, py + 3, px + 12, py + 12, [](COLORREF c) { return !IsTile(c); }), 0);
    EXPECT_EQ(r->At(px, py), kBlackPx);
    // Every pixel of the captured point's cell off its grid lines is the texture tiled from the
    // surface's corner: no seam, no stretched patch.
    const Rect cell = PointCell(l, cap.x, cap.y);
    const int e = cap.x == 1 || cap.x == r->s->CurrentGame.BoardSize ? l.EdgeWidth : l.LineWidth;
    const int f = cap.y == 1 || cap.y == r->s->CurrentGame.BoardSize ? l.EdgeWidth : l.LineWidth;
    int compared = 0;
    for (int y = std::max(cell.y1, oy); y < cell.y2; ++y) {
        for (int x = std::max(cell.x1, ox); x < cell.x2; ++x) {
            if (x >= LineStart(px, e) && x < LineStart(px, e) + e) continue;
            if (y >= LineStart(py, f) && y < LineStart(py, f) + f) continue;
            ASSERT_EQ(r->At(x, y), TilePixel((x - ox) % 20, (y - oy) % 14)) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, l.CellWidth * l.CellWidth / 2);
    // Black beyond the board surface, the tiles cut off there.
    const int n = r->s->CurrentGame.BoardSize;
    EXPECT_EQ(r->At(ox + (n + 1) * l.CellWidth, l.BoardTop + 5), kBlackPx);
    EXPECT_EQ(r->At(l.BoardLeft + 5, oy + (n + 1) * l.CellHeight), kBlackPx);
}

TEST_F(BitmapBoardRender, StonePictureIsDrawnWithoutItsTransparentColour) {
    auto r = RenderGame("builtin:3", 1024, 768, 50, false, Pictures(true));
    ASSERT_TRUE(r->s->Settings.UseBitmap[geBlackStones]);
    CheckBoard(*r, *Reference("builtin:3", 50), IsTile, Exactly(kStoneBlue));
    EXPECT_EQ(CountIf(*r, 0, 0, 1024, 768, [](COLORREF c) { return c == RGB(255, 0, 255); }), 0);
    EXPECT_GT(CountIf(*r, 0, 0, 1024, 768, [](COLORREF c) { return c == kStoneBlue; }), 100);
}

// Where a black stone's face gives way to the board along one direction: the distance from the
// point's pixel to the first pixel at least half as light as the board.
int Reach(const Render& r, int px, int py, int dx, int dy, int limit) {
    const int board = GetGValue(kBoardWood);
    for (int k = 1; k < limit; ++k)
        if (GetGValue(r.At(px + k * dx, py + k * dy)) * 2 > board) return k;
    return limit;
}

// At 1920 x 1080 and 3840 x 2160: stones round (as wide as high, to a pixel), edges smooth
// (the rim holds colours between stone and board), the marker a third of the stone and lines
// and edge wider at 4K.
TEST(Render, StonesRoundAndSmoothMarkerAndLinesScaled) {
    int markerHd = 0;
    for (auto [w, h] : {std::pair{1920, 1080}, std::pair{3840, 2160}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        auto r = RenderGame("builtin:1", w, h, 40, false);
        auto ref = Reference("builtin:1", 40);
        const BoardLayout& l = r->s->Layout;
        const int c = l.CellWidth, n = r->s->CurrentGame.BoardSize;
        int checked = 0;
        for (int x = 2; x < n; ++x) {
            for (int y = 2; y < n; ++y) {
                // A black stone without the marker, its four neighbours empty.
                if (ref->Board.At({x, y}) != go::Stone::Black || ref->LastMove() == go::Point{x, y}) continue;
                bool alone = true;
                for (auto [a, b] : {std::pair{x - 1, y}, std::pair{x + 1, y}, std::pair{x, y - 1}, std::pair{x, y + 1}})
                    alone = alone && ref->Board.At({a, b}) == go::Stone::Empty;
                if (!alone) continue;
                const int px = l.BoardLeft + (x - 1) * c, py = l.BoardTop + (y - 1) * c;
                // Off the grid lines: one pixel beside the centre row and column.
                const int left = Reach(*r, px, py + 2, -1, 0, c), right = Reach(*r, px, py + 2, 1, 0, c);
                const int up = Reach(*r, px + 2, py, 0, -1, c), down = Reach(*r, px + 2, py, 0, 1, c);
                EXPECT_LE(std::abs((left + right) - (up + down)), 1) << "stone at " << x << "," << y;
                EXPECT_NEAR(left + right, 2 * StoneRadiusFor(c), 2.0);
                // Between the dark face and the board: anti-aliased, neither colour.
                int between = 0;
                for (int dy = 2; dy <= 6; ++dy) {
                    const int edge = Reach(*r, px, py + dy, -1, 0, c);
                    for (int k = edge - 2; k <= edge + 1; ++k) {
                        const int g = GetGValue(r->At(px - k, py + dy));
                        between += g > 0x08 && g < GetGValue(kBoardWood) - 0x04;
                    }
                }
                EXPECT_GE(between, 3) << "a stepped rim at " << x << "," << y;
                ++checked;
            }
        }
        EXPECT_GT(checked, 2);
        const int lastX = l.BoardLeft + (ref->LastMove().x - 1) * c, lastY = l.BoardTop + (ref->LastMove().y - 1) * c;
        const int red = CountIf(*r, lastX - c / 2, lastY - c / 2, lastX + c / 2, lastY + c / 2,
                                [](COLORREF p) { return p == kRedPx; });
        const double mr = MarkerRadiusFor(c);
        EXPECT_GT(red, 2.0 * mr * mr) << "the marker covers about pi r^2";
        EXPECT_LT(red, 3.5 * mr * mr);
        if (w == 1920) markerHd = red;
        if (w == 3840) {
            EXPECT_GT(red, 3 * markerHd) << "the marker grows with the stone";
        }
        // An inner line and the edge, measured across half-way between two empty points of a
        // column.
        auto widthAt = [&](int col) {
            for (int y = 1; y < n; ++y) {
                if (ref->Board.At({col, y}) != go::Stone::Empty || ref->Board.At({col, y + 1}) != go::Stone::Empty) continue;
                const int px = l.BoardLeft + (col - 1) * c, py = l.BoardTop + (y - 1) * c + c / 2;
                int dark = 0;
                for (int k = -6; k <= 6; ++k) dark += r->At(px + k, py) == kBlackPx;
                return dark;
            }
            return -1;
        };
        EXPECT_EQ(widthAt(10), l.LineWidth);
        EXPECT_EQ(widthAt(1), l.EdgeWidth);
        EXPECT_GT(l.EdgeWidth, l.LineWidth);
        if (w == 3840) {
            EXPECT_GE(l.LineWidth, 2);
        }
    }
}

// An upright screen: the whole board across the top, the panel's frame and text below it, the
// four fixed lines at the bottom, nothing off the screen.
TEST(Render, PortraitScreenPutsThePanelBelowTheBoard) {
    for (auto [w, h] : {std::pair{1080, 1920}, std::pair{600, 1000}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        auto r = RenderGame("builtin:2", w, h, 70, false);
        const BoardLayout& l = r->s->Layout;
        ASSERT_TRUE(l.Portrait);
        const int n = r->s->CurrentGame.BoardSize;
        const int boardBottom = l.BoardTop + n * l.CellWidth;
        EXPECT_GE(l.BoardLeft - l.CellWidth, 0);
        EXPECT_LE(l.BoardLeft + n * l.CellWidth, w);
        CheckBoard(*r, *Reference("builtin:2", 70), IsWood);
        // The frame of the comment box, below the board and inside the screen.
        ASSERT_GT(l.PanelTop, boardBottom);
        ASSERT_LE(l.PanelRight, w);
        for (int y = l.PanelTop; y < l.PanelBottom; y += 7) {
            ASSERT_EQ(r->At(l.PanelLeft, y), kWhitePx) << "left frame at y " << y;
            ASSERT_EQ(r->At(l.PanelRight - 1, y), kWhitePx) << "right frame at y " << y;
        }
        // The information lines between board and box, the fixed lines under the box.
        EXPECT_GT(CountIf(*r, 0, boardBottom, w, l.PanelTop, IsBright), 100);
        EXPECT_GT(CountIf(*r, 0, l.PanelBottom, w, h, IsBright), 100);
    }
}

// Entries of the move list up to its closing 0: the ticks that play the whole game.
int ListLength(const GameRecord& g) {
    int n = 0;
    while (n < kMaxMoves && g.MoveX[static_cast<std::size_t>(n) + 1] != 0) ++n;
    return n;
}

std::unique_ptr<RenderState> ReferenceFile(const std::string& path, int ticks) {
    auto ref = NewState(path, false);
    NullCanvas none;
    ref->Run.RequestNewGame();
    for (int t = 0; t <= ticks; ++t) ref->Run.Tick(none, 1024, 768);
    return ref;
}

TEST(Render, CorpusGamesOfEverySizeMidGameAndAtTheirEnd) {
    const char* files[] = {
        "sgf-corpus/gnugo/olympiad2006/9x9/gnu-crazy.sgf",       // 9 x 9
        "sgf-corpus/gnugo/mertin13x13/katsunari-gnugo2.W+4.sgf",  // 13 x 13
        "sgf-corpus/gnugo/9handicap.sgf",                         // nine handicap stones
        "sgf-corpus/gnugo/CrazyStone1.sgf",                       // 9 x 9 with passes
        "sgf-corpus/misc/hosai-goseigen-1943.sgf",                // a long commented game
    };
    const int sizes[][2] = {{1024, 768}, {800, 600}, {1920, 1080}, {1280, 720}};
    int drawn = 0, k = 0;
    for (const char* rel : files) {
        const std::string path = Shared(rel);
        if (!Exists(path)) continue;
        const int length = ListLength(ReferenceFile(path, 0)->CurrentGame);
        ASSERT_GT(length, 10) << rel;
        for (int ticks : {length / 3, length}) {
            const auto& wh = sizes[k % 4];
            const bool boardOnly = (k++ % 3) == 1;
            SCOPED_TRACE(std::string(rel) + " after " + std::to_string(ticks) + " ticks at " + std::to_string(wh[0]) +
                         "x" + std::to_string(wh[1]) + (boardOnly ? " board only" : " with panel"));
            auto r = RenderGame(path, wh[0], wh[1], ticks, boardOnly);
            ASSERT_FALSE(r->s->CurrentFileName.empty()) << "the file did not load";
            auto ref = ReferenceFile(path, ticks);
            EXPECT_TRUE(SameStones(ref->Board, r->s->Board));
            CheckBoard(*r, *ref, IsWood);
            if (!boardOnly) CheckPanel(*r);
            ++drawn;
        }
    }
    if (drawn == 0) GTEST_SKIP() << "the game corpus is not beside the source tree";
}

TEST(Render, CommentsReplaceTheIntroductionOnlyWhenShown) {
    const std::string path = Shared("sgf-corpus/misc/hosai-goseigen-1943.sgf");
    if (!Exists(path)) GTEST_SKIP() << "the game corpus is not beside the source tree";
    for (bool show : {true, false}) {
        SCOPED_TRACE(show ? "comments shown" : "comments off");
        auto r = RenderGame(path, 1024, 768, 0, false, [show](ReplaySettings& st) { st.ShowComments = show; });
        ASSERT_TRUE(r->s->CurrentGame.HasComments);
        const BoardLayout& l = r->s->Layout;
        auto box = [&] {
            std::vector<COLORREF> px;
            for (int y = l.PanelTop + 1; y < l.PanelBottom - 1; ++y)
                for (int x = l.PanelLeft + 1; x < l.PanelRight - 1; ++x) px.push_back(r->At(x, y));
            return px;
        };
        const std::vector<COLORREF> intro = box();
        EXPECT_GT(CountIf(*r, l.CommentLeft, l.CommentTop, l.CommentRight, l.CommentBottom, IsBright), 100);
        int changed = 0;
        for (int t = 0; t < 60; ++t) {
            r->Tick();
            changed += box() != intro;
        }
        if (show) {
            EXPECT_GT(changed, 0) << "no comment ever shown";
        } else {
            EXPECT_EQ(changed, 0) << "the introduction was replaced";
        }
        // The frame stays whole either way.
        CheckPanel(*r);
    }
}

TEST(Render, SurfaceIsWrittenAsA24BitBottomUpBmp) {
    auto r = RenderGame("builtin:4", 101, 77, 3, true);  // odd width: rows are padded
    char dir[MAX_PATH];
    GetTempPathA(MAX_PATH, dir);
    const std::string path = std::string(dir) + "senvola_render_out_" + std::to_string(GetCurrentProcessId()) + ".bmp";
    ASSERT_TRUE(WriteBmp24(*r->surface, path));
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    DeleteFileA(path.c_str());
    const int stride = (101 * 3 + 3) & ~3;
    ASSERT_EQ(b.size(), static_cast<std::size_t>(54 + stride * 77));
    EXPECT_TRUE(IsCompleteBmp(b.data(), b.size()));
    EXPECT_EQ(b[28], 24);
    EXPECT_EQ(b[22], 77);  // positive height: bottom-up
    // Every pixel as on the surface: row y is stored at line 76 - y.
    for (int y = 0; y < 77; ++y)
        for (int x = 0; x < 101; ++x) {
            const unsigned char* p = &b[54 + (76 - y) * stride + 3 * x];
            ASSERT_EQ(RGB(p[2], p[1], p[0]), r->At(x, y)) << x << "," << y;
        }
    EXPECT_FALSE(WriteBmp24(*r->surface, std::string(dir) + "no_such_dir\\x.bmp"));
}

}  // namespace
}  // namespace senvola
