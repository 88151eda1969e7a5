// The recording canvas: every call kept, text measured by the fixed metrics of its header.
#include "portable/recording_canvas.h"

#include <algorithm>
#include <utility>

#include "text/utf8.h"

namespace senvola {

namespace {

Rect Normalised(Rect r) {
    if (r.x2 < r.x1) std::swap(r.x1, r.x2);
    if (r.y2 < r.y1) std::swap(r.y1, r.y2);
    return r;
}

Rect LineArea(const Rect& l) {
    if (l.x1 == l.x2 && l.y1 == l.y2) return {l.x1, l.y1, l.x1, l.y1};
    if (l.y1 == l.y2) {  // horizontal: the end point is left out
        return l.x1 < l.x2 ? Rect{l.x1, l.y1, l.x2, l.y1 + 1} : Rect{l.x2 + 1, l.y1, l.x1 + 1, l.y1 + 1};
    }
    if (l.x1 == l.x2) {
        return l.y1 < l.y2 ? Rect{l.x1, l.y1, l.x1 + 1, l.y2} : Rect{l.x1, l.y2 + 1, l.x1 + 1, l.y1 + 1};
    }
    // Slanted lines are not used by the replay; their box is taken whole.
    return {std::min(l.x1, l.x2), std::min(l.y1, l.y2), std::max(l.x1, l.x2) + 1, std::max(l.y1, l.y2) + 1};
}

}  // namespace

bool IsDrawing(CanvasOpKind kind) {
    return kind != CanvasOpKind::SetPen && kind != CanvasOpKind::SetBrush && kind != CanvasOpKind::SetFont;
}

Rect PaintedArea(const CanvasOp& op) {
    switch (op.kind) {
        case CanvasOpKind::SetPen:
        case CanvasOpKind::SetBrush:
        case CanvasOpKind::SetFont:
            return {};
        case CanvasOpKind::FillRect:
            if (op.rect.x2 <= op.rect.x1 || op.rect.y2 <= op.rect.y1) return {op.rect.x1, op.rect.y1, op.rect.x1, op.rect.y1};
            return op.rect;
        case CanvasOpKind::Line:
            return LineArea(op.rect);
        default:
            return Normalised(op.rect);
    }
}

int RecordingCanvas::TextHeight(int sizePoints) {
    const int s = sizePoints < 0 ? -sizePoints : sizePoints;
    return std::max(1, (8 * s + 3) / 6);  // round(s x 4 / 3); thirds never halve
}

namespace {

// Width of a UTF-8 text in character cells: one per character, two for one of the wide
// scripts (CJK and later blocks), as a terminal counts them.
int Cells(std::string_view text) {
    int cells = 0;
    for (std::size_t at = 0; at < text.size();) {
        const text::Utf8Char ch = text::DecodeUtf8(text, at);
        cells += ch.codePoint >= 0x2E80 && ch.codePoint != text::kReplacementCharacter ? 2 : 1;
        at += ch.length;
    }
    return cells;
}

}  // namespace

int RecordingCanvas::CharWidth(int sizePoints, bool bold) {
    const int h = TextHeight(sizePoints);
    return std::max(1, bold ? h * 2 / 3 : h * 3 / 5);
}

void RecordingCanvas::Record(CanvasOpKind kind, const Rect& rect, std::string_view text, const Bitmap* bitmap,
                             const Rect& src) {
    ++calls_;
    if (!recording_) return;
    CanvasOp op;
    op.kind = kind;
    op.rect = rect;
    op.src = src;
    op.pen = pen_;
    op.brush = brush_;
    op.font = font_;
    op.text.assign(text);
    op.bitmap = bitmap;
    ops_.push_back(std::move(op));
}

void RecordingCanvas::SetPen(Colour colour, bool solid) {
    pen_ = {colour, solid};
    Record(CanvasOpKind::SetPen, {});
}

void RecordingCanvas::SetBrush(Colour colour, bool solid) {
    brush_ = {colour, solid};
    Record(CanvasOpKind::SetBrush, {});
}

void RecordingCanvas::SetFont(std::string_view name, int sizePoints, Colour colour, bool bold) {
    font_.name.assign(name);
    font_.size = sizePoints;
    font_.colour = colour;
    font_.bold = bold;
    Record(CanvasOpKind::SetFont, {});
}

void RecordingCanvas::Rectangle(int x1, int y1, int x2, int y2) { Record(CanvasOpKind::Rectangle, {x1, y1, x2, y2}); }
void RecordingCanvas::FillRect(int x1, int y1, int x2, int y2) { Record(CanvasOpKind::FillRect, {x1, y1, x2, y2}); }
void RecordingCanvas::Ellipse(int x1, int y1, int x2, int y2) { Record(CanvasOpKind::Ellipse, {x1, y1, x2, y2}); }
void RecordingCanvas::Line(int x1, int y1, int x2, int y2) { Record(CanvasOpKind::Line, {x1, y1, x2, y2}); }

void RecordingCanvas::DrawString(int x, int y, std::string_view text) {
    const int cx = Cells(text) * CharWidth(font_.size, font_.bold);
    const int cy = text.empty() ? 0 : TextHeight(font_.size);
    Record(CanvasOpKind::DrawString, {x, y, x + cx, y + cy}, text);
}

Size RecordingCanvas::TextExtent(std::string_view text) {
    ++measures_;
    return {Cells(text) * CharWidth(font_.size, font_.bold), TextHeight(font_.size)};
}

void RecordingCanvas::DrawBitmap(const Bitmap& bitmap, int x, int y) {
    Record(CanvasOpKind::DrawBitmap, {x, y, x + std::max(0, bitmap.Width()), y + std::max(0, bitmap.Height())}, {},
           &bitmap);
}

void RecordingCanvas::StretchBitmap(const Bitmap& bitmap, const Rect& dst) {
    Record(CanvasOpKind::StretchBitmap, dst, {}, &bitmap);
}

void RecordingCanvas::CopySelf(const Rect& dst, const Rect& src) {
    Record(CanvasOpKind::CopySelf, dst, {}, nullptr, src);
}

std::unique_ptr<Bitmap> RecordingCanvas::MakeAlphaBitmap(const uint32_t* pixels, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    return std::make_unique<RecordingAlphaBitmap>(pixels, width, height);
}

void RecordingCanvas::BlendBitmap(const Bitmap& bitmap, int x, int y) {
    Record(CanvasOpKind::BlendBitmap, {x, y, x + std::max(0, bitmap.Width()), y + std::max(0, bitmap.Height())}, {},
           &bitmap);
}

void RecordingCanvas::TileBitmap(const Bitmap& bitmap, int originX, int originY, const Rect& clip) {
    Record(CanvasOpKind::TileBitmap, clip, {}, &bitmap,
           {originX, originY, originX + bitmap.Width(), originY + bitmap.Height()});
}

std::size_t RecordingCanvas::Count(CanvasOpKind kind) const {
    return static_cast<std::size_t>(std::count_if(ops_.begin(), ops_.end(), [kind](const CanvasOp& op) { return op.kind == kind; }));
}

std::size_t RecordingCanvas::DrawingCount() const {
    return static_cast<std::size_t>(
        std::count_if(ops_.begin(), ops_.end(), [](const CanvasOp& op) { return IsDrawing(op.kind); }));
}

}  // namespace senvola
