// The panels' text as antialiased pixels: DejaVu Sans Mono, built into the program, rasterised by
// FreeType at the size the panel asks for, so that no stroke or dot of a digit can drop out as a
// one-pixel line of the software renderer can. Without OpenGL: the backend lays the pixels.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A glyph as FreeType renders it: coverage 0..255, rows top down, placed by its left bearing
// and top above the baseline, in pixels.
struct GlyphBitmap {
    int32_t width, rows, left, top;
    std::vector<unsigned char> coverage;
};

// Coverage of a picture's pixels, 0..255, rows bottom up as OpenGL counts them.
struct CoverageImage {
    int32_t width = 0, height = 0;
    std::vector<unsigned char> coverage;
    CoverageImage(int32_t w, int32_t h) : width(w), height(h), coverage(size_t(w) * size_t(h)) {}
    unsigned char at(int32_t x, int32_t y) const {
        return coverage[size_t(y) * size_t(width) + size_t(x)];
    }
};

class PanelFont {
  public:
    PanelFont();  // a font that cannot be opened draws nothing, and says so once on stderr
    ~PanelFont();
    PanelFont(const PanelFont&) = delete;
    PanelFont& operator=(const PanelFont&) = delete;

    // Adds text (UTF-8) to image, its baseline from (x, y) pixels: capitals capital_px high,
    // each character centred in a column pitch_px wide. A character the font lacks shows '?'.
    void add_text(const std::string& text, double x, double y, double capital_px, double pitch_px,
                  CoverageImage& image);

  private:
    const GlyphBitmap& glyph(char32_t c, long em_26_6);
    struct Faces;
    std::unique_ptr<Faces> faces_;
    std::map<std::pair<char32_t, long>, GlyphBitmap> cache_;  // by character and size
};
