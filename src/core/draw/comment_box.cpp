// The comment box: its frame, the title of a comment and the word wrap of the rest.
#include "draw/comment_box.h"

#include <algorithm>
#include <cstring>

#include "draw/info_panel.h"
#include "records/game_record.h"

namespace senvola {

namespace {

constexpr Colour kBlack = 0;

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

}  // namespace

// The rest of a comment after its title: at most two pieces one after the other (a prefix of
// line breaks and the comment itself), read front to back by an index; nothing is erased.
class CommentBox::TextSource {
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

// The wrap stops at the bottom of the screen: every line from there on, the last one
// included, would be drawn where nothing shows, so the rest of the comment is not even read.
// A word is read up to VisibleChars; the rest of it is skipped, so that each word is measured
// once and only for what can be seen.
void CommentBox::DrawBody(Canvas& canvas, const BoardLayout& l, TextSource rest, int h) {
    const int boxWidth = l.CommentRight - l.CommentLeft;
    const std::size_t wordLimit = VisibleChars(l.ScreenWidth, l.CommentLeft);
    const int stopY = l.ScreenHeight;
    std::string& line = line_;
    std::string& word = word_;
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

}  // namespace senvola
