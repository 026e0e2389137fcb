// The mono-spaced stroke font as line segments, so that a whole text is one list of segments:
// pure, so that layouts can measure texts and a backend can draw them in one call.
#pragma once

#include <array>
#include <string>
#include <vector>

// Per ASCII character, its strokes as segments x0, y0, x1, y1 in font units (capitals about
// 100 high, every character advancing 104.76).
struct StrokeGlyphs {
    std::array<std::vector<float>, 128> segments;
};
inline constexpr double stroke_advance = 104.76;

// Texts are UTF-8: each character takes one advance. The font has ASCII only: an em dash is
// drawn as a long dash, any other character beyond ASCII as '?'.
size_t text_columns(const std::string& text);

// Appends the segments of text, its baseline starting at (x, y) pixels, scaled by scale_x and
// scale_y pixels per font unit, to vertices (x, y per vertex, two vertices per segment).
void append_text_strokes(const StrokeGlyphs& glyphs, const std::string& text, double x, double y,
                         double scale_x, double scale_y, std::vector<float>& vertices);
