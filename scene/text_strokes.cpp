// Texts as strokes of the stroke font: pure, so that layouts can measure them.
#include "scene/text_strokes.h"

#include <algorithm>

namespace {

bool continuation_byte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The long dash: the font's '-' stretched across the whole advance.
std::vector<float> em_dash(const StrokeGlyphs& glyphs) {
    std::vector<float> s = glyphs.segments['-'];
    float low = 1e9f, high = -1e9f;
    for (size_t k = 0; k < s.size(); k += 2) {
        low = std::min(low, s[k]);
        high = std::max(high, s[k]);
    }
    for (size_t k = 0; k < s.size() && high > low; k += 2) {
        s[k] = static_cast<float>((s[k] - low) / (high - low) * stroke_advance);
    }
    return s;
}

}  // namespace

size_t text_columns(const std::string& text) {
    size_t columns = 0;
    for (char c : text) columns += !continuation_byte(static_cast<unsigned char>(c));
    return columns;
}

void append_text_strokes(const StrokeGlyphs& glyphs, const std::string& text, double x, double y,
                         double scale_x, double scale_y, std::vector<float>& vertices) {
    double pen = 0.0;  // font units along the baseline
    const std::vector<float> dash =
        text.find("\u2014") != std::string::npos ? em_dash(glyphs) : std::vector<float>{};
    for (size_t i = 0; i < text.size(); ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        if (continuation_byte(code)) continue;
        const std::vector<float>* strokes = &glyphs.segments['?'];
        if (code < 0x80) {
            strokes = &glyphs.segments[code];
        } else if (text.compare(i, 3, "\u2014") == 0) {
            strokes = &dash;
        } else if (text.compare(i, 2, "\u00b5") == 0) {
            strokes = &glyphs.segments['u'];  // the micro sign, as near as the font comes
        }
        const std::vector<float>& s = *strokes;
        for (size_t k = 0; k + 1 < s.size(); k += 2) {
            vertices.push_back(static_cast<float>(x + (pen + s[k]) * scale_x));
            vertices.push_back(static_cast<float>(y + s[k + 1] * scale_y));
        }
        pen += stroke_advance;
    }
}
