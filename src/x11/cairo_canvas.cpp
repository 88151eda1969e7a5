#include "cairo_canvas.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "picture_files.h"
#include "text/charset.h"
#include "text/utf8.h"

namespace senvola::x11 {

namespace {

void SetColour(cairo_t* cr, Colour c) {
    cairo_set_source_rgb(cr, (c & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, ((c >> 16) & 0xFF) / 255.0);
}

// An ellipse of the box's size less `inset` on every side, as the current path.
bool EllipsePath(cairo_t* cr, int x1, int y1, int x2, int y2, double inset) {
    const double rx = (x2 - x1) / 2.0 - inset, ry = (y2 - y1) / 2.0 - inset;
    if (rx <= 0 || ry <= 0) return false;
    cairo_save(cr);
    cairo_translate(cr, (x1 + x2) / 2.0, (y1 + y2) / 2.0);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
    return true;
}

}  // namespace

CairoCanvas::CairoCanvas(cairo_surface_t* image)
    : image_(image), cr_(cairo_create(image)), font_(pango_font_description_new()) {
    layout_.reset(pango_cairo_create_layout(cr_.get()));
    // Grey anti-aliasing rather than sub-pixel colours: the same pixels on every screen and in
    // every picture written; whole-pixel advances, as GDI measures text.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pango_layout_get_context(layout_.get()), options);
    cairo_font_options_destroy(options);
    pango_layout_context_changed(layout_.get());
    // One line, as TextOut draws it: a line break in a text is not a new line.
    pango_layout_set_single_paragraph_mode(layout_.get(), TRUE);
    SetFont("Arial", 10, 0, false);
}

CairoCanvas::~CairoCanvas() = default;

void CairoCanvas::SetPen(Colour colour, bool solid) {
    penColour_ = colour;
    penSolid_ = solid;
}

void CairoCanvas::SetBrush(Colour colour, bool solid) {
    brushColour_ = colour;
    brushSolid_ = solid;
}

void CairoCanvas::SetFont(std::string_view name, int sizePoints, Colour colour, bool bold) {
    // GDI's height of -MulDiv(points, 96, 72): the em, rounded to a whole pixel.
    const int pixels = std::max(1, (std::abs(sizePoints) * 96 + 36) / 72);
    const std::string family(name);
    pango_font_description_set_family(font_.get(), family.c_str());
    pango_font_description_set_absolute_size(font_.get(), pixels * PANGO_SCALE);
    pango_font_description_set_weight(font_.get(), bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_layout_set_font_description(layout_.get(), font_.get());
    textColour_ = colour;
}

void CairoCanvas::Fill(Colour colour) {
    SetColour(cr_.get(), colour);
    cairo_fill(cr_.get());
}

namespace {

Rect Union(const Rect& a, const Rect& b) {
    return {std::min(a.x1, b.x1), std::min(a.y1, b.y1), std::max(a.x2, b.x2), std::max(a.y2, b.y2)};
}

long long Area(const Rect& r) { return static_cast<long long>(r.x2 - r.x1) * (r.y2 - r.y1); }

// Areas this close are shown as one: a few rows or columns more cost less than another request.
constexpr int kNear = 16;

bool Near(const Rect& a, const Rect& b) {
    return a.x1 <= b.x2 + kNear && b.x1 <= a.x2 + kNear && a.y1 <= b.y2 + kNear && b.y1 <= a.y2 + kNear;
}

}  // namespace

void CairoCanvas::AddDamage(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    Rect r{x1, y1, x2, y2};
    auto& rects = damage_.rects;
    int& count = damage_.count;
    // Into an area it touches; the grown area may now touch others, which join it too.
    for (int i = 0; i < count; ++i) {
        if (!Near(rects[i], r)) continue;
        r = Union(rects[i], r);
        rects[i] = rects[--count];
        i = -1;
    }
    if (count == Damage::kMaxRects) {
        // No room: into the area that grows least.
        int best = 0;
        for (int i = 1; i < count; ++i) {
            if (Area(Union(rects[i], r)) - Area(rects[i]) < Area(Union(rects[best], r)) - Area(rects[best])) best = i;
        }
        r = Union(rects[best], r);
        rects[best] = rects[--count];
    }
    rects[count++] = r;
}

CairoCanvas::Damage CairoCanvas::TakeDamage() {
    cairo_surface_flush(image_);
    const int w = cairo_image_surface_get_width(image_), h = cairo_image_surface_get_height(image_);
    Damage clipped;
    for (const Rect& d : damage_.Rects()) {
        const Rect r{std::max(0, d.x1), std::max(0, d.y1), std::min(w, d.x2), std::min(h, d.y2)};
        if (r.x2 > r.x1 && r.y2 > r.y1) clipped.rects[clipped.count++] = r;
    }
    damage_ = {};
    return clipped;
}

void CairoCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const int w = x2 - x1, h = y2 - y1;
    if (w <= 0 || h <= 0) return;
    cairo_t* cr = cr_.get();
    const bool hollow = w > 2 && h > 2;
    if (penSolid_) {
        // The outline is the box's border pixels; the interior is inside it.
        cairo_rectangle(cr, x1, y1, w, h);
        if (hollow) cairo_rectangle(cr, x1 + 1, y1 + 1, w - 2, h - 2);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        Fill(penColour_);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        if (brushSolid_ && hollow) {
            cairo_rectangle(cr, x1 + 1, y1 + 1, w - 2, h - 2);
            Fill(brushColour_);
        }
    } else if (brushSolid_) {
        cairo_rectangle(cr, x1, y1, w, h);
        Fill(brushColour_);
    }
    AddDamage(x1, y1, x2, y2);
}

void CairoCanvas::FillRect(int x1, int y1, int x2, int y2) {
    if (!brushSolid_ || x2 <= x1 || y2 <= y1) return;
    cairo_rectangle(cr_.get(), x1, y1, x2 - x1, y2 - y1);
    Fill(brushColour_);
    AddDamage(x1, y1, x2, y2);
}

void CairoCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 - x1 <= 0 || y2 - y1 <= 0) return;
    cairo_t* cr = cr_.get();
    if (penSolid_) {
        EllipsePath(cr, x1, y1, x2, y2, 0);
        if (brushSolid_) {
            Fill(penColour_);
            if (EllipsePath(cr, x1, y1, x2, y2, 1)) Fill(brushColour_);
        } else {
            EllipsePath(cr, x1, y1, x2, y2, 1);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
            Fill(penColour_);
            cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        }
    } else if (brushSolid_) {
        EllipsePath(cr, x1, y1, x2, y2, 0);
        Fill(brushColour_);
    } else {
        return;
    }
    AddDamage(x1, y1, x2, y2);
}

void CairoCanvas::Line(int x1, int y1, int x2, int y2) {
    if (!penSolid_ || (x1 == x2 && y1 == y2)) return;
    cairo_t* cr = cr_.get();
    Rect r;
    if (y1 == y2) {
        r = x1 < x2 ? Rect{x1, y1, x2, y1 + 1} : Rect{x2 + 1, y1, x1 + 1, y1 + 1};
    } else if (x1 == x2) {
        r = y1 < y2 ? Rect{x1, y1, x1 + 1, y2} : Rect{x1, y2 + 1, x1 + 1, y1 + 1};
    } else {
        // Through the pixel centres, anti-aliased; the end point's own pixel is not singled out.
        cairo_move_to(cr, x1 + 0.5, y1 + 0.5);
        cairo_line_to(cr, x2 + 0.5, y2 + 0.5);
        cairo_set_line_width(cr, 1);
        SetColour(cr, penColour_);
        cairo_stroke(cr);
        AddDamage(std::min(x1, x2) - 1, std::min(y1, y2) - 1, std::max(x1, x2) + 2, std::max(y1, y2) + 2);
        return;
    }
    cairo_rectangle(cr, r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1);
    Fill(penColour_);
    AddDamage(r.x1, r.y1, r.x2, r.y2);
}

void CairoCanvas::Layout(std::string_view text) {
    // The core's texts are UTF-8 and go to pango as they are. Pango refuses broken UTF-8 and
    // NUL bytes outright, so a text with either is mended first (U+FFFD; NULs left out).
    if (text::IsValidUtf8(text) && text.find('\0') == std::string_view::npos) {
        pango_layout_set_text(layout_.get(), text.data(), static_cast<int>(text.size()));
        return;
    }
    utf8_ = text::SanitiseUtf8(text);
    std::erase(utf8_, '\0');
    pango_layout_set_text(layout_.get(), utf8_.data(), static_cast<int>(utf8_.size()));
}

void CairoCanvas::DrawString(int x, int y, std::string_view text) {
    if (text.empty()) return;
    Layout(text);
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(layout_.get(), &ink, &logical);
    cairo_t* cr = cr_.get();
    if (brushSolid_) {
        cairo_rectangle(cr, x + logical.x, y + logical.y, logical.width, logical.height);
        Fill(brushColour_);
    }
    cairo_move_to(cr, x, y);
    SetColour(cr, textColour_);
    pango_cairo_show_layout(cr, layout_.get());
    AddDamage(x + logical.x, y + logical.y, x + logical.x + logical.width, y + logical.y + logical.height);
    // Glyphs may reach past the line box; a pixel more for the anti-aliased edge.
    AddDamage(x + ink.x - 1, y + ink.y - 1, x + ink.x + ink.width + 1, y + ink.y + ink.height + 1);
}

Size CairoCanvas::TextExtent(std::string_view text) {
    Layout(text);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout_.get(), nullptr, &logical);
    return {logical.width, logical.height};
}

void CairoCanvas::DrawBitmap(const Bitmap& bitmap, int x, int y) {
    const auto* b = dynamic_cast<const CairoBitmap*>(&bitmap);
    if (!b) return;
    cairo_t* cr = cr_.get();
    cairo_set_source_surface(cr, b->Surface(), x, y);
    cairo_rectangle(cr, x, y, b->Width(), b->Height());
    cairo_fill(cr);
    AddDamage(x, y, x + b->Width(), y + b->Height());
}

void CairoCanvas::StretchBitmap(const Bitmap& bitmap, const Rect& dst) {
    const auto* b = dynamic_cast<const CairoBitmap*>(&bitmap);
    const int w = dst.x2 - dst.x1, h = dst.y2 - dst.y1;
    if (!b || w <= 0 || h <= 0) return;
    cairo_t* cr = cr_.get();
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(b->Surface());
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, double(b->Width()) / w, double(b->Height()) / h);
    cairo_matrix_translate(&m, -dst.x1, -dst.y1);
    cairo_pattern_set_matrix(pattern, &m);
    // Edge pixels continue outward instead of fading into nothing at the picture's border.
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, w == b->Width() && h == b->Height() ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_set_source(cr, pattern);
    cairo_rectangle(cr, dst.x1, dst.y1, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    AddDamage(dst.x1, dst.y1, dst.x2, dst.y2);
}

void CairoCanvas::CopySelf(const Rect& dst, const Rect& src) {
    const int sw = src.x2 - src.x1, sh = src.y2 - src.y1;
    const int dw = dst.x2 - dst.x1, dh = dst.y2 - dst.y1;
    if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
    // Source and destination may overlap: the source goes through a copy first.
    if (!scratch_ || cairo_image_surface_get_width(scratch_.get()) < sw ||
        cairo_image_surface_get_height(scratch_.get()) < sh) {
        const int w = scratch_ ? std::max(sw, cairo_image_surface_get_width(scratch_.get())) : sw;
        const int h = scratch_ ? std::max(sh, cairo_image_surface_get_height(scratch_.get())) : sh;
        scratchCr_.reset();
        scratch_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h));
        scratchCr_.reset(cairo_create(scratch_.get()));
    }
    cairo_t* sc = scratchCr_.get();
    cairo_set_operator(sc, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(sc, image_, -src.x1, -src.y1);
    cairo_rectangle(sc, 0, 0, sw, sh);
    cairo_fill(sc);
    cairo_surface_flush(scratch_.get());

    cairo_t* cr = cr_.get();
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(scratch_.get());
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, double(sw) / dw, double(sh) / dh);
    cairo_matrix_translate(&m, -dst.x1, -dst.y1);
    cairo_pattern_set_matrix(pattern, &m);
    // Nearest colour, as StretchBlt copies: a stretched patch of board keeps its own colours
    // and never reads the scratch surface beyond the copied part.
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern);
    cairo_rectangle(cr, dst.x1, dst.y1, dw, dh);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    AddDamage(dst.x1, dst.y1, dst.x2, dst.y2);
}

std::unique_ptr<Bitmap> CairoCanvas::MakeAlphaBitmap(const uint32_t* pixels, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    // Cairo's ARGB32 is premultiplied 0xAARRGGBB in native order: the core's pixels as they are.
    UniqueSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < height; ++y)
        std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride, pixels + static_cast<std::ptrdiff_t>(y) * width,
                    static_cast<std::size_t>(width) * 4);
    cairo_surface_mark_dirty(surface.get());
    return std::make_unique<CairoBitmap>(std::move(surface), false);
}

void CairoCanvas::BlendBitmap(const Bitmap& bitmap, int x, int y) {
    // An image surface with alpha is composited OVER, as DrawBitmap draws any picture.
    DrawBitmap(bitmap, x, y);
}

void CairoCanvas::TileBitmap(const Bitmap& bitmap, int originX, int originY, const Rect& clip) {
    const auto* b = dynamic_cast<const CairoBitmap*>(&bitmap);
    const int w = clip.x2 - clip.x1, h = clip.y2 - clip.y1;
    if (!b || w <= 0 || h <= 0) return;
    cairo_t* cr = cr_.get();
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(b->Surface());
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, -originX, -originY);
    cairo_pattern_set_matrix(pattern, &m);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(cr, pattern);
    cairo_rectangle(cr, clip.x1, clip.y1, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    AddDamage(clip.x1, clip.y1, clip.x2, clip.y2);
}

}  // namespace senvola::x11
