// The panels' text, measured: pure, so that layouts can place it and a backend can draw it. It is
// set in a mono-spaced font, in units in which its capitals stand 100 high.
#pragma once

#include <cstdint>
#include <string>

// DejaVu Sans Mono's proportions (2048 units an em): capitals 1493 high, every character 1233
// wide, descenders 483 deep.
inline constexpr double text_capital = 100.0;
inline constexpr double text_advance = 100.0 * 1233.0 / 1493.0;
inline constexpr double text_descender = 100.0 * 483.0 / 1493.0;
inline constexpr double text_em = 100.0 * 2048.0 / 1493.0;

// The panels' line height in pixels for a picture height pixels high: 38 lines would fill it,
// so that at 720 pixels a capital or digit stands 12 pixels high, and never less than 10.
double panel_line_height(double height, double text_scale = 1.0);
// Pixels per text unit for a line of line_height pixels: capitals take 0.64 of it.
inline double text_scale_for_line(double line_height) {
    return 0.64 * line_height / text_capital;
}

// Texts are UTF-8: each character (code point) takes one column.
size_t text_columns(const std::string& text);
// The code points of text, in order; a malformed byte reads as U+FFFD.
std::u32string code_points(const std::string& text);
