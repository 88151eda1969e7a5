// The comment box: its frame, the title of a comment and the word wrap of the rest.
#include "draw/comment_box.h"

#include <algorithm>
#include <cstring>

#include "draw/info_panel.h"
#include "records/game_record.h"
#include "text/utf8.h"

namespace senvola {

namespace {

constexpr Colour kBlack = 0;

// Length of the start of `s` before its first space, hyphen or line feed: memchr runs through
// a word of millions of characters in a few milliseconds. All three are ASCII, so the cut falls
// between characters.
std::size_t WordEnd(std::string_view s) {
    std::size_t end = s.size();
    for (const char c : {' ', '-', '\n'}) {
        if (const void* p = std::memchr(s.data(), c, end)) {
            end = static_cast<std::size_t>(static_cast<const char*>(p) - s.data());
        }
    }
    return end;
}

// text::BreakAllowedBetween, with the answer for two ASCII characters given without its table
// searches: the wrap asks at every character, and most comments are ASCII.
bool BreakAllowed(char32_t before, char32_t after) {
    if (before < 0x80 && after < 0x80) {
        if (before != U' ' && before != U'-') return false;
        switch (after) {
            case U'!': case U')': case U',': case U'.': case U':': case U';': case U'?': case U']': case U'}':
                return false;
            default:
                return true;
        }
    }
    return text::BreakAllowedBetween(before, after);
}

}  // namespace

// The rest of a comment after its title: at most two pieces one after the other (a prefix of
// line breaks and the comment itself), read front to back by an index; nothing is erased. The
// pieces meet between characters.
class CommentBox::TextSource {
public:
    TextSource(std::string_view a, std::string_view b) : a_(a), b_(b) {}
    bool AtEnd() const { return pos_ >= a_.size() + b_.size(); }
    // The character at the reading position and its bytes.
    text::Utf8Char Peek(std::string_view& bytes) const {
        const bool inA = pos_ < a_.size();
        const std::string_view piece = inA ? a_ : b_;
        const std::size_t at = inA ? pos_ : pos_ - a_.size();
        const auto first = static_cast<unsigned char>(piece[at]);
        if (first < 0x80) {  // most comments are ASCII: no call for those
            bytes = piece.substr(at, 1);
            return {first, 1, true};
        }
        const text::Utf8Char ch = text::DecodeUtf8(piece, at);
        bytes = piece.substr(at, ch.length);
        return ch;
    }
    void Advance(std::size_t bytes) { pos_ += bytes; }
    // Whether only blanks and controls are left, looking a few bytes ahead at most: trailing
    // blank lines are common, and a comment of millions of blanks must not be read through.
    bool OnlyBlanksAhead() const {
        constexpr std::size_t kLookAhead = 64;
        const std::size_t total = a_.size() + b_.size();
        for (std::size_t at = pos_; at < total; ++at) {
            if (at - pos_ == kLookAhead) return false;
            const char c = at < a_.size() ? a_[at] : b_[at - a_.size()];
            if (static_cast<unsigned char>(c) > ' ') return false;
        }
        return true;
    }
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

void CommentBox::DrawFrame(Canvas& canvas, BoardLayout& l) {
    ComputePanelFrame(l);
    canvas.SetPen(kPanelTextColour, true);
    canvas.SetBrush(kBlack, false);
    canvas.Rectangle(l.PanelLeft, l.PanelTop, l.PanelRight, l.PanelBottom);
    l.CommentTop = l.ScreenHeight / 100 + l.PanelTop;
}

void CommentBox::Draw(Canvas& canvas, const BoardLayout& l, std::string_view text, std::string_view about) {
    canvas.SetPen(kBlack, true);
    canvas.SetBrush(kBlack, true);
    canvas.FillRect(l.PanelLeft + 1, l.PanelTop + 1, l.PanelRight - 1, l.PanelBottom - 1);
    if (text.empty()) return;

    // A comment that starts like the introduction is the introduction: no "Comment:" title.
    const bool prefixed =
        text.substr(0, text::BytesOfFirstChars(text, 10)) != about.substr(0, text::BytesOfFirstChars(about, 10));
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
        const std::string_view firstLine = text.substr(0, cr);
        title = firstLine.substr(0, text::BytesOfFirstChars(firstLine, VisibleChars(l.ScreenWidth, l.CommentLeft)));
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

// The wrap stops at the last line of the box: a comment that goes on below it ends there with
// an ellipsis, so the rest of it is not even read. A word is read up to VisibleChars characters;
// the rest of it is skipped, so that each word is measured once and only for what can be seen.
// Words end where text::BreakAllowedBetween allows a break: after spaces and hyphens, and
// between the characters of Chinese, Japanese and Korean text, which has no spaces, but not
// before closing punctuation.
void CommentBox::DrawBody(Canvas& canvas, const BoardLayout& l, TextSource rest, int h) {
    const int boxWidth = l.CommentRight - l.CommentLeft;
    const std::size_t wordLimit = VisibleChars(l.ScreenWidth, l.CommentLeft);
    // A line shows when it ends above the bottom margin of the box.
    const auto shows = [&](int top) { return top < l.CommentBottom - h; };
    std::string& line = line_;
    std::string& word = word_;
    std::string& above = above_;
    ResetText(line);
    ResetText(word);
    ResetText(above);
    int aboveY = -1;  // where `above`, the last line drawn, stands
    long long aboveWidth = 0;
    // Widths are summed instead of measuring line + word again: text extents add up, and
    // measuring only the new word keeps a long comment linear.
    long long lineWidth = 0;
    int y = l.CommentTop;
    if (!shows(y)) return;
    // Ends the current line with more text to come: on the last line that shows, the more is
    // marked by the ellipsis and the wrap is over (false).
    const auto endLine = [&]() {
        if (!shows(y + h)) {
            if (line.empty() && aboveY >= 0) {
                // The blank line between two paragraphs would hold the ellipsis alone: the
                // paragraph above ends with it instead.
                canvas.SetBrush(kBlack, true);
                canvas.FillRect(l.CommentLeft, aboveY, l.CommentRight, aboveY + h);
                canvas.SetBrush(kBlack, false);
                line.swap(above);
                DrawLastLine(canvas, l, aboveY, aboveWidth);
                return false;
            }
            DrawLastLine(canvas, l, y, lineWidth);
            return false;
        }
        if (!line.empty()) {
            canvas.DrawString(l.CommentLeft, y, line);
            above.assign(line);
            aboveY = y;
            aboveWidth = lineWidth;
        }
        line.clear();
        lineWidth = 0;
        y += h;
        return true;
    };
    while (!rest.AtEnd()) {
        std::size_t taken = 0;
        char32_t last = 0;  // the word's last character that draws
        bool lineFeed = false;
        while (!rest.AtEnd()) {
            std::string_view bytes;
            const text::Utf8Char ch = rest.Peek(bytes);
            if (ch.codePoint == U'\n') {
                rest.Advance(bytes.size());
                lineFeed = true;
                break;
            }
            if (last != 0 && BreakAllowed(last, ch.codePoint)) break;
            if (taken == wordLimit) {
                rest.SkipToBreak();
                if (!rest.AtEnd()) {
                    rest.Peek(bytes);
                    rest.Advance(bytes.size());
                    if (bytes == "\n") {
                        lineFeed = true;
                    } else {
                        word.append(bytes);
                    }
                }
                break;
            }
            if (ch.codePoint >= 32) {
                word.append(ch.valid ? bytes : text::kUtf8Replacement);
                last = ch.codePoint;
            }
            ++taken;
            rest.Advance(bytes.size());
        }
        // Blanks at the end are nothing more to show: no line of their own, no ellipsis.
        if (word.find_first_not_of(' ') == std::string::npos && rest.OnlyBlanksAhead()) break;
        const long long wordWidth = word.empty() ? 0 : canvas.TextExtent(word).cx;
        if (lineWidth + wordWidth > boxWidth) {
            // The word goes down a line. It may have ended its paragraph too: the line feed
            // below is still due then, after the word.
            if (!endLine()) return;
        }
        line += word;
        lineWidth += wordWidth;
        word.clear();
        if (lineFeed && !rest.OnlyBlanksAhead() && !endLine()) return;
    }
    if (!line.empty()) canvas.DrawString(l.CommentLeft, y, line);
}

// The last line that shows, of a comment that goes on: as much of `line_` as leaves room for the
// ellipsis inside the box, cut between words where the line has a break, else between
// characters.
void CommentBox::DrawLastLine(Canvas& canvas, const BoardLayout& l, int y, long long lineWidth) {
    std::string& line = line_;
    const long long room = static_cast<long long>(l.CommentRight - l.CommentLeft) - canvas.TextExtent(kEllipsis).cx;
    std::size_t keep = line.size();
    if (lineWidth > room) {
        const std::size_t fits = LongestStartWithin(canvas, line, room);
        // Back to the last place the wrap itself could have broken, or to the end of a word
        // before its blank, when there is one.
        std::size_t lastBreak = 0;
        char32_t before = 0;
        for (std::size_t at = 0; at <= fits && at < line.size();) {
            const text::Utf8Char ch = text::DecodeUtf8(line, at);
            if (before != 0 && (ch.codePoint == U' ' || BreakAllowed(before, ch.codePoint))) lastBreak = at;
            if (at == fits) break;
            before = ch.codePoint;
            at += ch.length;
        }
        keep = lastBreak > 0 ? lastBreak : fits;
    }
    while (keep > 0 && line[keep - 1] == ' ') --keep;
    line.resize(keep);
    line += kEllipsis;
    canvas.DrawString(l.CommentLeft, y, line);
}

}  // namespace senvola
