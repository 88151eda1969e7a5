#include "draw/info_panel.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstring>

#include "draw/board_painter.h"
#include "settings/language.h"

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

// " : " + number (+ suffix) into a fixed buffer: the move counter allocates nothing.
struct CounterText {
    std::array<char, 48> buf{};
    std::size_t len = 0;
    void Append(std::string_view t) {
        for (char c : t) {
            if (len < buf.size()) buf[len++] = c;
        }
    }
    void AppendNumber(long long v) {
        char digits[24];
        const auto r = std::to_chars(digits, digits + sizeof digits, v);
        Append(std::string_view(digits, static_cast<std::size_t>(r.ptr - digits)));
    }
    std::string_view View() const { return {buf.data(), len}; }
};

bool ValidMoveIndex(int moveNumber) { return moveNumber >= 0 && moveNumber <= kMaxMoves; }

void SetPanelFont(Canvas& canvas, int size, bool bold) {
    canvas.SetFont(kPanelFontName, size, kPanelTextColour, bold);
}

int LineHeight(Canvas& canvas) { return canvas.TextExtent("X").cy; }

// Characters of a text drawn from x that can matter on a screen `screenWidth` wide. No
// character that draws is narrower than a pixel, so a text longer than twice the pixels left
// to the screen edge runs off the screen even if half of it were zero-width marks: what lies
// beyond is never measured or drawn, however long the text is.
std::size_t VisibleChars(int screenWidth, int x) {
    const long long pixels = std::max(0LL, static_cast<long long>(screenWidth) - x);
    return static_cast<std::size_t>(2 * pixels + 16);
}

// Appends at most what fills `text` up to `limit` characters.
void AppendUpTo(std::string& text, std::string_view piece, std::size_t limit) {
    if (text.size() < limit) text.append(piece.substr(0, limit - text.size()));
}

bool IsWrapBreak(char c) { return c == ' ' || c == '-' || c == '\n'; }

// Length of the start of `s` before its first space, hyphen or line feed: memchr runs through
// a word of millions of characters in a few milliseconds.
std::size_t WordEnd(std::string_view s) {
    std::size_t end = s.size();
    for (const char c : {' ', '-', '\n'}) {
        if (const void* p = std::memchr(s.data(), c, end)) {
            end = static_cast<std::size_t>(static_cast<const char*>(p) - s.data());
        }
    }
    return end;
}

// The rest of a comment after its title: at most two pieces one after the other (a prefix of
// line breaks and the comment itself), read front to back by an index; nothing is erased.
class TextSource {
public:
    TextSource(std::string_view a, std::string_view b) : a_(a), b_(b) {}
    bool AtEnd() const { return pos_ >= a_.size() + b_.size(); }
    char Peek() const { return pos_ < a_.size() ? a_[pos_] : b_[pos_ - a_.size()]; }
    void Next() { ++pos_; }
    // Moves on to the next space, hyphen or line feed (or the end) without reading what it
    // passes.
    void SkipToBreak() {
        if (pos_ < a_.size()) {
            pos_ += WordEnd(a_.substr(pos_));
            if (pos_ < a_.size()) return;
        }
        pos_ += WordEnd(b_.substr(pos_ - a_.size()));
    }

private:
    std::string_view a_, b_;
    std::size_t pos_ = 0;
};

// Working strings of the word wrap, kept between calls so that a move's comment allocates only
// when it is longer than every comment before it. The wrap bounds them by the screen.
std::string& WrapLine() {
    static std::string line;
    return line;
}
std::string& WrapWord() {
    static std::string word;
    return word;
}

// The wrap stops at the bottom of the screen: every line from there on, the last one
// included, would be drawn where nothing shows, so the rest of the comment is not even read.
// A word is read up to VisibleChars; the rest of it is skipped, so that each word is measured
// once and only for what can be seen.
void DrawBody(Canvas& canvas, const BoardLayout& l, TextSource rest, int h) {
    const int boxWidth = l.CommentRight - l.CommentLeft;
    const std::size_t wordLimit = VisibleChars(l.ScreenWidth, l.CommentLeft);
    const int stopY = l.ScreenHeight;
    std::string& line = WrapLine();
    std::string& word = WrapWord();
    ResetText(line);
    ResetText(word);
    // Widths are summed instead of measuring line + word again: text extents add up, and
    // measuring only the new word keeps a long comment linear.
    long long lineWidth = 0;
    int y = l.CommentTop;
    do {
        std::size_t taken = 0;
        while (!rest.AtEnd()) {
            const char c = rest.Peek();
            if (IsWrapBreak(c)) break;
            if (taken == wordLimit) {
                rest.SkipToBreak();
                break;
            }
            if (static_cast<unsigned char>(c) >= 32) word.push_back(c);
            ++taken;
            rest.Next();
        }
        char sep = 0;
        if (!rest.AtEnd()) {
            sep = rest.Peek();
            rest.Next();
            if (sep == ' ' || sep == '-') word.push_back(sep);
        }
        const long long wordWidth = word.empty() ? 0 : canvas.TextExtent(word).cx;
        bool finished = true;
        long long nextWidth = wordWidth;
        if (lineWidth + wordWidth <= boxWidth) {
            line += word;
            lineWidth += wordWidth;
            word.clear();
            nextWidth = 0;
            finished = sep == '\n';
        }
        if (finished) {
            if (y < l.CommentBottom - h && !line.empty()) canvas.DrawString(l.CommentLeft, y, line);
            line.swap(word);
            word.clear();
            lineWidth = nextWidth;
            y += h;
        }
    } while (!rest.AtEnd() && y < stopY);
    if (!line.empty() && y < stopY) canvas.DrawString(l.CommentLeft, y, line);
}

void EnsureAboutGoText(AppState& s, const IniFile& languageFile) {
    if (s.Language.AboutGoText.empty()) BuildAboutGoText(s.Language, languageFile);
}

}  // namespace

int SelectPanelFont(Canvas& canvas, const BoardLayout& l, const PanelFontRule& rule) {
    int size = 15;
    switch (l.ScreenWidth) {
        case 640: size = rule.at640; break;
        case 800: size = rule.at800; break;
        case 1024: size = rule.at1024; break;
        default: {
            const int limit = l.ScreenHeight / rule.divisor;
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

void CleanCopyright(std::string& copyright, std::size_t limit) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < copyright.size() && out < limit; ++in) {
        const char c = copyright[in];
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u > 150) continue;
        if (c == ' ' && out == 0) continue;  // the leading spaces of what is kept
        copyright[out++] = c;
    }
    copyright.resize(out);
}

std::string_view FileNamePart(std::string_view path) {
    const std::size_t sep = path.find_last_of("\\/:");
    return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

void DrawInfoPanel(AppState& s, Canvas& canvas) {
    if (s.Settings.ShowBoardOnly) return;
    BoardLayout& l = s.Layout;
    GameRecord& g = s.CurrentGame;
    const auto& label = s.Language.PanelLabel;
    const int sw = l.ScreenWidth, sh = l.ScreenHeight;

    canvas.SetBrush(kBlack, false);
    SelectPanelFont(canvas, l, kFixedLinesFont);
    const int h1 = LineHeight(canvas);
    const int y0 = sh / 38 + l.BoardAreaHeight + (sh - l.BoardAreaHeight - 4 * h1 - sh / 38) / 2;
    for (int k = 0; k < 4; ++k) {
        // Unscrambled just before drawing, and gone again right after.
        const std::string text = FixedPanelLine(k);
        canvas.DrawString(l.BoardCentreX - canvas.TextExtent(text).cx / 2, y0 + k * h1, text);
    }

    const int size = SelectPanelFont(canvas, l, kInfoLinesFont);
    l.PanelFontSize = static_cast<uint8_t>(size);
    const int h = LineHeight(canvas);
    const int w = canvas.TextExtent("CopyRight").cx;  // a measuring string only
    const int x = sw / 20 + l.BoardAreaWidth;
    int y = sh / 38;
    int lastY = y;
    // A value is cut where it could no longer show: a header text of millions of characters
    // costs no more than one that runs just past the screen edge.
    const std::size_t valueLimit = VisibleChars(sw, x + w);
    std::string value;
    auto drawLine = [&](int labelIndex, std::string_view v, std::string_view rank = {}) {
        canvas.DrawString(x, y, label[static_cast<std::size_t>(labelIndex)]);
        value.assign(" : ");
        AppendUpTo(value, v, valueLimit);
        if (!rank.empty()) {
            AppendUpTo(value, ", ", valueLimit);
            AppendUpTo(value, rank, valueLimit);
        }
        canvas.DrawString(x + w, y, value);
        lastY = y;
        y += h;
    };

    drawLine(plWhite, g.WhiteName, g.WhiteRank);
    drawLine(plBlack, g.BlackName, g.BlackRank);
    if (g.Handicap > 1) drawLine(plHandicap, std::to_string(g.Handicap) + " stones");
    if (!g.Komi.empty()) drawLine(plKomi, g.Komi);
    if (!g.Result.empty()) drawLine(plResult, g.Result);
    l.MoveBoxLeft = x + w;
    l.MoveBoxTop = y;
    l.MoveBoxRight = sw;
    l.MoveBoxBottom = y + h;
    drawLine(plMoveNumber, std::to_string(s.Board.MoveNumber()));
    if (!g.Date.empty()) drawLine(plDate, g.Date);
    if (!g.TimeLimit.empty()) drawLine(plTime, g.TimeLimit);
    if (!g.Place.empty()) drawLine(plPlace, g.Place);
    if (!g.Event.empty()) drawLine(plEvent, g.Event);
    if (!g.Round.empty()) drawLine(plRound, g.Round);
    if (!g.Copyright.empty()) {
        CleanCopyright(g.Copyright, valueLimit);
        drawLine(plCopyright, g.Copyright);
    }
    if (!g.User.empty()) drawLine(plUser, g.User);
    const std::string_view fileName = FileNamePart(s.CurrentFileName);
    if (!fileName.empty()) drawLine(plFilename, fileName);

    l.PanelTop = lastY + 2 * h;
}

void DrawCommentBox(AppState& s, Canvas& canvas, const IniFile& languageFile) {
    if (s.Settings.ShowBoardOnly) return;
    BoardLayout& l = s.Layout;
    ComputePanelFrame(l);
    canvas.SetPen(kPanelTextColour, true);
    canvas.SetBrush(kBlack, false);
    canvas.Rectangle(l.PanelLeft, l.PanelTop, l.PanelRight, l.PanelBottom);
    l.CommentTop = l.ScreenHeight / 100 + l.PanelTop;
    EnsureAboutGoText(s, languageFile);
    s.CurrentGame.Comments[1] = s.Language.AboutGoText;
    DrawComment(s, canvas, languageFile);
}

void DrawComment(AppState& s, Canvas& canvas, const IniFile& languageFile) {
    if (s.Settings.ShowBoardOnly) return;
    const BoardLayout& l = s.Layout;
    EnsureAboutGoText(s, languageFile);
    canvas.SetPen(kBlack, true);
    canvas.SetBrush(kBlack, true);
    canvas.FillRect(l.PanelLeft + 1, l.PanelTop + 1, l.PanelRight - 1, l.PanelBottom - 1);

    if (!ValidMoveIndex(s.Board.MoveNumber())) return;
    const std::string_view text = s.CurrentGame.Comments[static_cast<std::size_t>(s.Board.MoveNumber())];
    if (text.empty()) return;

    // A comment that starts like the introduction is the introduction: no "Comment:" title.
    const std::string_view about = s.Language.AboutGoText;
    const bool prefixed = text.substr(0, 10) != about.substr(0, 10);
    std::string_view title;
    TextSource rest("", "");
    if (prefixed) {
        title = "Comment:";
        rest = TextSource("\r\n\r\n", text);
    } else {
        // The title is centred on its width, so a title of millions of characters would have
        // to be measured whole; it is cut like any other text instead, and one longer than
        // the cut (far wider than the box either way) is centred on what is left.
        const std::size_t cr = text.find('\r');
        title = text.substr(0, std::min(cr, VisibleChars(l.ScreenWidth, l.CommentLeft)));
        rest = TextSource(cr == std::string_view::npos ? std::string_view() : text.substr(cr), "");
    }

    canvas.SetBrush(kBlack, false);
    SelectPanelFont(canvas, l, kCommentTitleFont);
    if (!title.empty()) {
        const int titleWidth = canvas.TextExtent(title).cx;
        canvas.DrawString(l.CommentLeft + (l.CommentRight - l.CommentLeft - titleWidth) / 2, l.CommentTop, title);
    }
    SelectPanelFont(canvas, l, kCommentBodyFont);
    DrawBody(canvas, l, rest, LineHeight(canvas));
}

void DrawMoveCounter(AppState& s, Canvas& canvas) {
    if (s.Settings.ShowBoardOnly) return;
    const BoardLayout& l = s.Layout;
    canvas.SetPen(kBlack, true);
    canvas.SetBrush(kBlack, true);
    canvas.FillRect(l.MoveBoxLeft, l.MoveBoxTop, l.MoveBoxRight, l.MoveBoxBottom);
    SetPanelFont(canvas, l.PanelFontSize, false);
    canvas.SetBrush(kBlack, false);
    CounterText text;
    const int n = s.Board.MoveNumber();
    text.Append(" : ");
    text.AppendNumber(n);
    // Past the last slot there is no entry: the game is over there too.
    if (!ValidMoveIndex(n) || s.CurrentGame.MoveX[static_cast<std::size_t>(n)] == 0) text.Append(" (Game finished)");
    canvas.DrawString(l.MoveBoxLeft, l.MoveBoxTop, text.View());
}

}  // namespace senvola
