// Owned cairo and pango objects: one unique_ptr typedef per kind, so every handle of this folder
// is released by its owner.
#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace senvola::x11 {

struct DestroySurface {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct DestroyContext {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct FreeFontDescription {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct UnrefObject {
    void operator()(gpointer o) const { g_object_unref(o); }
};

using UniqueSurface = std::unique_ptr<cairo_surface_t, DestroySurface>;
using UniqueContext = std::unique_ptr<cairo_t, DestroyContext>;
using UniqueFontDescription = std::unique_ptr<PangoFontDescription, FreeFontDescription>;
using UniqueLayout = std::unique_ptr<PangoLayout, UnrefObject>;

}  // namespace senvola::x11
