// The information lines, the fixed lines and the move counter, sized to the screen and cut where
// they could no longer show.
#include "draw/info_panel.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>

#include "go/coordinates.h"
#include "settings/language.h"
#include "text/utf8.h"

namespace senvola {

namespace {

constexpr Colour kBlack = 0;

// ---- The four fixed lines, kept in the program file only in scrambled form ----

// Rotates the printable ASCII characters by half their range; applying it twice gives the text
// back.
constexpr char Rotate47(char c) {
    return (c >= 33 && c <= 126) ? static_cast<char>(33 + (c - 33 + 47) % 94) : c;
}

template <std::size_t N>
struct Stored {
    std::array<char, N> bytes{};
    constexpr std::string_view View() const { return {bytes.data(), N - 1}; }
};

// Evaluated by the compiler: only the scrambled bytes reach the program file.
template <std::size_t N>
constexpr Stored<N> Scramble(const char (&plain)[N]) {
    Stored<N> s;
    for (std::size_t i = 0; i < N; ++i) s.bytes[i] = Rotate47(plain[i]);
    return s;
}

constexpr auto kFixed0 = Scramble("Senvola 2.1 - recorded games of Go, replayed move by move");
constexpr auto kFixed1 = Scramble("Move the mouse or press a key to end the screensaver");
constexpr auto kFixed2 = Scramble("Speed, pause, colours and games: Screen Saver Settings");
constexpr auto kFixed3 = Scramble("Games: six built-in professional games, or your .SGF and .GO files");

// ---- Text helpers ----


// " : " + number (+ note) into a fixed buffer: the move counter allocates nothing. What does not
// fit the buffer is left off between characters; the screen could not show it anyway.
struct CounterText {
    std::array<char, 512> buf{};
    std::size_t len = 0;
    void Append(std::string_view t) {
        std::size_t at = 0;
        while (at < t.size()) {
            const std::size_t n = std::max<std::size_t>(text::CharLengthAt(t, at), 1);
            if (len + n > buf.size() - kEllipsis.size()) break;  // room kept for the ellipsis
            for (std::size_t k = 0; k < n; ++k) buf[len++] = t[at + k];
            at += n;
        }
    }
    void AppendNumber(long long v) {
        char digits[24];
        const auto r = std::to_chars(digits, digits + sizeof digits, v);
        Append(std::string_view(digits, static_cast<std::size_t>(r.ptr - digits)));
    }
    std::string_view View() const { return {buf.data(), len}; }
};

// "W+0.5": the margin is a number like the komi; "B+R" and free text stay as written.
std::string LocalResult(const LanguageTable& language, const std::string& result) {
    const std::size_t plus = result.find('+');
    if (plus == std::string::npos || plus > 1) return result;
    return result.substr(0, plus + 1) + LocalNumber(language, std::string_view(result).substr(plus + 1));
}

bool ValidMoveIndex(int moveNumber) { return moveNumber >= 0 && moveNumber <= kMaxMoves; }

void SetPanelFont(Canvas& canvas, int size, bool bold) {
    canvas.SetFont(kPanelFontName, size, kPanelTextColour, bold);
}

// Appends whole characters of `piece` while `text` holds fewer than `limit` characters;
// `count` is how many it holds. Never more of the piece is read than is appended.
void AppendUpTo(std::string& text, std::size_t& count, std::string_view piece, std::size_t limit) {
    std::size_t at = 0;
    while (count < limit && at < piece.size()) {
        at += text::CharLengthAt(piece, at);
        ++count;
    }
    text.append(piece.substr(0, at));
}

std::size_t FittingBytes(Canvas& canvas, std::string_view line, long long room) {
    if (canvas.TextExtent(line).cx <= room) return line.size();
    return LongestStartWithin(canvas, line, room - canvas.TextExtent(kEllipsis).cx);
}

// Where a shortened value ends: in line with the comment box under the lines, so that the
// ellipsis stays inside the panel. The lines are drawn before the box's frame is laid out.
int ShortenedRight(const BoardLayout& l) {
    BoardLayout frame = l;
    ComputePanelFrame(frame);
    return frame.PanelRight;
}

// Draws `text` at (x, y), ending with "…" where it would pass `right`.
void DrawShortened(Canvas& canvas, CounterText& text, int x, int y, long long right) {
    const std::size_t keep = FittingBytes(canvas, text.View(), right - x);
    if (keep < text.len) {
        text.len = keep;
        for (char ch : kEllipsis) text.buf[text.len++] = ch;  // Append kept room for it
    }
    canvas.DrawString(x, y, text.View());
}

// C0 controls, DEL and C1 controls: nothing a line of the panel can show.
constexpr bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

int SelectPanelFont(Canvas& canvas, const BoardLayout& l, const PanelFontRule& rule) {
    // The classic sizes of the three old screen widths hold for landscape screens only.
    const int classic = l.Portrait ? 0 : l.ScreenWidth;
    int size = 0;
    switch (classic) {
        case 640: size = rule.at640; break;
        case 800: size = rule.at800; break;
        case 1024: size = rule.at1024; break;
        default: {
            // From the screen's shorter side, so that a portrait screen gets the text of the same
            // screen turned; no upper cap, so that 4K text is as large on the screen as 1080p's.
            const int limit = std::min(l.ScreenHeight, l.ScreenWidth) / rule.divisor;
            size = std::max(2, limit * 3 / 4 + 1);
            SetPanelFont(canvas, size, rule.bold);
            while (size >= 2 && LineHeight(canvas) > limit) {
                --size;
                SetPanelFont(canvas, size, rule.bold);
            }
        }
    }
    if (size < rule.minimum) size = rule.minimum;
    SetPanelFont(canvas, size, rule.bold);
    return size;
}

// Characters of a text drawn from x that can matter on a screen `screenWidth` wide. No
// character that draws is narrower than a pixel, so a text longer than twice the pixels left
// to the screen edge runs off the screen even if half of it were zero-width marks: what lies
// beyond is never measured or drawn, however long the text is.
std::size_t VisibleChars(int screenWidth, int x) {
    const long long pixels = std::max(0LL, static_cast<long long>(screenWidth) - x);
    return static_cast<std::size_t>(2 * pixels + 16);
}

int LineHeight(Canvas& canvas) { return canvas.TextExtent("X").cy; }

std::string_view ScrambledPanelLine(int k) {
    switch (k) {
        case 0: return kFixed0.View();
        case 1: return kFixed1.View();
        case 2: return kFixed2.View();
        case 3: return kFixed3.View();
        default: return {};
    }
}

std::string UnscrambleText(std::string_view stored) {
    std::string plain(stored);
    for (char& c : plain) c = Rotate47(c);
    return plain;
}

std::string FixedPanelLine(int k) { return UnscrambleText(ScrambledPanelLine(k)); }

std::string CleanCopyright(std::string_view copyright, std::size_t limit) {
    std::string out;
    std::size_t kept = 0;
    for (std::size_t in = 0; in < copyright.size() && kept < limit;) {
        const text::Utf8Char ch = text::DecodeUtf8(copyright, in);
        const std::string_view bytes = copyright.substr(in, ch.length);
        in += ch.length;
        if (IsControl(ch.codePoint)) continue;
        if (ch.codePoint == U' ' && out.empty()) continue;  // the leading spaces of what is kept
        if (ch.valid) {
            out.append(bytes);
        } else {
            out.append(text::kUtf8Replacement);
        }
        ++kept;
    }
    return out;
}

std::string_view FileNamePart(std::string_view path) {
    const std::size_t sep = path.find_last_of("\\/:");
    return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

void DrawInfoPanel(Canvas& canvas, BoardLayout& l, const GameRecord& g, const LanguageTable& language,
                   int moveNumber, std::string_view fileName, bool showResult) {
    const auto& label = language.PanelLabel;
    const int sw = l.ScreenWidth;

    canvas.SetBrush(kBlack, false);
    SelectPanelFont(canvas, l, kFixedLinesFont);
    const int h1 = LineHeight(canvas);
    const int y0 = l.FixedTop + (l.FixedBottom - l.FixedTop - 4 * h1) / 2;
    for (int k = 0; k < 4; ++k) {
        // Unscrambled just before drawing, and gone again right after; a translation is plain.
        const std::string& translated = language.FixedLine[static_cast<std::size_t>(k)];
        const std::string text = translated.empty() ? FixedPanelLine(k) : translated;
        canvas.DrawString(l.FixedCentreX - canvas.TextExtent(text).cx / 2, y0 + k * h1, text);
    }

    const int size = SelectPanelFont(canvas, l, kInfoLinesFont);
    l.PanelFontSize = static_cast<uint8_t>(size);
    const int h = LineHeight(canvas);
    const int x = l.InfoLeft;
    const bool withResult = showResult && !g.Result.empty();
    // The labels' column is as wide as the widest label shown, and never narrower than the
    // classic column, so that the values of a translated panel still line up with the old one.
    int w = canvas.TextExtent("CopyRight").cx;
    auto widen = [&](int labelIndex) {
        w = std::max(w, canvas.TextExtent(label[static_cast<std::size_t>(labelIndex)]).cx);
    };
    if (!g.GameName.empty()) widen(plTitle);
    for (int k : {plWhite, plBlack, plMoveNumber, plCaptures}) widen(k);
    if (g.Handicap > 1) widen(plHandicap);
    if (!g.Komi.empty()) widen(plKomi);
    if (withResult) widen(plResult);
    if (!g.Date.empty()) widen(plDate);
    if (!g.TimeLimit.empty()) widen(plTime);
    if (!g.Place.empty()) widen(plPlace);
    if (!g.Event.empty()) widen(plEvent);
    if (!g.Round.empty()) widen(plRound);
    if (!g.Copyright.empty()) widen(plCopyright);
    if (!g.User.empty()) widen(plUser);
    const std::string_view fileNamePart = FileNamePart(fileName);
    if (!fileNamePart.empty()) widen(plFilename);
    // Half the panel at most, so that a translation that runs on still leaves the values room.
    const int labelRoom = std::max(1, (ShortenedRight(l) - x) / 2);
    w = std::min(w, labelRoom);
    int y = l.InfoTop;
    std::string labelText;
    auto drawLabel = [&](int labelIndex) {
        const std::string_view text = label[static_cast<std::size_t>(labelIndex)];
        const std::size_t keep = FittingBytes(canvas, text, labelRoom);
        if (keep == text.size()) {
            canvas.DrawString(x, y, text);
        } else {
            labelText.assign(text.substr(0, keep));
            labelText += kEllipsis;
            canvas.DrawString(x, y, labelText);
        }
    };

    int lastY = y;
    // A value is cut where it could no longer show: a header text of millions of characters
    // costs no more than one that runs just past the screen edge.
    const std::size_t valueLimit = VisibleChars(sw, x + w);
    const long long room = static_cast<long long>(ShortenedRight(l)) - (x + w);
    std::string value;
    // A value that would pass the comment box's right edge ends with an ellipsis inside it.
    auto drawLine = [&](int labelIndex, std::string_view v, std::string_view rank = {}) {
        drawLabel(labelIndex);
        value.assign(" : ");
        std::size_t chars = value.size();
        AppendUpTo(value, chars, v, valueLimit);
        if (!rank.empty()) {
            AppendUpTo(value, chars, ", ", valueLimit);
            AppendUpTo(value, chars, rank, valueLimit);
        }
        const std::size_t keep = FittingBytes(canvas, value, room);
        if (keep < value.size()) {
            value.resize(keep);
            value += kEllipsis;
        }
        canvas.DrawString(x + w, y, value);
        lastY = y;
        y += h;
    };

    // The title heads the panel: it names the game before the players do.
    if (!g.GameName.empty()) drawLine(plTitle, g.GameName);
    drawLine(plWhite, g.WhiteName, g.WhiteRank);
    drawLine(plBlack, g.BlackName, g.BlackRank);
    if (g.Handicap > 1) drawLine(plHandicap, ReplaceFirst(language.HandicapStones, "%1", std::to_string(g.Handicap)));
    if (!g.Komi.empty()) drawLine(plKomi, LocalNumber(language, g.Komi));
    // Hidden unless asked for: the result would tell how the game ends before it is played.
    if (withResult) drawLine(plResult, LocalResult(language, g.Result));
    l.MoveBoxLeft = x + w;
    l.MoveBoxTop = y;
    l.MoveBoxRight = sw;
    l.MoveBoxBottom = y + h;
    drawLine(plMoveNumber, std::to_string(moveNumber));
    // The captures and whose turn it is: their values follow each move (DrawGameState).
    drawLabel(plCaptures);
    y += 2 * h;
    lastY = y - h;
    if (!g.Date.empty()) drawLine(plDate, g.Date);
    if (!g.TimeLimit.empty()) drawLine(plTime, g.TimeLimit);
    if (!g.Place.empty()) drawLine(plPlace, g.Place);
    if (!g.Event.empty()) drawLine(plEvent, g.Event);
    if (!g.Round.empty()) drawLine(plRound, g.Round);
    if (!g.Copyright.empty()) drawLine(plCopyright, CleanCopyright(g.Copyright, valueLimit));
    if (!g.User.empty()) drawLine(plUser, g.User);
    if (!fileNamePart.empty()) drawLine(plFilename, fileNamePart);

    l.PanelTop = lastY + 2 * h;
}

void DrawCaptures(Canvas& canvas, const BoardLayout& l, const LanguageTable& language, int blackCaptures,
                  int whiteCaptures) {
    const int h = l.MoveBoxBottom - l.MoveBoxTop;
    const int top = l.MoveBoxBottom;
    canvas.SetPen(kBlack, true);
    canvas.SetBrush(kBlack, true);
    canvas.FillRect(l.MoveBoxLeft, top, l.MoveBoxRight, top + h);
    SetPanelFont(canvas, l.PanelFontSize, false);
    canvas.SetBrush(kBlack, false);
    CounterText captures;
    captures.Append(" : ");
    captures.Append(language.PanelLabel[plBlack]);
    captures.Append(" ");
    captures.AppendNumber(blackCaptures);
    captures.Append(", ");
    captures.Append(language.PanelLabel[plWhite]);
    captures.Append(" ");
    captures.AppendNumber(whiteCaptures);
    DrawShortened(canvas, captures, l.MoveBoxLeft, top, ShortenedRight(l));
}

void DrawGameState(Canvas& canvas, const BoardLayout& l, const LanguageTable& language, int blackCaptures,
                   int whiteCaptures, go::Stone toMove) {
    const int h = l.MoveBoxBottom - l.MoveBoxTop;
    const int x = l.InfoLeft;
    const int top = l.MoveBoxBottom;
    canvas.SetPen(kBlack, true);
    canvas.SetBrush(kBlack, true);
    canvas.FillRect(x, top + h, l.MoveBoxRight, top + 2 * h);
    // At the end of the game nobody is to play, and the captures stand as they were.
    if (toMove != go::Stone::Black && toMove != go::Stone::White) return;
    DrawCaptures(canvas, l, language, blackCaptures, whiteCaptures);
    CounterText turn;
    turn.Append(toMove == go::Stone::Black ? language.BlackToPlay : language.WhiteToPlay);
    DrawShortened(canvas, turn, x, top + h, ShortenedRight(l));
}

void DrawMoveCounter(Canvas& canvas, const BoardLayout& l, const GameRecord& game, const LanguageTable& language,
                     int moveNumber, go::Stone passing, bool withPoint) {
    canvas.SetPen(kBlack, true);
    canvas.SetBrush(kBlack, true);
    canvas.FillRect(l.MoveBoxLeft, l.MoveBoxTop, l.MoveBoxRight, l.MoveBoxBottom);
    SetPanelFont(canvas, l.PanelFontSize, false);
    canvas.SetBrush(kBlack, false);
    CounterText text;
    const int n = moveNumber;
    text.Append(" : ");
    // Past the last slot there is no entry: the game is over there too.
    if (!ValidMoveIndex(n) || game.MoveX[static_cast<std::size_t>(n)] == 0) {
        // The number of the last move played, not of one that never comes.
        text.AppendNumber(std::max(n - 1, 0));
        text.Append(", ");
        text.Append(language.GameOver);
        if (!game.Result.empty()) {
            text.Append(": ");
            // Once a game, at its end: the allocation is not one per move.
            text.Append(LocalResult(language, game.Result));
        }
    } else {
        text.AppendNumber(n);
        if (passing == go::Stone::Black || passing == go::Stone::White) {
            text.Append(", ");
            text.Append(passing == go::Stone::Black ? language.BlackPasses : language.WhitePasses);
        } else if (withPoint) {
            char name[4];
            const go::Point p{game.MoveX[static_cast<std::size_t>(n)], game.MoveY[static_cast<std::size_t>(n)]};
            const std::string_view point = go::PointName(game.BoardSize, p, name);
            if (!point.empty()) {
                text.Append(", ");
                text.Append(point);
            }
        }
    }
    DrawShortened(canvas, text, l.MoveBoxLeft, l.MoveBoxTop, ShortenedRight(l));
}

std::size_t LongestStartWithin(Canvas& canvas, std::string_view text, long long room) {
    std::size_t fits = 0, tooWide = text.size();
    for (;;) {
        std::size_t mid = text::BoundaryAtOrBefore(text, (fits + tooWide) / 2);
        if (mid <= fits) mid = fits + std::max<std::size_t>(text::CharLengthAt(text, fits), 1);
        if (mid >= tooWide) break;
        if (canvas.TextExtent(text.substr(0, mid)).cx <= room) {
            fits = mid;
        } else {
            tooWide = mid;
        }
    }
    return fits;
}

}  // namespace senvola
