// A Canvas that paints nothing and records every call, for host tests and benchmarks.
// Text metrics are deterministic so that layout can be checked to the pixel: a font of s points
// is TextHeight(s) = round(s x 4 / 3) pixels high, and every character is 0.6 x that height wide
// (two thirds for bold), rounded down, at least 1 pixel, twice that for a character of the wide
// East Asian blocks (U+2E80 on); a text (UTF-8) is as wide as the sum of its characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "draw/canvas.h"

namespace senvola {

enum class CanvasOpKind : uint8_t {
    SetPen, SetBrush, SetFont,
    Rectangle, FillRect, Ellipse, Line, DrawString, DrawBitmap, StretchBitmap, CopySelf,
    BlendBitmap, TileBitmap
};

struct PenState {
    Colour colour = 0;
    bool solid = true;
};

struct BrushState {
    Colour colour = 0xFFFFFF;
    bool solid = true;
};

struct FontState {
    std::string name = "System";
    int size = 10;
    Colour colour = 0;
    bool bold = false;
};

// One recorded call with the drawing state in force when it was made.
struct CanvasOp {
    CanvasOpKind kind = CanvasOpKind::SetPen;
    // Rectangle, FillRect, Ellipse, StretchBitmap, CopySelf: the (destination) rectangle.
    // Line: start (x1, y1) and end (x2, y2). DrawString, DrawBitmap and BlendBitmap: top-left
    // corner in (x1, y1) and the covered area's right/bottom edge in (x2, y2). TileBitmap: the
    // clip.
    Rect rect{};
    Rect src{};  // CopySelf: the source rectangle; TileBitmap: the tile at the origin
    PenState pen{};
    BrushState brush{};
    FontState font{};
    std::string text;                // DrawString
    const Bitmap* bitmap = nullptr;  // DrawBitmap, StretchBitmap
};

// The pixels an operation can touch, as a rectangle (x1, y1, x2, y2) covering x1..x2-1 by
// y1..y2-1; empty (x1 == x2 or y1 == y2) for state changes and calls that paint nothing.
Rect PaintedArea(const CanvasOp& op);
bool IsDrawing(CanvasOpKind kind);

class RecordingBitmap final : public Bitmap {
public:
    RecordingBitmap(int width, int height, bool transparent)
        : width_(width), height_(height), transparent_(transparent) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Transparent() const override { return transparent_; }

private:
    int width_, height_;
    bool transparent_;
};

// A picture made by MakeAlphaBitmap, its pixels kept for tests to look at.
class RecordingAlphaBitmap final : public Bitmap {
public:
    RecordingAlphaBitmap(const uint32_t* pixels, int width, int height)
        : pixels_(pixels, pixels + static_cast<std::size_t>(width) * height), width_(width), height_(height) {}
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool Transparent() const override { return false; }
    // Premultiplied 0xAARRGGBB.
    uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

private:
    std::vector<uint32_t> pixels_;
    int width_, height_;
};

class RecordingCanvas final : public Canvas {
public:
    void SetPen(Colour colour, bool solid) override;
    void SetBrush(Colour colour, bool solid) override;
    void SetFont(std::string_view name, int sizePoints, Colour colour, bool bold) override;
    void Rectangle(int x1, int y1, int x2, int y2) override;
    void FillRect(int x1, int y1, int x2, int y2) override;
    void Ellipse(int x1, int y1, int x2, int y2) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void DrawString(int x, int y, std::string_view text) override;
    Size TextExtent(std::string_view text) override;
    void DrawBitmap(const Bitmap& bitmap, int x, int y) override;
    void StretchBitmap(const Bitmap& bitmap, const Rect& dst) override;
    void CopySelf(const Rect& dst, const Rect& src) override;
    std::unique_ptr<Bitmap> MakeAlphaBitmap(const uint32_t* pixels, int width, int height) override;
    void BlendBitmap(const Bitmap& bitmap, int x, int y) override;
    void TileBitmap(const Bitmap& bitmap, int originX, int originY, const Rect& clip) override;

    static int TextHeight(int sizePoints);
    static int CharWidth(int sizePoints, bool bold);

    const std::vector<CanvasOp>& Ops() const { return ops_; }
    // Forgets the recorded calls and the counts; the drawing state stays.
    void Clear() {
        ops_.clear();
        measures_ = 0;
        calls_ = 0;
    }
    std::size_t Count(CanvasOpKind kind) const;
    // Calls that paint (everything but state changes).
    std::size_t DrawingCount() const;
    // Number of TextExtent calls made, including those made while measuring.
    std::size_t MeasureCount() const { return measures_; }
    // With recording off only the drawing state and the counters are kept: for benchmarks
    // that must not grow a list without bound.
    void SetRecording(bool on) { recording_ = on; }
    std::size_t CallCount() const { return calls_; }

    const PenState& Pen() const { return pen_; }
    const BrushState& Brush() const { return brush_; }
    const FontState& Font() const { return font_; }

private:
    void Record(CanvasOpKind kind, const Rect& rect, std::string_view text = {},
                const Bitmap* bitmap = nullptr, const Rect& src = {});

    PenState pen_;
    BrushState brush_;
    FontState font_;
    std::vector<CanvasOp> ops_;
    std::size_t measures_ = 0;
    std::size_t calls_ = 0;
    bool recording_ = true;
};

}  // namespace senvola
