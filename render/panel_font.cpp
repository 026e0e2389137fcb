#include "render/panel_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "scene/panel_text.h"

// The font file's bytes, built in (cmake/embed_file.cmake).
extern const unsigned char panel_font_file[];
extern const size_t panel_font_file_size;

struct PanelFont::Faces {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

PanelFont::PanelFont() : faces_(std::make_unique<Faces>()) {
    if (FT_Init_FreeType(&faces_->library) != 0 ||
        FT_New_Memory_Face(faces_->library, panel_font_file, FT_Long(panel_font_file_size), 0,
                           &faces_->face) != 0) {
        std::fputs("planewave3d: the panels' font cannot be opened: their text is left out\n",
                   stderr);
        faces_->face = nullptr;
    }
}

PanelFont::~PanelFont() {
    if (faces_->face) FT_Done_Face(faces_->face);
    if (faces_->library) FT_Done_FreeType(faces_->library);
}

const GlyphBitmap& PanelFont::glyph(char32_t c, long em_26_6) {
    const auto key = std::make_pair(c, em_26_6);
    auto found = cache_.find(key);
    if (found != cache_.end()) return found->second;
    GlyphBitmap& g = cache_[key] = GlyphBitmap{};  // empty until rendered
    FT_Face face = faces_->face;
    if (!face || FT_Set_Char_Size(face, 0, em_26_6, 72, 72) != 0) return g;
    FT_UInt index = FT_Get_Char_Index(face, FT_ULong(c));
    if (index == 0) index = FT_Get_Char_Index(face, '?');
    // Light hinting: the outlines keep their shapes, their heights snap to whole pixels.
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_LIGHT) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        return g;
    }
    const FT_Bitmap& b = face->glyph->bitmap;
    g.width = int32_t(b.width);
    g.rows = int32_t(b.rows);
    g.left = face->glyph->bitmap_left;
    g.top = face->glyph->bitmap_top;
    g.coverage.resize(size_t(g.width) * size_t(g.rows));
    for (int32_t r = 0; r < g.rows; ++r) {
        std::copy_n(b.buffer + r * b.pitch, g.width, &g.coverage[size_t(r) * size_t(g.width)]);
    }
    return g;
}

void PanelFont::add_text(const std::string& text, double x, double y, double capital_px,
                         double pitch_px, CoverageImage& image) {
    const double px_per_unit = capital_px / text_capital;
    const long em_26_6 = std::max(64L, std::lround(text_em * px_per_unit * 64.0));
    const double advance_px = text_advance * px_per_unit;
    const auto baseline = int32_t(std::lround(y));
    double column = x;
    for (char32_t c : code_points(text)) {
        const GlyphBitmap& g = glyph(c, em_26_6);
        const auto left = int32_t(std::lround(column + (pitch_px - advance_px) / 2)) + g.left;
        for (int32_t r = 0; r < g.rows; ++r) {
            const int32_t py = baseline + g.top - 1 - r;
            if (py < 0 || py >= image.height) continue;
            for (int32_t k = 0; k < g.width; ++k) {
                const int32_t px = left + k;
                if (px < 0 || px >= image.width) continue;
                unsigned char& to = image.coverage[size_t(py) * size_t(image.width) + size_t(px)];
                to = std::max(to, g.coverage[size_t(r) * size_t(g.width) + size_t(k)]);
            }
        }
        column += pitch_px;
    }
}
